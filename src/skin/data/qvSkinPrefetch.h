#pragma once
// Decoding a stored skin ahead of time. Inflating the stream and reading the pictures of its
// container is most of the work of loading a skin; a program that knows its skin at start-up
// starts that on another thread while it does other start-up work (opening the display), and
// TqvSkinData::LoadFromStoredSkin takes the result when it loads a stream with the same bytes.
//
// Only the decoding is moved: reading the description text into records, and every message a
// skin change sends, stay on the UI thread, in the order a plain load has.

#include "skin/data/qvSkinContainer.h"

#include <cstdint>
#include <optional>
#include <span>

namespace qv {

// Starts decoding zlibStream on a worker thread. The bytes must stay alive and unchanged until
// the result is taken or the program ends (a stream built into the program). A second call
// replaces the first.
void PrefetchSkinStream(std::span<const std::uint8_t> zlibStream);
// The same for a stream whose container is at hand already (inflated when the program was
// built): the worker only reads the pictures from `container`, which must be exactly what
// zlibStream inflates to, and must stay alive and unchanged as the stream does.
void PrefetchSkinStream(std::span<const std::uint8_t> zlibStream, std::span<const std::uint8_t> container);

// When a prefetch was started for a stream with these bytes: waits for it and returns the
// decoded container, or nullopt when decoding failed (the caller decodes again and reports the
// error as it would have). nullopt too when no prefetch matches; the prefetch is then kept.
std::optional<TqvSkinContainerContent> TakePrefetchedSkin(std::span<const std::uint8_t> zlibStream);

} // namespace qv
