#include "platform/gfx/FontMatchCache.h"

#include <sys/stat.h>

#include <charconv>

namespace gfx {
namespace {

constexpr std::string_view kHeader = "iislog-font-matches 1";
// A real cache holds a few dozen lines; anything far beyond is not one of ours.
constexpr std::size_t kMaxText = std::size_t(1) << 20;
constexpr std::size_t kMaxRecords = 10000;

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

template <typename T>
std::optional<T> Number(std::string_view s) {
    T value{};
    auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || s.empty()) {
        return std::nullopt;
    }
    return value;
}

bool Storable(std::string_view s) { return s.find_first_of("\t\n\r") == std::string_view::npos; }

} // namespace

FontMatchCache::Stamp FontMatchCache::StampOf(const std::string& path) {
    Stamp stamp;
    stamp.path = path;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        stamp.exists = true;
        stamp.mtimeNs = std::int64_t(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        stamp.size = std::int64_t(st.st_size);
    }
    return stamp;
}

bool FontMatchCache::Parse(std::string_view text) {
    *this = FontMatchCache();
    if (text.size() > kMaxText) {
        return false;
    }
    std::vector<std::string_view> lines = Split(text, '\n');
    if (lines.size() > kMaxRecords || lines.empty() || lines.front() != kHeader) {
        return false;
    }
    FontMatchCache parsed;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) {
            continue;
        }
        std::vector<std::string_view> f = Split(lines[i], '\t');
        if (f[0] == "env" && f.size() == 2) {
            parsed.environment_.emplace_back(f[1]);
        } else if (f[0] == "stamp" && f.size() == 4 && !f[1].empty()) {
            Stamp stamp;
            stamp.path = std::string(f[1]);
            if (f[2] != "-" || f[3] != "-") {
                auto mtime = Number<std::int64_t>(f[2]);
                auto size = Number<std::int64_t>(f[3]);
                if (!mtime || !size) {
                    return false;
                }
                stamp.exists = true;
                stamp.mtimeNs = *mtime;
                stamp.size = *size;
            }
            parsed.stamps_.push_back(std::move(stamp));
        } else if (f[0] == "match" && f.size() == 6) {
            auto weight = Number<int>(f[2]);
            auto italic = Number<int>(f[3]);
            auto index = Number<int>(f[5]);
            if (!weight || !italic || (*italic != 0 && *italic != 1) || !index || *index < 0) {
                return false;
            }
            parsed.matches_[{std::string(f[1]), *weight, *italic == 1}] = Face{std::string(f[4]), *index};
        } else {
            return false;
        }
    }
    *this = std::move(parsed);
    return true;
}

std::string FontMatchCache::Serialize() const {
    std::string text(kHeader);
    text += '\n';
    for (const std::string& e : environment_) {
        text += "env\t" + e + '\n';
    }
    for (const Stamp& s : stamps_) {
        text += "stamp\t" + s.path + '\t';
        text += s.exists ? std::to_string(s.mtimeNs) + '\t' + std::to_string(s.size) : std::string("-\t-");
        text += '\n';
    }
    for (const auto& [key, face] : matches_) {
        const auto& [family, weight, italic] = key;
        text += "match\t" + family + '\t' + std::to_string(weight) + '\t' + (italic ? "1" : "0") + '\t' +
                face.file + '\t' + std::to_string(face.index) + '\n';
    }
    return text;
}

bool FontMatchCache::Current(const std::vector<std::string>& environment) const {
    if (stamps_.empty() || environment != environment_) {
        return false;
    }
    for (const Stamp& s : stamps_) {
        if (StampOf(s.path) != s) {
            return false;
        }
    }
    return true;
}

void FontMatchCache::Restart(std::vector<std::string> environment, const std::vector<std::string>& paths) {
    *this = FontMatchCache();
    for (const std::string& e : environment) {
        if (!Storable(e)) {
            return; // such an environment cannot be written down: nothing is cached in it
        }
    }
    environment_ = std::move(environment);
    for (const std::string& p : paths) {
        if (!Storable(p) || p.empty()) {
            environment_.clear();
            stamps_.clear();
            return;
        }
        stamps_.push_back(StampOf(p));
    }
}

const FontMatchCache::Face* FontMatchCache::Find(const std::string& family, int weight, bool italic) const {
    auto it = matches_.find({family, weight, italic});
    return it == matches_.end() ? nullptr : &it->second;
}

bool FontMatchCache::Add(const std::string& family, int weight, bool italic, Face face) {
    if (stamps_.empty() || !Storable(family) || !Storable(face.file)) {
        return false;
    }
    matches_[{family, weight, italic}] = std::move(face);
    return true;
}

} // namespace gfx
