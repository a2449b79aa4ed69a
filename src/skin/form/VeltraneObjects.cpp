// The frame objects (caption, caption buttons, animations, user objects) and the form skin's side
// of them: creation from the skin, the border-icon table, layout for any window size, mouse
// dispatch with capture, morph and animation steps.
#include "skin/form/VeltraneObjects.h"

#include "framework/Canvas.h"
#include "platform/gfx/DCApi.h"
#include "platform/gfx/GdiBitmap.h"
#include "platform/gfx/SysColors.h"
#include "platform/ui/User.h"
#include "skin/data/qvEffects.h"
#include "skin/data/qvResourceStr.h"
#include "skin/data/qvUtils.h"
#include "skin/form/Veltrane.h"
#include "skin/form/qvPictureBlit.h"
#include "skin/form/qvSkinMenus.h"

namespace qv {

namespace {

const gfx::Bitmap* ResolveStatePicture(const TqvSkinData* data, int index) {
    return data != nullptr ? data->ExtraPicture(index) : nullptr;
}

// Copies src of picture onto dst of dc, stretched when the sizes differ.
// src of picture at the size w x h (stretched).
gfx::Bitmap CutTo(const gfx::Bitmap& picture, const RECT& src, int w, int h) {
    gfx::Bitmap out(std::max(w, 0), std::max(h, 0));
    if (out.Empty()) {
        return out;
    }
    gfx::DC dc(&out);
    CopyPicture(&dc, RECT{0, 0, w, h}, picture, src);
    return out;
}

void Morph(TqvEffectBmp& a, const TqvEffectBmp& b, TqvMorphKind kind, double x) {
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

} // namespace

// ---- base object ----

TqvActiveSkinObject::TqvActiveSkinObject(TqvVeltrane* owner, const TqvDataSkinObject* record)
    : OwnerSkin(owner) {
    TqvSkinData* data = owner->SkinData();
    FramePicture = data != nullptr ? &data->MainPicture : nullptr;
    if (record == nullptr) {
        return;
    }
    IDName = record->SectionName;
    HintText = record->hint;
    skinrectinapicture = record->skinrectinapicture;
    skinrect = record->skinrect;
    activeskinrect = record->activeskinrect;
    inactiveskinrect = record->inactiveskinrect;
    morphing = record->morphing;
    morphkind = record->morphkind;
    StatePicture = ResolveStatePicture(data, record->activepictureindex);
    if (StatePicture == nullptr) {
        ClearRect(activeskinrect);
    }
    if (RectIsEmpty(activeskinrect)) {
        morphing = false;
    }
    ObjectRect = skinrect;
}

bool TqvActiveSkinObject::CanMorph() {
    TqvSkinData* data = OwnerSkin->SkinData();
    return morphing && data != nullptr && data->EnableSkinEffects() && OwnerSkin->SkinInUse();
}

void TqvActiveSkinObject::DrawImage(HDC dc, const gfx::Bitmap* picture, const RECT& src) const {
    if (picture != nullptr) {
        CopyPicture(dc, ObjectRect, *picture, src);
    }
}

void TqvActiveSkinObject::DrawMorph(HDC dc, const gfx::Bitmap* pictureA, const RECT& a,
                                    const gfx::Bitmap* pictureB, const RECT& b) const {
    if (pictureA == nullptr || pictureB == nullptr) {
        return;
    }
    const int w = WidthOfRect(ObjectRect);
    const int h = HeightOfRect(ObjectRect);
    TqvEffectBmp ea(CutTo(*pictureA, a, w, h));
    TqvEffectBmp eb(CutTo(*pictureB, b, w, h));
    Morph(ea, eb, morphkind, MorphFactor);
    ea.DrawTo(dc, ObjectRect.left, ObjectRect.top);
}

void TqvActiveSkinObject::DrawBase(HDC dc, bool update) {
    if (Usable && !OwnerSkin->IsFormActive() && !RectIsEmpty(inactiveskinrect)) {
        DrawImage(dc, StatePicture, inactiveskinrect);
    } else if (MorphUnderWay() && CanMorph()) {
        DrawMorph(dc, NormalPicture(), skinrect, StatePicture, activeskinrect);
    } else if (ObjectActive && !RectIsEmpty(activeskinrect)) {
        DrawImage(dc, StatePicture, activeskinrect);
    } else if (update || skinrectinapicture) {
        // Without update a normal image from the frame picture is already in the composed frame.
        DrawImage(dc, NormalPicture(), skinrect);
    }
}

void TqvActiveSkinObject::Draw(HDC dc, bool update) { DrawBase(dc, update); }

void TqvActiveSkinObject::RedrawOrMorph() { OwnerSkin->RedrawOrMorph(this); }

void TqvActiveSkinObject::MouseEnter() {
    MouseOver = true;
    ObjectActive = true;
    if (!RectIsEmpty(activeskinrect)) {
        RedrawOrMorph();
    }
    if (OwnerSkin->OnMouseEnterEvent) {
        OwnerSkin->OnMouseEnterEvent(IDName);
    }
}

void TqvActiveSkinObject::MouseLeave() {
    MouseOver = false;
    ObjectActive = false;
    if (!RectIsEmpty(activeskinrect)) {
        RedrawOrMorph();
    }
    if (OwnerSkin->OnMouseLeaveEvent) {
        OwnerSkin->OnMouseLeaveEvent(IDName);
    }
}

void TqvActiveSkinObject::MouseDown(int x, int y, TMouseButton button) {
    if (OwnerSkin->OnMouseDownEvent) {
        OwnerSkin->OnMouseDownEvent(IDName, x, y, ObjectRect, button);
    }
}

void TqvActiveSkinObject::MouseUp(int x, int y, TMouseButton button) {
    if (MouseOver && OwnerSkin->OnMouseUpEvent) {
        OwnerSkin->OnMouseUpEvent(IDName, x, y, ObjectRect, button);
    }
}

void TqvActiveSkinObject::MouseMove(int x, int y) {
    if (OwnerSkin->OnMouseMoveEvent) {
        OwnerSkin->OnMouseMoveEvent(IDName, x, y, ObjectRect);
    }
}

// ---- button ----

TqvSkinButtonObject::TqvSkinButtonObject(TqvVeltrane* owner, const TqvDataSkinButton* record)
    : TqvActiveSkinObject(owner, record) {
    if (record != nullptr) {
        downrect = record->downrect;
        disableskinrsect = record->disableskinrsect;
    }
}

bool TqvSkinButtonObject::CanMorph() {
    if (HasPopupItems && isDown_) {
        return false;
    }
    return TqvActiveSkinObject::CanMorph();
}

void TqvSkinButtonObject::SetIsDown(bool down) {
    isDown_ = down;
    if (down && MouseOver && CanMorph()) {
        MorphFactor = 1;
    }
    if (!down && CanMorph()) {
        OwnerSkin->RedrawOrMorph(this);
        return;
    }
    OwnerSkin->RedrawObject(this);
}

void TqvSkinButtonObject::Draw(HDC dc, bool update) {
    if (!Usable && !RectIsEmpty(disableskinrsect)) {
        DrawImage(dc, StatePicture, disableskinrsect);
    } else if (isDown_ && MouseOver && !RectIsEmpty(downrect)) {
        DrawImage(dc, StatePicture, downrect);
    } else {
        DrawBase(dc, update);
    }
}

void TqvSkinButtonObject::MouseEnter() {
    MouseOver = true;
    ObjectActive = true;
    if (isDown_ && !RectIsEmpty(downrect)) {
        if (CanMorph()) {
            MorphFactor = 1;
        }
        OwnerSkin->RedrawObject(this);
    } else if (!RectIsEmpty(activeskinrect)) {
        RedrawOrMorph();
    }
    if (OwnerSkin->OnMouseEnterEvent) {
        OwnerSkin->OnMouseEnterEvent(IDName);
    }
}

void TqvSkinButtonObject::MouseLeave() {
    MouseOver = false;
    ObjectActive = false;
    if (!(HasPopupItems && isDown_)) {
        RedrawOrMorph();
    }
    if (OwnerSkin->OnMouseLeaveEvent) {
        OwnerSkin->OnMouseLeaveEvent(IDName);
    }
}

void TqvSkinButtonObject::MouseDown(int x, int y, TMouseButton button) {
    if (!Usable) {
        return;
    }
    if (button == vcl::TMouseButton::mbLeft && !isDown_) {
        SetIsDown(true);
        if (HasPopupItems) {
            OwnerSkin->ShowObjectPopup(this, OpensUpward);
        }
    }
    TqvActiveSkinObject::MouseDown(x, y, button);
}

void TqvSkinButtonObject::MouseUp(int x, int y, TMouseButton button) {
    if (!Usable) {
        return;
    }
    if (button == vcl::TMouseButton::mbLeft && !HasPopupItems && isDown_) {
        SetIsDown(false);
    }
    TqvActiveSkinObject::MouseUp(x, y, button);
}

// ---- std button ----

TqvSkinStdButtonObject::TqvSkinStdButtonObject(TqvVeltrane* owner, const TqvDataSkinStdButton* record)
    : TqvSkinButtonObject(owner, record) {
    if (record == nullptr) {
        return;
    }
    HasSkin = true;
    command = record->command;
    restorerect = record->restorerect;
    restoreactiverect = record->restoreactiverect;
    restoreinactiverect = record->restoreinactiverect;
    restoredownrect = record->restoredownrect;
}

bool TqvSkinStdButtonObject::InAlternativeState() const {
    switch (command) {
    case cmMaximize: return OwnerSkin->SkinWindowState() == vcl::wsMaximized;
    case cmMinimize: return OwnerSkin->SkinWindowState() == vcl::wsMinimized;
    case cmRollUp: return OwnerSkin->RolledUp();
    default: return false;
    }
}

bool TqvSkinStdButtonObject::CanMorph() {
    if (command == cmSysMenu && OwnerSkin->ShowIcon()) {
        return false;
    }
    return TqvSkinButtonObject::CanMorph();
}

void TqvSkinStdButtonObject::DrawDefault(HDC dc) {
    if (command == cmSysMenu && OwnerSkin->ShowIcon()) {
        OwnerSkin->DrawSmallIcon(dc, ObjectRect.left, ObjectRect.top);
        return;
    }
    const int w = WidthOfRect(ObjectRect);
    const int h = HeightOfRect(ObjectRect);
    if (w <= 0 || h <= 0) {
        return;
    }
    gfx::Bitmap face(w, h);
    gfx::DC fdc(&face);
    HDC b = &fdc;
    RECT all{0, 0, w, h};
    const COLORREF navy = RGB(0, 0, 128);
    if (MouseOver) {
        HBRUSH fill = CreateSolidBrush(isDown_ ? RGB(133, 146, 181) : RGB(182, 189, 210));
        FillRect(b, &all, fill);
        DeleteObject(fill);
        HBRUSH frame = CreateSolidBrush(navy);
        FrameRect(b, &all, frame);
        DeleteObject(frame);
    } else {
        FillRect(b, &all, GetSysColorBrush(COLOR_BTNFACE));
    }
    int x = w / 2 - 5;
    int y = h / 2 - 4;
    if (isDown_ && MouseOver) {
        x = w / 2 - 4;
        y = h / 2 - 3;
    }
    const COLORREF color = GetSysColor(Usable ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
    const vcl::TWindowState state = OwnerSkin->SkinWindowState();
    switch (command) {
    case cmClose: DrawCloseGlyph(b, x, y, color); break;
    case cmMaximize:
        state == vcl::wsMaximized ? DrawRestoreGlyph(b, x, y, color) : DrawMaxGlyph(b, x, y, color);
        break;
    case cmMinimize:
        state == vcl::wsMinimized ? DrawRestoreGlyph(b, x, y, color) : DrawMinGlyph(b, x, y, color);
        break;
    case cmSysMenu: DrawSysMenuGlyph(b, x, y, color); break;
    case cmRollUp:
        OwnerSkin->RolledUp() ? DrawRollDownGlyph(b, x, y, color) : DrawRollUpGlyph(b, x, y, color);
        break;
    case cmMinimizeToTray: DrawTrayGlyph(b, x, y, color); break;
    case cmDefault: break;
    }
    BlitWhole(dc, ObjectRect.left, ObjectRect.top, face);
}

void TqvSkinStdButtonObject::Draw(HDC dc, bool update) {
    if (!HasSkin) {
        DrawDefault(dc);
        return;
    }
    if (command == cmSysMenu && OwnerSkin->ShowIcon() && skinrectinapicture) {
        OwnerSkin->DrawSmallIcon(dc, ObjectRect.left, ObjectRect.top);
        MorphFactor = 0;
        return;
    }
    if (Usable && !RectIsEmpty(restorerect) && InAlternativeState()) {
        if (!OwnerSkin->IsActiveFlag && !RectIsEmpty(restoreinactiverect)) {
            DrawImage(dc, StatePicture, restoreinactiverect);
        } else if (isDown_ && MouseOver && !RectIsEmpty(restoredownrect)) {
            DrawImage(dc, StatePicture, restoredownrect);
        } else if (MorphUnderWay() && CanMorph()) {
            DrawMorph(dc, StatePicture, restorerect, StatePicture, restoreactiverect);
        } else if (ObjectActive && !RectIsEmpty(restoreactiverect)) {
            DrawImage(dc, StatePicture, restoreactiverect);
        } else {
            DrawImage(dc, StatePicture, restorerect);
        }
        return;
    }
    TqvSkinButtonObject::Draw(dc, update);
}

void TqvSkinStdButtonObject::DblClick() {
    if (command == cmSysMenu) {
        OwnerSkin->Form()->Close();
    }
}

void TqvSkinStdButtonObject::MouseDown(int, int, TMouseButton button) {
    if (!Usable || button != vcl::TMouseButton::mbLeft || isDown_) {
        return;
    }
    if (command == cmSysMenu) {
        HasPopupItems = true;
    }
    SetIsDown(true);
    if (command == cmSysMenu) {
        OwnerSkin->ShowObjectPopup(this, OpensUpward);
    }
}

void TqvSkinStdButtonObject::MouseUp(int x, int y, TMouseButton button) {
    const bool run = ObjectActive && button == vcl::TMouseButton::mbLeft;
    if (command == cmClose) {
        TqvSkinButtonObject::MouseUp(x, y, button);
        if (run) {
            RunCommand();
        }
        return;
    }
    if (run) {
        RunCommand();
    }
    TqvSkinButtonObject::MouseUp(x, y, button);
}

void TqvSkinStdButtonObject::RunCommand() {
    TqvVeltrane* o = OwnerSkin;
    switch (command) {
    case cmClose: o->Form()->Close(); break;
    case cmMaximize:
        o->SetSkinWindowState(o->SkinWindowState() == vcl::wsMaximized ? vcl::wsNormal : vcl::wsMaximized);
        break;
    case cmMinimize:
        if (o->AlwaysMinimizeToTray) {
            o->MinimizeToTray();
        } else {
            o->SetSkinWindowState(o->SkinWindowState() == vcl::wsMinimized ? vcl::wsNormal
                                                                           : vcl::wsMinimized);
        }
        break;
    case cmRollUp: o->SetRolledUp(!o->RolledUp()); break;
    case cmMinimizeToTray: o->MinimizeToTray(); break;
    case cmSysMenu:
    case cmDefault: break;
    }
}

// ---- caption ----

TqvSkinCaptionObject::TqvSkinCaptionObject(TqvVeltrane* owner, const TqvDataSkinCaption* record)
    : TqvActiveSkinObject(owner, record) {
    if (record == nullptr) {
        return;
    }
    textrect = record->textrect;
    fontname = record->font.name;
    fontheight = record->font.height;
    fontstyle = record->font.style;
    fontcolor = record->font.color;
    activefontcolor = record->activefontcolor;
    alignment = record->alignment;
    light = record->light;
    lightcolor = record->lightcolor;
    activelightcolor = record->activelightcolor;
    shadow = record->shadow;
    shadowcolor = record->shadowcolor;
    activeshadowcolor = record->activeshadowcolor;
    framerect = record->framerect;
    activeframerect = record->activeframerect;
    frametextrect = record->frametextrect;
    frameleftoffset = record->frameleftoffset;
    framerightoffset = record->framerightoffset;
    stretcheffect = record->stretcheffect;
    animateskinrect = record->animateskinrect;
    framecount = record->framecount;
    animateinterval = record->animateinterval;
    inactiveanimation = record->inactiveanimation;
    fullframe = record->fullframe;
}

bool TqvSkinCaptionObject::HasAnimation() const { return !RectIsEmpty(animateskinrect) && framecount > 0; }

RECT TqvSkinCaptionObject::TextRect() const {
    RECT tr = textrect;
    if (!RectIsEmpty(textrect)) {
        tr.right = WidthOfRect(ObjectRect) + textrect.right - WidthOfRect(skinrect);
    }
    if (!RectIsEmpty(framerect)) {
        tr.left += frametextrect.left;
        tr.top += frametextrect.top;
        tr.right += frametextrect.right - WidthOfRect(framerect);
    }
    return tr;
}

gfx::Bitmap TqvSkinCaptionObject::FitImage(const gfx::Bitmap* picture, const RECT& src) const {
    const int w = WidthOfRect(ObjectRect);
    const int h = HeightOfRect(ObjectRect);
    gfx::Bitmap out(std::max(w, 0), std::max(h, 0));
    if (picture == nullptr || out.Empty()) {
        return out;
    }
    TqvSkinData* data = OwnerSkin->SkinData();
    int leftW = data != nullptr ? std::max(0, int(data->lefttoppoint.x - skinrect.left)) : 0;
    int rightW = data != nullptr ? std::max(0, int(skinrect.right - data->righttoppoint.x)) : 0;
    if (leftW > 0 || rightW > 0) {
        ComposeHorzImage(*picture, src, leftW, rightW, w, stretcheffect, out);
    } else {
        gfx::DC dc(&out);
        CopyPicture(&dc, RECT{0, 0, w, h}, *picture, src);
    }
    return out;
}

void TqvSkinCaptionObject::DrawText(HDC dc, POINT origin, bool active) {
    if (OwnerSkin->OnCaptionPaint) {
        vcl::TCanvas canvas;
        canvas.SetHandle(dc);
        RECT r = ObjectRect;
        r = OffsetRect(r, origin.x - ObjectRect.left, origin.y - ObjectRect.top);
        OwnerSkin->OnCaptionPaint(&canvas, r, active);
        canvas.SetHandle(nullptr);
        return;
    }
    std::string text = OwnerSkin->Form()->Caption();
    if (text.empty() || RectIsEmpty(textrect)) {
        return;
    }
    vcl::TFont font;
    font.SetName(fontname);
    font.SetHeight(fontheight);
    font.SetStyle(fontstyle);
    TqvSkinData* data = OwnerSkin->SkinData();
    font.SetCharset(data != nullptr && data->ResourceStrData() != nullptr
                        ? data->ResourceStrData()->CharSet()
                        : OwnerSkin->DefCaptionFont()->Charset());
    HFONT hf = vcl::CreateFontHandle(font);
    HGDIOBJ oldFont = SelectObject(dc, hf);
    const RECT tr = TextRect();
    FitWideTextToWidth(dc, text, WidthOfRect(tr));
    const int tw = WideTextWidth(dc, text);
    const int th = WideTextHeight(dc, text);
    int y = tr.top + HeightOfRect(tr) / 2 - th / 2;
    int x = tr.left;
    if (alignment == taRightJustify) {
        x = tr.right - tw;
    } else if (alignment == taCenter) {
        x = tr.left + WidthOfRect(tr) / 2 - tw / 2;
    }
    x += origin.x;
    y += origin.y;
    SetBkMode(dc, TRANSPARENT);
    if (!RectIsEmpty(framerect) && StatePicture != nullptr) {
        const RECT src = active && !RectIsEmpty(activeframerect) ? activeframerect : framerect;
        const int offset = data != nullptr ? data->buttonsoffset : 0;
        int fw = fullframe ? WidthOfRect(ObjectRect) - 2 * offset
                           : WidthOfRect(framerect) + tw - WidthOfRect(frametextrect);
        if (fw > 0) {
            gfx::Bitmap frame(fw, HeightOfRect(src));
            ComposeHorzImage(*StatePicture, src, frameleftoffset, framerightoffset, fw, false, frame);
            int fx = fullframe ? origin.x + offset : x - frametextrect.left;
            BlitWhole(dc, fx, y - frametextrect.top, frame);
        }
    }
    auto draw = [&](int dx, int dy, TColor color) {
        SetTextColor(dc, vcl::ColorToRGB(color));
        RECT r{x + dx, y + dy, x + dx, y + dy};
        DrawWideText(dc, text, r, DT_CALCRECT);
        DrawWideText(dc, text, r, DT_VCENTER);
    };
    if (light) {
        draw(-1, -1, active ? activelightcolor : lightcolor);
    }
    if (shadow) {
        draw(1, 1, active ? activeshadowcolor : shadowcolor);
    }
    draw(0, 0, active ? activefontcolor : fontcolor);
    SelectObject(dc, oldFont);
    DeleteObject(hf);
}

void TqvSkinCaptionObject::Draw(HDC dc, bool) {
    if (!OwnerSkin->SkinInUse()) {
        return;
    }
    TqvSkinData* data = OwnerSkin->SkinData();
    const bool active = ObjectActive;
    const int w = WidthOfRect(ObjectRect);
    const int h = HeightOfRect(ObjectRect);
    const POINT at{ObjectRect.left, ObjectRect.top};
    const bool effects = data != nullptr && data->EnableSkinEffects();
    if (effects && HasAnimation() && AnimFrame >= 1 && AnimFrame <= framecount) {
        RECT cell = animateskinrect;
        if (HeightOfRect(animateskinrect) > HeightOfRect(skinrect)) {
            const int ch = HeightOfRect(animateskinrect) / framecount;
            cell.top = animateskinrect.top + (AnimFrame - 1) * ch;
            cell.bottom = cell.top + ch;
        } else {
            const int cw = WidthOfRect(animateskinrect) / framecount;
            cell.left = animateskinrect.left + (AnimFrame - 1) * cw;
            cell.right = cell.left + cw;
        }
        gfx::Bitmap image = FitImage(StatePicture, cell);
        gfx::DC idc(&image);
        DrawText(&idc, POINT{0, 0}, !active);
        BlitWhole(dc, at.x, at.y, image);
        return;
    }
    if (MorphUnderWay() && CanMorph()) {
        gfx::Bitmap a = FitImage(FramePicture, skinrect);
        gfx::Bitmap b = FitImage(StatePicture, activeskinrect);
        {
            gfx::DC adc(&a);
            DrawText(&adc, POINT{0, 0}, active);
            gfx::DC bdc(&b);
            DrawText(&bdc, POINT{0, 0}, active);
        }
        TqvEffectBmp ea(a);
        Morph(ea, TqvEffectBmp(b), morphkind, MorphFactor);
        gfx::Bitmap out = ea.ToBitmap();
        if (!active && data != nullptr && data->autorenderinginactiveimage) {
            TqvEffectBmp e(out);
            e.Lighten(0.5);
            out = e.ToBitmap();
        }
        BlitWhole(dc, at.x, at.y, out);
        return;
    }
    if (RectIsEmpty(activeskinrect) || (!active && !stretcheffect)) {
        DrawText(dc, at, active);
        return;
    }
    gfx::Bitmap image = active ? FitImage(StatePicture, activeskinrect) : FitImage(FramePicture, skinrect);
    {
        gfx::DC idc(&image);
        DrawText(&idc, POINT{0, 0}, active);
    }
    (void)w;
    (void)h;
    BlitWhole(dc, at.x, at.y, image);
}

void TqvSkinCaptionObject::MouseEnter() {
    MouseOver = true;
    if (OwnerSkin->OnMouseEnterEvent) {
        OwnerSkin->OnMouseEnterEvent(IDName);
    }
}

void TqvSkinCaptionObject::MouseLeave() {
    MouseOver = false;
    if (OwnerSkin->OnMouseLeaveEvent) {
        OwnerSkin->OnMouseLeaveEvent(IDName);
    }
}

void TqvSkinCaptionObject::MouseDown(int x, int y, TMouseButton button) {
    TqvActiveSkinObject::MouseDown(x, y, button);
}

void TqvSkinCaptionObject::MouseUp(int x, int y, TMouseButton button) {
    if (OwnerSkin->OnMouseUpEvent) {
        OwnerSkin->OnMouseUpEvent(IDName, x, y, ObjectRect, button);
    }
}

// ---- animate ----

TqvSkinAnimateObject::TqvSkinAnimateObject(TqvVeltrane* owner, const TqvDataSkinAnimate* record)
    : TqvActiveSkinObject(owner, record) {
    if (record == nullptr) {
        return;
    }
    countframes = std::max(1, record->countframes);
    cycle = record->cycle;
    buttonstyle = record->buttonstyle;
    timerinterval = std::max(25, record->timerinterval);
    command = record->command;
    downskinrect = record->downskinrect;
    restorerect = record->restorerect;
    restoreactiverect = record->restoreactiverect;
    restoredownrect = record->restoredownrect;
    restoreinactiverect = record->restoreinactiverect;
    morphing = false;
}

bool TqvSkinAnimateObject::InAlternativeState() const {
    switch (command) {
    case cmMaximize: return OwnerSkin->SkinWindowState() == vcl::wsMaximized;
    case cmMinimize: return OwnerSkin->SkinWindowState() == vcl::wsMinimized;
    case cmRollUp: return OwnerSkin->RolledUp();
    default: return false;
    }
}

void TqvSkinAnimateObject::Draw(HDC dc, bool) {
    if (StatePicture == nullptr) {
        return;
    }
    if (Pressed && !RectIsEmpty(downskinrect)) {
        DrawImage(dc, StatePicture, downskinrect);
        return;
    }
    if (!OwnerSkin->IsFormActive() && !RectIsEmpty(inactiveskinrect)) {
        DrawImage(dc, StatePicture, inactiveskinrect);
        return;
    }
    if (!RectIsEmpty(restorerect) && InAlternativeState()) {
        DrawImage(dc, StatePicture,
                  ObjectActive && !RectIsEmpty(restoreactiverect) ? restoreactiverect : restorerect);
        return;
    }
    // Frames are cells of the object's size laid side by side from skinrect's left.
    const int w = WidthOfRect(skinrect);
    RECT cell = skinrect;
    cell = OffsetRect(cell, (Frame - 1) * w, 0);
    DrawImage(dc, StatePicture, cell);
}

bool TqvSkinAnimateObject::Step() {
    if (!ObjectActive && Forward) {
        return false;
    }
    if (Ticks < timerinterval) {
        Ticks += 25;
        return true;
    }
    if (Forward) {
        ++Frame;
        if (Frame > countframes) {
            Frame = 1;
        }
        if (!cycle && Frame == countframes) {
            ObjectActive = false;
        }
    } else {
        --Frame;
        if (Frame < 1) {
            Frame = countframes;
        }
        if (Frame == 1) {
            ObjectActive = false;
        }
    }
    OwnerSkin->RedrawObject(this);
    Ticks = 25;
    return true;
}

void TqvSkinAnimateObject::MouseEnter() {
    MouseOver = true;
    if (buttonstyle) {
        ObjectActive = true;
        Forward = true;
        OwnerSkin->RedrawOrMorph(this);
    }
    if (OwnerSkin->OnMouseEnterEvent) {
        OwnerSkin->OnMouseEnterEvent(IDName);
    }
}

void TqvSkinAnimateObject::MouseLeave() {
    MouseOver = false;
    if (buttonstyle) {
        ObjectActive = true;
        Forward = false;
        OwnerSkin->RedrawOrMorph(this);
    }
    if (OwnerSkin->OnMouseLeaveEvent) {
        OwnerSkin->OnMouseLeaveEvent(IDName);
    }
}

void TqvSkinAnimateObject::MouseDown(int x, int y, TMouseButton button) {
    if (!Usable) {
        return;
    }
    if (button == vcl::TMouseButton::mbLeft && !RectIsEmpty(downskinrect)) {
        Pressed = true;
        Frame = countframes;
        OwnerSkin->RedrawObject(this);
    }
    if (buttonstyle && command == cmSysMenu && button == vcl::TMouseButton::mbLeft) {
        MenuShown = true;
        OwnerSkin->ShowObjectPopup(this, false);
    }
    TqvActiveSkinObject::MouseDown(x, y, button);
}

void TqvSkinAnimateObject::MouseUp(int x, int y, TMouseButton button) {
    const bool wasPressed = Pressed;
    Pressed = false;
    if (wasPressed) {
        OwnerSkin->RedrawObject(this);
    }
    if (Usable && buttonstyle && MouseOver && button == vcl::TMouseButton::mbLeft) {
        TqvVeltrane* o = OwnerSkin;
        switch (command) {
        case cmClose: o->Form()->Close(); return;
        case cmMaximize:
            o->SetSkinWindowState(o->SkinWindowState() == vcl::wsMaximized ? vcl::wsNormal
                                                                           : vcl::wsMaximized);
            break;
        case cmMinimize:
            o->SetSkinWindowState(o->SkinWindowState() == vcl::wsMinimized ? vcl::wsNormal
                                                                           : vcl::wsMinimized);
            break;
        case cmRollUp: o->SetRolledUp(!o->RolledUp()); break;
        case cmMinimizeToTray: o->MinimizeToTray(); break;
        default: break;
        }
    }
    TqvActiveSkinObject::MouseUp(x, y, button);
}

// ---- user object ----

void TqvUserObject::Draw(HDC dc, bool) {
    if (OwnerSkin->OnPaintEvent) {
        vcl::TCanvas canvas;
        canvas.SetHandle(dc);
        OwnerSkin->OnPaintEvent(IDName, &canvas, ObjectRect);
        canvas.SetHandle(nullptr);
    }
}

// ---- the form skin's side ----

void TqvVeltrane::FreeObjects() {
    SkinObjects.clear();
    ResetMouseState();
}

void TqvVeltrane::ResetMouseState() {
    // One tracker part per object; a new object list gets a new tracker.
    if (tracker_->PartCount() != std::max<int>(1, int(SkinObjects.size()))) {
        tracker_ = std::make_unique<TqvPushTracker>(std::max<int>(1, int(SkinObjects.size())));
    } else {
        tracker_->Cancel();
        tracker_->MouseLeave();
    }
    HoverIndex = PreviousHoverIndex = PressedIndex = -1;
}

void TqvVeltrane::ClearPress() {
    tracker_->Cancel();
    PressedIndex = -1;
}

void TqvVeltrane::CreateObjects() {
    FreeObjects();
    if (skinData_ == nullptr) {
        return;
    }
    for (const auto& record : skinData_->FormObjects) {
        const TqvDataSkinObject* r = record.get();
        if (dynamic_cast<const TqvDataSkinMenuItem*>(r) || dynamic_cast<const TqvDataSkinMainMenuItem*>(r) ||
            dynamic_cast<const TqvDataSkinMainMenuBarButton*>(r)) {
            continue;
        }
        std::unique_ptr<TqvActiveSkinObject> o;
        if (auto* std = dynamic_cast<const TqvDataSkinStdButton*>(r)) {
            o = std::make_unique<TqvSkinStdButtonObject>(this, std);
        } else if (auto* button = dynamic_cast<const TqvDataSkinButton*>(r)) {
            o = std::make_unique<TqvSkinButtonObject>(this, button);
        } else if (auto* caption = dynamic_cast<const TqvDataSkinCaption*>(r)) {
            o = std::make_unique<TqvSkinCaptionObject>(this, caption);
        } else if (auto* animate = dynamic_cast<const TqvDataSkinAnimate*>(r)) {
            o = std::make_unique<TqvSkinAnimateObject>(this, animate);
        } else if (auto* user = dynamic_cast<const TqvDataUserObject*>(r)) {
            o = std::make_unique<TqvUserObject>(this, user);
        }
        if (o) {
            SkinObjects.push_back(std::move(o));
        }
    }
    ResetMouseState();
    EvaluateBorderIcons();
}

void TqvVeltrane::CreateDefaultObjects() {
    FreeObjects();
    const std::pair<const char*, TqvStdCommand> buttons[] = {
        {"closebutton", cmClose},   {"maxbutton", cmMaximize},    {"minbutton", cmMinimize},
        {"rollupbutton", cmRollUp}, {"sysmenubutton", cmSysMenu}, {"traybutton", cmMinimizeToTray},
    };
    for (const auto& [name, command] : buttons) {
        auto o = std::make_unique<TqvSkinStdButtonObject>(this, nullptr);
        o->IDName = name;
        o->command = command;
        o->skinrectinapicture = true;
        o->skinrect = o->activeskinrect = o->downrect = RECT{0, 0, 1, 1};
        o->ObjectRect = o->skinrect;
        SkinObjects.push_back(std::move(o));
    }
    ResetMouseState();
    EvaluateBorderIcons();
}

void TqvVeltrane::EvaluateBorderIcons() {
    for (auto& o : SkinObjects) {
        TqvStdCommand command;
        if (auto* std = dynamic_cast<TqvSkinStdButtonObject*>(o.get())) {
            command = std->command;
        } else if (auto* animate = dynamic_cast<TqvSkinAnimateObject*>(o.get())) {
            command = animate->command;
        } else {
            continue;
        }
        const bool p = o->skinrectinapicture;
        if (hideCaptionButtons_) {
            o->Usable = false;
            o->Shown = !p;
            continue;
        }
        // A button drawn from the button picture hides with its icon; one that is part of the
        // frame picture stays visible but inert.
        auto iconRow = [&](bool usable, bool) {
            o->Usable = usable;
            o->Shown = p ? usable : true;
        };
        switch (command) {
        case cmClose: break;
        case cmMaximize: iconRow((borderIcons_ & biMaximize) != 0, true); break;
        case cmMinimize: iconRow((borderIcons_ & biMinimize) != 0, true); break;
        case cmSysMenu: iconRow((borderIcons_ & biSystemMenu) != 0 && !DisableSystemMenu, true); break;
        case cmRollUp: iconRow((borderIcons_ & biRollUp) != 0, true); break;
        case cmMinimizeToTray: iconRow((borderIcons_ & biMinimizeToTray) != 0, true); break;
        case cmDefault: {
            bool visible = false;
            if (OnActivateCustomObject) {
                OnActivateCustomObject(o->IDName, visible);
            }
            o->Shown = visible;
            break;
        }
        }
    }
    AssignDefaultHints();
}

std::string TqvVeltrane::ResourceString(const std::string& key, const std::string& builtIn) const {
    if (skinData_ != nullptr && skinData_->ResourceStrData() != nullptr) {
        return skinData_->ResourceStrData()->GetResStr(key);
    }
    return builtIn;
}

void TqvVeltrane::AssignDefaultHints() {
    if (!UseDefaultObjectHint || skinData_ == nullptr) {
        return;
    }
    for (auto& o : SkinObjects) {
        TqvStdCommand command;
        if (auto* std = dynamic_cast<TqvSkinStdButtonObject*>(o.get())) {
            command = std->command;
        } else if (auto* animate = dynamic_cast<TqvSkinAnimateObject*>(o.get())) {
            command = animate->command;
        } else {
            continue;
        }
        switch (command) {
        case cmClose: o->HintText = ResourceString("CLOSEBUTTON_HINT", "Close"); break;
        case cmMaximize: o->HintText = ResourceString("MAXBUTTON_HINT", "Maximize"); break;
        case cmMinimize: o->HintText = ResourceString("MINBUTTON_HINT", "Minimize"); break;
        case cmSysMenu: o->HintText = ResourceString("MENUBUTTON_HINT", "System menu"); break;
        case cmRollUp: o->HintText = ResourceString("ROLLUPBUTTON_HINT", "Roll Up"); break;
        case cmMinimizeToTray: o->HintText = ResourceString("TRAYBUTTON_HINT", "Minimize to Tray"); break;
        case cmDefault: break;
        }
    }
}

TqvSkinCaptionObject* TqvVeltrane::CaptionObject() const {
    for (const auto& o : SkinObjects) {
        if (auto* c = dynamic_cast<TqvSkinCaptionObject*>(o.get())) {
            return c;
        }
    }
    return nullptr;
}

SIZE TqvVeltrane::SmallIconSize() {
    int w = GetSystemMetrics(SM_CXSMICON);
    int h = GetSystemMetrics(SM_CYSMICON);
    if (w == 0 || h == 0) {
        w = GetSystemMetrics(SM_CXSIZE);
        h = GetSystemMetrics(SM_CYSIZE);
    }
    return SIZE{w, h};
}

void TqvVeltrane::DrawSmallIcon(HDC dc, int x, int y) {
    SIZE s = SmallIconSize();
    HICON icon = form_->HandleAllocated()
                     ? reinterpret_cast<HICON>(SendMessage(form_->Handle(), WM_GETICON, ICON_SMALL2, 0))
                     : nullptr;
    if (icon && DrawIconEx(dc, x, y, icon, s.cx, s.cy, 0, nullptr, DI_NORMAL)) {
        return;
    }
    // A form without an icon picture shows the system-menu glyph in its place.
    DrawSysMenuGlyph(dc, x + s.cx / 2 - 5, y + s.cy / 2 - 4, GetSysColor(COLOR_BTNTEXT));
}

namespace {

// Where a rectangle designed on the form picture goes for the current size.
RECT MapToWindow(const RECT& r, const TqvSkinData& s, int dx, int dy) {
    const int pw = s.MainPicture.Width();
    const int ph = s.MainPicture.Height();
    const RECT ltz{0, 0, s.lefttoppoint.x, s.lefttoppoint.y};
    const RECT rtz{s.righttoppoint.x, 0, pw, s.righttoppoint.y};
    const RECT lbz{0, s.leftbottompoint.y, s.leftbottompoint.x, ph};
    const RECT rbz{s.rightbottompoint.x, s.rightbottompoint.y, pw, ph};
    RECT out = r;
    if (RectInsideRect(r, ltz)) {
        return out;
    }
    if (RectInsideRect(r, rtz)) {
        out = OffsetRect(out, dx, 0);
        return out;
    }
    if (RectInsideRect(r, lbz)) {
        out = OffsetRect(out, 0, dy);
        return out;
    }
    if (RectInsideRect(r, rbz)) {
        out = OffsetRect(out, dx, dy);
        return out;
    }
    const POINT tl{r.left, r.top};
    const POINT br{r.right, r.bottom};
    auto in = [](const RECT& z, POINT p) { return PtInRect(z, p) != 0; };
    if (in(ltz, tl) && in(rbz, br)) {
        out.right += dx;
        out.bottom += dy;
    } else if (in(ltz, tl) && in(rtz, br)) {
        out.right += dx;
    } else if (in(lbz, tl) && in(rbz, br)) {
        out.right += dx;
        out = OffsetRect(out, 0, dy);
    } else if (in(ltz, tl) && in(lbz, br)) {
        out.bottom += dy;
    } else if (in(rtz, tl) && in(rbz, br)) {
        out = OffsetRect(out, dx, 0);
        out.bottom += dy;
    }
    return out;
}

constexpr TqvStdCommand kButtonOrder[] = {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray};

TqvStdCommand CommandOf(const TqvActiveSkinObject* o) {
    if (auto* std = dynamic_cast<const TqvSkinStdButtonObject*>(o)) {
        return std->command;
    }
    if (auto* animate = dynamic_cast<const TqvSkinAnimateObject*>(o)) {
        return animate->command;
    }
    return cmDefault;
}

bool IsCommandObject(const TqvActiveSkinObject* o) {
    return dynamic_cast<const TqvSkinStdButtonObject*>(o) != nullptr ||
           dynamic_cast<const TqvSkinAnimateObject*>(o) != nullptr;
}

} // namespace

void TqvVeltrane::LayoutObjects() {
    if (!skinInUse_ || skinData_ == nullptr) {
        return;
    }
    const TqvSkinData& s = *skinData_;
    const int dx = FrameRB.x - s.rightbottompoint.x;
    const int dy = FrameRB.y - s.rightbottompoint.y;
    for (auto& o : SkinObjects) {
        if (!o->skinrectinapicture) {
            o->ObjectRect = MapToWindow(o->skinrect, s, dx, dy);
        }
    }
    RECT band;
    if (!RectIsEmpty(ButtonsArea)) {
        band = ButtonsArea;
    } else if (!RectIsEmpty(CaptionArea)) {
        band = CaptionArea;
    } else {
        return;
    }
    auto takesPart = [](const TqvActiveSkinObject* o) {
        return IsCommandObject(o) && o->Shown && o->skinrectinapicture;
    };
    auto sizeOf = [this](const TqvActiveSkinObject* o) {
        if (CommandOf(o) == cmSysMenu && showIcon_ && dynamic_cast<const TqvSkinStdButtonObject*>(o)) {
            return SmallIconSize();
        }
        return SIZE{WidthOfRect(o->skinrect), HeightOfRect(o->skinrect)};
    };
    std::vector<TqvActiveSkinObject*> ordered;
    for (TqvStdCommand command : kButtonOrder) {
        for (auto& o : SkinObjects) {
            if (takesPart(o.get()) && CommandOf(o.get()) == command) {
                ordered.push_back(o.get());
                break;
            }
        }
    }
    for (auto& o : SkinObjects) {
        if (takesPart(o.get()) && CommandOf(o.get()) == cmDefault) {
            ordered.push_back(o.get());
        }
    }
    TqvActiveSkinObject* sysMenu = nullptr;
    for (auto& o : SkinObjects) {
        if (takesPart(o.get()) && CommandOf(o.get()) == cmSysMenu) {
            sysMenu = o.get();
            break;
        }
    }
    TqvSkinCaptionObject* caption = nullptr;
    if (!SkinObjects.empty()) {
        caption = dynamic_cast<TqvSkinCaptionObject*>(SkinObjects.front().get());
    }
    if (caption == nullptr) {
        caption = CaptionObject();
    }
    const int top = band.top;
    if (!ButtonsInLeft) {
        int x = band.right;
        for (TqvActiveSkinObject* o : ordered) {
            SIZE sz = sizeOf(o);
            o->ObjectRect = RECT{x - sz.cx, top, x, top + sz.cy};
            x -= sz.cx + ButtonsOffset;
        }
        if (RectIsEmpty(ButtonsArea) && caption != nullptr) {
            caption->ObjectRect.right = x + ButtonsOffset;
        }
        if (sysMenu != nullptr) {
            SIZE sz = sizeOf(sysMenu);
            const int sx = CaptionArea.left;
            const int t = CaptionArea.top + HeightOfRect(CaptionArea) / 2 - sz.cy / 2;
            sysMenu->ObjectRect = RECT{sx, t, sx + sz.cx, t + sz.cy};
            if (caption != nullptr) {
                caption->ObjectRect.left = sysMenu->ObjectRect.right;
            }
        }
    } else {
        int x = band.left;
        for (TqvActiveSkinObject* o : ordered) {
            SIZE sz = sizeOf(o);
            o->ObjectRect = RECT{x, top, x + sz.cx, top + sz.cy};
            x += sz.cx + ButtonsOffset;
        }
        if (!RectIsEmpty(ButtonsArea) && sysMenu != nullptr) {
            SIZE sz = sizeOf(sysMenu);
            sysMenu->ObjectRect = RECT{x, top, x + sz.cx, top + sz.cy};
            x += sz.cx + ButtonsOffset;
        }
        if (RectIsEmpty(ButtonsArea) && caption != nullptr) {
            caption->ObjectRect.left = x + ButtonsOffset;
        }
    }
}

void TqvVeltrane::LayoutDefaultButtons() {
    if (SkinObjects.empty()) {
        return;
    }
    const int W = WindowWidth != 0 ? WindowWidth : form_->Width();
    const auto style = form_->BorderStyle();
    const int S = (style == vcl::bsToolWindow || style == vcl::bsSizeToolWin) ? 13 : 17;
    const int hc = DefaultCaptionHeight();
    DefaultCaptionArea = RECT{3, 3, W - 3, hc};
    int x = W - 3;
    for (TqvStdCommand command : kButtonOrder) {
        for (auto& o : SkinObjects) {
            if (o->Shown && CommandOf(o.get()) == command && IsCommandObject(o.get())) {
                o->ObjectRect = RECT{x - S, 4, x, 4 + S};
                x -= S;
                break;
            }
        }
    }
    DefaultCaptionArea.right = x;
    x = 3;
    for (auto& o : SkinObjects) {
        if (o->Shown && IsCommandObject(o.get()) && CommandOf(o.get()) == cmSysMenu) {
            SIZE sz = showIcon_ ? SmallIconSize() : SIZE{S, S};
            o->ObjectRect = RECT{x, 4, x + sz.cx, 4 + sz.cy};
            DefaultCaptionArea.left = x + sz.cx;
            break;
        }
    }
}

// ---- mouse dispatch ----

void TqvVeltrane::UpdateHover(int x, int y, bool track) {
    if (SkinObjects.empty() || !IsFormActive()) {
        return;
    }
    PreviousHoverIndex = HoverIndex;
    int found = -1;
    for (int i = 0; i < int(SkinObjects.size()); ++i) {
        const auto& o = SkinObjects[std::size_t(i)];
        if (o->Usable && o->Shown && PtInRect(o->ObjectRect, POINT{x, y})) {
            found = i;
            break;
        }
    }
    // A right-button press holds the mouse for its object as the tracker does for the left.
    if (PressedIndex != -1 && found != PressedIndex) {
        found = -1;
    }
    tracker_->MouseMove(track ? found : -1);
    HoverIndex = tracker_->HotPart();
    if (HoverIndex == PreviousHoverIndex) {
        return;
    }
    if (PreviousHoverIndex >= 0 && PreviousHoverIndex < int(SkinObjects.size())) {
        TqvActiveSkinObject* prev = SkinObjects[std::size_t(PreviousHoverIndex)].get();
        if (prev->Usable && prev->Shown) {
            prev->MouseLeave();
        }
        if (ShowObjectHint && SkinHint != nullptr && !prev->HintText.empty()) {
            SkinHint->HideObjectHint();
        }
    }
    if (HoverIndex >= 0) {
        TqvActiveSkinObject* now = SkinObjects[std::size_t(HoverIndex)].get();
        if (now->Usable && now->Shown) {
            now->MouseEnter();
        }
        if (ShowObjectHint && SkinHint != nullptr && !now->HintText.empty()) {
            SkinHint->ActivateObjectHint(now->HintText);
        }
    }
}

void TqvVeltrane::ObjectMouseMove(int x, int y) {
    int index = PressedIndex != -1 ? PressedIndex : HoverIndex;
    if (index >= 0 && index < int(SkinObjects.size())) {
        SkinObjects[std::size_t(index)]->MouseMove(x, y);
    }
}

void TqvVeltrane::ObjectDblClick() {
    if (HoverIndex >= 0 && HoverIndex < int(SkinObjects.size())) {
        SkinObjects[std::size_t(HoverIndex)]->DblClick();
    }
}

void TqvVeltrane::PressObject(TMouseButton button, int x, int y) {
    if (HoverIndex < 0 || HoverIndex >= int(SkinObjects.size())) {
        return;
    }
    TqvActiveSkinObject* o = SkinObjects[std::size_t(HoverIndex)].get();
    if (dynamic_cast<TqvSkinCaptionObject*>(o) == nullptr && form_->HandleAllocated()) {
        SetCapture(form_->Handle());
    }
    if (button == vcl::TMouseButton::mbLeft) {
        tracker_->Press(HoverIndex);
    }
    PressedIndex = HoverIndex;
    o->MouseDown(x, y, button);
}

void TqvVeltrane::ReleaseObject(TMouseButton button, int x, int y) {
    if (PressedIndex < 0 || PressedIndex >= int(SkinObjects.size())) {
        return;
    }
    TqvActiveSkinObject* o = SkinObjects[std::size_t(PressedIndex)].get();
    if (dynamic_cast<TqvSkinCaptionObject*>(o) == nullptr) {
        ReleaseCapture();
    }
    if (button == vcl::TMouseButton::mbLeft) {
        // The object acts on a release over it: the tracker's click, which is ObjectActive.
        tracker_->Release();
    }
    PressedIndex = -1;
    o->MouseUp(x, y, button);
}

void TqvVeltrane::ResetObjectStates() {
    for (auto& o : SkinObjects) {
        if (dynamic_cast<TqvSkinCaptionObject*>(o.get()) != nullptr) {
            continue;
        }
        o->ObjectActive = false;
        o->MouseOver = false;
        o->MorphFactor = 0;
        if (auto* a = dynamic_cast<TqvSkinAnimateObject*>(o.get())) {
            a->Frame = 1;
        }
    }
}

void TqvVeltrane::RedrawOrMorph(TqvActiveSkinObject* object) {
    if (object->CanMorph()) {
        morphStepTimer_->SetEnabled(true);
    } else {
        RedrawObject(object);
    }
}

void TqvVeltrane::MorphTimerTick() {
    bool stepped = false;
    for (auto& o : SkinObjects) {
        if (!o->CanMorph()) {
            continue;
        }
        if (o->ObjectActive && o->MorphFactor < 1) {
            o->MorphFactor = std::min(1.0, o->MorphFactor + 0.2);
        } else if (!o->ObjectActive && o->MorphFactor > 0) {
            o->MorphFactor = std::max(0.0, o->MorphFactor - 0.2);
        } else {
            continue;
        }
        stepped = true;
        RedrawObject(o.get());
    }
    if (!stepped) {
        morphStepTimer_->SetEnabled(false);
    }
}

void TqvVeltrane::AnimationTimerTick() {
    bool moved = false;
    for (auto& o : SkinObjects) {
        if (auto* a = dynamic_cast<TqvSkinAnimateObject*>(o.get())) {
            moved = a->Step() || moved;
            continue;
        }
        auto* c = dynamic_cast<TqvSkinCaptionObject*>(o.get());
        if (c == nullptr || !c->HasAnimation()) {
            continue;
        }
        if (c->FrameTicks < c->animateinterval) {
            c->FrameTicks += 25;
            moved = true;
        } else if (c->ObjectActive && c->AnimFrame <= c->framecount) {
            ++c->AnimFrame;
            RedrawObject(c);
            c->FrameTicks = 25;
            moved = true;
        } else if (!c->ObjectActive && c->AnimFrame > 0) {
            --c->AnimFrame;
            RedrawObject(c);
            c->FrameTicks = 25;
            moved = true;
        }
    }
    if (!moved) {
        animationTimer_->SetEnabled(false);
    }
}

void TqvVeltrane::HoverTimerTick() {
    if (!IsFormActive() || !form_->HandleAllocated()) {
        return;
    }
    if (InSizeMove) {
        hoverTimer_->SetEnabled(false);
        return;
    }
    POINT p{};
    GetCursorPos(&p);
    RECT wr{};
    GetWindowRect(form_->Handle(), &wr);
    p.x -= wr.left;
    p.y -= wr.top;
    if (!PtInRect(ClientAreaForHover(), p)) {
        UpdateHover(p.x, p.y, true);
    } else if (HoverIndex != -1) {
        UpdateHover(-1, -1, true);
    }
}

void TqvVeltrane::ShowObjectPopup(TqvActiveSkinObject* object, bool upward) {
    RECT r = object->ObjectRect;
    r = OffsetRect(r, form_->Left(), form_->Top());
    if (CommandOf(object) == cmSysMenu) {
        CloseOpenMenu();
        PopupMenuItems(SystemMenuItems(), r, upward);
    }
}

void TqvVeltrane::ObjectPopupClosed() {
    // The menu took the mouse: the press that opened it ends without a click.
    ClearPress();
    for (auto& o : SkinObjects) {
        auto* b = dynamic_cast<TqvSkinButtonObject*>(o.get());
        if (b != nullptr && b->HasPopupItems && b->IsDown()) {
            b->SetIsDown(false);
            break;
        }
    }
}

} // namespace qv
