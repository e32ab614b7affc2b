// Reads and atomically replaces the state file. Main thread; async-signal-unsafe (stdio, errno
// texts), so never called from a signal handler.
#include "StateFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace Orvane {

namespace {

// A saved state is a few hundred bytes; anything far larger is not one.
constexpr off_t kMaxStateBytes = 1 << 20;

std::string failure(const char* what, const std::string& path, int error)
{
    return std::string(what) + " " + path + ": " + std::strerror(error);
}

bool writeAll(int fd, const std::string& bytes)
{
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += static_cast<size_t>(count);
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename itself reaches the disk only with the folder; a failure here loses nothing that
// was there before, so it is not reported.
void syncFolder(const std::string& path)
{
    const int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    static_cast<void>(::fsync(fd));
    ::close(fd);
}

} // namespace

StateFileRead readStateFile(const std::string& path, std::string& bytes, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return StateFileRead::Missing;
        error = failure("cannot read the state file", path, errno);
        return StateFileRead::Failed;
    }
    struct stat info = {};
    int cause = 0;
    if (::fstat(fd, &info) != 0)
        cause = errno;
    else if (S_ISDIR(info.st_mode))
        cause = EISDIR;
    else if (!S_ISREG(info.st_mode))
        cause = EINVAL;
    else if (info.st_size > kMaxStateBytes)
        cause = EFBIG;
    if (cause != 0) {
        ::close(fd);
        error = failure("cannot read the state file", path, cause);
        return StateFileRead::Failed;
    }
    bytes.clear();
    char chunk[4096];
    for (;;) {
        const ssize_t count = ::read(fd, chunk, sizeof(chunk));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            error = failure("cannot read the state file", path, errno);
            ::close(fd);
            return StateFileRead::Failed;
        }
        if (count == 0)
            break;
        bytes.append(chunk, static_cast<size_t>(count));
        if (bytes.size() > static_cast<size_t>(kMaxStateBytes)) {
            error = failure("cannot read the state file", path, EFBIG);
            ::close(fd);
            return StateFileRead::Failed;
        }
    }
    ::close(fd);
    return StateFileRead::Read;
}

bool writeStateFile(const std::string& path, const std::string& bytes, std::string& error)
{
    // One name per process: only the main thread saves, so it never races with itself.
    const std::string temporary = path + "." + std::to_string(::getpid()) + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
        S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH);
    if (fd < 0) {
        error = failure("cannot save the state to", path, errno);
        return false;
    }
    bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    int cause = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        cause = errno;
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        cause = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        error = failure("cannot save the state to", path, cause);
        return false;
    }
    syncFolder(path);
    return true;
}

} // namespace Orvane
