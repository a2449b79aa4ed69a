#include "StoredSkin.h"

#include "skin/data/qvSkinData.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace skintool {

namespace {

std::int32_t GetInt32(std::span<const std::uint8_t> data, std::size_t at) {
    if (at + 4 > data.size()) {
        throw SkinError("skin container is truncated");
    }
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) {
        u |= std::uint32_t(data[at + i]) << (8 * i);
    }
    return std::int32_t(u);
}

ContainerPicture GetPicture(std::span<const std::uint8_t> data, std::size_t& at) {
    ContainerPicture pic;
    pic.offset = at;
    try {
        pic.image = gfx::ReadBmp(data.subspan(at), &pic.length);
    } catch (const gfx::EInvalidGraphic& e) {
        throw SkinError(std::string(e.what()) + " (picture at offset " + std::to_string(at) + ")");
    }
    at += pic.length;
    return pic;
}

std::optional<ContainerPicture> GetFlaggedPicture(std::span<const std::uint8_t> data, std::size_t& at) {
    if (at >= data.size()) {
        throw SkinError("skin container is truncated");
    }
    if (data[at++] != 0) {
        return std::nullopt;
    }
    return GetPicture(data, at);
}

bool EndsWith(const std::string& s, const std::string& tail) {
    if (s.size() < tail.size()) {
        return false;
    }
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) != tail[i]) {
            return false;
        }
    }
    return true;
}
} // namespace

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw SkinError("Cannot open file \"" + path + "\". " + std::strerror(errno));
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        throw SkinError("Cannot create file \"" + path + "\". " + std::strerror(errno));
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        throw SkinError("Cannot write file \"" + path + "\". " + std::strerror(errno));
    }
}

Bytes BuildStoredSkin(const std::string& iniPath) {
    // The program's own builder, so the tool and the build store skins the one way.
    ReadFileBytes(iniPath); // a clear error for a missing description file
    qv::TqvCompressedStoredSkin stored(nullptr);
    stored.BuildFromSkinFolder(iniPath);
    const auto& bytes = stored.CompressedStream().Bytes();
    if (bytes.empty()) {
        throw SkinError(iniPath + ": one of the sections [VERSION], [PICTURES], [FORMINFO], "
                                  "[SKINOBJECTS], [SKINCONTROLS] is missing");
    }
    return Bytes(bytes.begin(), bytes.end());
}

Bytes LoadContainer(const std::string& path) {
    if (EndsWith(path, ".ini")) {
        return qv::InflateSkinStream(BuildStoredSkin(path));
    }
    Bytes file = ReadFileBytes(path);
    // A compressed skin file starts with its version (<= 3) and the stream's length; a bare
    // zlib stream starts with the header byte 78h.
    if (file.size() >= 8 && file[0] != 0x78) {
        std::int32_t version = GetInt32(file, 0), length = GetInt32(file, 4);
        if (version > 3) {
            throw SkinError("unsupported compressed skin version " + std::to_string(version));
        }
        if (length < 0 || std::size_t(length) > file.size() - 8) {
            throw SkinError("compressed skin file is truncated");
        }
        return qv::InflateSkinStream(std::span(file).subspan(8, std::size_t(length)));
    }
    return qv::InflateSkinStream(file);
}

Container ReadContainer(std::span<const std::uint8_t> data) {
    Container c;
    c.version = GetInt32(data, 0);
    if (c.version > 3) {
        throw SkinError("unsupported skin container version " + std::to_string(c.version));
    }
    std::size_t at = 4;
    c.main = GetFlaggedPicture(data, at);
    c.inactive = GetFlaggedPicture(data, at);
    c.mask = GetFlaggedPicture(data, at);
    if (c.version == 2) {
        GetFlaggedPicture(data, at);
        GetFlaggedPicture(data, at);
    }
    std::int32_t count = GetInt32(data, at);
    at += 4;
    for (std::int32_t i = 0; i < count; ++i) {
        c.extras.push_back(GetPicture(data, at));
    }
    c.textOffset = at;
    c.text.assign(data.begin() + std::ptrdiff_t(at), data.end());
    return c;
}

} // namespace skintool
