#pragma once
// The platform interfaces the framework is written against: the graphics layer's device
// contexts and objects and the window system, both with the Windows names and numbers.

#include "platform/gfx/DCApi.h"
#include "platform/gfx/DrawText.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/GdiBitmap.h"
#include "platform/gfx/PenBrush.h"
#include "platform/gfx/SysColors.h"
#include "platform/gfx/TextOut.h"
#include "platform/gfx/WinTypes.h"
