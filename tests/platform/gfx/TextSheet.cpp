// Renders a sheet of UI text samples (Latin and Chinese, 11-16 px, regular, bold, underline,
// the program's own fonts) to a BMP, to look at how small text comes out.
// Usage: gfx_text_sheet out.bmp
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/DrawText.h"
#include "platform/gfx/TextOut.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HFONT Make(const char* face, int height, int weight, bool underline = false) {
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfUnderline = underline;
    gfx::SetFaceName(lf, face);
    return CreateFontIndirect(&lf);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gfx_text_sheet out.bmp\n");
        return 2;
    }
    gfx::Bitmap sheet(820, 500, 0xFFFFFF);
    HDC dc = new gfx::DC(&sheet);
    SetBkMode(dc, TRANSPARENT);
    int y = 6;
    const char* latin = "The quick brown fox jumps over the lazy dog 0123456789 (Baidu, Google, Soso)";
    const char* chinese = "分析 日志文件 百度 谷歌 搜搜 雅虎 搜狗 有道 — 选择目录";
    struct Row {
        const char* face;
        int weight;
        bool underline;
        const char* text;
    } rows[] = {
        {"Arial", FW_NORMAL, false, latin},  {"Arial", FW_BOLD, false, latin},
        {"Tahoma", FW_NORMAL, false, latin}, {"MS Sans Serif", FW_NORMAL, true, latin},
        {"宋体", FW_NORMAL, false, chinese}, {"宋体", FW_BOLD, false, chinese},
    };
    for (int px = 11; px <= 16; px += (px < 13 ? 1 : 3)) {
        for (const Row& r : rows) {
            HFONT f = Make(r.face, -px, r.weight, r.underline);
            HGDIOBJ old = SelectObject(dc, f);
            std::string label = std::to_string(px) + "px " + r.face + (r.weight >= FW_BOLD ? " bold" : "") +
                                (r.underline ? " underline" : "");
            SetTextColor(dc, RGB(120, 120, 120));
            TextOut(dc, 6, y, label.c_str(), int(label.size()));
            SetTextColor(dc, RGB(0, 0, 0));
            TextOut(dc, 170, y, r.text, int(std::strlen(r.text)));
            TEXTMETRIC tm;
            GetTextMetrics(dc, &tm);
            y += tm.tmHeight + 2;
            SelectObject(dc, old);
            DeleteObject(f);
        }
        y += 4;
    }
    // A caption-like row: white on the classic caption blue, and a button with a prefix.
    RECT bar{0, y, 820, y + 20};
    HBRUSH blue = CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION));
    FillRect(dc, &bar, blue);
    DeleteObject(blue);
    HFONT cap = Make("宋体", -14, FW_BOLD);
    HGDIOBJ old = SelectObject(dc, cap);
    SetTextColor(dc, RGB(255, 255, 255));
    DrawText(dc, "IIS 日志蜘蛛统计工具 - Crawler hits", -1, &bar, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SelectObject(dc, old);
    DeleteObject(cap);
    y += 26;
    RECT button{6, y, 126, y + 24};
    FillRect(dc, &button, reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_BTNFACE + 1)));
    HFONT ui = Make("MS Sans Serif", -11, FW_NORMAL);
    old = SelectObject(dc, ui);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawText(dc, "&Analyse 分析", -1, &button, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    RECT para{140, y, 460, y + 80};
    DrawText(dc,
             "Word breaking keeps whole words together and wraps at the right edge; "
             "中文文本可以在任意两个汉字之间换行。",
             -1, &para, DT_WORDBREAK);
    RECT ell{480, y, 640, y + 16};
    DrawText(dc, "A very long file name that will not fit.log", -1, &ell, DT_SINGLELINE | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    DeleteObject(ui);
    DeleteDC(dc);
    gfx::SaveBmpFile(argv[1], sheet, 24);
    std::printf("%s: %d x %d, %llu glyphs rasterised\n", argv[1], sheet.Width(), sheet.Height(),
                static_cast<unsigned long long>(gfx::FontEngine::Get().RasterisedGlyphs()));
    return 0;
}
