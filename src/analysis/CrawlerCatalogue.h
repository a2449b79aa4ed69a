#pragma once
// The crawler catalogue: today's crawlers, each with its key, names, group, operator, page and the
// user-agent tokens that name it. The built-in list is assets/crawlers/crawlers.ini, built into
// the programs; a user's crawlers.ini adds crawlers and overrides built-in ones by key.
//
// The text is INI-like, UTF-8:
//   ; a comment (also '#')
//   [googlebot]                 the key: lower-case ASCII letters, digits and '-'
//   name = 谷歌                  Chinese name
//   name_en = Googlebot
//   group = search              search | ai-crawler | ai-assistant | seo | social | monitor
//   operator = Google
//   url = https://developers.google.com/…
//   match = Googlebot           a case-sensitive substring of the user agent; repeatable
//   retired = no                yes | no
//   ranges = https://…json      the operator's address list; repeatable
//   rdns = googlebot.com google.com    host-name suffixes of the crawler's reverse DNS names
// A bad entry is reported with its file, line and problem and left out; the others still load.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace analysis {

enum class CrawlerGroup : std::uint8_t { Search, AiCrawler, AiAssistant, Seo, Social, Monitor };
constexpr std::size_t kGroupCount = 6;

// "search", "ai-crawler" …, as the catalogue and the JSON report write them.
std::string_view GroupKey(CrawlerGroup group);
// The report column's caption: 搜索引擎, AI训练, AI助手, SEO工具, 链接预览, 监控.
std::string_view GroupCaption(CrawlerGroup group);
// False when `key` names no group.
bool ParseGroupKey(std::string_view key, CrawlerGroup& group);

struct Crawler {
    std::string Key;
    std::string Name; // Chinese
    std::string NameEn;
    CrawlerGroup Group = CrawlerGroup::Search;
    std::string Operator;
    std::string Url;
    std::vector<std::string> Tokens;
    bool Retired = false;
    std::vector<std::string> Ranges;       // URLs of the operator's address lists
    std::vector<std::string> RdnsSuffixes; // "googlebot.com" …
};

// A problem found while reading a catalogue text: "FILE:LINE: PROBLEM".
struct CatalogueError {
    std::string File;
    int Line = 0;
    std::string Problem;
    std::string Text() const;
};

class CrawlerCatalogue {
public:
    // The catalogue built into the program.
    static const CrawlerCatalogue& BuiltIn();
    // The text the built-in catalogue is read from.
    static std::string_view BuiltInText();

    // Reads a catalogue text: each entry is added, or replaces the fields it names of the entry
    // with the same key (its `match` lines replace all tokens, as do its `ranges` lines). Bad
    // entries are reported to `errors`, naming `fileName`, and left out; a bad field of an entry
    // that overrides leaves the existing entry as it was.
    void Load(std::string_view text, const std::string& fileName, std::vector<CatalogueError>& errors);

    const std::vector<Crawler>& Crawlers() const { return crawlers_; }
    std::size_t Size() const { return crawlers_.size(); }
    // The crawler's index, or -1.
    int IndexOf(std::string_view key) const;

private:
    std::vector<Crawler> crawlers_;
};

// The catalogue the programs use by default: the built-in one, then the user's own file
// ($XDG_CONFIG_HOME/iislog/crawlers.ini, %APPDATA%\iislog\crawlers.ini on Windows), then the one
// beside the program (`programFolder`, when not empty), each overriding the one before.
CrawlerCatalogue LoadDefaultCatalogue(const std::string& programFolder, std::vector<CatalogueError>& errors);

// The user's own catalogue file: $XDG_CONFIG_HOME/iislog/crawlers.ini (~/.config/iislog/… when
// unset), %APPDATA%\iislog\crawlers.ini on Windows; empty when no such folder can be named.
std::string UserCatalogueFile();

} // namespace analysis
