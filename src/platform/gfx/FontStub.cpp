#include "platform/gfx/GdiObject.h"
namespace gfx {
HGDIOBJ StockFont(int) { return nullptr; }
}
