#pragma once
// The stored skin's byte formats: the zlib stream around the container, the container itself
// (version, flagged pictures, extra pictures, description text) and the compressed skin file.
//
// Container, little-endian: version (int32, accepted when <= 3; 3 is written); three flag bytes
// each followed by a complete BMP file when the flag is 0 (main, inactive, mask picture); for
// version 2 two more flagged pictures that are read and discarded; the extra picture count
// (int32, <= 0: none) and that many BMP files back to back; the description text to the end.
//
// Reading never leaves the buffer: a cut BMP raises the bitmap error, a cut number or flag the
// stream read error ("Stream read error"), a damaged or oversized zlib stream "compression error".

#include "framework/Exceptions.h"
#include "platform/gfx/Bitmap.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

using TqvBytes = std::vector<std::uint8_t>;

class ECompressionError : public vcl::Exception {
public:
    ECompressionError() : vcl::Exception("compression error") {}
};

// The most a stored skin may inflate to; the program's own skin needs about 1.2 MB.
inline constexpr std::size_t kMaxInflatedSkinSize = 64u << 20;

inline constexpr std::int32_t kSkinContainerVersion = 3;

// Inflates a complete zlib stream; anything malformed, cut short or larger than maxSize raises
// ECompressionError.
TqvBytes InflateSkinStream(std::span<const std::uint8_t> zlibStream,
                           std::size_t maxSize = kMaxInflatedSkinSize);
// Deflates at level 9 into a zlib stream.
TqvBytes DeflateSkinStream(std::span<const std::uint8_t> data);

// What a container holds once read. Absent pictures are empty bitmaps.
struct TqvSkinContainerContent {
    std::int32_t version = kSkinContainerVersion;
    gfx::Bitmap mainPicture;
    gfx::Bitmap inactivePicture;
    gfx::Bitmap maskPicture;
    std::vector<gfx::Bitmap> extraPictures;
    std::string text;
};

// Reads a container. Returns false, with only version filled in, when the version is above 3.
bool ReadSkinContainer(std::span<const std::uint8_t> data, TqvSkinContainerContent& out);

// The pieces a container is written from: BMP files as bytes, an empty one meaning "no picture".
// flaggedPictures are written each after its flag (3 of them for version 3, 5 for version 2).
struct TqvSkinContainerParts {
    std::int32_t version = kSkinContainerVersion;
    std::vector<TqvBytes> flaggedPictures;
    std::vector<TqvBytes> extraPictures;
    std::string text;
};
TqvBytes WriteSkinContainer(const TqvSkinContainerParts& parts);

// Little-endian helpers for the formats around the container.
void AppendInt32(TqvBytes& out, std::int32_t value);

} // namespace qv
