// Parses captured standard error into soft assertion reports, so that tests can check how many
// lines were printed, for which condition and in which file. Test thread only.
#pragma once

#include <cstdlib>
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

// One line in the exact format "\e[31massertion failure: \"C\" in file F, line N<values>\e[0m".
inline bool parseAssertionLine(const std::string& line, AssertionReport& report)
{
    static const std::string head = "\x1b[31massertion failure: \"";
    static const std::string tail = "\x1b[0m";
    static const std::string inFile = "\" in file ";
    static const std::string atLine = ", line ";
    if (line.compare(0, head.size(), head) != 0 || line.size() < head.size() + tail.size() ||
        line.compare(line.size() - tail.size(), tail.size(), tail) != 0)
        return false;
    const std::string body = line.substr(head.size(), line.size() - head.size() - tail.size());
    const size_t fileAt = body.rfind(inFile);
    const size_t lineAt = fileAt == std::string::npos ? fileAt : body.find(atLine, fileAt);
    if (lineAt == std::string::npos)
        return false;
    report.condition = body.substr(0, fileAt);
    report.file = body.substr(fileAt + inFile.size(), lineAt - fileAt - inFile.size());
    const char* const number = body.c_str() + lineAt + atLine.size();
    char* rest = nullptr;
    report.line = static_cast<int>(std::strtol(number, &rest, 10));
    report.values = rest;
    return rest != number;
}

// Lines that are not in the exact assertion format come back with an empty condition.
inline std::vector<AssertionReport> parseAssertionLines(const std::string& text)
{
    std::vector<AssertionReport> reports;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        AssertionReport report;
        if (parseAssertionLine(line, report))
            reports.push_back(report);
        else
            reports.push_back({"", line, 0, ""});
    }
    return reports;
}
