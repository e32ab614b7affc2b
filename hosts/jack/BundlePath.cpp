// Finds the program's own folder through the dynamic loader and real paths. Main thread.
#include "BundlePath.h"

#include "PendingValues.h"

#include <dlfcn.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace Orvane {

namespace {

// The program's own file, found once for the process.
const std::string& programPath()
{
    static const std::string path = [] {
        Dl_info info = {};
        char resolved[PATH_MAX];
        if (dladdr(reinterpret_cast<void*>(&findBundlePath), &info) == 0 ||
            info.dli_fname == nullptr || realpath(info.dli_fname, resolved) == nullptr)
            return std::string();
        return std::string(resolved);
    }();
    return path;
}

} // namespace

void findBundlePath()
{
    static std::string folder;
    const std::string& path = programPath();
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return;
    folder = path.substr(0, slash);
    if (access((folder + "/resources").c_str(), F_OK) == 0)
        pendingBundlePath = folder.c_str();
}

} // namespace Orvane
