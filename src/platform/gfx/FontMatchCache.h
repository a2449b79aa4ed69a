#pragma once
// Which font file fontconfig chose for a family and style, remembered between runs.
//
// Loading fontconfig's configuration (parsing dozens of XML files, mapping its caches) costs a
// program more than everything else it does to draw its first window, while the answer to
// "which file is Liberation Sans, bold" rarely changes. The cache keeps the answers together
// with what they depended on: the environment that steers fontconfig and the modification
// times of its configuration files and font folders, including the user's folders that did not
// exist yet. Any difference makes the whole cache stale, and the engine asks fontconfig again.
//
// The file is plain text, one record a line, fields separated by tabs:
//   iislog-font-matches 1
//   env NAME=value              (the environment and fontconfig's version)
//   stamp PATH MTIME_NS SIZE    (or "-" "-" for a path that did not exist)
//   match FAMILY WEIGHT ITALIC FILE INDEX   (FILE empty: no face matched)

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace gfx {

class FontMatchCache {
public:
    struct Face {
        std::string file; // empty: fontconfig matched nothing
        int index = 0;
    };
    struct Stamp {
        std::string path;
        bool exists = false;
        std::int64_t mtimeNs = 0;
        std::int64_t size = 0;
        bool operator==(const Stamp&) const = default;
    };

    // Reads the text of a cache file; false, leaving the cache empty, when it is malformed.
    bool Parse(std::string_view text);
    std::string Serialize() const;

    // The current state of a path on disk.
    static Stamp StampOf(const std::string& path);
    // True when the cache was made in this environment and no stamped path has changed since.
    bool Current(const std::vector<std::string>& environment) const;
    // Forgets every answer and starts again for this environment and these paths.
    void Restart(std::vector<std::string> environment, const std::vector<std::string>& paths);

    const Face* Find(const std::string& family, int weight, bool italic) const;
    // False when the answer cannot be stored (a tab or line break in a name).
    bool Add(const std::string& family, int weight, bool italic, Face face);
    bool Empty() const { return matches_.empty(); }

private:
    std::vector<std::string> environment_;
    std::vector<Stamp> stamps_;
    std::map<std::tuple<std::string, int, bool>, Face> matches_;
};

} // namespace gfx
