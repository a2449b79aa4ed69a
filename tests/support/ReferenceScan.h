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
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

inline std::vector<std::int64_t> ReferenceHits(std::string_view content, const std::vector<std::string>& signatures) {
    std::vector<std::int64_t> hits(signatures.size(), 0);
    for (const std::string& line : ReferenceLines(content))
        for (std::size_t k = 0; k < signatures.size(); ++k)
            if (line.find(signatures[k]) != std::string::npos)
                ++hits[k];
    return hits;
}
