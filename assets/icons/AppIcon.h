#pragma once
// The program's icon as its windows carry it: the small (16 x 16) and big (32 x 32) pictures,
// drawn by tools/icongen like the installed icon theme files, as 0xAARRGGBB words (not
// premultiplied), rows top to bottom. AppIconData.cpp is written by `icongen --source`.

#include <cstdint>

struct AppIconPicture {
    int Size;
    const std::uint32_t* Pixels; // Size x Size
};

constexpr int kAppIconCount = 2;
extern const AppIconPicture kAppIcons[kAppIconCount]; // small, then big
