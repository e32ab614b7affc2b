// Reading and writing groove codes; see GrooveCode.h. Any thread (allocates).
//
// A code is refused at the first character that no valid code could continue with, so the line
// names the character to mend: "D1338" is refused at the "8", "D17:3:" at the "3".
#include "GrooveCode.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace Orvane {

namespace {

constexpr const char* kTempoCodes[] = {"x2", "x1.5", "x1", "/1.5", "/2"};
constexpr const char* kMultiplySign = "\xC3\x97";
constexpr const char* kDivideSign = "\xC3\xB7";
constexpr const char* kMinusSign = "\xE2\x88\x92";
constexpr int kMaxTune = 12;

// Whether some whole number in [minimum, maximum] is written with the digits of `prefix` first.
bool completes(long prefix, long minimum, long maximum)
{
    if (prefix == 0)
        return minimum <= 0;
    for (long low = prefix, high = prefix; low <= maximum; low = low * 10, high = high * 10 + 9) {
        if (high >= minimum)
            return true;
    }
    return false;
}

class CodeReader {
public:
    explicit CodeReader(const std::string& code) : fText(code)
    {
        fEnd = fText.find_last_not_of(" \t\r\n") + 1;
        fAt = std::min(fText.find_first_not_of(" \t\r\n"), fEnd);
    }

    bool drum(char letter, GrooveDrum& drum)
    {
        if (!take(letter) || !number(1, 1337, drum.pattern) || !take(':') ||
            !number(4, 16, drum.length) || !take(':') || !tempo(drum.tempo))
            return false;
        drum.tune = 0.0;
        return !take(':') || tune(drum.tune);
    }

    bool separator()
    {
        const size_t start = fAt;
        while (fAt < fEnd && std::strchr(" ,_", fText[fAt]) != nullptr)
            ++fAt;
        return fAt > start;
    }

    // Only white space may follow the Baya; the first other character is the bad one.
    bool atEnd()
    {
        if (fAt == fEnd)
            return true;
        fAt = fText.find_first_not_of(" \t\r\n", fAt);
        return false;
    }

    std::string error() const
    {
        if (fAt >= fEnd)
            return "bad groove code: it ends too early";
        size_t character = 1;
        for (size_t i = 0; i < fAt; ++i)
            character += (static_cast<unsigned char>(fText[i]) & 0xC0) != 0x80;
        size_t length = 1;
        while (fAt + length < fText.size() &&
            (static_cast<unsigned char>(fText[fAt + length]) & 0xC0) == 0x80)
            ++length;
        const unsigned char first = static_cast<unsigned char>(fText[fAt]);
        char shown[16];
        if (first < 0x20 || first == 0x7F || (first >= 0x80 && length == 1))
            std::snprintf(shown, sizeof(shown), "\\x%02X", first);
        else
            std::snprintf(shown, sizeof(shown), "%.*s", static_cast<int>(length), &fText[fAt]);
        return "bad groove code: unexpected \"" + std::string(shown) + "\" at character " +
            std::to_string(character);
    }

private:
    bool has(const char* text) const { return fText.compare(fAt, std::strlen(text), text) == 0; }
    bool digit() const { return fAt < fEnd && fText[fAt] >= '0' && fText[fAt] <= '9'; }
    bool take(char c)
    {
        if (fAt < fEnd &&
            std::tolower(static_cast<unsigned char>(fText[fAt])) ==
                std::tolower(static_cast<unsigned char>(c))) {
            ++fAt;
            return true;
        }
        return false;
    }
    bool takeText(const char* text)
    {
        if (!has(text))
            return false;
        fAt += std::strlen(text);
        return true;
    }

    // A whole number without leading zeros; every digit must still lead to one in range.
    bool number(long minimum, long maximum, int& value)
    {
        long v = 0;
        const size_t start = fAt;
        while (digit()) {
            const long next = v * 10 + (fText[fAt] - '0');
            if ((fAt == start && next == 0 && minimum > 0) || (fAt > start && v == 0) ||
                !completes(next, minimum, maximum))
                return false;
            v = next;
            ++fAt;
        }
        if (fAt == start || v < minimum)
            return false;
        value = static_cast<int>(v);
        return true;
    }

