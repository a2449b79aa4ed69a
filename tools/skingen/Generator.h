#pragma once
// The parts of the skin generator: each draws some pictures and writes the sections that use them.

#include "Paint.h"
#include "SkinText.h"

#include <string>
#include <vector>

namespace skingen {

struct Picture {
    std::string file;
    gfx::Bitmap bitmap;
    int bits = 24;
};

// Indexes of the extra pictures ([PICTURES] activepictures); records refer to them by number.
enum ExtraIndex {
    kPicButtons = 0,   // caption buttons, 75 x 263
    kPicHint = 1,      // hint window, 28 x 21
    kPicPopup = 2,     // popup menu window, 93 x 55
    kPicMenu = 3,      // menu items and menu bar, 132 x 126
    kPicControls = 4,  // the controls the windows use, 556 x 410
    kPicMore = 5,      // further controls, 219 x 178
    kPicPopupMask = 6, // popup window mask, 93 x 55 at 4 bits
    kPicHintMask = 7,  // hint window mask, 28 x 21 at 1 bit
    kExtraCount = 8
};

struct SkinPictures {
    Picture main, mask;
    std::vector<Picture> extras = std::vector<Picture>(kExtraCount);
};

void BuildFrame(SkinPictures& pics, SkinText& text);        // main, mask, caption buttons
void BuildMenus(SkinPictures& pics, SkinText& text);        // popup, hint, menu items
void BuildControls(SkinPictures& pics, SkinText& text);     // picture 4 and its sections
void BuildMoreControls(SkinPictures& pics, SkinText& text); // picture 5
void BuildSecondary(SkinPictures& pics, SkinText& text);    // after BuildControls: the rest

// The caption band's colour at row y of the frame picture (also behind the caption buttons).
Pixel CaptionColour(int y);

} // namespace skingen
