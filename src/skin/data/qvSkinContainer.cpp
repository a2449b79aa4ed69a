#include "skin/data/qvSkinContainer.h"

#include "platform/gfx/BmpCodec.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace qv {

TqvBytes InflateSkinStream(std::span<const std::uint8_t> zlibStream, std::size_t maxSize) {
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        throw ECompressionError();
    }
    TqvBytes out;
    // Skin pictures compress about thirty to one: room for that up front spares the copies of
    // a growing buffer (only the pages written are ever touched).
    out.reserve(std::min(maxSize, std::max<std::size_t>(zlibStream.size(), 2048) * 32));
    std::uint8_t chunk[64 * 1024];
    std::size_t remaining = zlibStream.size();
    const std::uint8_t* next = zlibStream.data();
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (zs.avail_in == 0 && remaining > 0) {
            auto take = uInt(std::min<std::size_t>(remaining, UINT_MAX));
            zs.next_in = const_cast<Bytef*>(next);
            zs.avail_in = take;
            next += take;
            remaining -= take;
        }
        zs.next_out = chunk;
        zs.avail_out = sizeof chunk;
        rc = inflate(&zs, Z_NO_FLUSH);
        std::size_t produced = sizeof chunk - zs.avail_out;
        bool stalled = rc == Z_BUF_ERROR && zs.avail_in == 0 && remaining == 0;
        if ((rc != Z_OK && rc != Z_STREAM_END) || stalled || out.size() + produced > maxSize) {
            inflateEnd(&zs);
            throw ECompressionError();
        }
        out.insert(out.end(), chunk, chunk + produced);
        if (rc == Z_OK && produced == 0 && zs.avail_in == 0 && remaining == 0) {
            // The input ended before the stream did.
            inflateEnd(&zs);
            throw ECompressionError();
        }
    }
    inflateEnd(&zs);
    return out;
}

TqvBytes DeflateSkinStream(std::span<const std::uint8_t> data) {
    uLongf size = compressBound(uLong(data.size()));
    TqvBytes out(size);
    if (compress2(out.data(), &size, data.data(), uLong(data.size()), Z_BEST_COMPRESSION) != Z_OK) {
        throw ECompressionError();
    }
    out.resize(size);
    return out;
}

namespace {

// A bounds-checked cursor over the container.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

    std::int32_t Int32() {
        Need(4);
        auto v = std::uint32_t(data_[pos_]) | (std::uint32_t(data_[pos_ + 1]) << 8) |
                 (std::uint32_t(data_[pos_ + 2]) << 16) | (std::uint32_t(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return std::int32_t(v);
    }
    std::uint8_t Byte() {
        Need(1);
        return data_[pos_++];
    }
    gfx::Bitmap Bmp() {
        std::size_t consumed = 0;
        gfx::BmpImage image = gfx::ReadBmp(data_.subspan(pos_), &consumed);
        if (consumed == 0 || consumed > data_.size() - pos_) {
            throw gfx::EInvalidGraphic();
        }
        pos_ += consumed;
        return std::move(image.bitmap);
    }
    gfx::Bitmap FlaggedBmp() { return Byte() == 0 ? Bmp() : gfx::Bitmap(); }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_.data()) + pos_, data_.size() - pos_);
        pos_ = data_.size();
        return text;
    }
    std::size_t Position() const { return pos_; }

private:
    void Need(std::size_t n) const {
        if (data_.size() - pos_ < n) {
            throw vcl::EReadError(vcl::SReadError);
        }
    }
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

} // namespace

bool ReadSkinContainer(std::span<const std::uint8_t> data, TqvSkinContainerContent& out) {
    Reader r(data);
    out = TqvSkinContainerContent{};
    out.version = r.Int32();
    if (out.version > kSkinContainerVersion) {
        return false;
    }
    out.mainPicture = r.FlaggedBmp();
    out.inactivePicture = r.FlaggedBmp();
    out.maskPicture = r.FlaggedBmp();
    if (out.version == 2) {
        r.FlaggedBmp();
        r.FlaggedBmp();
    }
    std::int32_t count = r.Int32();
    for (std::int32_t i = 0; i < count; ++i) {
        // Each picture is read before the next is made room for, so a hostile count runs into
        // the end of the buffer instead of reserving memory.
        out.extraPictures.push_back(r.Bmp());
    }
    out.text = r.Rest();
    return true;
}

void AppendInt32(TqvBytes& out, std::int32_t value) {
    auto v = std::uint32_t(value);
    for (int i = 0; i < 4; ++i) {
        out.push_back(std::uint8_t(v >> (8 * i)));
    }
}

TqvBytes WriteSkinContainer(const TqvSkinContainerParts& parts) {
    TqvBytes out;
    AppendInt32(out, parts.version);
    for (const TqvBytes& bmp : parts.flaggedPictures) {
        out.push_back(bmp.empty() ? 1 : 0);
        out.insert(out.end(), bmp.begin(), bmp.end());
    }
    AppendInt32(out, std::int32_t(parts.extraPictures.size()));
    for (const TqvBytes& bmp : parts.extraPictures) {
        out.insert(out.end(), bmp.begin(), bmp.end());
    }
    out.insert(out.end(), parts.text.begin(), parts.text.end());
    return out;
}

} // namespace qv
