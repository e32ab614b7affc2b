// "clap.state": the saved byte stream, loading it back in pieces, and the reader's rules.
#include "ClapFixture.h"
#include "MemoryStreams.h"
#include "StreamCapture.h"

#include <array>
#include <cstring>

namespace {

using namespace std::string_literals;

const std::string kDefaultState = "__zef_parameters_begin__\0baya_length\0"
                                  "4\0baya_pattern\0"
                                  "1\0baya_tempo\0"
                                  "2\0"
                                  "dayan_length\0"
                                  "4\0dayan_pattern\0"
                                  "1\0dayan_tempo\0"
                                  "2\0"
                                  "__zef_parameters_end__\0\xFE\0"s;

std::string pairs(const std::string& body)
{
    return "__zef_parameters_begin__\0"s + body + "__zef_parameters_end__\0\xFE\0"s;
}

class ClapStateTest : public ClapFixture {
protected:
    bool load(const std::string& bytes, size_t maxPerRead = SIZE_MAX)
    {
        MemoryInputStream stream(bytes, maxPerRead);
        return instance->state()->load(plugin(), stream.stream());
    }

    std::array<double, 6> values() const
    {
        std::array<double, 6> result{};
        for (clap_id i = 0; i < 6; ++i)
            result[i] = instance->parameterValue(i);
        return result;
    }

