// The built module as a file: what it exports, what it needs, and that it carries no path of the
// machine it was built on.
#include "ClapFixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

namespace {

std::string commandOutput(const std::string& command)
{
    std::string output;
    FILE* const pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char chunk[512];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof(chunk), pipe)) > 0)
        output.append(chunk, count);
    pclose(pipe);
    return output;
}

std::string fileBytes(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TEST(ClapModuleFile, ExportsOnlyTheEntry)
{
    const std::string symbols =
        commandOutput(std::string("nm -D --defined-only '") + vantorelClapPath() + "'");
    std::istringstream lines(symbols);
    std::vector<std::string> names;
    std::string address, kind, name;
    while (lines >> address >> kind >> name)
        names.push_back(kind + " " + name);
    EXPECT_EQ(names, std::vector<std::string>{"D clap_entry"}) << symbols;
}

TEST(ClapModuleFile, NeedsOnlyTheRuntimesAndTheEditorsDisplayLibraries)
{
    const std::string dynamic =
        commandOutput(std::string("readelf -d '") + vantorelClapPath() + "'");
    std::set<std::string> needed;
    std::istringstream lines(dynamic);
    for (std::string line; std::getline(lines, line);) {
        const size_t open = line.find("(NEEDED)");
        if (open == std::string::npos)
            continue;
        const size_t start = line.find('[');
        needed.insert(line.substr(start + 1, line.find(']') - start - 1));
    }
    const std::set<std::string> allowed = {"libstdc++.so.6", "libm.so.6", "libgcc_s.so.1",
        "libc.so.6", "ld-linux-x86-64.so.2",
        // the editor's display and drawing
        "libX11.so.6", "libXext.so.6", "libGLX.so.0", "libOpenGL.so.0",
        // sanitizer builds
        "libasan.so.8", "libubsan.so.1"};
    ASSERT_FALSE(needed.empty()) << dynamic;
    for (const std::string& library : needed)
        EXPECT_EQ(allowed.count(library), 1u) << library;
}

TEST(ClapModuleFile, CarriesNoBuildMachinePath)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "sanitizer builds keep source paths for their reports";
#endif
    const std::string bytes = fileBytes(vantorelClapPath());
    ASSERT_GT(bytes.size(), 100000u);
    for (const char* path : {VANTOREL_SOURCE_DIR, VANTOREL_BINARY_DIR})
        EXPECT_EQ(bytes.find(path), std::string::npos) << path;
}

} // namespace
