#pragma once
// The stored skin as the skin author's tools see it: building the zlib-compressed container from a
// skin folder, inflating it again, and walking the container's items to the description text.
// Building goes through TqvCompressedStoredSkin::BuildFromSkinFolder and inflating through
// qv::InflateSkinStream, the program's own; the walk here only records where each item lies and
// how it is stored, so that inspect can show every byte (the pictures and records the tool draws
// come from TqvSkinData).

#include "platform/gfx/BmpCodec.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace skintool {

using Bytes = std::vector<std::uint8_t>;

class SkinError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The stored skin (zlib stream) of a skin description file and the bitmaps named by its
// [PICTURES], looked up in the file's folder. A description without one of the sections VERSION,
// PICTURES, FORMINFO, SKINOBJECTS, SKINCONTROLS, or a missing or invalid picture, raises an error.
Bytes BuildStoredSkin(const std::string& iniPath);

// The container of FILE: a skin description (by its ".ini" ending), a compressed skin file
// (version, length, stream) or a bare zlib stream. Inflating is the skin data's own
// (qv::InflateSkinStream): a damaged or oversized stream raises qv::ECompressionError.
Bytes LoadContainer(const std::string& path);

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

// One picture of the container with the bytes its BMP occupies.
struct ContainerPicture {
    gfx::BmpImage image;
    std::size_t offset = 0, length = 0;
};

struct Container {
    std::int32_t version = 0;
    std::optional<ContainerPicture> main, inactive, mask;
    std::vector<ContainerPicture> extras;
    std::size_t textOffset = 0;
    std::string text; // the description text, to the end of the container
};

// Walks the items in order, each BMP taking exactly its bfSize. Truncation, a bad BMP or a
// version above 3 raise SkinError.
Container ReadContainer(std::span<const std::uint8_t> data);

} // namespace skintool
