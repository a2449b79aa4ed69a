#pragma once
// The names of the namespace's own items, in the user's language: Chinese when the messages
// locale (LC_ALL, LC_MESSAGES, LANG, the first one set) starts with "zh", English otherwise.

#include <string>
#include <string_view>

namespace shell {

enum class ShellName { Desktop, Computer, Home, FileSystem };

std::string_view ShellNameText(ShellName name);
// The same for an explicit locale name, for tests and for a caller that knows better.
std::string_view ShellNameText(ShellName name, std::string_view locale);

// Natural order without regard to case: digit runs compare by value ("W3SVC2" before "W3SVC10"),
// letters by their lower-case form; names equal that way are ordered by their bytes, so only
// identical names compare equal. Returns <0, 0 or >0.
int CompareNatural(std::string_view a, std::string_view b);

} // namespace shell
