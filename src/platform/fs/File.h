#pragma once
// Reading log files. The Windows build opens a log with a share mode that keeps writers out and
// falls back to one that lets the web server keep writing. Linux has no share modes, so the two
// reads differ by method instead:
//
// - the primary read opens the file once and reads it in blocks at chosen offsets (File::ReadAt),
//   so a scanner can walk a file of any size in a small buffer, on several threads at once;
// - the fallback, ReadWholeFile, reads the file to its end into one string, which also works for
//   files whose size is unknown or changes while they are read.
//
// Reading into a buffer rather than mapping the file is deliberate: on the virtual machines this
// tool is measured on, faulting in mapped page-cache pages costs several times what read() does.
// Failures are FileError with the text "Cannot open file "<full path>". <system error text>".

#include <cstddef>
#include <cstdint>
#include <string>

namespace fs {

class File {
public:
    // Opens `path` for reading and takes its size. Throws FileError when it cannot be opened,
    // is a directory or is not a regular file (the fallback handles the rest).
    static File Open(const std::string& path);

    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    const std::string& Path() const { return path_; }
    // The size when the file was opened, in bytes.
    std::uint64_t Size() const { return size_; }

    // Reads exactly `length` bytes at `offset` into `buffer`. Safe to call from several threads
    // at once. Throws FileError when the bytes cannot be read (a file that shrank gives EIO).
    void ReadAt(std::uint64_t offset, char* buffer, std::size_t length) const;

private:
    File(std::string path, int fd, std::uint64_t size) : path_(std::move(path)), fd_(fd), size_(size) {}

    std::string path_;
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// The fallback read: opens `path`, reads it into one string and closes it. A regular file is read
// up to the size it had when it was opened (it may still be growing); a file without a size is
// read to its end. Throws FileError when it cannot be opened or read.
std::string ReadWholeFile(const std::string& path);

// Opens `path` again, takes its size as a 64-bit byte count and closes it.
// Throws FileError when the file cannot be opened (it vanished after it was read).
std::uint64_t GetFileSize(const std::string& path);

} // namespace fs
