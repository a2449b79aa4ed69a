#pragma once
// Reading W3C extended log lines as IIS writes them.
//
// A line that starts with '#' is a directive (#Software, #Version, #Date, #Fields, others), not
// data. Each "#Fields:" directive names the fields of the lines after it, up to the next one; IIS
// writes a new block at every worker restart, and blocks of one file may name other fields in
// another order. Values are separated by single spaces (IIS writes a space inside a value as '+');
// the Advanced Logging module writes a value that holds spaces in double quotes instead.
//
// Nothing here allocates per line: a line is split into views of its own bytes.

#include <string>
#include <string_view>
#include <vector>

namespace analysis {

// Lines with more values than this are split no further (their count still counts).
constexpr int kMaxW3cFields = 128;

// The field list of one "#Fields:" directive, with the indices of the fields the analysis reads
// (-1 where the block lacks the field).
struct W3cLayout {
    std::vector<std::string> Names;
    int UserAgent = -1; // cs(User-Agent)
    int Status = -1;    // sc-status
    int Bytes = -1;     // sc-bytes
    int UriStem = -1;   // cs-uri-stem
    int Date = -1;      // date
    int SiteName = -1;  // s-sitename
    int ClientIp = -1;  // c-ip

    int Count() const { return int(Names.size()); }
    bool operator==(const W3cLayout& other) const { return Names == other.Names; }
};

enum class W3cLineKind {
    Data,      // a log entry
    Fields,    // "#Fields: …"
    Directive, // any other line starting with '#'
    Blank,     // empty, or spaces and tabs only
};

W3cLineKind ClassifyW3cLine(std::string_view line);

// Reads the field names of a "#Fields:" line (ASCII case of "Fields" ignored). Names are
// separated by spaces or tabs; at most kMaxW3cFields are kept. Returns false, leaving `layout`
// alone, for a line that is not such a directive or names no field.
bool ParseFieldsDirective(std::string_view line, W3cLayout& layout);

// Splits a data line into its values, stores up to `max` of them in `values` and returns how many
// the line holds. A value that starts with '"' runs to the next '"' that is followed by a space or
// the line's end (a doubled "" inside stays as it is); the view leaves the quotes out. A value
// whose quote is never closed takes the rest of the line.
int SplitW3cValues(std::string_view line, std::string_view* values, int max);

// The value at `index` of a data line without any quote, and the number of values the line
// holds, in one pass that stores nothing else; -1 for a line that holds a quote, a CR, LF or NUL
// (split it with SplitW3cValues) or has fewer values than `index` + 1.
int LocateW3cValue(std::string_view line, int index, std::string_view& value);

// One pass over the bytes from a line's start: where the line ends, and, as LocateW3cValue, its
// value count and value `index` (none when `index` < 0). When `readable` bytes from p may be read
// (more than `size`), the pass reads whole blocks past the end instead of copying the last bytes;
// bytes after `size` never count.
struct W3cLineShape {
    std::size_t Length = 0; // the bytes before the first CR, LF or NUL, or all of them
    bool Ended = false;     // a CR, LF or NUL lies among the bytes
    char Break = 0;         // which one, when Ended
    int Values = -1;        // as LocateW3cValue returns it, for the line's Length bytes
    std::size_t ValueStart = 0, ValueEnd = 0;
};
W3cLineShape ShapeW3cLine(const char* p, std::size_t size, int index, std::size_t readable = 0);

} // namespace analysis