    // The longest Tempo code that matches; when a longer one matches only in part ("x1.7"), the
    // character where it parts is the bad one.
    bool tempo(int& value)
    {
        const bool multiply = take('x') || takeText(kMultiplySign);
        if (!multiply && !take('/') && !takeText(kDivideSign))
            return false;
        size_t full = 0;
        size_t partial = 0;
        for (int t = 0; t < 5; ++t) {
            const char* code = kTempoCodes[t] + 1;
            if ((kTempoCodes[t][0] == 'x') != multiply)
                continue;
            size_t matched = 0;
            while (code[matched] != '\0' && fAt + matched < fEnd &&
                fText[fAt + matched] == code[matched])
                ++matched;
            partial = std::max(partial, matched);
            if (code[matched] == '\0' && matched > full) {
                full = matched;
                value = t;
            }
        }
        fAt += std::max(full, partial);
        return full > 0 && full >= partial;
    }

    // A signed decimal of at most two decimals within the Tune range.
    bool tune(double& value)
    {
        const bool negative = take('-') || takeText(kMinusSign);
        if (!negative)
            take('+');
        int whole = 0;
        if (!number(0, kMaxTune, whole))
            return false;
        int hundredths = 0;
        if (take('.')) {
            for (int decimals = 0; decimals < 2 && digit(); ++decimals) {
                if (whole == kMaxTune && fText[fAt] != '0')
                    return false;
                hundredths += (fText[fAt++] - '0') * (decimals == 0 ? 10 : 1);
            }
            if (fText[fAt - 1] == '.')
                return false;
        }
        value = (negative ? -1.0 : 1.0) * (whole + hundredths / 100.0);
        return true;
    }

    const std::string& fText;
    size_t fAt = 0;
    size_t fEnd = 0;
};

void appendDrum(std::string& code, char letter, const GrooveDrum& drum)
{
    char text[48];
    std::snprintf(text, sizeof(text), "%c%d:%d:%s", letter, drum.pattern, drum.length,
        kTempoCodes[drum.tempo < 0 ? 0
                : drum.tempo > 4   ? 4
                                   : drum.tempo]);
    code += text;
    std::snprintf(text, sizeof(text), "%+.2f", drum.tune);
    std::string tune = text;
    tune.erase(tune.find_last_not_of('0') + 1);
    if (tune.back() == '.')
        tune.pop_back();
    if (tune != "+0" && tune != "-0")
        code += ":" + tune;
}

} // namespace

std::string formatGrooveCode(const Groove& groove)
{
    std::string code;
    appendDrum(code, 'D', groove.dayan);
    code += ' ';
    appendDrum(code, 'B', groove.baya);
    return code;
}

bool parseGrooveCode(const std::string& code, Groove& groove, std::string& error)
{
    CodeReader reader(code);
    Groove read;
    if (reader.drum('D', read.dayan) && reader.separator() && reader.drum('B', read.baya) &&
        reader.atEnd()) {
        groove = read;
        return true;
    }
    error = reader.error();
    return false;
}

void grooveValues(const Groove& groove, GrooveValue (&values)[kGrooveValueCount])
{
    const GrooveDrum* drums[] = {&groove.dayan, &groove.baya};
    const char* const symbols[] = {"dayan_pattern", "dayan_length", "dayan_tempo", "dayan_tune",
        "baya_pattern", "baya_length", "baya_tempo", "baya_tune"};
    for (int d = 0; d < 2; ++d) {
        const GrooveDrum& drum = *drums[d];
        const double numbers[] = {static_cast<double>(drum.pattern),
            static_cast<double>(drum.length), static_cast<double>(drum.tempo), drum.tune};
        for (int f = 0; f < 4; ++f)
            values[d * 4 + f] = {symbols[d * 4 + f], numbers[f]};
    }
}

bool setGrooveValue(Groove& groove, const char* symbol, double value)
{
    GrooveValue values[kGrooveValueCount];
    grooveValues(groove, values);
    for (int i = 0; i < kGrooveValueCount; ++i) {
        if (std::strcmp(values[i].symbol, symbol) != 0)
            continue;
        GrooveDrum& drum = i < 4 ? groove.dayan : groove.baya;
        const int whole = static_cast<int>(std::lround(value));
        int* const fields[] = {&drum.pattern, &drum.length, &drum.tempo};
        if (i % 4 == 3)
            drum.tune = value;
        else
            *fields[i % 4] = whole;
        return true;
    }
    return false;
}

} // namespace Orvane
