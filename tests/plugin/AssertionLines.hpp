// Parses captured standard error into soft assertion reports, so that tests can check how many
// lines were printed, for which condition and in which file. Test thread only.
#pragma once

#include <regex>
#include <sstream>
#include <string>
#include <vector>

struct AssertionReport {
    std::string condition;
    std::string file;
    int line;
    // ", value 7", ", v1 1, v2 2" or empty.
    std::string values;
};

// Lines that are not in the exact assertion format come back with an empty condition.
inline std::vector<AssertionReport> parseAssertionLines(const std::string& text)
{
    static const std::regex format("\x1b\\[31massertion failure: \"(.*)\" in file ([^,]+), line (\\d+)(.*)\x1b\\[0m");
    std::vector<AssertionReport> reports;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::smatch match;
        if (std::regex_match(line, match, format))
            reports.push_back({match[1], match[2], std::stoi(match[3]), match[4]});
        else
            reports.push_back({"", line, 0, ""});
    }
    return reports;
}
