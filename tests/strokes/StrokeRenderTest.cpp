// The stroke renderer reproduces the committed tables byte for byte and reports a folder it
// cannot write.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "ExpectedStrokes.h"
#include "StrokeAnalysis.h"

namespace {

int runRenderer(const std::string& folder)
{
    const std::string command =
        std::string("\"") + STROKE_RENDER_PROGRAM + "\" \"" + folder + "\" 2>/dev/null";
    return std::system(command.c_str());
}

} // namespace

TEST(StrokeRender, ReproducesTheCommittedTablesByteForByte)
{
    std::string folder = (std::filesystem::temp_directory_path() / "stroke-render-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    ASSERT_EQ(runRenderer(folder), 0);
    for (const ExpectedStroke& stroke : kExpectedStrokes) {
        SCOPED_TRACE(stroke.name);
        const std::vector<char> rendered = readBytes(strokeFile(folder, stroke.name));
        EXPECT_EQ(rendered.size(), stroke.length * sizeof(float));
        EXPECT_TRUE(rendered == readBytes(strokeFile(STROKE_ASSET_DIR, stroke.name)));
    }
    std::filesystem::remove_all(folder);
}

TEST(StrokeRender, FailsWhenTheFolderCannotBeCreated)
{
    EXPECT_NE(runRenderer("/dev/null/strokes"), 0);
}