    static constexpr std::array<double, 6> kDefaults = {4, 1, 2, 4, 1, 2};
};

TEST_F(ClapStateTest, DefaultStateIsTheKnown137Bytes)
{
    std::string bytes;
    ASSERT_TRUE(instance->saveState(bytes));
    EXPECT_EQ(bytes.size(), 137u);
    EXPECT_EQ(bytes, kDefaultState);
}

TEST_F(ClapStateTest, SaveAndLoadRoundTripInAnyReadSize)
{
    const std::array<double, 6> set = {16, 1337, 4, 9, 717, 0};
    for (clap_id i = 0; i < 6; ++i)
        instance->setParameter(i, set[i]);
    std::string bytes;
    ASSERT_TRUE(instance->saveState(bytes));
    EXPECT_EQ(bytes,
        pairs("baya_length\0"
              "16\0baya_pattern\0"
              "1337\0baya_tempo\0"
              "4\0dayan_length\0"
              "9\0"
              "dayan_pattern\0"
              "717\0dayan_tempo\0"
              "0\0"s));

    for (const size_t readSize : {size_t(1), size_t(7), size_t(511), SIZE_MAX}) {
        recreateInstance();
        ASSERT_EQ(values(), kDefaults);
        EXPECT_TRUE(load(bytes, readSize)) << readSize;
        EXPECT_EQ(values(), set) << readSize;
    }
    EXPECT_EQ(host.rescans(),
        (std::vector<uint32_t>(4, CLAP_PARAM_RESCAN_VALUES | CLAP_PARAM_RESCAN_TEXT)));
}

TEST_F(ClapStateTest, SavingGoesOnUntilTheHostTookEverything)
{
    MemoryOutputStream trickle(1);
    ASSERT_TRUE(instance->state()->save(plugin(), trickle.stream()));
    EXPECT_EQ(trickle.bytes(), kDefaultState);

    StreamCapture capture(stderr);
    MemoryOutputStream refusing;
    refusing.refuseAfter(100);
    EXPECT_FALSE(instance->state()->save(plugin(), refusing.stream()));
    EXPECT_NE(capture.text().find("\"wrtn > 0\" in file hosts/clap/StateWriter, line "),
        std::string::npos);
    EXPECT_FALSE(instance->state()->save(plugin(), nullptr));
}

TEST_F(ClapStateTest, StreamWithoutTerminatorLoadsButAsksNoRescan)
{
    std::string bytes = pairs("baya_pattern\0"
                              "23\0"s);
    bytes.resize(bytes.size() - 2);
    EXPECT_TRUE(load(bytes));
    EXPECT_EQ(instance->parameterValue(1), 23.0);
    EXPECT_TRUE(host.rescans().empty());

    // The state of a plug-in without parameters: one 0x00.
    EXPECT_TRUE(load("\0"s));
    EXPECT_TRUE(load(""));
    EXPECT_EQ(values(), (std::array<double, 6>{4, 23, 2, 4, 1, 2}));
    EXPECT_TRUE(host.rescans().empty());
}

TEST_F(ClapStateTest, RuleBreaksFailAndKeepWhatWasLoaded)
{
    StreamCapture capture(stderr);
    EXPECT_FALSE(load("__zef_parameters_begin__\0baya_pattern\0"
                      "5\0__zef_parameters_begin__\0dayan_pattern\0"
                      "6\0\xFE\0"s));
    EXPECT_EQ(instance->parameterValue(1), 5.0);
    EXPECT_EQ(instance->parameterValue(4), 1.0);
    EXPECT_TRUE(host.rescans().empty());
    EXPECT_FALSE(load("__zef_state_end__\0\xFE\0"s));
    EXPECT_FALSE(load("__zef_parameters_end__\0\xFE\0"s));
    EXPECT_FALSE(load(pairs("__zef_program__\0"
                            "2\0"s)));
    const std::string text = capture.text();
    EXPECT_NE(text.find("\"queryingType == 'i' || queryingType == 'n'\" in file "
                        "hosts/clap/StateReader, line "),
        std::string::npos)
        << text;
    EXPECT_NE(text.find(", value 112"), std::string::npos); // 'p'
    EXPECT_NE(text.find("\"queryingType == 's'\""), std::string::npos);
    EXPECT_NE(text.find("\"queryingType == 'p'\""), std::string::npos);
    EXPECT_NE(text.find("\"queryingType == 'i'\""), std::string::npos);

    StreamCapture readFailure(stderr);
    MemoryInputStream failing(kDefaultState, 7);
    failing.failAfter(14);
    EXPECT_FALSE(instance->state()->load(plugin(), failing.stream()));
    EXPECT_NE(readFailure.text().find("\"read >= 0\""), std::string::npos);
    EXPECT_FALSE(instance->state()->load(plugin(), nullptr));
}

TEST_F(ClapStateTest, ValuesAreReadLikeTheirParameters)
{
    EXPECT_TRUE(load("__zef_program__\0"
                     "3\0"s +
        "__zef_state_begin__\0baya_length\0"
        "9\0__zef_state_end__\0"s +
        pairs("nonsense\0"
              "7\0baya_length\0"
              "12.7\0baya_pattern\0"
              "99999\0"
              "dayan_length\0\0dayan_pattern\0-4\0dayan_tempo\0nan\0baya_tempo\0 3x\0"s)));
    // Unknown symbols and named states are skipped; out-of-range values are clamped.
    EXPECT_EQ(values(), (std::array<double, 6>{12, 1337, 3, 4, 1, 0}));
}

// A key or value far beyond any symbol or number ends the load there; an endless one is not
// read to its end.
TEST_F(ClapStateTest, OverlongStringsEndTheLoad)
{
    StreamCapture capture(stderr);
    EXPECT_FALSE(load(pairs("baya_pattern\0"
                            "5\0dayan_length\0"s +
        std::string(5000, '7') +
        "\0dayan_pattern\0"
        "6\0"s)));
    EXPECT_EQ(values(), (std::array<double, 6>{4, 5, 2, 4, 1, 2}));
    EXPECT_TRUE(host.rescans().empty());

    // One key as long as the test can afford (a reader without a limit would take it all).
    struct Endless {
        clap_istream_t stream{this, read};
        uint64_t given = 0;
        static int64_t read(const clap_istream_t* stream, void* buffer, uint64_t size)
        {
            auto& self = *static_cast<Endless*>(stream->ctx);
            if (self.given >= (64u << 20))
                return 0;
            std::memset(buffer, 'k', size);
            self.given += size;
            return static_cast<int64_t>(size);
        }
    } endless;
    EXPECT_FALSE(instance->state()->load(plugin(), &endless.stream));
    EXPECT_LT(endless.given, 8192u);
    const std::string text = capture.text();
    EXPECT_NE(text.find("Saved state refused: a key or value is longer than 4096 bytes"),
        std::string::npos)
        << text;
}

TEST_F(ClapStateTest, KeysCutAcrossReadsAreJoined)
{
    const std::string filler(480, 'z');
    // "baya_pattern" starts before byte 511 and ends after it.
    const std::string bytes = pairs(filler +
        "\0"
        "1\0baya_pattern\0"
        "42\0"s);
    ASSERT_LT(bytes.find("baya_pattern"), 511u);
    ASSERT_GT(bytes.find("baya_pattern") + 12, 511u);
    EXPECT_TRUE(load(bytes, 511));
    EXPECT_EQ(instance->parameterValue(1), 42.0);
}

} // namespace
