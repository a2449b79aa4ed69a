#pragma once
// The user's folders as the desktop names them: the home folder, the XDG user directories
// (~/.config/user-dirs.dirs: desktop, documents, templates) and the XDG base directories.

#include <optional>
#include <string>
#include <string_view>

namespace shell {

// The value of the key `key` ("XDG_DESKTOP_DIR") in the text of a user-dirs.dirs file, with
// "$HOME" expanded to `home`. Values are a quoted path that is absolute or starts with "$HOME/";
// anything else is ignored, as the XDG tools ignore it. Empty when the key is absent or invalid.
std::string ParseUserDirsValue(std::string_view text, std::string_view key, const std::string& home);

// $HOME, else the password database's home of the user; empty when neither names a folder.
std::string HomeFolder();
// The folder of an XDG user directory ("DESKTOP", "DOCUMENTS", "TEMPLATES") when it exists.
std::optional<std::string> UserDirectory(std::string_view name);
// The desktop folder: the XDG desktop directory, else $HOME/Desktop when it exists.
std::optional<std::string> DesktopDirectory();
// $XDG_CONFIG_HOME (absolute) or ~/.config; $XDG_DATA_HOME or ~/.local/share.
std::string ConfigHome();
std::string DataHome();

} // namespace shell
