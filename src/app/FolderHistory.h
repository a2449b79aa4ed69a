#pragma once
// The folder history: the folders the user has analysed, kept in the folder box's item list and
// in the text file "DefaultDir.txt" (one folder a line, CR LF after every line).
//
// The file lives beside the executable when it can be written there, as it always has. An
// installed program's folder is not writable, so its history goes to the user's configuration
// folder instead ($XDG_CONFIG_HOME/iislog/, by default ~/.config/iislog/; on Windows
// %APPDATA%\iislog\).

#include <optional>
#include <string>

namespace vcl {
class TStrings;
}

namespace app {

// The folder of the running executable, with its trailing "/".
std::string ExecutableFolder();

// Where the history file of an executable in `exeFolder` (trailing "/") lives: beside it when
// that folder is writable and the file is writable or absent; else in the configuration folder
// named by `configHome` ($XDG_CONFIG_HOME or %APPDATA%: used when absolute) or `home` + "/.config".
std::string ChooseHistoryFile(const std::string& exeFolder, const char* configHome, const char* home);

// The history file of this process (the environment read once).
const std::string& HistoryFile();

// The window's start-up steps: reads `file` into `items` (replacing them) and returns the last
// entry as the folder box's text; an empty file leaves both empty (nullopt: the text stays). When
// the file cannot be read (first run), the text and the only entry are `exeFolder`.
std::optional<std::string> LoadFolderHistory(vcl::TStrings& items, const std::string& file,
                                             const std::string& exeFolder);

// Appends `folder` unless an entry already equals it without regard to letter case (an empty
// text is an entry like any other). Returns true when it was appended.
bool AddToFolderHistory(vcl::TStrings& items, const std::string& folder);

// Writes `items` to `file` without risking the old file, creating the file's folder when needed;
// a file that already holds exactly these bytes is left as it is.
// Throws fs::FileError "Cannot create file "<file>". <system text>".
void SaveFolderHistory(const vcl::TStrings& items, const std::string& file);

} // namespace app
