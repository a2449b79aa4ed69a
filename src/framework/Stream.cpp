#include "framework/Stream.h"

#include "platform/fs/Descriptor.h"

#include <algorithm>
#include <cstring>

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

namespace {

fs::Share ShareOf(unsigned mode) {
    switch (mode & 0xF0) {
    case fmShareExclusive: return fs::Share::Exclusive;
    case fmShareDenyWrite: return fs::Share::DenyWrite;
    case fmShareDenyRead: return fs::Share::DenyRead;
    default: // fmShareCompat, fmShareDenyNone
        return fs::Share::DenyNone;
    }
}

fs::Access AccessOf(unsigned mode) {
    switch (mode & 0x3) {
    case fmOpenWrite: return fs::Access::Write;
    case fmOpenReadWrite: return fs::Access::ReadWrite;
    default: return fs::Access::Read;
    }
}

} // namespace

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
    bool create = mode == fmCreate;
    int error = 0;
    fd_ = fs::OpenDescriptor(fileName, create ? fs::Access::ReadWrite : AccessOf(mode),
                             create ? fs::Share::Exclusive : ShareOf(mode), create, error);
    if (fd_ < 0) {
        if (create) {
            RaiseFCreateError(fileName, error);
        }
        RaiseFOpenError(fileName, error);
    }
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) {
        fs::CloseDescriptor(fd_);
    }
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    return fs::ReadDescriptor(fd_, buffer, count);
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    return fs::WriteDescriptor(fd_, buffer, count);
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    return fs::SeekDescriptor(fd_, offset,
                              origin == soBeginning ? fs::SeekFrom::Begin
                              : origin == soCurrent ? fs::SeekFrom::Current
                                                    : fs::SeekFrom::End);
}

void TFileStream::SetSize(std::int64_t size) {
    int error = 0;
    if (!fs::TruncateDescriptor(fd_, size, error)) {
        throw EStreamError(SysErrorMessage(error));
    }
    if (Position() > size) {
        Seek(size, soBeginning);
    }
}

} // namespace vcl
