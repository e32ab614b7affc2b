// Loads a CLAP plug-in library and reaches its factory. Host main thread.
#include "ClapLibrary.h"

#include <dlfcn.h>
#include <stdlib.h>

#include <climits>
#include <memory>

ClapLibrary::~ClapLibrary()
{
    close();
}

void ClapLibrary::close() noexcept
{
    if (fInitialised && fEntry->deinit != nullptr)
        fEntry->deinit();
    if (fHandle != nullptr)
        dlclose(fHandle);
    fHandle = nullptr;
    fEntry = nullptr;
    fFactory = nullptr;
    fInitialised = false;
}

bool ClapLibrary::open(const std::string& path, std::string& error)
{
    close();
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) {
        error = "cannot find plug-in " + path;
        return false;
    }
    fHandle = dlopen(resolved, RTLD_NOW | RTLD_LOCAL);
    if (fHandle == nullptr) {
        const char* const reason = dlerror();
        error = std::string("cannot load ") + resolved + ": " +
            (reason != nullptr ? reason : "unknown error");
        return false;
    }
    fEntry = static_cast<const clap_plugin_entry_t*>(dlsym(fHandle, "clap_entry"));
    if (fEntry == nullptr || !clap_version_is_compatible(fEntry->clap_version) ||
        fEntry->init == nullptr || fEntry->get_factory == nullptr) {
        error = std::string(resolved) + " has no usable clap_entry";
        close();
        return false;
    }
    if (!fEntry->init(resolved)) {
        error = std::string(resolved) + ": clap_entry init failed";
        close();
        return false;
    }
    fInitialised = true;
    fFactory =
        static_cast<const clap_plugin_factory_t*>(fEntry->get_factory(CLAP_PLUGIN_FACTORY_ID));
    if (fFactory == nullptr) {
        error = std::string(resolved) + " offers no plug-in factory";
        close();
        return false;
    }
    return true;
}
