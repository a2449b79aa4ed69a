// One open level of a skinned menu: its window, items, size and place, painting (skinned and
// built-in), scroll markers, the mouse (polled every 50 ms as well as followed by messages),
// selection, and the opacity fade.
#include "skin/form/qvPictureBlit.h"
#include "skin/form/qvSkinMenus.h"

#include "framework/Canvas.h"
#include "framework/Graphic.h"
#include "framework/ImageList.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/GdiBitmap.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/User.h"
#include "skin/data/qvEffects.h"
#include "skin/data/qvUtils.h"

#include <algorithm>

namespace qv {

namespace {

constexpr const char* kClassName = "TqvSkinPopupWindow";
// Selected items of the built-in look: a navy frame around a light steel-blue fill.
constexpr COLORREF kBuiltInHotFrame = RGB(0, 0, 128);
constexpr COLORREF kBuiltInHotFill = RGB(182, 189, 210);
constexpr int kBuiltInSeparatorHeight = 4;

void RegisterPopupClass(WNDPROC proc) {
    WNDCLASS wc{};
    if (GetClassInfo(nullptr, kClassName, &wc)) {
        return;
    }
    wc.style = CS_SAVEBITS | (IsWindowsXPOrLater() ? CS_DROPSHADOW : 0u);
    wc.lpfnWndProc = proc;
    wc.lpszClassName = kClassName;
    RegisterClass(&wc);
}

void Fill(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void FrameRect1(HDC dc, const RECT& r, COLORREF color) {
    Fill(dc, RECT{r.left, r.top, r.right, r.top + 1}, color);
    Fill(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, color);
    Fill(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, color);
    Fill(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, color);
}

// Copies src of picture onto dst of dc, stretched when the sizes differ.
// The small glyphs that stand for the window commands of the system and tray menus.
bool DrawCommandGlyph(HDC dc, const std::string& name, int x, int y, COLORREF color) {
    if (name == "VLT_CLOSE" || name == "TRAY_VLT_CLOSE") {
        DrawCloseGlyph(dc, x, y, color);
    } else if (name == "VLT_MINITEM") {
        DrawMinGlyph(dc, x, y, color);
    } else if (name == "VLT_MAXITEM") {
        DrawMaxGlyph(dc, x, y, color);
    } else if (name == "VLT_RESTORE" || name == "TRAY_VLT_RESTORE") {
        DrawRestoreGlyph(dc, x, y, color);
    } else if (name == "VLT_ROLLUP") {
        DrawRollUpGlyph(dc, x, y, color);
    } else if (name == "VLT_MINTOTRAY") {
        DrawTrayGlyph(dc, x, y, color);
    } else {
        return false;
    }
    return true;
}

// A round dot of 6 x 6 pixels with its top-left at (x, y).
void DrawRadioDot(HDC dc, int x, int y, COLORREF color) {
    Fill(dc, RECT{x + 1, y, x + 5, y + 6}, color);
    Fill(dc, RECT{x, y + 1, x + 6, y + 5}, color);
}

// The small right-pointing triangle of an item with a submenu, with its top-left at (x, y).
void DrawSubmenuTriangle(HDC dc, int x, int y, COLORREF color) {
    for (int i = 0; i < 4; ++i) {
        Fill(dc, RECT{x + i, y + i, x + i + 1, y + 7 - i}, color);
    }
}

std::string ItemText(const vcl::TMenuItem* item) {
    std::string text = item->Caption();
    if (item->ShortCut() != vcl::scNone) {
        text += "  " + vcl::ShortCutToText(item->ShortCut());
    }
    return text;
}

int TextWidth(HDC dc, const std::string& text) {
    RECT r{0, 0, 0, 0};
    DrawWideText(dc, text, r, DT_CALCRECT | DT_SINGLELINE);
    return WidthOfRect(r);
}

const vcl::TImageList* ImageListOf(const vcl::TComponent* images) {
    return dynamic_cast<const vcl::TImageList*>(images);
}

void ApplyMorph(TqvEffectBmp& a, const TqvEffectBmp& b, TqvMorphKind kind, double x) {
    switch (kind) {
    case mkDefault: a.MixWith(b, x); break;
    case mkGradient: a.CentreWipe(b, x); break;
    case mkLeftGradient: a.LeftWipe(b, x); break;
    case mkRightGradient: a.RightWipe(b, x); break;
    case mkLeftSlide: a.SlideFromLeft(b, x); break;
    case mkRightSlide: a.SlideFromRight(b, x); break;
    case mkPush: a.PushFromLeft(b, x); break;
    }
}

const TqvDataSkinMenuItem* FirstMenuItemRecord(const TqvSkinData* data) {
    if (data == nullptr || data->IsEmpty()) {
        return nullptr;
    }
    for (const auto& r : data->FormObjects) {
        if (auto* m = dynamic_cast<const TqvDataSkinMenuItem*>(r.get())) {
            return m;
        }
    }
    return nullptr;
}

} // namespace

// ---- TqvSkinMenuItem ----

TqvSkinMenuItem::TqvSkinMenuItem(TqvSkinPopupWindow* popup, vcl::TMenuItem* source)
    : Popup(popup), SourceItem(source) {
    ItemSkin = popup->ItemSkin;
    if (ItemSkin != nullptr && popup->Menu->SkinData != nullptr) {
        ItemPicture = popup->Menu->SkinData->ExtraPicture(ItemSkin->activepictureindex);
    }
}

bool TqvSkinMenuItem::IsHeader() const {
    const std::string& c = SourceItem->Caption();
    return !Enabled() && c.size() >= 2 && c.front() == '-' && c.back() == '-';
}

int TqvSkinMenuItem::Height() const {
    if (ItemSkin != nullptr) {
        return IsSeparator() ? HeightOfRect(ItemSkin->dividerrect) : HeightOfRect(ItemSkin->skinrect);
    }
    return IsSeparator() ? kBuiltInSeparatorHeight : Popup->Menu->ItemHeightDefault;
}

bool TqvSkinMenuItem::Morphs() const {
    const TqvSkinData* data = Popup->Menu->SkinData;
    return ItemSkin != nullptr && ItemSkin->morphing && !RectIsEmpty(ItemSkin->activeskinrect) &&
           data != nullptr && data->EnableSkinEffects();
}

bool TqvSkinMenuItem::Animates() const {
    const TqvSkinData* data = Popup->Menu->SkinData;
    return ItemSkin != nullptr && ItemSkin->framecount > 0 && !RectIsEmpty(ItemSkin->animateskinrect) &&
           data != nullptr && data->EnableSkinEffects();
}

void TqvSkinMenuItem::Draw(HDC dc) {
    if (!ItemVisible) {
        return;
    }
    const int w = WidthOfRect(ItemRect);
    const int h = HeightOfRect(ItemRect);
    if (w <= 0 || h <= 0) {
        return;
    }
    gfx::Bitmap image(w, h);
    gfx::DC mem(&image);
    HGDIOBJ oldFont = SelectObject(&mem, Popup->Font());
    SetBkMode(&mem, TRANSPARENT);
    if (ItemSkin != nullptr) {
        DrawSkinned(&mem, w, h);
    } else {
        DrawBuiltIn(&mem, w, h);
    }
    SelectObject(&mem, oldFont);
    BlitWhole(dc, ItemRect.left, ItemRect.top, image);
}

void TqvSkinMenuItem::DrawBuiltIn(HDC dc, int w, int h) {
    const int column = Popup->Images != nullptr ? Popup->ImageColumnWidth + 2 : 19;
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (Active() && !IsSeparator()) {
        Fill(dc, RECT{0, 0, w, h}, kBuiltInHotFill);
        FrameRect1(dc, RECT{0, 0, w, h}, kBuiltInHotFrame);
    } else {
        Fill(dc, RECT{0, 0, column, h}, GetSysColor(COLOR_BTNFACE));
        Fill(dc, RECT{column, 0, w, h}, GetSysColor(COLOR_WINDOW));
        if (!Enabled()) {
            text = GetSysColor(COLOR_BTNSHADOW);
        }
    }
    if (IsSeparator()) {
        Fill(dc, RECT{column, h / 2, w, h / 2 + 1}, GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    const std::string& caption = SourceItem->Caption();
    if (IsHeader()) {
        Fill(dc, RECT{0, 0, w, h}, GetSysColor(COLOR_BTNSHADOW));
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT r{0, 0, w, h};
        DrawWideText(dc, caption.substr(1, caption.size() - 2), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
        return;
    }
    SetTextColor(dc, text);
    RECT tr{2 + column, 2, w - 2 - 19, h - 2};
    DrawWideText(dc, caption, tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (SourceItem->ShortCut() != vcl::scNone) {
        RECT sr{2 + column, 2, w - 2 - 19, h - 2};
        DrawWideText(dc, vcl::ShortCutToText(SourceItem->ShortCut()), sr,
                     DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
    const int centre = h / 2;
    if (HasChildren()) {
        DrawSubmenuTriangle(dc, w - 2 - 7, centre - 4, text);
    }
    DrawGlyphOrImage(dc, 4, 0, column - 4, h, text, Active());
}

// The item's bitmap or image-list image in the place (x, y, cx, cy) (centred vertically; also
// horizontally when cx leaves room), else the command glyph by item name, else the check or
// radio mark of a checked item.
void TqvSkinMenuItem::DrawGlyphOrImage(HDC dc, int x, int y, int cx, int cy, COLORREF color, bool active) {
    const bool skinned = ItemSkin != nullptr;
    const int centreY = y + cy / 2;
    vcl::TBitmap* bitmap = SourceItem->Bitmap();
    const vcl::TImageList* images = ImageListOf(Popup->Images);
    const int index = SourceItem->ImageIndex();
    int iw = 0, ih = 0;
    if (bitmap != nullptr && bitmap->Width() > 0) {
        iw = bitmap->Width();
        ih = bitmap->Height();
    } else if (images != nullptr && index >= 0 && index < images->Count()) {
        iw = images->Width();
        ih = images->Height();
    }
    if (iw > 0) {
        const bool centredX = skinned && !RectIsEmpty(ItemSkin->imagerect);
        const int ix = centredX ? x + (cx - iw) / 2 : x;
        const int iy = centreY - ih / 2;
        vcl::TCanvas canvas;
        canvas.SetHandle(dc);
        if (bitmap != nullptr && bitmap->Width() > 0) {
            canvas.Draw(ix, iy, bitmap);
        } else {
            images->Draw(&canvas, ix, iy, index);
        }
        canvas.SetHandle(nullptr);
        if (SourceItem->Checked()) {
            FrameRect1(dc, RECT{ix - 1, iy - 1, ix + iw + 1, iy + ih + 1}, color);
        }
        return;
    }
    const bool centred = skinned && !RectIsEmpty(ItemSkin->imagerect);
    const int gx = centred ? x + cx / 2 - 4 : (skinned ? x : x + 1);
    const int gy = centreY - 4;
    if (DrawCommandGlyph(dc, SourceItem->Name(), gx, gy, color)) {
        return;
    }
    if (!SourceItem->Checked()) {
        return;
    }
    if (skinned && ItemPicture != nullptr) {
        const bool radio = SourceItem->RadioItem();
        RECT src = radio ? (active ? ItemSkin->activeradioimagerect : ItemSkin->radioimagerect)
                         : (active ? ItemSkin->activecheckimagerect : ItemSkin->checkimagerect);
        if (!RectIsEmpty(src)) {
            const int sw = WidthOfRect(src);
            const int sh = HeightOfRect(src);
            const int px = centred ? x + (cx - sw) / 2 : x;
            const int py = centreY - sh / 2;
            CopyPicture(dc, RECT{px, py, px + sw, py + sh}, *ItemPicture, src);
            return;
        }
    }
    if (SourceItem->RadioItem()) {
        DrawRadioDot(dc, gx + 1, gy + 1, color);
    } else {
        DrawCheckMark(dc, gx, gy, color);
    }
}

void TqvSkinMenuItem::DrawSkinBackground(HDC dc, int w, int h, bool active) {
    const TqvDataSkinMenuItem& s = *ItemSkin;
    const gfx::Bitmap& bg = Popup->Background;
    if (!active && s.inactivetransparent && !bg.Empty()) {
        CopyPicture(dc, RECT{0, 0, w, h}, bg, ItemRect);
        return;
    }
    if (ItemPicture == nullptr) {
        return;
    }
    auto compose = [&](const RECT& src, bool stretch) {
        gfx::Bitmap part(1, 1);
        ComposeHorzImage(*ItemPicture, src, s.itemleftoffset, s.itemrightoffset, w, stretch, part);
        return part;
    };
    if (Animates() && AnimFrame >= 1 && AnimFrame <= s.framecount) {
        // Frames are cut from the strip vertically when it is taller than the item, else side
        // by side.
        RECT a = s.animateskinrect;
        RECT f = a;
        if (HeightOfRect(a) > HeightOfRect(s.skinrect)) {
            const int fh = HeightOfRect(a) / s.framecount;
            f.top = a.top + (AnimFrame - 1) * fh;
            f.bottom = f.top + fh;
        } else {
            const int fw = WidthOfRect(a) / s.framecount;
            f.left = a.left + (AnimFrame - 1) * fw;
            f.right = f.left + fw;
        }
        gfx::Bitmap frame = compose(f, s.stretcheffect);
        CopyPicture(dc, RECT{0, 0, w, h}, frame, RECT{0, 0, frame.Width(), frame.Height()});
        return;
    }
    if (Morphs() && MorphFactor > 0 && MorphFactor < 1) {
        TqvEffectBmp a(compose(s.skinrect, s.inactivestretcheffect));
        TqvEffectBmp b(compose(s.activeskinrect, s.stretcheffect));
        ApplyMorph(a, b, s.morphkind, MorphFactor);
        a.DrawTo(dc, 0, 0);
        return;
    }
    const RECT src = active ? s.activeskinrect : s.skinrect;
    gfx::Bitmap part = compose(src, active ? s.stretcheffect : s.inactivestretcheffect);
    CopyPicture(dc, RECT{0, 0, w, h}, part, RECT{0, 0, part.Width(), part.Height()});
}

void TqvSkinMenuItem::DrawHeader(HDC dc, int w, int h) {
    // A header is drawn with the "menuheader" control skin, else "label"; without either it
    // stays empty.
    const TqvSkinData* data = Popup->Menu->SkinData;
    const TqvDataSkinLabelControl* label = nullptr;
    for (const char* name : {"menuheader", "label"}) {
        const int index = data != nullptr ? data->IndexOfControlSkin(name) : -1;
        if (index >= 0) {
            label =
                dynamic_cast<const TqvDataSkinLabelControl*>(data->ControlSkins[std::size_t(index)].get());
            break;
        }
    }
    if (label == nullptr) {
        return;
    }
    const gfx::Bitmap* picture = data->ExtraPicture(label->pictureindex);
    if (picture != nullptr && !RectIsEmpty(label->skinrect)) {
        const int left = std::max(0, int(label->lefttoppoint.x));
        const int right = std::max(0, WidthOfRect(label->skinrect) - int(label->righttoppoint.x));
        gfx::Bitmap part(1, 1);
        ComposeHorzImage(*picture, label->skinrect, left, right, w, label->stretcheffect, part);
        CopyPicture(dc, RECT{0, 0, w, h}, part, RECT{0, 0, part.Width(), part.Height()});
    }
    vcl::TFont font;
    font.SetName(label->font.name);
    font.SetHeight(label->font.height);
    font.SetStyle(label->font.style);
    HFONT hf = vcl::CreateFontHandle(font);
    HGDIOBJ old = SelectObject(dc, hf);
    SetTextColor(dc, vcl::ColorToRGB(label->font.color));
    const std::string& caption = SourceItem->Caption();
    RECT r{0, 0, w, h};
    DrawWideText(dc, caption.substr(1, caption.size() - 2), r,
                 DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(hf);
}

void TqvSkinMenuItem::DrawSkinned(HDC dc, int w, int h) {
    const TqvDataSkinMenuItem& s = *ItemSkin;
    if (IsSeparator()) {
        if (ItemPicture != nullptr) {
            gfx::Bitmap part(1, 1);
            ComposeHorzImage(*ItemPicture, s.dividerrect, s.dividerleftoffset, s.dividerrightoffset, w,
                             s.dividerstretcheffect, part);
            CopyPicture(dc, RECT{0, 0, w, h}, part, RECT{0, 0, part.Width(), part.Height()});
        }
        return;
    }
    if (IsHeader()) {
        DrawHeader(dc, w, h);
        return;
    }
    const bool active = Active();
    DrawSkinBackground(dc, w, h, active);
    const int imageColumn = !RectIsEmpty(s.imagerect)
                                ? 0
                                : (ImageListOf(Popup->Images) != nullptr ? ImageListOf(Popup->Images)->Width()
                                                                         : 16);
    RECT tr = s.textrect;
    tr.right = w + s.textrect.right - WidthOfRect(s.skinrect);
    COLORREF color = vcl::ColorToRGB(active      ? s.activefontcolor
                                     : Enabled() ? s.font.color
                                                 : s.unenabledfontcolor);
    SetTextColor(dc, color);
    RECT cr{tr.left + imageColumn, tr.top, tr.right - 16, tr.bottom};
    DrawWideText(dc, SourceItem->Caption(), cr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (SourceItem->ShortCut() != vcl::scNone) {
        RECT sr{tr.left + imageColumn, tr.top, tr.right - 16, tr.bottom};
        DrawWideText(dc, vcl::ShortCutToText(SourceItem->ShortCut()), sr,
                     DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
    const int centre = tr.top + HeightOfRect(tr) / 2;
    if (HasChildren()) {
        const RECT arrow = active && !RectIsEmpty(s.activearrowimagerect) ? s.activearrowimagerect
                                                                          : s.arrowimagerect;
        if (!RectIsEmpty(arrow) && ItemPicture != nullptr) {
            const int aw = WidthOfRect(arrow);
            const int ah = HeightOfRect(arrow);
            const RECT place{tr.right - aw - 5, tr.top, tr.right, tr.bottom};
            const int ax = place.left + (WidthOfRect(place) - aw) / 2;
            const int ay = place.top + (HeightOfRect(place) - ah) / 2;
            CopyPicture(dc, RECT{ax, ay, ax + aw, ay + ah}, *ItemPicture, arrow);
        } else {
            DrawSubmenuTriangle(dc, tr.right - 7, centre - 4, color);
        }
    }
    if (s.useimagecolor) {
        color = vcl::ColorToRGB(active ? s.activeimagecolor : s.imagecolor);
    }
    if (!RectIsEmpty(s.imagerect)) {
        DrawGlyphOrImage(dc, s.imagerect.left, s.imagerect.top, WidthOfRect(s.imagerect),
                         HeightOfRect(s.imagerect), color, active);
    } else {
        DrawGlyphOrImage(dc, tr.left + 2, tr.top, 16, HeightOfRect(tr), color, active);
    }
}

// ---- TqvSkinPopupWindow ----

TqvSkinPopupWindow::TqvSkinPopupWindow(TqvSkinMenu* menu, int level, const TqvDataSkinPopupWindow* windowSkin)
    : Menu(menu), level_(level) {
    TqvSkinData* data = menu->SkinData;
    if (windowSkin != nullptr && data != nullptr && windowSkin->windowpictureindex != -1) {
        PopupPicture = data->ExtraPicture(windowSkin->windowpictureindex);
        if (PopupPicture != nullptr && !PopupPicture->Empty()) {
            WindowSkin = windowSkin;
            PopupMask = data->ExtraPicture(windowSkin->maskpictureindex);
            if (PopupMask != nullptr && PopupMask->Empty()) {
                PopupMask = nullptr;
            }
        } else {
            PopupPicture = nullptr;
        }
    }
    ItemSkin = FirstMenuItemRecord(data);
    // An item record whose picture is missing would give items without height: the built-in
    // item look stands in for it.
    if (ItemSkin != nullptr &&
        (data->ExtraPicture(ItemSkin->activepictureindex) == nullptr || RectIsEmpty(ItemSkin->skinrect))) {
        ItemSkin = nullptr;
    }
}

TqvSkinPopupWindow::~TqvSkinPopupWindow() {
    if (handle_ != nullptr && IsWindow(handle_)) {
        HWND h = handle_;
        SetWindowLongPtr(h, GWLP_USERDATA, 0);
        handle_ = nullptr;
        DestroyWindow(h);
    }
    if (font_ != nullptr) {
        DeleteObject(font_);
    }
}

bool TqvSkinPopupWindow::SkinFont() const { return ItemSkin != nullptr && Menu->SkinFontInItems; }

void TqvSkinPopupWindow::Show(vcl::TMenuItem* parent, int startIndex, const RECT& anchor, bool submenu,
                              bool popupUp, bool firstLevel) {
    parent_ = parent;
    RegisterPopupClass(&TqvSkinPopupWindow::WndProc);
    vcl::TCustomForm* form = Menu->Form();
    HWND owner = form != nullptr && form->HandleAllocated() ? form->Handle() : nullptr;
    handle_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "", WS_POPUP, 0, 0, 1, 1, owner,
                             nullptr, nullptr, nullptr);
    if (handle_ == nullptr) {
        return;
    }
    SetWindowLongPtr(handle_, GWLP_USERDATA, LONG_PTR(this));

    // The font items are measured and drawn with.
    vcl::TFont font;
    if (SkinFont()) {
        font.SetName(ItemSkin->font.name);
        font.SetHeight(ItemSkin->font.height);
        font.SetStyle(ItemSkin->font.style);
    } else {
        font.Assign(Menu->ItemFontDefault());
    }
    font_ = vcl::CreateFontHandle(font);

    BuildItems(parent, startIndex);
    ComputeSize();
    UpdateGeometry();
    LayoutItems();
    const int itemsTop = ItemsArea.top;
    POINT pos = PlaceMenuPopup(anchor, Menu->MonitorWorkArea, width_, height_, submenu, Scrolling, popupUp,
                               itemsTop);
    ShowWindowAt(pos, firstLevel);
    lastCursor_ = POINT{-100000, -100000};
    SetTimer(handle_, kPollTimer, kPollInterval, nullptr);

    HotIndex = -1;
    for (auto& item : Items) {
        if (item->Selectable()) {
            item->OpenedHighlight = true;
            HotIndex = IndexOf(item.get());
            Select(item.get(), true);
            break;
        }
    }
}

void TqvSkinPopupWindow::BuildItems(vcl::TMenuItem* parent, int startIndex) {
    Items.clear();
    vcl::TMenu* menu = nullptr;
    for (vcl::TComponent* c = parent; c != nullptr; c = c->Owner()) {
        if ((menu = dynamic_cast<vcl::TMenu*>(c)) != nullptr) {
            break;
        }
    }
    Images = menu != nullptr ? menu->Images() : nullptr;
    for (int i = std::max(startIndex, 0); i < parent->Count(); ++i) {
        vcl::TMenuItem* item = parent->Items(i);
        if (item->Visible()) {
            Items.push_back(std::make_unique<TqvSkinMenuItem>(this, item));
        }
    }
}

void TqvSkinPopupWindow::ComputeSize() {
    FirstShown = 0;
    ShownCount = int(Items.size());
    Scrolling = false;
    limited_ = false;
    HDC dc = GetDC(handle_);
    HGDIOBJ oldFont = SelectObject(dc, font_);
    int widest = 0;
    for (auto& item : Items) {
        if (!item->IsSeparator()) {
            widest = std::max(widest, TextWidth(dc, ItemText(item->SourceItem)));
        }
    }
    SelectObject(dc, oldFont);
    ReleaseDC(handle_, dc);
    widest += 2;
    const vcl::TImageList* images = ImageListOf(Images);
    ImageColumnWidth = images != nullptr ? images->Width() + 5 : 19;
    const int a = widest + ImageColumnWidth + 19;
    if (WindowSkin != nullptr) {
        const RECT& ir = WindowSkin->itemsrect;
        int itemExtra = 10;
        if (ItemSkin != nullptr) {
            itemExtra = ItemSkin->textrect.left +
                        (WidthOfRect(ItemSkin->skinrect) - ItemSkin->textrect.right);
        }
        width_ = PopupPicture->Width() - WidthOfRect(ir) + a + itemExtra;
    } else {
        width_ = a + 10;
    }

    int sum = 0;
    for (auto& item : Items) {
        sum += item->Height();
    }
    const int normal = ItemSkin != nullptr ? HeightOfRect(ItemSkin->skinrect) : Menu->ItemHeightDefault;
    const int frame = WindowSkin != nullptr
                          ? PopupPicture->Height() + WindowSkin->itemsrect.top - WindowSkin->itemsrect.bottom
                          : 6;
    const int limit = Menu->MaxItemsInWindow;
    if (limit > 0 && limit < int(Items.size())) {
        // Room for the limit's items and the two scroll markers.
        height_ = normal * limit + frame + 20;
        limited_ = true;
        Scrolling = true;
    } else {
        height_ = sum + frame;
    }
    const int workHeight = HeightOfRect(Menu->MonitorWorkArea);
    if (workHeight > 0 && height_ > workHeight) {
        height_ = workHeight;
        Scrolling = true;
    }
}

void TqvSkinPopupWindow::UpdateGeometry() {
    if (WindowSkin == nullptr) {
        ItemsArea = RECT{2, 2, width_ - 2, height_ - 2};
        return;
    }
    const TqvSkinGeometry g{WindowSkin->lefttoppoint, WindowSkin->righttoppoint, WindowSkin->leftbottompoint,
                            WindowSkin->rightbottompoint, WindowSkin->itemsrect};
    const TqvSkinGeometry ng = AnchorSkinGeometry(g, PopupPicture->Width(), PopupPicture->Height(), width_,
                                                  height_);
    PopupLT = ng.LT;
    PopupRT = ng.RT;
    PopupLB = ng.LB;
    PopupRB = ng.RB;
    ItemsArea = ng.Cl;
}

void TqvSkinPopupWindow::UpdateRegion() {
    if (WindowSkin == nullptr || PopupMask == nullptr) {
        return;
    }
    const TqvSkinGeometry g{WindowSkin->lefttoppoint, WindowSkin->righttoppoint, WindowSkin->leftbottompoint,
                            WindowSkin->rightbottompoint, WindowSkin->itemsrect};
    const TqvSkinGeometry ng = AnchorSkinGeometry(g, PopupMask->Width(), PopupMask->Height(), width_,
                                                  height_);
    HRGN region = RegionFromSkinMask(*PopupMask, g, ng, width_);
    // The window owns the region it is given and frees the one it held.
    SetWindowRgn(handle_, region, TRUE);
    WindowRegion = region;
}

void TqvSkinPopupWindow::LayoutItems() {
    int y = ItemsArea.top + (Scrolling ? kMarkerHeight : 0);
    const int bottom = ItemsArea.bottom - (Scrolling ? kMarkerHeight : 0);
    ShownCount = 0;
    bool ended = false;
    for (int i = 0; i < int(Items.size()); ++i) {
        TqvSkinMenuItem& item = *Items[std::size_t(i)];
        if (i < FirstShown || ended) {
            item.ItemVisible = false;
            continue;
        }
        const int h = item.Height();
        item.ItemRect = RECT{ItemsArea.left, y, ItemsArea.right, y + h};
        if (y + h > bottom) {
            item.ItemVisible = false;
            ended = true;
            continue;
        }
        item.ItemVisible = true;
        ++ShownCount;
        y += h;
    }
}

int TqvSkinPopupWindow::LastStart() const {
    int y = ItemsArea.bottom - kMarkerHeight;
    int start = int(Items.size());
    for (int i = int(Items.size()) - 1; i >= 0; --i) {
        const int h = Items[std::size_t(i)]->Height();
        if (y - h < ItemsArea.top + kMarkerHeight) {
            break;
        }
        y -= h;
        start = i;
    }
    return std::min(start, std::max(int(Items.size()) - 1, 0));
}

bool TqvSkinPopupWindow::CanScrollDown() const { return FirstShown + ShownCount < int(Items.size()); }

RECT TqvSkinPopupWindow::UpperMarker() const {
    if (WindowSkin != nullptr) {
        return RECT{ItemsArea.left, ItemsArea.top, ItemsArea.right, ItemsArea.top + kMarkerHeight};
    }
    return RECT{3, 3, width_ - 3, 13};
}

RECT TqvSkinPopupWindow::LowerMarker() const {
    if (WindowSkin != nullptr) {
        return RECT{ItemsArea.left, ItemsArea.bottom - kMarkerHeight, ItemsArea.right, ItemsArea.bottom};
    }
    return RECT{3, height_ - 10, width_ - 3, height_ - 3};
}

int TqvSkinPopupWindow::IndexOf(const TqvSkinMenuItem* item) const {
    for (int i = 0; i < int(Items.size()); ++i) {
        if (Items[std::size_t(i)].get() == item) {
            return i;
        }
    }
    return -1;
}

int TqvSkinPopupWindow::ItemAt(POINT p) const {
    for (int i = 0; i < int(Items.size()); ++i) {
        const TqvSkinMenuItem& item = *Items[std::size_t(i)];
        if (item.ItemVisible && PtInRect(item.ItemRect, p)) {
            return i;
        }
    }
    return -1;
}

void TqvSkinPopupWindow::ShowWindowAt(POINT pos, bool firstLevel) {
    alpha_ = 255;
    if (Menu->AlphaBlend && IsWindows2000OrLater()) {
        const bool animate = Menu->AlphaBlendAnimation && firstLevel;
        SetWindowLongPtr(handle_, GWL_EXSTYLE,
                         GetWindowLongPtr(handle_, GWL_EXSTYLE) | LONG_PTR(WS_EX_LAYERED));
        fadeTarget_ = Menu->AlphaBlendValue;
        alpha_ = animate ? 0 : fadeTarget_;
        SetWindowAlpha(handle_, BYTE(alpha_));
        if (animate) {
            SetTimer(handle_, kFadeTimer, kFadeInterval, nullptr);
        }
    }
    SetWindowPos(handle_, HWND_TOPMOST, pos.x, pos.y, width_, height_, SWP_NOACTIVATE | SWP_NOZORDER);
    // The outline is given at the final size, before the window shows.
    UpdateRegion();
    SetWindowPos(handle_, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE);
    UpdateWindow(handle_);
}

void TqvSkinPopupWindow::Hide() {
    if (handle_ == nullptr) {
        return;
    }
    KillTimer(handle_, kPollTimer);
    KillTimer(handle_, kAnimTimer);
    KillTimer(handle_, kScrollTimer);
    KillTimer(handle_, kFadeTimer);
    if (IsWindow(handle_)) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
    }
}

// ---- painting ----

void TqvSkinPopupWindow::ComposeWindowImage(gfx::Bitmap& image) {
    if (WindowSkin != nullptr) {
        const TqvSkinGeometry g{WindowSkin->lefttoppoint, WindowSkin->righttoppoint,
                                WindowSkin->leftbottompoint, WindowSkin->rightbottompoint,
                                WindowSkin->itemsrect};
        TqvComposeFlags flags;
        flags.StretchTop = WindowSkin->topstretch;
        flags.StretchBottom = WindowSkin->bottomstretch;
        flags.StretchLeft = WindowSkin->leftstretch;
        flags.StretchRight = WindowSkin->rightstretch;
        flags.DrawCentre = true;
        flags.StretchCentre = WindowSkin->stretcheffect;
        flags.StretchType = int(WindowSkin->stretchtype);
        ComposeSkinImage(*PopupPicture, RECT{0, 0, PopupPicture->Width(), PopupPicture->Height()}, g, width_,
                         height_, flags, image);
        return;
    }
    gfx::DC dc(&image);
    const int column = Images != nullptr ? ImageColumnWidth + 2 : 21;
    Fill(&dc, RECT{0, 0, column, height_}, GetSysColor(COLOR_BTNFACE));
    Fill(&dc, RECT{column, 0, width_, height_}, GetSysColor(COLOR_WINDOW));
    FrameRect1(&dc, RECT{0, 0, width_, height_}, GetSysColor(COLOR_BTNSHADOW));
    FrameRect1(&dc, RECT{1, 1, width_ - 1, height_ - 1}, GetSysColor(COLOR_WINDOW));
}

void TqvSkinPopupWindow::FillItemBackground(HDC dc, const RECT& r) {
    if (RectIsEmpty(r)) {
        return;
    }
    if (ItemSkin == nullptr) {
        if (WindowSkin == nullptr) {
            Fill(dc, r, GetSysColor(COLOR_WINDOW));
        } else {
            // The window picture's own centre lies there already; leave it.
        }
        return;
    }
    if (ItemSkin->inactivetransparent && !Background.Empty()) {
        CopyPicture(dc, r, Background, r);
        return;
    }
    const gfx::Bitmap* picture = Menu->SkinData->ExtraPicture(ItemSkin->activepictureindex);
    if (picture == nullptr) {
        return;
    }
    gfx::Bitmap part(1, 1);
    ComposeHorzImage(*picture, ItemSkin->skinrect, ItemSkin->itemleftoffset, ItemSkin->itemrightoffset,
                     WidthOfRect(r), ItemSkin->inactivestretcheffect, part);
    CopyPicture(dc, r, part, RECT{0, 0, part.Width(), part.Height()});
}

void TqvSkinPopupWindow::DrawMarker(HDC dc, const RECT& r, bool up, bool active) {
    COLORREF color = 0;
    if (WindowSkin != nullptr) {
        FillItemBackground(dc, r);
        color = vcl::ColorToRGB(active ? WindowSkin->scrollmarkeractivecolor : WindowSkin->scrollmarkercolor);
    } else {
        Fill(dc, r, GetSysColor(COLOR_WINDOW));
        color = GetSysColor(active ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
    }
    DrawDirectionArrow(dc, r, up ? 3 : 4, color);
}

void TqvSkinPopupWindow::DrawScrollMarkers(HDC dc) {
    DrawMarker(dc, UpperMarker(), true, ScrollDirection == 1);
    DrawMarker(dc, LowerMarker(), false, ScrollDirection == 2);
}

void TqvSkinPopupWindow::PaintTo(HDC dc) {
    if (width_ <= 0 || height_ <= 0) {
        return;
    }
    gfx::Bitmap image(width_, height_, 0x00FFFFFF);
    ComposeWindowImage(image);
    if (ItemSkin != nullptr && ItemSkin->inactivetransparent) {
        Background = image;
    }
    gfx::DC mem(&image);
    int lastBottom = ItemsArea.top + (Scrolling ? kMarkerHeight : 0);
    for (auto& item : Items) {
        if (item->ItemVisible) {
            item->Draw(&mem);
            lastBottom = std::max<int>(lastBottom, item->ItemRect.bottom);
        }
    }
    if (Scrolling) {
        FillItemBackground(&mem, RECT{ItemsArea.left, lastBottom, ItemsArea.right, LowerMarker().top});
        DrawScrollMarkers(&mem);
    }
    BlitWhole(dc, 0, 0, image);
}

void TqvSkinPopupWindow::RedrawItem(TqvSkinMenuItem* item) {
    if (handle_ == nullptr || item == nullptr) {
        return;
    }
    if (item->Animates()) {
        SetTimer(handle_, kAnimTimer, UINT(std::max(ItemSkin->animateinterval, 1)), nullptr);
        return;
    }
    if (item->Morphs()) {
        SetTimer(handle_, kAnimTimer, kMorphInterval, nullptr);
        return;
    }
    HDC dc = GetDC(handle_);
    item->Draw(dc);
    ReleaseDC(handle_, dc);
}

void TqvSkinPopupWindow::RedrawMarkers() {
    if (handle_ == nullptr || !Scrolling) {
        return;
    }
    HDC dc = GetDC(handle_);
    DrawScrollMarkers(dc);
    ReleaseDC(handle_, dc);
}

// ---- selection ----

void TqvSkinPopupWindow::Select(TqvSkinMenuItem* item, bool byKeyboard) {
    item->Selected = true;
    if (item->Animates()) {
        item->AnimFrame = 0;
    }
    for (auto& other : Items) {
        if (other.get() != item && other->SubmenuOpen) {
            other->SubmenuOpen = false;
            RedrawItem(other.get());
        }
    }
    if (item->OpenedHighlight && !byKeyboard) {
        RedrawItem(item);
    } else if (item->SubmenuOpen) {
        Menu->CloseFrom(level_ + 2);
    } else {
        RedrawItem(item);
        Menu->ItemAction(this, item, byKeyboard, false);
    }
}

void TqvSkinPopupWindow::Deselect(TqvSkinMenuItem* item) {
    item->Selected = false;
    if (item->Animates()) {
        item->AnimFrame = ItemSkin->framecount + 1;
    }
    item->OpenedHighlight = false;
    if (!item->SubmenuOpen) {
        RedrawItem(item);
    }
    if (Menu->PendingItem == item) {
        Menu->SubmenuTimer()->SetEnabled(false);
        Menu->PendingItem = nullptr;
    }
}

void TqvSkinPopupWindow::EnsureVisible(int index) {
    if (!Scrolling) {
        return;
    }
    const int before = FirstShown;
    if (index < FirstShown) {
        FirstShown = index;
        LayoutItems();
    }
    while (!Items[std::size_t(index)]->ItemVisible && FirstShown < LastStart()) {
        ++FirstShown;
        LayoutItems();
    }
    if (FirstShown != before && handle_ != nullptr) {
        HDC dc = GetDC(handle_);
        PaintTo(dc);
        ReleaseDC(handle_, dc);
    }
}

void TqvSkinPopupWindow::SelectNext(int delta) {
    const int n = int(Items.size());
    for (int k = 1; k <= n; ++k) {
        int index = HotIndex < 0 ? (delta > 0 ? k - 1 : n - k) : ((HotIndex + delta * k) % n + n) % n;
        TqvSkinMenuItem* item = Items[std::size_t(index)].get();
        if (!item->Selectable()) {
            continue;
        }
        if (index == HotIndex) {
            return;
        }
        if (HotIndex >= 0) {
            Deselect(Items[std::size_t(HotIndex)].get());
        }
        PrevHotIndex = HotIndex;
        HotIndex = index;
        EnsureVisible(index);
        Select(item, true);
        return;
    }
}

// ---- mouse and scrolling ----

void TqvSkinPopupWindow::MouseMoveAt(POINT p) {
    if (Scrolling) {
        const bool inUp = PtInRect(UpperMarker(), p) != FALSE;
        const bool inDown = PtInRect(LowerMarker(), p) != FALSE;
        if (ScrollDirection == 0 && inUp && CanScrollUp()) {
            StartScrolling(1);
        } else if (ScrollDirection == 0 && inDown && CanScrollDown()) {
            StartScrolling(2);
        } else if (ScrollDirection != 0 && !inUp && !inDown) {
            StopScrolling();
        }
    }
    const int index = ItemAt(p);
    if (index < 0) {
        return;
    }
    TqvSkinMenuItem* item = Items[std::size_t(index)].get();
    if (index == HotIndex) {
        if (item->OpenedHighlight) {
            item->OpenedHighlight = false;
            if (item->HasChildren() && item->Selectable()) {
                Select(item, false);
            }
        }
        return;
    }
    const int old = HotIndex;
    PrevHotIndex = old;
    HotIndex = index;
    if (old >= 0 && old < int(Items.size()) && Items[std::size_t(old)]->Selectable()) {
        Deselect(Items[std::size_t(old)].get());
    }
    if (item->Selectable()) {
        Select(item, false);
    }
}

void TqvSkinPopupWindow::MouseUpAt(POINT p) {
    MouseMoveAt(p);
    if (ItemAt(p) < 0 || HotIndex < 0 || HotIndex >= int(Items.size())) {
        return;
    }
    TqvSkinMenuItem* item = Items[std::size_t(HotIndex)].get();
    if (item->IsSeparator() || item->SubmenuOpen || !item->Enabled()) {
        return;
    }
    Menu->ItemAction(this, item, false, true);
}

void TqvSkinPopupWindow::StartScrolling(int direction) {
    ScrollDirection = direction;
    RedrawMarkers();
    Menu->CloseFrom(level_ + 1);
    SetTimer(handle_, kScrollTimer, kScrollInterval, nullptr);
}

void TqvSkinPopupWindow::StopScrolling() {
    ScrollDirection = 0;
    RedrawMarkers();
    if (handle_ != nullptr) {
        KillTimer(handle_, kScrollTimer);
    }
}

void TqvSkinPopupWindow::ScrollStep() {
    if (ScrollDirection == 1 && CanScrollUp()) {
        --FirstShown;
    } else if (ScrollDirection == 2 && CanScrollDown()) {
        ++FirstShown;
    } else {
        StopScrolling();
        return;
    }
    LayoutItems();
    HDC dc = GetDC(handle_);
    PaintTo(dc);
    ReleaseDC(handle_, dc);
}

void TqvSkinPopupWindow::Poll() {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (cursor == lastCursor_) {
        return;
    }
    lastCursor_ = cursor;
    if (WindowFromPoint(cursor) == handle_) {
        POINT p = cursor;
        ScreenToClient(handle_, &p);
        MouseMoveAt(p);
    } else if (Scrolling && ScrollDirection != 0) {
        StopScrolling();
    }
}

void TqvSkinPopupWindow::AnimStep() {
    bool moving = false;
    HDC dc = GetDC(handle_);
    for (auto& item : Items) {
        if (item->Animates()) {
            const int frames = ItemSkin->framecount;
            if (item->Active() && item->AnimFrame < frames) {
                ++item->AnimFrame;
                moving = true;
            } else if (!item->Active() && item->AnimFrame <= frames && item->AnimFrame > 0) {
                item->AnimFrame = ItemSkin->inactiveanimation ? item->AnimFrame - 1 : frames + 1;
                moving = true;
            }
            item->Draw(dc);
        } else if (item->Morphs()) {
            const double target = item->Active() ? 1.0 : 0.0;
            if (item->MorphFactor != target) {
                item->MorphFactor = target > item->MorphFactor ? std::min(1.0, item->MorphFactor + 0.2)
                                                               : std::max(0.0, item->MorphFactor - 0.2);
                moving = true;
                item->Draw(dc);
            }
        }
    }
    ReleaseDC(handle_, dc);
    if (!moving) {
        KillTimer(handle_, kAnimTimer);
    }
}

void TqvSkinPopupWindow::FadeStep() {
    alpha_ = std::min(alpha_ + kFadeStep, fadeTarget_);
    SetWindowAlpha(handle_, BYTE(alpha_));
    if (alpha_ >= fadeTarget_) {
        KillTimer(handle_, kFadeTimer);
    }
}

void TqvSkinPopupWindow::OnTimer(UINT id) {
    switch (id) {
    case kPollTimer: Poll(); break;
    case kAnimTimer: AnimStep(); break;
    case kScrollTimer: ScrollStep(); break;
    case kFadeTimer: FadeStep(); break;
    default: break;
    }
}

LRESULT TqvSkinPopupWindow::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        // The whole window is painted here in one pass.
        PaintTo(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        BeginPaint(handle_, &ps);
        EndPaint(handle_, &ps);
        return 0;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        POINT s = p;
        ClientToScreen(handle_, &s);
        lastCursor_ = s;
        MouseMoveAt(p);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: return 0;
    case WM_LBUTTONUP: MouseUpAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_TIMER: OnTimer(UINT(wParam)); return 0;
    default: return DefWindowProc(handle_, msg, wParam, lParam);
    }
}

LRESULT TqvSkinPopupWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TqvSkinPopupWindow*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        // The owner form went first; the object forgets its window.
        self->handle_ = nullptr;
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    // A click may close the menu and run a command that frees the engine: the engine keeps
    // closed windows until no message of theirs is being handled, and nothing is touched
    // afterwards once it is gone.
    TqvSkinMenu* menu = self->Menu;
    std::shared_ptr<bool> alive = menu->AliveToken();
    menu->EnterDispatch();
    LRESULT result = self->Handle(msg, wParam, lParam);
    if (*alive) {
        menu->LeaveDispatch();
    }
    return result;
}

} // namespace qv
