#pragma once
// Plain files as numbered descriptors with the Windows share modes, for the framework's file
// stream. On Windows the share mode is enforced by the system; Linux has none and ignores it.
// Errors are the system's numbers (errno on Linux, GetLastError on Windows); SystemErrorText
// turns them into text.

#include <cstdint>
#include <string>

namespace fs {

enum class Access { Read, Write, ReadWrite };
enum class Share { Exclusive, DenyWrite, DenyRead, DenyNone };

// Opens `path` (or creates it empty, replacing any file, when `create`). Returns a descriptor,
// or -1 with `error` set. A folder is refused.
int OpenDescriptor(const std::string& path, Access access, Share share, bool create, int& error);
void CloseDescriptor(int fd);

// Read and write as many bytes as the file gives or takes; fewer than asked only at its end or
// on an error.
std::int64_t ReadDescriptor(int fd, void* buffer, std::int64_t count);
std::int64_t WriteDescriptor(int fd, const void* buffer, std::int64_t count);

enum class SeekFrom { Begin, Current, End };
// The new position, or -1.
std::int64_t SeekDescriptor(int fd, std::int64_t offset, SeekFrom from);
// Sets the file's length; false with `error` set when it cannot.
bool TruncateDescriptor(int fd, std::int64_t size, int& error);

} // namespace fs
