// The state reader against streams no host should send: seeded random bytes, mutated saved
// states, megabytes without a NUL, 0xFF inside keys. Bounded by iteration count; under ASan any
// read or write outside a buffer fails the run.
#include "ClapFixture.h"
#include "MemoryStreams.h"
#include "StreamCapture.h"

#include <iterator>
#include <random>

using namespace std::string_literals;

namespace {

class ClapStateFuzzTest : public ClapFixture {
protected:
    std::mt19937 random{20261208};

    bool load(const std::string& bytes, size_t maxPerRead)
    {
        MemoryInputStream stream(bytes, maxPerRead);
        return instance->state()->load(plugin(), stream.stream());
    }

    // Whatever was loaded, every value stays within its parameter's range.
    void expectValuesInRange()
    {
        for (const clap_param_info_t& info : instance->parameters()) {
            const double value = instance->parameterValue(info.id);
            EXPECT_GE(value, info.min_value) << info.module;
            EXPECT_LE(value, info.max_value) << info.module;
        }
    }

    std::string randomBytes(size_t size)
    {
        std::uniform_int_distribution<int> byte(0, 255);
        std::string bytes(size, '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        return bytes;
    }

    size_t readSize()
    {
        static const size_t sizes[] = {1, 2, 3, 7, 64, 510, 511, 512, 4096};
        return sizes[std::uniform_int_distribution<size_t>(0, std::size(sizes) - 1)(random)];
    }
};

TEST_F(ClapStateFuzzTest, RandomAndMutatedStreamsStayInBounds)
{
    std::string saved;
    ASSERT_TRUE(instance->saveState(saved));
    const std::string alphabet = "\0\xFE\xFF"s +
        "_zef_parameters_begin_end_state_program_baya_dayan_length_pattern_tempo0123456789.-";
    StreamCapture quiet(stderr); // rule breaks are reported on every other iteration
    for (int iteration = 0; iteration < 3000; ++iteration) {
        std::string bytes;
        switch (iteration % 3) {
        case 0:
            bytes = randomBytes(std::uniform_int_distribution<size_t>(0, 2000)(random));
            break;
        case 1: {
            // A saved state with a few bytes changed, dropped or repeated.
            bytes = saved;
            const int edits = std::uniform_int_distribution<int>(1, 8)(random);
            for (int e = 0; e < edits && !bytes.empty(); ++e) {
                const size_t at =
                    std::uniform_int_distribution<size_t>(0, bytes.size() - 1)(random);
                const char c =
                    alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random)];
                switch (e % 3) {
                case 0:
                    bytes[at] = c;
                    break;
                case 1:
                    bytes.erase(at, 1);
                    break;
                default:
                    bytes.insert(
                        at, std::string(std::uniform_int_distribution<size_t>(1, 600)(random), c));
                }
            }
            break;
        }
        default:
            // Strings of the format's own words in random order.
            for (int s = std::uniform_int_distribution<int>(0, 40)(random); s > 0; --s) {
                const size_t from =
                    std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random);
                bytes +=
                    alphabet.substr(from, std::uniform_int_distribution<size_t>(0, 30)(random));
                bytes += '\0';
            }
        }
        load(bytes, readSize());
        expectValuesInRange();
        if (testing::Test::HasFailure())
            break;
    }
}

TEST_F(ClapStateFuzzTest, MegabytesWithoutANulAndKeysFullOf0xFF)
{
    std::string noNul(4 << 20, 'k');
    for (size_t i = 0; i < noNul.size(); i += 4093)
        noNul[i] = '\xFF';
    // No key or value is that long: both loads stop, having applied nothing.
    EXPECT_FALSE(load(noNul, 511));
    EXPECT_FALSE(load("__zef_parameters_begin__\0"s + noNul +
            "\0"
            "7\0\xFE\0"s,
        4096));

    const std::string key = "baya\xFF_length";
    EXPECT_TRUE(load("__zef_parameters_begin__\0"s + key +
            "\0"
            "9\0\xFF\xFF\0"
            "3\0__zef_parameters_end__\0\xFE\0"s,
        5));
    EXPECT_EQ(instance->parameterValue(0), 4.0);
    expectValuesInRange();
}

} // namespace
