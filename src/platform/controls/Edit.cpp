#include "platform/controls/Edit.h"

#include "platform/controls/CodePoints.h"
#include "platform/controls/ControlUtil.h"
#include "platform/controls/TextEditModel.h"
#include "platform/gfx/Utf8.h"

#include <algorithm>
#include <cstring>

namespace controls {

namespace {

constexpr int kWheelLines = 3;

struct EditState {
    HWND hwnd = nullptr;
    DWORD style = 0;
    TextEditModel model;
    HFONT font = nullptr;
    bool focused = false;
    bool selecting = false;
    int leftMargin = 1;
    int rightMargin = 1;
    bool customRect = false;
    RECT formatRect{};
    int firstLine = 0;
    int xOffset = 0;
    int lineHeight = 16;
    int maxLineWidth = 0;
    char32_t passwordChar = 0;

    explicit EditState(bool multiLine) : model(multiLine) {}
};

EditState* State(HWND hwnd) { return StateOf<EditState>(hwnd); }

bool MultiLine(EditState* s) { return s->style & ES_MULTILINE; }
bool ReadOnly(EditState* s) { return s->style & ES_READONLY; }

// ---- measuring: a DC with the edit's font for the duration of a call

class Measure {
public:
    explicit Measure(EditState* s) : hwnd_(s->hwnd), dc_(GetDC(s->hwnd)) {
        if (dc_) old_ = SelectObject(dc_, s->font ? s->font : DefaultControlFont());
    }
    ~Measure() {
        if (!dc_) return;
        SelectObject(dc_, old_);
        ReleaseDC(hwnd_, dc_);
    }
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;
    HDC dc() const { return dc_; }
    int Width(std::u32string_view text) const {
        if (!dc_) return static_cast<int>(text.size()) * 7;
        return gfx::RunWidth(gfx::CurrentFont(*dc_), std::span<const char32_t>(text.data(), text.size()));
    }

private:
    HWND hwnd_;
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

std::u32string Shown(EditState* s, std::u32string text) {
    if (s->passwordChar) std::fill(text.begin(), text.end(), s->passwordChar);
    return text;
}

// x of every code point boundary of a line, from 0.
std::vector<int> Boundaries(EditState* s, const Measure& m, const std::u32string& line) {
    std::vector<int> xs(line.size() + 1, 0);
    std::u32string shown = Shown(s, line);
    for (size_t i = 0; i < shown.size(); ++i)
        xs[i + 1] = xs[i] + m.Width(std::u32string_view(&shown[i], 1));
    return xs;
}

RECT TextRect(EditState* s) {
    if (s->customRect) return s->formatRect;
    RECT r{};
    GetClientRect(s->hwnd, &r);
    r.left += s->leftMargin;
    r.right = std::max(r.left, r.right - s->rightMargin);
    return r;
}

int VisibleLines(EditState* s) {
    RECT r = TextRect(s);
    return std::max((r.bottom - r.top) / std::max(s->lineHeight, 1), 1);
}

void MeasureLines(EditState* s) {
    Measure m(s);
    s->maxLineWidth = 0;
    if (!MultiLine(s)) return;
    for (int i = 0; i < s->model.LineCount(); ++i)
        s->maxLineWidth = std::max(s->maxLineWidth, m.Width(Shown(s, s->model.LineText(i))));
}

void PublishScrollState(EditState* s) {
    if (!MultiLine(s)) return;
    RECT r = TextRect(s);
    PublishScroll(s->hwnd, SB_VERT,
                  {0, std::max(s->model.LineCount() - 1, 0), VisibleLines(s), s->firstLine});
    PublishScroll(s->hwnd, SB_HORZ, {0, std::max(s->maxLineWidth - 1, 0), r.right - r.left, s->xOffset});
}

POINT CaretPoint(EditState* s, size_t pos) {
    Measure m(s);
    int line = s->model.LineFromChar(pos);
    size_t start = static_cast<size_t>(s->model.LineIndex(line));
    std::u32string text = Shown(s, s->model.LineText(line).substr(0, pos - start));
    RECT r = TextRect(s);
    return {r.left - s->xOffset + m.Width(text), r.top + (line - s->firstLine) * s->lineHeight};
}

size_t CharFromPoint(EditState* s, POINT pt) {
    RECT r = TextRect(s);
    int line = MultiLine(s) ? s->firstLine + (pt.y - r.top) / std::max(s->lineHeight, 1) : 0;
    if (pt.y < r.top && MultiLine(s)) line = s->firstLine - 1;
    line = std::clamp(line, 0, s->model.LineCount() - 1);
    Measure m(s);
    std::u32string text = s->model.LineText(line);
    std::vector<int> xs = Boundaries(s, m, text);
    int x = pt.x - r.left + s->xOffset;
    size_t best = 0;
    // The nearest boundary, so a click on a glyph's right half puts the caret after it.
    for (size_t i = 0; i < xs.size(); ++i)
        if (std::abs(xs[i] - x) < std::abs(xs[best] - x)) best = i;
    return static_cast<size_t>(s->model.LineIndex(line)) + best;
}

void PlaceCaret(EditState* s) {
    if (!s->focused) return;
    POINT p = CaretPoint(s, s->model.Caret());
    SetCaretPos(p.x, p.y);
}

// Scrolls as needed to keep the caret in the formatting rectangle.
bool ScrollToCaret(EditState* s) {
    RECT r = TextRect(s);
    int width = std::max(r.right - r.left, 1);
    bool moved = false;
    int line = s->model.LineFromChar(s->model.Caret());
    if (MultiLine(s)) {
        int visible = VisibleLines(s);
        int first = s->firstLine;
        if (line < first) first = line;
        else if (line >= first + visible) first = line - visible + 1;
        if (first != s->firstLine) {
            s->firstLine = first;
            moved = true;
        }
    }
    POINT p = CaretPoint(s, s->model.Caret());
    int x = p.x - r.left + s->xOffset; // caret x in text coordinates
    int offset = s->xOffset;
    if (x < offset) offset = std::max(x - width / 4, 0);
    else if (x >= offset + width) offset = x - width * 3 / 4;
    if (offset != s->xOffset) {
        s->xOffset = offset;
        moved = true;
    }
    return moved;
}

void Refresh(EditState* s) {
    ScrollToCaret(s);
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
    PlaceCaret(s);
}

// After the text changed: repaint, then EN_UPDATE and EN_CHANGE to the parent.
void TextChanged(EditState* s) {
    MeasureLines(s);
    Refresh(s);
    SendCommand(s->hwnd, EN_UPDATE);
    if (IsWindow(s->hwnd)) SendCommand(s->hwnd, EN_CHANGE);
}

// ---- editing commands

void Copy(EditState* s) {
    if (!s->model.HasSelection() || s->passwordChar) return;
    if (!OpenClipboard(s->hwnd)) return;
    EmptyClipboard();
    SetClipboardData(CF_TEXT, EncodeUtf8(s->model.SelectedText()));
    CloseClipboard();
}

bool Replace(EditState* s, std::u32string_view text, bool canUndo) {
    size_t before = s->model.Length() - (s->model.SelEnd() - s->model.SelStart());
    bool changed = s->model.ReplaceSelection(text, canUndo);
    if (s->model.Length() - before < text.size()) SendCommand(s->hwnd, EN_MAXTEXT);
    if (changed && IsWindow(s->hwnd)) TextChanged(s);
    return changed;
}

void Clear(EditState* s) {
    if (ReadOnly(s) || !s->model.HasSelection()) return;
    Replace(s, U"", true);
}

void Cut(EditState* s) {
    if (ReadOnly(s)) return;
    Copy(s);
    Clear(s);
}

void Paste(EditState* s) {
    if (ReadOnly(s)) return;
    if (!OpenClipboard(s->hwnd)) return;
    auto text = GetClipboardData(CF_TEXT);
    CloseClipboard();
    if (text) Replace(s, DecodeUtf8(*text), true);
}

void UndoEdit(EditState* s) {
    if (ReadOnly(s) || !s->model.Undo()) return;
    TextChanged(s);
}

// ---- input

bool Shift() { return GetKeyState(VK_SHIFT) < 0; }
bool Control() { return GetKeyState(VK_CONTROL) < 0; }

void Move(EditState* s, CaretMotion motion) {
    s->model.MoveCaret(motion, Shift());
    Refresh(s);
}

void MoveLines(EditState* s, int lines) {
    bool extend = Shift();
    CaretMotion m = lines < 0 ? CaretMotion::LineUp : CaretMotion::LineDown;
    for (int i = 0; i < std::abs(lines); ++i)
        s->model.MoveCaret(m, extend);
    Refresh(s);
}

void OnKeyDown(EditState* s, WPARAM vk) {
    bool ctrl = Control();
    switch (vk) {
    case VK_LEFT: Move(s, ctrl ? CaretMotion::WordLeft : CaretMotion::Left); break;
    case VK_RIGHT: Move(s, ctrl ? CaretMotion::WordRight : CaretMotion::Right); break;
    case VK_HOME: Move(s, ctrl ? CaretMotion::DocStart : CaretMotion::LineStart); break;
    case VK_END: Move(s, ctrl ? CaretMotion::DocEnd : CaretMotion::LineEnd); break;
    case VK_UP:
        if (MultiLine(s)) MoveLines(s, -1);
        break;
    case VK_DOWN:
        if (MultiLine(s)) MoveLines(s, 1);
        break;
    case VK_PRIOR:
        if (MultiLine(s)) MoveLines(s, -VisibleLines(s));
        break;
    case VK_NEXT:
        if (MultiLine(s)) MoveLines(s, VisibleLines(s));
        break;
    case VK_DELETE:
        if (ReadOnly(s)) break;
        if (Shift()) Cut(s);
        else if (s->model.DeleteForward()) TextChanged(s);
        break;
    case VK_INSERT:
        if (ctrl) Copy(s);
        else if (Shift()) Paste(s);
        break;
    default: break;
    }
}

void OnChar(EditState* s, WPARAM wParam) {
    auto c = static_cast<char32_t>(wParam);
    switch (c) {
    case 1: // Ctrl+A
        s->model.SelectAll();
        Refresh(s);
        return;
    case 3: Copy(s); return;
    case 0x16: Paste(s); return;
    case 0x18: Cut(s); return;
    case 0x1A: UndoEdit(s); return;
    default: break;
    }
    if (ReadOnly(s)) return;
    if (c == 8) {
        if (s->model.Backspace()) TextChanged(s);
        return;
    }
    if (c == 0x7F) { // Ctrl+Backspace
        if (s->model.DeleteWordBack()) TextChanged(s);
        return;
    }
    if (c == '\r' || c == '\n') {
        if (!MultiLine(s)) return;
        c = '\n';
    } else if (c == '\t') {
        if (!MultiLine(s)) return;
    } else if (c < 0x20 || c == 0x7F) {
        return;
    }
    size_t before = s->model.Length();
    bool hadSelection = s->model.HasSelection();
    if (s->model.TypeChar(c)) TextChanged(s);
    else if (!hadSelection && s->model.Length() == before) SendCommand(s->hwnd, EN_MAXTEXT);
}

void OnButtonDown(EditState* s, POINT pt) {
    if (GetFocus() != s->hwnd) SetFocus(s->hwnd);
    if (!IsWindow(s->hwnd)) return;
    size_t pos = CharFromPoint(s, pt);
    if (Shift())
        s->model.SetSelection(static_cast<long>(s->model.SelStart() == s->model.Caret()
                                                    ? s->model.SelEnd()
                                                    : s->model.SelStart()),
                              static_cast<long>(pos));
    else s->model.SetSelection(static_cast<long>(pos), static_cast<long>(pos));
    s->selecting = true;
    SetCapture(s->hwnd);
    Refresh(s);
}

void OnMouseMove(EditState* s, POINT pt) {
    if (!s->selecting) return;
    size_t anchor = s->model.Caret() == s->model.SelEnd() ? s->model.SelStart() : s->model.SelEnd();
    s->model.SetSelection(static_cast<long>(anchor), static_cast<long>(CharFromPoint(s, pt)));
    Refresh(s);
}

void OnButtonUp(EditState* s) {
    if (!s->selecting) return;
    s->selecting = false;
    ReleaseCapture();
}

void OnDoubleClick(EditState* s, POINT pt) {
    size_t pos = CharFromPoint(s, pt);
    s->model.SetSelection(static_cast<long>(pos), static_cast<long>(pos));
    s->model.MoveCaret(CaretMotion::WordLeft, false);
    size_t start = s->model.Caret();
    s->model.SetSelection(static_cast<long>(pos), static_cast<long>(pos));
    s->model.MoveCaret(CaretMotion::WordRight, false);
    s->model.SetSelection(static_cast<long>(start), static_cast<long>(s->model.Caret()));
    Refresh(s);
}

void OnFocus(EditState* s, bool focused) {
    s->focused = focused;
    if (focused) {
        CreateCaret(s->hwnd, nullptr, 1, s->lineHeight);
        PlaceCaret(s);
        ShowCaret(s->hwnd);
    } else {
        DestroyCaret();
    }
    InvalidateRect(s->hwnd, nullptr, TRUE);
    SendCommand(s->hwnd, focused ? EN_SETFOCUS : EN_KILLFOCUS);
}

// ---- scrolling

bool ScrollBy(EditState* s, int lines, int pixels) {
    if (!MultiLine(s)) return false;
    RECT r = TextRect(s);
    int maxFirst = std::max(s->model.LineCount() - VisibleLines(s), 0);
    int maxX = std::max(s->maxLineWidth - (r.right - r.left), 0);
    int first = std::clamp(s->firstLine + lines, 0, maxFirst);
    int x = std::clamp(s->xOffset + pixels, 0, maxX);
    if (first == s->firstLine && x == s->xOffset) return false;
    s->firstLine = first;
    s->xOffset = x;
    PublishScrollState(s);
    InvalidateRect(s->hwnd, nullptr, TRUE);
    PlaceCaret(s);
    return true;
}

void OnVScroll(EditState* s, WPARAM wParam) {
    ScrollState v{0, std::max(s->model.LineCount() - 1, 0), VisibleLines(s), s->firstLine};
    int target = ScrollTarget(wParam, s->firstLine, 1, VisibleLines(s), v);
    if (ScrollBy(s, target - s->firstLine, 0)) SendCommand(s->hwnd, EN_VSCROLL);
}

void OnHScroll(EditState* s, WPARAM wParam) {
    RECT r = TextRect(s);
    int width = r.right - r.left;
    ScrollState h{0, std::max(s->maxLineWidth - 1, 0), width, s->xOffset};
    int target = ScrollTarget(wParam, s->xOffset, std::max(s->lineHeight / 2, 1), width, h);
    if (ScrollBy(s, 0, target - s->xOffset)) SendCommand(s->hwnd, EN_HSCROLL);
}

// ---- painting

void PaintLine(EditState* s, HDC dc, const Measure& m, int line, const RECT& r, COLORREF text) {
    std::u32string chars = s->model.LineText(line);
    std::u32string shown = Shown(s, chars);
    std::vector<int> xs = Boundaries(s, m, chars);
    int y = r.top + (line - s->firstLine) * s->lineHeight;
    int x0 = r.left - s->xOffset;
    auto& font = gfx::CurrentFont(*dc);
    size_t start = static_cast<size_t>(s->model.LineIndex(line));
    size_t selA = std::clamp(s->model.SelStart(), start, start + chars.size()) - start;
    size_t selB = std::clamp(s->model.SelEnd(), start, start + chars.size()) - start;
    bool showSel = (s->focused || (s->style & ES_NOHIDESEL)) && selA < selB;
    SetTextColor(dc, text);
    gfx::DrawTextRun(*dc, font, x0, y, std::span<const char32_t>(shown.data(), shown.size()), nullptr, &r);
    if (!showSel) return;
    RECT sel{x0 + xs[selA], y, x0 + xs[selB], y + s->lineHeight};
    sel = IntersectRect(sel, r);
    FillSolid(dc, sel, GetSysColor(COLOR_HIGHLIGHT));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    gfx::DrawTextRun(*dc, font, x0 + xs[selA], y, std::span<const char32_t>(shown.data() + selA, selB - selA),
                     nullptr, &sel);
}

void Paint(EditState* s, HDC dc) {
    RECT client{};
    GetClientRect(s->hwnd, &client);
    HGDIOBJ oldFont = SelectObject(dc, s->font ? s->font : DefaultControlFont());
    bool enabled = IsWindowEnabled(s->hwnd);
    // The parent chooses colours and the background brush, as with WM_CTLCOLOREDIT on
    // Windows; a read-only or disabled edit asks with WM_CTLCOLORSTATIC.
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(ReadOnly(s) || !enabled ? COLOR_BTNFACE : COLOR_WINDOW));
    SetBkMode(dc, OPAQUE);
    HBRUSH brush = nullptr;
    if (HWND parent = GetParent(s->hwnd))
        brush = reinterpret_cast<HBRUSH>(
            SendMessage(parent, ReadOnly(s) || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                        reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(s->hwnd)));
    if (!IsWindow(s->hwnd)) return;
    if (brush) FillRect(dc, &client, brush);
    else FillSolid(dc, client, GetBkColor(dc));
    COLORREF text = GetTextColor(dc);
    Measure m(s);
    RECT r = TextRect(s);
    int last = std::min(s->model.LineCount() - 1, s->firstLine + VisibleLines(s));
    for (int line = s->firstLine; line <= last; ++line)
        PaintLine(s, dc, m, line, r, text);
    SelectObject(dc, oldFont);
}

LRESULT OnPaint(EditState* s, HDC given) {
    if (s->focused) HideCaret(s->hwnd);
    if (given) {
        Paint(s, given);
    } else {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(s->hwnd, &ps);
        if (dc) Paint(s, dc);
        EndPaint(s->hwnd, &ps);
    }
    if (IsWindow(s->hwnd) && s->focused) ShowCaret(s->hwnd);
    return 0;
}

// ---- messages

LRESULT GetText(EditState* s, WPARAM size, char* out) {
    if (!out || size == 0) return 0;
    std::string text = s->model.Text();
    size_t n = gfx::Utf8Boundary(text, static_cast<size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT SetText(EditState* s, LPARAM text) {
    s->model.SetText(text ? reinterpret_cast<const char*>(text) : "");
    s->firstLine = 0;
    s->xOffset = 0;
    TextChanged(s);
    return TRUE;
}

int LineArg(EditState* s, WPARAM wParam) {
    auto line = static_cast<std::intptr_t>(wParam);
    return line < 0 ? s->model.LineFromChar(s->model.Caret()) : static_cast<int>(line);
}

LRESULT GetLine(EditState* s, int line, LPARAM buffer) {
    if (!buffer || line < 0 || line >= s->model.LineCount()) return 0;
    char* out = reinterpret_cast<char*>(buffer);
    WORD size = 0;
    std::memcpy(&size, out, sizeof(WORD));
    std::string text = EncodeUtf8(s->model.LineText(line));
    size_t n = gfx::Utf8Boundary(text, static_cast<size_t>(size));
    std::memcpy(out, text.data(), n); // no terminating NUL, as on Windows
    return static_cast<LRESULT>(n);
}

LRESULT GetSel(EditState* s, WPARAM start, LPARAM end) {
    if (start) *reinterpret_cast<DWORD*>(start) = static_cast<DWORD>(s->model.SelStart());
    if (end) *reinterpret_cast<DWORD*>(end) = static_cast<DWORD>(s->model.SelEnd());
    auto clip = [](size_t v) { return static_cast<WORD>(std::min<size_t>(v, 0xFFFF)); };
    return MAKELONG(clip(s->model.SelStart()), clip(s->model.SelEnd()));
}

LRESULT SetMargins(EditState* s, WPARAM which, LPARAM value) {
    if (which & EC_LEFTMARGIN) s->leftMargin = LOWORD(static_cast<DWORD>(value));
    if (which & EC_RIGHTMARGIN) s->rightMargin = HIWORD(static_cast<DWORD>(value));
    s->customRect = false;
    Refresh(s);
    return 0;
}

LRESULT SetRect(EditState* s, LPARAM rect, bool redraw) {
    if (rect) {
        s->formatRect = *reinterpret_cast<const RECT*>(rect);
        s->customRect = true;
    } else {
        s->customRect = false;
    }
    ScrollToCaret(s);
    PublishScrollState(s);
    if (redraw) InvalidateRect(s->hwnd, nullptr, TRUE);
    return 0;
}

LRESULT LineScroll(EditState* s, WPARAM chars, LPARAM lines) {
    if (!MultiLine(s)) return FALSE;
    Measure m(s);
    int charWidth = std::max(m.Width(U"x"), 1);
    ScrollBy(s, static_cast<int>(lines), static_cast<int>(static_cast<std::intptr_t>(chars)) * charWidth);
    return TRUE;
}

LRESULT PosFromChar(EditState* s, WPARAM pos) {
    if (pos > s->model.Length()) return -1;
    POINT p = CaretPoint(s, pos);
    return MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

LRESULT CharFromPos(EditState* s, LPARAM lParam) {
    size_t pos = CharFromPoint(s, PointFromLParam(lParam));
    return MAKELONG(static_cast<WORD>(std::min<size_t>(pos, 0xFFFF)),
                    static_cast<WORD>(s->model.LineFromChar(pos)));
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCT* cs) {
    DWORD style = cs ? static_cast<DWORD>(cs->style) : 0;
    auto* s = new EditState(style & ES_MULTILINE);
    s->hwnd = hwnd;
    s->style = style;
    if (style & ES_PASSWORD) s->passwordChar = '*';
    AttachState(hwnd, s);
    s->lineHeight = FontHeight(hwnd, nullptr);
    if (cs && cs->lpszName) s->model.SetText(cs->lpszName);
    MeasureLines(s);
    PublishScrollState(s);
    return 0;
}

LRESULT OnSetFont(EditState* s, WPARAM font, LPARAM redraw) {
    s->font = reinterpret_cast<HFONT>(font);
    s->lineHeight = FontHeight(s->hwnd, s->font);
    MeasureLines(s);
    if (s->focused) {
        CreateCaret(s->hwnd, nullptr, 1, s->lineHeight);
        ShowCaret(s->hwnd);
    }
    ScrollToCaret(s);
    PublishScrollState(s);
    if (redraw) InvalidateRect(s->hwnd, nullptr, TRUE);
    PlaceCaret(s);
    return 0;
}

LRESULT OnSetReadOnly(EditState* s, bool readOnly) {
    DWORD style = static_cast<DWORD>(GetWindowLongPtr(s->hwnd, GWL_STYLE));
    style = readOnly ? (style | ES_READONLY) : (style & ~ES_READONLY);
    SetWindowLongPtr(s->hwnd, GWL_STYLE, static_cast<LONG_PTR>(style));
    s->style = style;
    InvalidateRect(s->hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT DlgCode(EditState* s) {
    LRESULT code = kDlgcWantChars | kDlgcHasSetSel | kDlgcWantArrows;
    if (MultiLine(s)) code |= kDlgcWantAllKeys;
    return code;
}

} // namespace

LRESULT EditWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) return OnCreate(hwnd, reinterpret_cast<const CREATESTRUCT*>(lParam));
    EditState* s = State(hwnd);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY:
        if (s->focused) DestroyCaret();
        AttachState<EditState>(hwnd, nullptr);
        delete s;
        return 0;
    case WM_SIZE: Refresh(s); return 0;
    case WM_STYLECHANGED: s->style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)); return 0;
    case WM_SETFONT: return OnSetFont(s, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s->font);
    case WM_GETTEXT: return GetText(s, wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s->model.Text().size());
    case WM_SETTEXT:
        DefWindowProc(hwnd, msg, wParam, lParam); // keeps the window's own title in step
        return SetText(s, lParam);
    case WM_PAINT:
    case WM_PRINTCLIENT: return OnPaint(s, reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND: return 1; // WM_PAINT fills through the parent's brush
    case WM_SETFOCUS: OnFocus(s, true); return 0;
    case WM_KILLFOCUS: OnFocus(s, false); return 0;
    case WM_GETDLGCODE: return DlgCode(s);
    case WM_KEYDOWN: OnKeyDown(s, wParam); return 0;
    case WM_CHAR: OnChar(s, wParam); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(s, PointFromLParam(lParam)); return 0;
    case WM_MOUSEMOVE: OnMouseMove(s, PointFromLParam(lParam)); return 0;
    case WM_LBUTTONUP: OnButtonUp(s); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(s, PointFromLParam(lParam)); return 0;
    case WM_CAPTURECHANGED: s->selecting = false; return 0;
    case WM_VSCROLL: OnVScroll(s, wParam); return 0;
    case WM_HSCROLL: OnHScroll(s, wParam); return 0;
    case WM_MOUSEWHEEL:
        ScrollBy(s, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -kWheelLines : kWheelLines, 0);
        return 0;
    case WM_CUT: Cut(s); return 0;
    case WM_COPY: Copy(s); return 0;
    case WM_PASTE: Paste(s); return 0;
    case WM_CLEAR: Clear(s); return 0;
    case WM_UNDO:
    case EM_UNDO: {
        bool could = s->model.CanUndo() && !ReadOnly(s);
        UndoEdit(s);
        return could;
    }

    case EM_GETSEL: return GetSel(s, wParam, lParam);
    case EM_SETSEL:
        s->model.SetSelection(static_cast<long>(static_cast<std::intptr_t>(wParam)),
                              static_cast<long>(lParam));
        Refresh(s);
        return 0;
    case EM_REPLACESEL:
        Replace(s, DecodeUtf8(lParam ? reinterpret_cast<const char*>(lParam) : ""), wParam != 0);
        return 0;
    case EM_LIMITTEXT: s->model.SetLimit(static_cast<size_t>(wParam)); return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(s->model.Limit());
    case EM_CANUNDO: return s->model.CanUndo();
    case EM_EMPTYUNDOBUFFER: s->model.EmptyUndo(); return 0;
    case EM_GETMODIFY: return s->model.Modified();
    case EM_SETMODIFY: s->model.SetModified(wParam != 0); return 0;
    case EM_SETREADONLY: return OnSetReadOnly(s, wParam != 0);
    case EM_GETLINECOUNT: return s->model.LineCount();
    case EM_LINEINDEX: return s->model.LineIndex(LineArg(s, wParam));
    case EM_LINELENGTH: {
        auto pos = static_cast<std::intptr_t>(wParam);
        int line = pos < 0 ? s->model.LineFromChar(s->model.Caret())
                           : s->model.LineFromChar(static_cast<size_t>(pos));
        return s->model.LineLength(line);
    }
    case EM_GETLINE: return GetLine(s, static_cast<int>(wParam), lParam);
    case EM_LINEFROMCHAR: {
        auto pos = static_cast<std::intptr_t>(wParam);
        return s->model.LineFromChar(pos < 0 ? s->model.Caret() : static_cast<size_t>(pos));
    }
    case EM_LINESCROLL: return LineScroll(s, wParam, lParam);
    case EM_SCROLLCARET:
        if (ScrollToCaret(s)) {
            PublishScrollState(s);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return TRUE;
    case EM_GETFIRSTVISIBLELINE: return MultiLine(s) ? s->firstLine : 0;
    case EM_SETMARGINS: return SetMargins(s, wParam, lParam);
    case EM_GETMARGINS: return MAKELONG(static_cast<WORD>(s->leftMargin), static_cast<WORD>(s->rightMargin));
    case EM_GETRECT:
        if (lParam) *reinterpret_cast<RECT*>(lParam) = TextRect(s);
        return 0;
    case EM_SETRECT: return SetRect(s, lParam, true);
    case EM_SETRECTNP: return SetRect(s, lParam, false);
    case EM_SETPASSWORDCHAR:
        s->passwordChar = static_cast<char32_t>(wParam);
        MeasureLines(s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case EM_POSFROMCHAR: return PosFromChar(s, wParam);
    case EM_CHARFROMPOS: return CharFromPos(s, lParam);
    default: break;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

void RegisterEditClass() { RegisterControlClass(WC_EDIT, EditWndProc, IDC_IBEAM); }

} // namespace controls
