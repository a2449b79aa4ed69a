#include "analysis/CrawlerCatalogue.h"

#include "platform/fs/File.h"
#include "platform/fs/Paths.h"
#include "platform/fs/Process.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

// The built-in catalogue's bytes, written at build time from assets/crawlers/crawlers.ini.
extern const char kBuiltInCrawlers[];
extern const std::size_t kBuiltInCrawlersSize;

namespace analysis {
namespace {

constexpr std::string_view kGroupKeys[kGroupCount] = {"search", "ai-crawler", "ai-assistant",
                                                      "seo",    "social",     "monitor"};
constexpr std::string_view kGroupCaptions[kGroupCount] = {"搜索引擎", "AI训练",   "AI助手",
                                                          "SEO工具",  "链接预览", "监控"};

constexpr std::size_t kMaxValueBytes = 4096;
constexpr std::size_t kMaxTokens = 64;

std::string_view Trim(std::string_view s) {
    auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && space(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsKey(std::string_view key) {
    if (key.empty() || key.size() > 64) return false;
    return std::all_of(key.begin(), key.end(),
                       [](char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-'; });
}

// One entry as read, before it is checked and merged: which fields it named.
struct Entry {
    Crawler Fields;
    int Line = 0;
    bool HasName = false, HasNameEn = false, HasGroup = false, HasOperator = false, HasUrl = false,
         HasRetired = false, HasRdns = false;
    bool Bad = false;
};

// Calls `line` for each line of `text`: lines end at CR, LF or CR LF.
template <class Line>
void ForEachTextLine(std::string_view text, const Line& line) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        line(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
}

std::vector<std::string> SplitWords(std::string_view value) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < value.size()) {
        while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
            ++i;
        std::size_t start = i;
        while (i < value.size() && value[i] != ' ' && value[i] != '\t')
            ++i;
        if (i > start) words.emplace_back(value.substr(start, i - start));
    }
    return words;
}

class Reader {
public:
    Reader(const std::string& fileName, std::vector<CatalogueError>& errors)
        : file_(fileName), errors_(errors) {}

    void Fail(Entry* entry, int line, std::string problem) {
        errors_.push_back({file_, line, std::move(problem)});
        if (entry != nullptr) entry->Bad = true;
    }

    // Applies `key = value` of line `line` to `e`.
    void Field(Entry& e, int line, std::string_view key, std::string_view value) {
        if (value.size() > kMaxValueBytes)
            return Fail(&e, line, "the value of \"" + std::string(key) + "\" is longer than 4096 bytes");
        std::string text(value);
        if (key == "name") {
            e.Fields.Name = text;
            e.HasName = true;
        } else if (key == "name_en") {
            e.Fields.NameEn = text;
            e.HasNameEn = true;
        } else if (key == "group") {
            if (!ParseGroupKey(value, e.Fields.Group))
                return Fail(&e, line,
                            "unknown group \"" + text +
                                "\" (search, ai-crawler, ai-assistant, seo, social or monitor)");
            e.HasGroup = true;
        } else if (key == "operator") {
            e.Fields.Operator = text;
            e.HasOperator = true;
        } else if (key == "url") {
            e.Fields.Url = text;
            e.HasUrl = true;
        } else if (key == "match") {
            if (value.empty()) return Fail(&e, line, "empty match token");
            if (e.Fields.Tokens.size() == kMaxTokens) return Fail(&e, line, "more than 64 match tokens");
            e.Fields.Tokens.push_back(text);
        } else if (key == "retired") {
            if (value != "yes" && value != "no")
                return Fail(&e, line, "retired must be yes or no, not \"" + text + "\"");
            e.Fields.Retired = value == "yes";
            e.HasRetired = true;
        } else if (key == "ranges") {
            if (value.empty()) return Fail(&e, line, "empty ranges URL");
            e.Fields.Ranges.push_back(text);
        } else if (key == "rdns") {
            e.Fields.RdnsSuffixes = SplitWords(value);
            e.HasRdns = true;
        } else {
            Fail(&e, line, "unknown key \"" + std::string(key) + "\"");
        }
    }

    // Adds the finished entry `e` to `crawlers`, or merges it into the entry with its key.
    void Finish(Entry& e, std::vector<Crawler>& crawlers) {
        if (e.Bad) return;
        auto same = std::find_if(crawlers.begin(), crawlers.end(),
                                 [&](const Crawler& c) { return c.Key == e.Fields.Key; });
        if (same == crawlers.end()) {
            if (!e.HasGroup) return Fail(&e, e.Line, "crawler \"" + e.Fields.Key + "\" has no group");
            if (e.Fields.Tokens.empty())
                return Fail(&e, e.Line, "crawler \"" + e.Fields.Key + "\" has no match token");
            Crawler c = std::move(e.Fields);
            if (!e.HasNameEn) c.NameEn = c.Key;
            if (!e.HasName) c.Name = c.NameEn;
            crawlers.push_back(std::move(c));
            return;
        }
        Crawler& c = *same;
        if (e.HasName) c.Name = e.Fields.Name;
        if (e.HasNameEn) c.NameEn = e.Fields.NameEn;
        if (e.HasGroup) c.Group = e.Fields.Group;
        if (e.HasOperator) c.Operator = e.Fields.Operator;
        if (e.HasUrl) c.Url = e.Fields.Url;
        if (!e.Fields.Tokens.empty()) c.Tokens = e.Fields.Tokens;
        if (e.HasRetired) c.Retired = e.Fields.Retired;
        if (!e.Fields.Ranges.empty()) c.Ranges = e.Fields.Ranges;
        if (e.HasRdns) c.RdnsSuffixes = e.Fields.RdnsSuffixes;
    }

    void Read(std::string_view text, std::vector<Crawler>& crawlers) {
        std::optional<Entry> entry;
        bool skipping = false; // the lines of a section whose header was bad
        std::vector<std::string> keysSeen;
        int number = 0;
        ForEachTextLine(text, [&](std::string_view raw) {
            ++number;
            std::string_view line = Trim(raw);
            if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF")
                line = Trim(line.substr(3)); // a byte-order mark some editors write
            if (line.empty() || line[0] == ';' || line[0] == '#') return;
            if (line[0] == '[') {
                if (entry) Finish(*entry, crawlers);
                entry.reset();
                skipping = true;
                if (line.back() != ']') return Fail(nullptr, number, "a section line must end with \"]\"");
                std::string key(Trim(line.substr(1, line.size() - 2)));
                if (!IsKey(key))
                    return Fail(nullptr, number,
                                "bad crawler key \"" + key + "\" (lower-case letters, digits and '-')");
                if (std::find(keysSeen.begin(), keysSeen.end(), key) != keysSeen.end())
                    return Fail(nullptr, number, "crawler \"" + key + "\" is listed twice in this file");
                keysSeen.push_back(key);
                skipping = false;
                entry.emplace();
                entry->Fields.Key = key;
                entry->Line = number;
                return;
            }
            std::size_t eq = line.find('=');
            if (!entry) {
                if (!skipping) Fail(nullptr, number, "a line outside any [crawler] section");
                return;
            }
            if (eq == std::string_view::npos) return Fail(&*entry, number, "expected \"key = value\"");
            Field(*entry, number, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1)));
        });
        if (entry) Finish(*entry, crawlers);
    }

private:
    const std::string& file_;
    std::vector<CatalogueError>& errors_;
};

// The catalogue file at `path`, when there is one, read into `catalogue`.
void LoadFileIfPresent(CrawlerCatalogue& catalogue, const std::string& path,
                       std::vector<CatalogueError>& errors) {
    if (path.empty() || !fs::PathExists(path)) return;
    std::string text;
    try {
        text = fs::ReadWholeFile(path);
    } catch (const std::exception& e) {
        errors.push_back({path, 0, e.what()});
        return;
    }
    catalogue.Load(text, path, errors);
}

} // namespace

std::string_view GroupKey(CrawlerGroup group) { return kGroupKeys[std::size_t(group)]; }
std::string_view GroupCaption(CrawlerGroup group) { return kGroupCaptions[std::size_t(group)]; }

bool ParseGroupKey(std::string_view key, CrawlerGroup& group) {
    for (std::size_t g = 0; g < kGroupCount; ++g)
        if (kGroupKeys[g] == key) {
            group = CrawlerGroup(g);
            return true;
        }
    return false;
}

std::string CatalogueError::Text() const {
    return Line > 0 ? File + ":" + std::to_string(Line) + ": " + Problem : File + ": " + Problem;
}

std::string_view CrawlerCatalogue::BuiltInText() { return {kBuiltInCrawlers, kBuiltInCrawlersSize}; }

const CrawlerCatalogue& CrawlerCatalogue::BuiltIn() {
    static const CrawlerCatalogue catalogue = [] {
        CrawlerCatalogue c;
        std::vector<CatalogueError> errors;
        c.Load(BuiltInText(), "crawlers.ini", errors);
        // The build checks the built-in list (its test reads it); a fault there drops the entry.
        return c;
    }();
    return catalogue;
}

void CrawlerCatalogue::Load(std::string_view text, const std::string& fileName,
                            std::vector<CatalogueError>& errors) {
    Reader(fileName, errors).Read(text, crawlers_);
}

int CrawlerCatalogue::IndexOf(std::string_view key) const {
    for (std::size_t i = 0; i < crawlers_.size(); ++i)
        if (crawlers_[i].Key == key) return int(i);
    return -1;
}

std::string UserCatalogueFile() {
#ifdef _WIN32
    const char* config = std::getenv("APPDATA");
    if (config == nullptr || !fs::IsAbsolutePath(config)) return {};
    return std::string(config) + "\\iislog\\crawlers.ini";
#else
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string folder = config != nullptr && fs::IsAbsolutePath(config)
                             ? std::string(config)
                             : fs::HomeFolder(std::getenv("HOME")) + "/.config";
    return folder + "/iislog/crawlers.ini";
#endif
}

CrawlerCatalogue LoadDefaultCatalogue(const std::string& programFolder, std::vector<CatalogueError>& errors) {
    CrawlerCatalogue catalogue = CrawlerCatalogue::BuiltIn();
    LoadFileIfPresent(catalogue, UserCatalogueFile(), errors);
    if (!programFolder.empty()) LoadFileIfPresent(catalogue, programFolder + "/crawlers.ini", errors);
    return catalogue;
}

} // namespace analysis
