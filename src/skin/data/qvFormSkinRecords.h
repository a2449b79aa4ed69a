#pragma once
// The records of the form skin: the window frame ([FORMINFO]), the popup-menu and hint windows,
// the skin colours, and the frame objects listed in [SKINOBJECTS] (caption buttons, caption,
// menu items, animations, user objects). The form skin, its popup menus and hints read these.

#include "skin/data/qvSkinRecord.h"
#include "skin/data/qvSkinRecordKinds.h"

#include <memory>
#include <vector>

namespace qv {

// ---- [SKINOBJECTS] records ----

class TqvDataSkinObject : public TqvSkinRecordOf<TqvDataSkinObject, TqvSkinRecord> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    std::string hint;
    int activepictureindex = -1;
    bool skinrectinapicture = false;
    RECT skinrect{};
    RECT activeskinrect{};
    RECT inactiveskinrect{};
    bool morphing = false;
    TqvMorphKind morphkind = mkDefault;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Reads only its skinrect; the other fields keep their initial values.
class TqvDataUserObject : public TqvSkinRecordOf<TqvDataUserObject, TqvDataSkinObject> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

class TqvDataSkinButton : public TqvSkinRecordOf<TqvDataSkinButton, TqvDataSkinObject> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;
    RECT downrect{};
    RECT disableskinrsect{}; // the key is spelled so in every skin

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// A caption button of the frame; the restore… images show its alternative state.
class TqvDataSkinStdButton : public TqvSkinRecordOf<TqvDataSkinStdButton, TqvDataSkinButton> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;
    TqvStdCommand command = cmDefault;
    RECT restorerect{};
    RECT restoreactiverect{};
    RECT restoredownrect{};
    RECT restoreinactiverect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

class TqvDataSkinMainMenuBarButton
    : public TqvSkinRecordOf<TqvDataSkinMainMenuBarButton, TqvDataSkinStdButton> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;
};

class TqvDataSkinAnimate : public TqvSkinRecordOf<TqvDataSkinAnimate, TqvDataSkinObject> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;
    // An animation never morphs, whatever its section says.
    void LoadFromSkinText(const TqvSkinIni& ini) override;

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

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

class TqvDataSkinMenuItem : public TqvSkinRecordOf<TqvDataSkinMenuItem, TqvDataSkinObject> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;
    // Empty active check, radio and arrow images fall back to the normal ones.
    void LoadFromSkinText(const TqvSkinIni& ini) override;

    int itemleftoffset = 0;
    int itemrightoffset = 0;
    RECT dividerrect{};
    int dividerleftoffset = 0;
    int dividerrightoffset = 0;
    RECT textrect{};
    RECT imagerect{};
    TqvSkinFont font;
    TColor activefontcolor = 0;
    TColor unenabledfontcolor = 0;
    bool stretcheffect = false;
    bool inactivestretcheffect = false;
    bool dividerstretcheffect = false;
    RECT animateskinrect{};
    int framecount = 0;
    int animateinterval = 25;
    bool inactiveanimation = false;
    bool useimagecolor = false;
    TColor imagecolor = 0;
    TColor activeimagecolor = 0;
    bool inactivetransparent = false;
    RECT checkimagerect{};
    RECT activecheckimagerect{};
    RECT radioimagerect{};
    RECT activeradioimagerect{};
    RECT arrowimagerect{};
    RECT activearrowimagerect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

class TqvDataSkinMainMenuItem : public TqvSkinRecordOf<TqvDataSkinMainMenuItem, TqvDataSkinObject> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    int itemleftoffset = 0;
    int itemrightoffset = 0;
    RECT downrect{};
    RECT textrect{};
    TqvSkinFont font;
    TColor activefontcolor = 0;
    TColor downfontcolor = 0;
    TColor unenabledfontcolor = 0;
    bool stretcheffect = false;
    RECT animateskinrect{};
    int framecount = 0;
    int animateinterval = 25;
    bool inactiveanimation = false;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

class TqvDataSkinMainMenuBarItem
    : public TqvSkinRecordOf<TqvDataSkinMainMenuBarItem, TqvDataSkinMainMenuItem> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;
};

class TqvDataSkinCaption : public TqvSkinRecordOf<TqvDataSkinCaption, TqvDataSkinObject> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT textrect{};
    TqvSkinFont font;
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

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// ---- global sections ----

// [POPUPWINDOW]: the frame of popup menus.
class TqvDataSkinPopupWindow : public TqvSkinRecordOf<TqvDataSkinPopupWindow, TqvSkinRecord> {
public:
    explicit TqvDataSkinPopupWindow(std::string section = "POPUPWINDOW")
        : TqvSkinRecordOf(std::move(section)) {}

