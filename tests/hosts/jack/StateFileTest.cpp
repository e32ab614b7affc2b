// The state file's atomic replacement: a save that cannot finish (a full disk, a folder that
// may not be written) says why and leaves the previous file as it was, and nothing temporary
// stays behind.
#include "StateFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <dirent.h>
#include <functional>
#include <string>
#include <vector>

namespace {

using Orvane::readStateFile;
using Orvane::StateFileRead;
using Orvane::writeStateFile;

struct Folder {
    std::string path;
    Folder()
    {
        char pattern[] = "/tmp/vantorel-state-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~Folder() { std::system(("chmod -R u+w '" + path + "' && rm -rf '" + path + "'").c_str()); }
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        if (DIR* dir = opendir(path.c_str())) {
            while (const dirent* entry = readdir(dir)) {
                if (entry->d_name[0] != '.')
                    found.emplace_back(entry->d_name);
            }
            closedir(dir);
        }
        return found;
    }
};

std::string contents(const std::string& path)
{
    std::string bytes;
    std::string error;
    return readStateFile(path, bytes, error) == StateFileRead::Read ? bytes : "(unreadable)";
}

// Runs `save` in a child process limited by `restrict` (which may drop privileges or file
// sizes); the child's exit status is 0 when the save was refused with a one-line message.
bool refusedInChild(const std::function<void()>& restrict, const std::string& path)
{
    const pid_t child = fork();
    if (child == 0) {
        restrict();
        std::string error;
        const bool saved = writeStateFile(path, std::string(4000, 'n'), error);
        _exit(!saved && !error.empty() && error.find('\n') == std::string::npos ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(StateFile, SavesReplaceWholeFilesAndFailedSavesLeaveTheOldOne)
{
    Folder folder;
    const std::string path = folder.path + "/groove.state";
    std::string bytes;
    std::string error;
    EXPECT_EQ(readStateFile(path, bytes, error), StateFileRead::Missing);

    const std::string old(std::string("old\0state\xFE", 11));
    ASSERT_TRUE(writeStateFile(path, old, error)) << error;
    ASSERT_TRUE(writeStateFile(path, old + old, error)) << error;
    EXPECT_EQ(contents(path), old + old);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"groove.state"});

    // A full disk: the file size limit stops the write half way.
    EXPECT_TRUE(refusedInChild(
        [] {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{100, 100};
            setrlimit(RLIMIT_FSIZE, &limit);
        },
        path));
    EXPECT_EQ(contents(path), old + old);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"groove.state"});

    // A folder that may not be written (permissions hold only for an ordinary user).
    ASSERT_EQ(chmod(folder.path.c_str(), 0555), 0);
    EXPECT_TRUE(refusedInChild(
        [] {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(2);
        },
        path));
    chmod(folder.path.c_str(), 0755);
    EXPECT_EQ(contents(path), old + old);

    // What cannot be a state file is refused with one line.
    EXPECT_EQ(readStateFile(folder.path, bytes, error), StateFileRead::Failed);
    EXPECT_NE(error.find(folder.path), std::string::npos);
    EXPECT_EQ(error.find('\n'), std::string::npos);
}

} // namespace
