#pragma once
// The program's stored skin: the zlib stream of the skin container, built from assets/skin at
// build time. Inflating it gives the container of pictures and description text.

#include <cstddef>

extern const unsigned char kEmbeddedSkin[];
extern const std::size_t kEmbeddedSkinSize;
