#pragma once
// The program's stored skin: the zlib stream of the skin container, built from assets/skin at
// build time. Inflating it gives the container of pictures and description text.

#include <cstddef>

extern const unsigned char kEmbeddedSkin[];
extern const std::size_t kEmbeddedSkinSize;

// The container kEmbeddedSkin inflates to, inflated when the program was built: start-up reads
// the skin's pictures from here instead of inflating them.
extern const unsigned char kEmbeddedSkinContainer[];
extern const std::size_t kEmbeddedSkinContainerSize;
