#pragma once
// The whole graphics interface in one include: Windows-named functions over HDC, HRGN, HPEN,
// HBRUSH, HFONT and HBITMAP, text output and DrawText, the BMP codec and system colours.

#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/DrawText.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/RegionApi.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/TextOut.h"
