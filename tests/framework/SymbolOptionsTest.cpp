// Parameter options on a host's command line, over a plug-in whose texts are made up here: which
// values are taken, the errors that name the option, and the help lines.
#include "support/SymbolOptions.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Parameter 7 shows its values as "#N" and reads leniently, as strtod does; parameter 9 shows
// labels "low" and "high" for 0 and 1.
class MadeUpTexts final : public Support::OptionTexts {
public:
    std::string text(uint32_t id, double value) const override
    {
        if (id == 9)
            return value == 0.0 ? "low" : "high";
        return "#" + std::to_string(static_cast<int>(value));
    }

    bool value(uint32_t id, const std::string& text, double& value) const override
    {
        if (id == 9) {
            value = text == "high" ? 1.0 : 0.0;
            return text == "high" || text == "low";
        }
        value = std::strtod(text.c_str() + (text.rfind('#', 0) == 0 ? 1 : 0), nullptr);
        return true;
    }
};

TEST(SymbolOptions, TakesShownTextsAndPlainNumbersInRangeAndNamesTheFirstBadOption)
{
    const MadeUpTexts texts;
    const Support::SymbolOptions options(
        {{7, "baya_length", "Baya Length", 4, 16, 4}, {9, "mode", "Mode", 0, 1, 0}}, texts);
    const auto resolve = [&](const Support::GivenOptions& given, std::string& error) {
        std::vector<Support::OptionValue> values;
        error.clear();
        const bool ok = options.resolve(given, values, error);
        EXPECT_EQ(ok, error.empty());
        return values;
    };

    std::string error;
    const auto values =
        resolve({{"--baya-length", "#12"}, {"--mode", "high"}, {"--baya-length", "5"}}, error);
    ASSERT_EQ(values.size(), 3u) << error;
    EXPECT_EQ(values[0].id, 7u);
    EXPECT_EQ(values[0].value, 12.0);
    EXPECT_EQ(values[1].id, 9u);
    EXPECT_EQ(values[1].value, 1.0);
    EXPECT_EQ(values[2].value, 5.0);

    resolve({{"--mode", "low"}, {"--baya-length", "17"}}, error);
    EXPECT_EQ(error, "--baya-length: invalid value '17' (Baya Length, #4 to #16)");
    resolve({{"--baya-length", "12abc"}}, error); // read as 12, but neither shown nor plain
    EXPECT_EQ(error, "--baya-length: invalid value '12abc' (Baya Length, #4 to #16)");
    resolve({{"--mode", "medium"}}, error);
    EXPECT_EQ(error, "--mode: invalid value 'medium' (Mode, low to high)");
    resolve({{"--baya_length", "5"}}, error);
    EXPECT_EQ(error, "unknown option '--baya_length'");

    EXPECT_EQ(options.helpLines(),
        "  --baya-length VALUE       Baya Length, #4 to #16 (default #4)\n"
        "  --mode VALUE              Mode, low to high (default low)\n");

    const char* const argv[] = {"tool", "--mode", "low", "--baya-length"};
    Support::GivenOptions given;
    int index = 1;
    ASSERT_TRUE(Support::takeOptionValue(4, argv, index, given, error));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(given, (Support::GivenOptions{{"--mode", "low"}}));
    index = 3;
    EXPECT_FALSE(Support::takeOptionValue(4, argv, index, given, error));
    EXPECT_EQ(error, "--baya-length: missing value");
}

} // namespace