    int windowpictureindex = -1;
    int maskpictureindex = -1;
    POINT lefttoppoint{};
    POINT righttoppoint{};
    POINT leftbottompoint{};
    POINT rightbottompoint{};
    RECT itemsrect{};
    TColor scrollmarkercolor = 0;
    TColor scrollmarkeractivecolor = 0;
    bool leftstretch = false;
    bool rightstretch = false;
    bool topstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    TqvStretchType stretchtype = stFull;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// [HINTWINDOW]: the hint window. Its font is read only while a loaded skin names a hint picture,
// so a new record holds what an empty section reads (Arial, height 14).
class TqvDataSkinHintWindow : public TqvSkinRecordOf<TqvDataSkinHintWindow, TqvSkinRecord> {
public:
    explicit TqvDataSkinHintWindow(std::string section = "HINTWINDOW")
        : TqvSkinRecordOf(std::move(section)) {}

    int windowpictureindex = -1;
    int maskpictureindex = -1;
    POINT lefttoppoint{};
    POINT righttoppoint{};
    POINT leftbottompoint{};
    POINT rightbottompoint{};
    RECT clientrect{};
    TqvSkinFont font;
    bool leftstretch = false;
    bool rightstretch = false;
    bool topstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    TqvStretchType stretchtype = stFull;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// [SKINCOLORS]: the colours controls use for text and backgrounds; a key a skin leaves out keeps
// the system colour of its role.
class TqvSkinColors : public TqvSkinRecordOf<TqvSkinColors, TqvSkinRecord> {
public:
    explicit TqvSkinColors(std::string section = "SKINCOLORS") : TqvSkinRecordOf(std::move(section)) {}

    TColor cbtnface = vcl::clBtnFace;
    TColor cbtntext = vcl::clBtnText;
    TColor cwindow = vcl::clWindow;
    TColor cwindowtext = vcl::clWindowText;
    TColor chighlight = vcl::clHighlight;
    TColor chighlighttext = vcl::clHighlightText;
    TColor cbtnhighlight = vcl::clBtnHighlight;
    TColor cbtnshadow = vcl::clBtnShadow;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// [FORMINFO]: the window frame. The skin data carries these fields as its own.
struct TqvSkinFormInfo {
    POINT lefttoppoint{};
    POINT righttoppoint{};
    POINT leftbottompoint{};
    POINT rightbottompoint{};
    RECT clientrect{};
    int bgpictureindex = -1;
    int mdibgpictureindex = -1;
    bool leftstretch = false;
    bool rightstretch = false;
    bool topstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    TqvStretchType stretchtype = stFull;
    bool mdibgstretcheffect = false;
    TqvStretchType mdibgstretchtype = stFull;
    RECT maskrectarea{};
    POINT hittestlefttoppoint{};
    POINT hittestrighttoppoint{};
    POINT hittestleftbottompoint{};
    POINT hittestrightbottompoint{};
    RECT buttonsrect{};
    RECT captionrect{};
    int buttonsoffset = 0;
    bool buttonsinleft = false;
    bool mainmenupopupup = false;
    int borderwidth = 0;
    int formminwidth = 0;
    bool mditabstransparent = false;
    bool mainmenubartransparent = false;
    bool autorenderinginactiveimage = false;
    TqvInactiveEffect inactiveeffect = ieBrightness;

    // Reads [FORMINFO] (absent keys keep the initial values above), then fits the mask area and hit-test
    // points (only with a mask picture) and draws the frame corners towards the client area.
    void LoadFormInfo(const TqvSkinIni& ini, bool hasMaskPicture);
    // Writes the fields as read (after the adjustments).
    void SaveFormInfo(TqvSkinIni& ini);
    void DescribeFormInfo(TqvSkinFields& fields);
};

inline constexpr const char* kFormInfoSection = "FORMINFO";

// ---- [SKINOBJECTS] ----

// The record class for a kind word, or nullptr for a kind the engine does not know.
std::unique_ptr<TqvDataSkinObject> CreateFormObject(std::string_view kind, const std::string& name);

// The kind word of a record's class (empty for a base class no kind creates).
std::string_view FormObjectKind(const TqvDataSkinObject& record);

// Reads [SKINOBJECTS]: each "name:kind" entry in index order creates its record, which reads its
// section; unknown kinds and entries without ":" are skipped.
void LoadFormObjects(const TqvSkinIni& ini, std::vector<std::unique_ptr<TqvDataSkinObject>>& out);

} // namespace qv
