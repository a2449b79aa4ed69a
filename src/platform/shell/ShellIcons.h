#pragma once
// The small system image list: the shell's icons (16 x 16, masked) in the order of ShellIcon.
// Their pixels are drawn by tools/shellicons and committed as ShellIconData.cpp.

#include "platform/controls/ImageList.h"

#include <cstdint>

constexpr int kShellIconSize = 16;
constexpr int kShellIconImages = 9;
extern const std::uint32_t kShellIconPixels[kShellIconImages][kShellIconSize * kShellIconSize];

namespace shell {

// A new image list holding the icons; the caller owns it.
HIMAGELIST CreateShellIconList();

} // namespace shell
