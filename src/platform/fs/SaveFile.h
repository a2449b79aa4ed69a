#pragma once
// Replacing a small file without ever losing it: the new content goes to a temporary file beside
// the target, is flushed to the disk and then renamed over the target in one step. A crash or a
// full disk at any point leaves either the old file or the new one, never a truncated mix.

#include <string>
#include <string_view>

namespace fs {

// Writes `content` to `path` as described above. The target keeps its permission bits; a new
// file gets the usual ones (0666 less the umask). A link is replaced at its target, so the link
// survives. Throws FileError ("Cannot create file "<full path>". <system text>") when any step
// fails; the old file is then untouched and no temporary file is left behind.
void SaveFileAtomically(const std::string& path, std::string_view content);

// Creates `path` and its missing parents as folders (mode 0700 less nothing: a private settings
// folder). Throws FileError ("Cannot create file ...") naming the folder that could not be made.
void CreateFolders(const std::string& path);

} // namespace fs
