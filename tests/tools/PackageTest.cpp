// The Debian package made from the build folder: its control fields and files, the plug-in and
// the programs unpacked from it working from their new place, and lintian's verdict.
#include "ClapLibrary.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct CommandRun {
    int status;
    std::string output; // standard output and error
};

CommandRun run(const std::string& command)
{
    CommandRun result{-1, ""};
    FILE* const pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return result;
    char chunk[4096];
    for (size_t count; (count = std::fread(chunk, 1, sizeof(chunk), pipe)) > 0;)
        result.output.append(chunk, count);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string field(const std::string& package, const std::string& name)
{
    std::string value = run("dpkg-deb -f " + package + " " + name).output;
    while (!value.empty() && value.back() == '\n')
        value.pop_back();
    return value;
}

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = ::testing::TempDir() + "vantorel-package-XXXXXX";
        path = mkdtemp(pattern.data()) != nullptr ? pattern : "";
    }
    ~TempFolder()
    {
        if (!path.empty())
            std::filesystem::remove_all(path);
    }
    std::string path;
};

TEST(DebianPackage, InstallsUnpacksRunsAndPassesLintian)
{
    const TempFolder folder;
    ASSERT_FALSE(folder.path.empty());
    const CommandRun cpack =
        run("cpack --config " VANTOREL_BINARY_DIR "/CPackConfig.cmake -B " + folder.path);
    ASSERT_EQ(cpack.status, 0) << cpack.output;
    const std::string package = folder.path + "/vantorel_" VANTOREL_VERSION "_amd64.deb";

    EXPECT_EQ(field(package, "Package"), "vantorel");
    EXPECT_EQ(field(package, "Version"), VANTOREL_VERSION);
    EXPECT_EQ(field(package, "Architecture"), "amd64");
    const std::string depends = field(package, "Depends");
    for (const char* library : {"libc6", "libstdc++6", "libsndfile1"})
        EXPECT_NE(depends.find(library), std::string::npos) << depends;
    EXPECT_NE(field(package, "Recommends").find("libjack"), std::string::npos);

    const std::string files = run("dpkg-deb -c " + package).output;
    std::vector<std::string> expected = {"./usr/lib/clap/vantorel.clap",
        "./usr/lib/lv2/vantorel.lv2/manifest.ttl", "./usr/lib/lv2/vantorel.lv2/vantorel.ttl",
        "./usr/lib/lv2/vantorel.lv2/vantorel.so", "./usr/lib/lv2/vantorel.lv2/vantorel_ui.so",
        "./usr/bin/vantorel-render", "./usr/share/man/man1/vantorel-render.1.gz",
        "./usr/share/doc/vantorel/copyright", "./usr/share/doc/vantorel/changelog.gz"};
    if (VANTOREL_HAS_STANDALONE) {
        expected.insert(expected.end(),
            {"./usr/bin/vantorel", "./usr/share/man/man1/vantorel.1.gz",
                "./usr/share/applications/vantorel.desktop"});
    }
    for (const std::string& file : expected)
        EXPECT_NE(files.find(" " + file + "\n"), std::string::npos) << file << " in\n" << files;
    EXPECT_EQ(files.find(" ./usr/local"), std::string::npos) << files;

    const std::string root = folder.path + "/root";
    ASSERT_EQ(run("dpkg-deb -x " + package + " " + root).status, 0);
    EXPECT_NE(run("cat " + root + "/usr/share/doc/vantorel/copyright").output.find("Bitstream"),
        std::string::npos);

    // The unpacked module as a host loads it.
    {
        ClapLibrary library;
        std::string error;
        ASSERT_TRUE(library.open(root + "/usr/lib/clap/vantorel.clap", error)) << error;
        const clap_plugin_descriptor_t* const descriptor =
            library.factory()->get_plugin_descriptor(library.factory(), 0);
        ASSERT_NE(descriptor, nullptr);
        EXPECT_STREQ(descriptor->id, "urn.krellgen.Vantorel");
    }

    // LV2 hosts find the unpacked bundle, with both of its libraries.
    const CommandRun lv2 =
        run("env LV2_PATH=" + root + "/usr/lib/lv2 lv2info urn:fellmark-audio:vantorel");
    EXPECT_EQ(lv2.status, 0) << lv2.output;
    for (const char* binary : {"/vantorel.so\n", "/vantorel_ui.so\n"})
        EXPECT_NE(lv2.output.find(root + "/usr/lib/lv2/vantorel.lv2" + binary), std::string::npos)
            << lv2.output;

    // The unpacked render tool finds the plug-in beside it (bin/../lib/clap), not one elsewhere.
    const std::string tool = root + "/usr/bin/vantorel-render";
    const CommandRun help = run(tool + " --help");
    EXPECT_EQ(help.status, 0) << help.output;
    EXPECT_NE(help.output.find("--dayan-pattern"), std::string::npos) << help.output;
    const CommandRun render = run("env -u CLAP_PATH HOME=" + folder.path + " " + tool +
        " --verbose --bars 1 -o " + folder.path + "/groove.wav");
    EXPECT_EQ(render.status, 0) << render.output;
    char unpacked[PATH_MAX];
    ASSERT_NE(realpath((root + "/usr/lib/clap/vantorel.clap").c_str(), unpacked), nullptr);
    EXPECT_NE(render.output.find(std::string("Plug-in ") + unpacked + "\n"), std::string::npos)
        << render.output;
    if (VANTOREL_HAS_STANDALONE) {
        const CommandRun standaloneHelp = run(root + "/usr/bin/vantorel --help");
        EXPECT_EQ(standaloneHelp.status, 0) << standaloneHelp.output;
    }

    const CommandRun lintian = run("lintian --fail-on error " + package);
    EXPECT_EQ(lintian.status, 0) << lintian.output;
}

} // namespace
