#include "framework/Stream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vcl {

std::int64_t TStream::Size() {
    std::int64_t here = Seek(0, soCurrent);
    std::int64_t end = Seek(0, soEnd);
    Seek(here, soBeginning);
    return end;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count != 0 && Read(buffer, count) != count) {
        throw EReadError(SReadError);
    }
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count != 0 && Write(buffer, count) != count) {
        throw EWriteError(SWriteError);
    }
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::int64_t copied = 0;
    std::vector<unsigned char> chunk(std::size_t(std::min<std::int64_t>(count, 1 << 16)));
    while (copied < count) {
        std::int64_t n = std::min<std::int64_t>(count - copied, std::int64_t(chunk.size()));
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        copied += n;
    }
    return copied;
}

// --- TMemoryStream ---

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    if (count <= 0 || position_ >= std::int64_t(data_.size())) {
        return 0;
    }
    std::int64_t n = std::min<std::int64_t>(count, std::int64_t(data_.size()) - position_);
    std::memcpy(buffer, data_.data() + position_, std::size_t(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) {
        return 0;
    }
    std::int64_t end = position_ + count;
    if (end > std::int64_t(data_.size())) {
        data_.resize(std::size_t(end));
    }
    std::memcpy(data_.data() + position_, buffer, std::size_t(count));
    position_ = end;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    std::int64_t base = origin == soBeginning ? 0
                        : origin == soCurrent ? position_
                                              : std::int64_t(data_.size());
    // Past the end is allowed (a later write fills the gap with zeros); before the start is not.
    position_ = std::max<std::int64_t>(0, base + offset);
    return position_;
}

void TMemoryStream::SetSize(std::int64_t size) {
    data_.resize(std::size_t(std::max<std::int64_t>(0, size)));
    position_ = std::min(position_, std::int64_t(data_.size()));
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    std::int64_t n = source.Size();
    std::vector<unsigned char> bytes(std::size_t(std::max<std::int64_t>(0, n)));
    source.ReadBuffer(bytes.data(), n);
    data_ = std::move(bytes);
    position_ = 0;
}

void TMemoryStream::SaveToStream(TStream& dest) {
    dest.WriteBuffer(data_.data(), std::int64_t(data_.size()));
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

// --- TFileStream ---

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
    int flags = O_CLOEXEC;
    if (mode == fmCreate) {
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    } else {
        switch (mode & 0x3) {
        case fmOpenWrite:
            flags |= O_WRONLY;
            break;
        case fmOpenReadWrite:
            flags |= O_RDWR;
            break;
        default:
            flags |= O_RDONLY;
            break;
        }
    }
    fd_ = ::open(fileName.c_str(), flags, 0666);
    if (fd_ >= 0) {
        struct stat st {};
        if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
            ::close(fd_);
            fd_ = -1;
            errno = EISDIR;
        }
    }
    if (fd_ < 0) {
        int error = errno;
        if (mode == fmCreate) {
            RaiseFCreateError(fileName, error);
        }
        RaiseFOpenError(fileName, error);
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t total = 0;
    auto* out = static_cast<unsigned char*>(buffer);
    while (total < count) {
        ssize_t n = ::read(fd_, out + total, std::size_t(count - total));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        total += n;
    }
    return total;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t total = 0;
    const auto* in = static_cast<const unsigned char*>(buffer);
    while (total < count) {
        ssize_t n = ::write(fd_, in + total, std::size_t(count - total));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        total += n;
    }
    return total;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
    off_t result = ::lseek(fd_, off_t(offset), whence);
    return result < 0 ? -1 : std::int64_t(result);
}

void TFileStream::SetSize(std::int64_t size) {
    if (::ftruncate(fd_, off_t(size)) != 0) {
        throw EStreamError(SysErrorMessage(errno));
    }
    if (Position() > size) {
        Seek(size, soBeginning);
    }
}

} // namespace vcl
