#pragma once
// The colours of the skin: a light, quiet theme with one accent colour. Every picture takes its
// colours from here, so the theme is changed in one place.

#include "Paint.h"

namespace skingen::theme {

constexpr Pixel kAccent = Rgb(0x2F, 0x6F, 0xD6);      // the one accent colour
constexpr Pixel kAccentDark = Rgb(0x24, 0x58, 0xAD);  // accent, pressed
constexpr Pixel kAccentTint = Rgb(0xE3, 0xEC, 0xFB);  // accent tint: hover fills, selection
constexpr Pixel kAccentTint2 = Rgb(0xCB, 0xDB, 0xF6); // stronger tint: pressed fills
constexpr Pixel kAccentLine = Rgb(0x9D, 0xBB, 0xEE);  // hover outline

constexpr Pixel kWindow = Rgb(0xFF, 0xFF, 0xFF);     // fields: edits, lists, trees
constexpr Pixel kFace = Rgb(0xF3, 0xF5, 0xF8);       // window and panel background
constexpr Pixel kFaceHigh = Rgb(0xFB, 0xFC, 0xFD);   // top of raised surfaces
constexpr Pixel kFaceLow = Rgb(0xE9, 0xED, 0xF2);    // bottom of raised surfaces
constexpr Pixel kTrack = Rgb(0xEC, 0xEF, 0xF3);      // scroll and progress tracks
constexpr Pixel kLine = Rgb(0xC3, 0xCB, 0xD6);       // one-pixel outlines of controls
constexpr Pixel kLineSoft = Rgb(0xD9, 0xDF, 0xE7);   // separators, panel frames
constexpr Pixel kLineStrong = Rgb(0x8E, 0x9B, 0xAE); // window outline
constexpr Pixel kThumb = Rgb(0xC4, 0xCC, 0xD7);      // scroll thumb
constexpr Pixel kThumbHot = Rgb(0xA9, 0xB4, 0xC3);

constexpr Pixel kText = Rgb(0x1F, 0x27, 0x33);      // body text
constexpr Pixel kTextMuted = Rgb(0x5B, 0x66, 0x75); // glyphs
constexpr Pixel kTextDisabled = Rgb(0xA3, 0xAC, 0xB8);
constexpr Pixel kDisabledFace = Rgb(0xF0, 0xF2, 0xF5);

constexpr Pixel kCaptionTop = Rgb(0xFF, 0xFF, 0xFF); // caption gradient
constexpr Pixel kCaptionBottom = Rgb(0xE8, 0xED, 0xF4);
constexpr Pixel kClose = Rgb(0xD9, 0x3F, 0x3F); // close button, hover
constexpr Pixel kCloseDown = Rgb(0xB5, 0x2F, 0x2F);

constexpr Pixel kHintBack = Rgb(0xFF, 0xFF, 0xFF);
constexpr Pixel kKey = Rgb(0xFF, 0x00, 0xFF); // transparent colour of glyph pictures

} // namespace skingen::theme
