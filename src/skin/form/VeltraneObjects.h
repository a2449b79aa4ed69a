#pragma once
// The live objects of a skinned frame: the caption and the caption buttons (and, in other skins,
// plain buttons, animations and user-painted areas). Each is built from one [SKINOBJECTS] record,
// sits at a rectangle of the window, draws itself from the skin pictures in its current state and
// reacts to the mouse events the form skin dispatches to it.
//
// The press state of a button (IsDown while the mouse is held, MouseOver while it is over the
// button, the command only when released over it) is the one press machine every skinned button
// follows; here the form skin owns the capture, the object only keeps the flags.

#include "framework/Control.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/WinTypes.h"
#include "skin/data/qvFormSkinRecords.h"

#include <string>

namespace qv {

class TqvVeltrane;
using vcl::TMouseButton;

class TqvActiveSkinObject {
public:
    TqvActiveSkinObject(TqvVeltrane* owner, const TqvDataSkinObject* record);
    virtual ~TqvActiveSkinObject() = default;
    TqvActiveSkinObject(const TqvActiveSkinObject&) = delete;
    TqvActiveSkinObject& operator=(const TqvActiveSkinObject&) = delete;

    virtual bool CanMorph();
    // Draws at ObjectRect in dc's coordinates. Update is set when the object is redrawn on its
    // own (hover, press), clear when it is drawn into the composed frame.
    virtual void Draw(HDC dc, bool update);
    virtual void DblClick() {}
    virtual void MouseDown(int x, int y, TMouseButton button);
    virtual void MouseUp(int x, int y, TMouseButton button);
    virtual void MouseMove(int x, int y);
    virtual void MouseEnter();
    virtual void MouseLeave();

    TqvVeltrane* OwnerSkin;
    std::string IDName;
    std::string HintText;
    bool skinrectinapicture = false;
    RECT skinrect{};
    RECT activeskinrect{};
    RECT inactiveskinrect{};
    bool morphing = false;
    TqvMorphKind morphkind = mkDefault;
    const gfx::Bitmap* FramePicture = nullptr;
    const gfx::Bitmap* StatePicture = nullptr;
    RECT ObjectRect{};
    bool ObjectActive = false;
    bool MouseOver = false;
    double MorphFactor = 0;
    bool Usable = true;
    bool Shown = true;

protected:
    // The picture the normal image is cut from.
    const gfx::Bitmap* NormalPicture() const { return skinrectinapicture ? StatePicture : FramePicture; }
    // Copies source rectangle src of picture onto ObjectRect (stretched when the sizes differ).
    void DrawImage(HDC dc, const gfx::Bitmap* picture, const RECT& src) const;
    // The morph of the normal and active images at MorphFactor onto ObjectRect.
    void DrawMorph(HDC dc, const gfx::Bitmap* pictureA, const RECT& a, const gfx::Bitmap* pictureB,
                   const RECT& b) const;
    bool MorphUnderWay() const { return MorphFactor > 0 && MorphFactor < 1 && morphing; }
    // The base drawing: inactive, morph, active or normal image.
    void DrawBase(HDC dc, bool update);
    void RedrawOrMorph();
};

class TqvSkinButtonObject : public TqvActiveSkinObject {
public:
    TqvSkinButtonObject(TqvVeltrane* owner, const TqvDataSkinButton* record);

    bool CanMorph() override;
    void Draw(HDC dc, bool update) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    bool IsDown() const { return isDown_; }
    void SetIsDown(bool down);

    RECT downrect{};
    RECT disableskinrsect{};
    bool HasPopupItems = false;
    bool OpensUpward = false;

protected:
    bool isDown_ = false;
};

class TqvSkinStdButtonObject : public TqvSkinButtonObject {
public:
    // record may be nullptr: a default button of the built-in look.
    TqvSkinStdButtonObject(TqvVeltrane* owner, const TqvDataSkinStdButton* record);

    bool CanMorph() override;
    void Draw(HDC dc, bool update) override;
    void DblClick() override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;

    TqvStdCommand command = cmDefault;
    RECT restorerect{};
    RECT restoreactiverect{};
    RECT restoreinactiverect{};
    RECT restoredownrect{};
    bool HasSkin = false;

    // The button shows its alternative (restore) images: maximize while maximized, minimize while
    // minimized, roll-up while rolled up.
    bool InAlternativeState() const;

private:
    void DrawDefault(HDC dc);
    void RunCommand();
};

class TqvSkinCaptionObject : public TqvActiveSkinObject {
public:
    TqvSkinCaptionObject(TqvVeltrane* owner, const TqvDataSkinCaption* record);

    void Draw(HDC dc, bool update) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    RECT textrect{};
    std::string fontname;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = 0;
    TAlignment alignment = taCenter;
    bool light = false;
    TColor lightcolor = 0;
    TColor activelightcolor = 0;
    bool shadow = false;
    TColor shadowcolor = 0;
    TColor activeshadowcolor = 0;
    RECT framerect{};
    RECT activeframerect{};
    RECT frametextrect{};
    int frameleftoffset = 0;
    int framerightoffset = 0;
    bool stretcheffect = false;
    RECT animateskinrect{};
    int framecount = 0;
    int animateinterval = 25;
    bool inactiveanimation = false;
    bool fullframe = false;
    int AnimFrame = 0;
    int FrameTicks = 0;

    bool HasAnimation() const;

private:
    // The text rectangle relative to the object.
    RECT TextRect() const;
    // The caption's text, its frame, light and shadow into dc with the object's top-left at origin.
    void DrawText(HDC dc, POINT origin, bool active);
    // src of picture composed to the object's size.
    gfx::Bitmap FitImage(const gfx::Bitmap* picture, const RECT& src) const;
};

class TqvSkinAnimateObject : public TqvActiveSkinObject {
public:
    TqvSkinAnimateObject(TqvVeltrane* owner, const TqvDataSkinAnimate* record);

    bool CanMorph() override { return false; }
    void Draw(HDC dc, bool update) override;
    void MouseDown(int x, int y, TMouseButton button) override;
    void MouseUp(int x, int y, TMouseButton button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // One 25 ms step of the animation; true when it moved.
    bool Step();

    int countframes = 1;
    bool cycle = false;
    bool buttonstyle = false;
    int timerinterval = 50;
    TqvStdCommand command = cmDefault;
    RECT downskinrect{};
    RECT restorerect{};
    RECT restoreactiverect{};
    RECT restoredownrect{};
    RECT restoreinactiverect{};
    int Frame = 1;
    int Ticks = 25;
    bool Forward = true;
    bool Pressed = false;
    bool MenuShown = false;

private:
    bool InAlternativeState() const;
};

class TqvUserObject : public TqvActiveSkinObject {
public:
    using TqvActiveSkinObject::TqvActiveSkinObject;
    void Draw(HDC dc, bool update) override;
};

} // namespace qv
