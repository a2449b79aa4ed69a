#pragma once
// Byte streams: the abstract TStream with the framework's Read/Write/Seek contract, an in-memory
// stream and a file stream. Read and Write move what they can and return the count; ReadBuffer and
// WriteBuffer insist on the whole count and raise EReadError / EWriteError otherwise.

#include "framework/Component.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace vcl {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };
using enum TSeekOrigin;

class TStream : public TObject {
public:
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    // Returns the new position. Seeking before the start clamps to 0 for memory streams.
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
    virtual std::int64_t Size();
    virtual void SetSize(std::int64_t size) = 0;

    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // Copies count bytes from source's position; count 0 copies the whole of source from its start.
    // Returns the number of bytes copied.
    std::int64_t CopyFrom(TStream& source, std::int64_t count);

    // Little-endian fixed-size reads (the stored formats are little-endian).
    template <class T>
    T ReadValue() {
        unsigned char bytes[sizeof(T)];
        ReadBuffer(bytes, sizeof(T));
        std::uint64_t v = 0;
        for (std::size_t i = sizeof(T); i-- > 0;) {
            v = (v << 8) | bytes[i];
        }
        return static_cast<T>(v);
    }
    template <class T>
    void WriteValue(T value) {
        unsigned char bytes[sizeof(T)];
        auto v = static_cast<std::uint64_t>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            bytes[i] = static_cast<unsigned char>(v >> (8 * i));
        }
        WriteBuffer(bytes, sizeof(T));
    }
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return std::int64_t(data_.size()); }
    void SetSize(std::int64_t size) override;

    // The stream's bytes; valid until the next write or size change.
    unsigned char* Memory() { return data_.data(); }
    const unsigned char* Memory() const { return data_.data(); }
    const std::vector<unsigned char>& Bytes() const { return data_; }

    void Clear();
    // Replaces the content with all of source (from its start); the position ends at 0.
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest);
    // Raise EFOpenError / EFCreateError with the full path and the system's text.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName);

private:
    std::vector<unsigned char> data_;
    std::int64_t position_ = 0;
};

// File open modes; fmCreate creates or truncates.
enum TFileMode : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

class TFileStream : public TStream {
public:
    // Raises EFCreateError (fmCreate) or EFOpenError. Share flags are honoured where the system
    // has share modes (Windows) and ignored where it has none (Linux).
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    void SetSize(std::int64_t size) override;

    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
    int fd_ = -1;
};

} // namespace vcl
