#pragma once
// The log-reading rules written the plain way (split into strings, then search each line), as the
// yardstick for the fast scanner in tests and in the fuzzer.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> ReferenceLines(std::string_view content) {
    content = content.substr(0, content.find('\0'));
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < content.size(); ++i) {
        char c = content[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

inline std::vector<std::int64_t> ReferenceHits(std::string_view content,
                                               const std::vector<std::string>& signatures) {
    std::vector<std::int64_t> hits(signatures.size(), 0);
    for (const std::string& line : ReferenceLines(content))
        for (std::size_t k = 0; k < signatures.size(); ++k)
            if (line.find(signatures[k]) != std::string::npos) ++hits[k];
    return hits;
}

// The current mode's rules written the plain way: lines as above (a line judged by its first
// `maxLine` bytes), directives by their first byte, "#Fields:" setting the field list, values
// split one at a time, and `judge(text, isUserAgent)` deciding the crawler of a data line.
struct ReferenceTally {
    std::int64_t Lines = 0, Requests = 0, OtherBots = 0;
    std::vector<std::int64_t> Counts;
};

inline std::vector<std::string> ReferenceValues(const std::string& line) {
    std::vector<std::string> values;
    std::size_t i = 0;
    while (true) {
        if (i < line.size() && line[i] == '"') {
            std::size_t close = i + 1;
            while (close < line.size() &&
                   !(line[close] == '"' && (close + 1 == line.size() || line[close + 1] == ' ')))
                ++close;
            if (close >= line.size()) {
                values.push_back(line.substr(i + 1));
                return values;
            }
            values.push_back(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            std::size_t end = line.find(' ', i);
            values.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
            if (end == std::string::npos) return values;
            i = end;
        }
        if (i >= line.size()) return values;
        ++i;
    }
}

template <class Judge>
ReferenceTally ReferenceCrawlerScan(std::string_view content, std::size_t crawlers, std::size_t maxLine,
                                    const Judge& judge) {
    ReferenceTally tally;
    tally.Counts.assign(crawlers, 0);
    bool haveFields = false;
    std::size_t fieldCount = 0;
    long agentField = -1;
    auto lower = [](std::string s) {
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
        return s;
    };
    for (std::string line : ReferenceLines(content)) {
        ++tally.Lines;
        line = line.substr(0, maxLine);
        if (line.empty()) continue;
        if (line[0] == '#') {
            if (lower(line.substr(0, 8)) != "#fields:") continue;
            std::vector<std::string> names;
            std::string name;
            for (char c : line.substr(8) + " ") {
                if (c == ' ' || c == '\t') {
                    if (!name.empty()) names.push_back(name);
                    name.clear();
                } else {
                    name += c;
                }
            }
            if (names.empty()) continue;
            if (names.size() > 128) names.resize(128);
            haveFields = true;
            fieldCount = names.size();
            agentField = -1;
            for (std::size_t k = 0; k < names.size(); ++k)
                if (agentField < 0 && lower(names[k]) == "cs(user-agent)") agentField = long(k);
            continue;
        }
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        ++tally.Requests;
        int crawler;
        std::vector<std::string> values = ReferenceValues(line);
        if (haveFields && agentField >= 0 && values.size() == fieldCount)
            crawler = judge(std::string_view(values[std::size_t(agentField)]), true);
        else crawler = judge(std::string_view(line), false);
        if (crawler >= 0) ++tally.Counts[std::size_t(crawler)];
        else if (crawler == -2) ++tally.OtherBots;
    }
    return tally;
}
