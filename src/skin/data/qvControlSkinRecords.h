#pragma once
// The control skin records: one class per control kind of [SKINCONTROLS], each reading the keys
// of its section (its parent's keys first). The skinned controls look their record up by name
// (TqvSkinData::IndexOfControlSkin), check that it is of the class they expect and draw from its
// fields, which carry the names of the skin keys.

#include "skin/data/qvFormSkinRecords.h"
#include "skin/data/qvSkinRecord.h"

#include <memory>
#include <vector>

namespace qv {

// The base of every control record: the picture and the designed image.
class TqvDataSkinControl : public TqvSkinRecord {
public:
    using TqvSkinRecord::TqvSkinRecord;

    int pictureindex = -1;
    int maskpictureindex = -1;
    RECT skinrect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Adds the nine-part resizing geometry, in skinrect coordinates.
class TqvDataSkinCustomControl : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    POINT lefttoppoint{};
    POINT righttoppoint{};
    POINT leftbottompoint{};
    POINT rightbottompoint{};
    RECT clientrect{};
    bool leftstretch = false;
    bool topstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    TqvStretchType stretchtype = stFull;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "panel".
class TqvDataSkinPanelControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    int bgpictureindex = -1;
    RECT captionrect{};
    TAlignment alignment = taCenter;
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    RECT checkimagerect{};
    RECT uncheckimagerect{};
    RECT markframerect{};
    RECT framerect{};
    RECT frametextrect{};
    int frameleftoffset = 0;
    int framerightoffset = 0;
    RECT gripperrect{};
    bool grippertransparent = false;
    TColor grippertransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "expanel".
class TqvDataSkinExPanelControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT rollhskinrect{};
    RECT rollvskinrect{};
    int rollleftoffset = 0;
    int rollrightoffset = 0;
    int rolltopoffset = 0;
    int rollbottomoffset = 0;
    RECT rollvcaptionrect{};
    RECT rollhcaptionrect{};
    RECT closebuttonrect{};
    RECT closebuttonactiverect{};
    RECT closebuttondownrect{};
    RECT hrollbuttonrect{};
    RECT hrollbuttonactiverect{};
    RECT hrollbuttondownrect{};
    RECT hrestorebuttonrect{};
    RECT hrestorebuttonactiverect{};
    RECT hrestorebuttondownrect{};
    RECT vrollbuttonrect{};
    RECT vrollbuttonactiverect{};
    RECT vrollbuttondownrect{};
    RECT vrestorebuttonrect{};
    RECT vrestorebuttonactiverect{};
    RECT vrestorebuttondownrect{};
    RECT captionrect{};
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    bool buttonstransparent = false;
    TColor buttonstransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "button".
class TqvDataSkinButtonControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = 0;
    TColor downfontcolor = 0;
    TColor disabledfontcolor = 0;
    RECT activeskinrect{};
    RECT downskinrect{};
    RECT focusedskinrect{};
    RECT disabledskinrect{};
    bool morphing = false;
    TqvMorphKind morphkind = mkDefault;
    RECT animateskinrect{};
    int framecount = 0;
    int animateinterval = 25;
    bool showfocus = false;
    RECT menumarkerflatrect{};
    RECT menumarkerrect{};
    RECT menumarkeractiverect{};
    RECT menumarkerdownrect{};
    TColor menumarkertransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "menubutton".
class TqvDataSkinMenuButtonControl : public TqvDataSkinButtonControl {
public:
    using TqvDataSkinButtonControl::TqvDataSkinButtonControl;

    RECT trackbuttonrect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "checkradio".
class TqvDataSkinCheckRadioControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = 0;
    TColor unenabledfontcolor = 0;
    TColor framefontcolor = 0;
    RECT activeskinrect{};
    RECT checkimagearea{};
    RECT textarea{};
    RECT checkimagerect{};
    RECT uncheckimagerect{};
    RECT activecheckimagerect{};
    RECT activeuncheckimagerect{};
    RECT unenabledcheckimagerect{};
    RECT unenableduncheckimagerect{};
    RECT grayedcheckimagerect{};
    RECT activegrayedcheckimagerect{};
    bool morphing = false;
    TqvMorphKind morphkind = mkDefault;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "gauge".
class TqvDataSkinGaugeControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT progressarea{};
    RECT progressrect{};
    int beginoffset = 0;
    int endoffset = 0;
    bool vertical = false;
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    bool progresstransparent = false;
    TColor progresstransparentcolor = 0;
    bool progressstretch = false;
    RECT animationskinrect{};
    int animationcountframes = 0;
    int animationtimerinterval = 0;
    RECT progressanimationskinrect{};
    int progressanimationcountframes = 0;
    int progressanimationtimerinterval = 0;
    int animationbeginoffset = 0;
    int animationendoffset = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "splitter".
class TqvDataSkinSplitterControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT gripperrect{};
    bool grippertransparent = false;
    TColor grippertransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "trackbar".
class TqvDataSkinTrackBarControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT activeskinrect{};
    RECT trackarea{};
    RECT buttonrect{};
    RECT activebuttonrect{};
    bool vertical = false;
    bool buttontransparent = false;
    TColor buttontransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "label".
class TqvDataSkinLabelControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "stdlabel".
class TqvDataSkinStdLabelControl : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = 16711680;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "updown".
class TqvDataSkinUpDownControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT upbuttonrect{};
    RECT activeupbuttonrect{};
    RECT downupbuttonrect{};
    RECT downbuttonrect{};
    RECT activedownbuttonrect{};
    RECT downdownbuttonrect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "grid".
class TqvDataSkinGridControl : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    RECT fixedcellrect{};
    RECT selectcellrect{};
    RECT focuscellrect{};
    int fixedcellleftoffset = 0;
    int fixedcellrightoffset = 0;
    RECT fixedcelltextrect{};
    int cellleftoffset = 0;
    int cellrightoffset = 0;
    RECT celltextrect{};
    int bgpictureindex = -1;
    TColor linescolor = 0;
    TColor bgcolor = 0;
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor selectfontcolor = 0;
    TColor focusfontcolor = 0;
    std::string fixedfontname = kDefaultSkinFontName;
    int fixedfontheight = 14;
    TFontStyles fixedfontstyle = 0;
    TColor fixedfontcolor = 0;
    bool cellstretcheffect = false;
    bool fixedcellstretcheffect = false;
    bool showfocus = false;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "tab".
class TqvDataSkinTabControl : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    RECT tabrect{};
    RECT activetabrect{};
    RECT focustabrect{};
    RECT mouseintabrect{};
    RECT clientrect{};
    int bgpictureindex = -1;
    POINT lefttoppoint{};
    POINT righttoppoint{};
    POINT leftbottompoint{};
    POINT rightbottompoint{};
    int tableftoffset = 0;
    int tabrightoffset = 0;
    RECT tabsbgrect{};
    bool tabstretcheffect = false;
    bool leftstretch = false;
    bool topstretch = false;
    bool rightstretch = false;
    bool bottomstretch = false;
    bool stretcheffect = false;
    TqvStretchType stretchtype = stFull;
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = 0;
    TColor focusfontcolor = 0;
    TColor mouseinfontcolor = 0;
    std::string updown;
    bool showfocus = false;
    int focusoffsetx = 0;
    int focusoffsety = 0;
    RECT closebuttonrect{};
    RECT closebuttonactiverect{};
    RECT closebuttondownrect{};
    bool buttontransparent = false;
    TColor buttontransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "mainmenubar".
class TqvDataSkinMainMenuBar : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    RECT itemsrect{};
    std::string menubaritem;
    std::string closebutton;
    std::string minbutton;
    std::string maxbutton;
    std::string sysmenubutton;
    TColor trackmarkcolor = 0;
    TColor trackmarkactivecolor = 0;
    bool stretcheffect = false;
    bool itemtransparent = false;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "controlbar".
class TqvDataSkinControlBar : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT itemrect{};
    int bgpictureindex = -1;
    RECT hgriprect{};
    RECT vgriprect{};
    int gripoffset1 = 0;
    int gripoffset2 = 0;
    bool itemstretcheffect = false;
    int itemoffset1 = 3;
    int itemoffset2 = 3;
    bool itemtransparent = false;
    TColor itemtransparentcolor = 0;
    bool griptransparent = false;
    TColor griptransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "edit".
class TqvDataSkinEditControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT activeskinrect{};
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor disabledfontcolor = 0;
    TColor activefontcolor = 0;
    RECT buttonrect{};
    RECT activebuttonrect{};
    RECT downbuttonrect{};
    RECT unenabledbuttonrect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "memo".
class TqvDataSkinMemoControl : public TqvDataSkinEditControl {
public:
    using TqvDataSkinEditControl::TqvDataSkinEditControl;

    TColor bgcolor = 0;
    TColor activebgcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "listbox".
class TqvDataSkinListBox : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT itemrect{};
    RECT activeitemrect{};
    RECT focusitemrect{};
    int itemleftoffset = 0;
    int itemrightoffset = 0;
    RECT itemtextrect{};
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = 0;
    TColor focusfontcolor = 0;
    RECT captionrect{};
    std::string captionfontname = kDefaultSkinFontName;
    int captionfontheight = 14;
    TFontStyles captionfontstyle = 0;
    TColor captionfontcolor = 0;
    RECT upbuttonrect{};
    RECT activeupbuttonrect{};
    RECT downupbuttonrect{};
    RECT downbuttonrect{};
    RECT activedownbuttonrect{};
    RECT downdownbuttonrect{};
    RECT checkbuttonrect{};
    RECT activecheckbuttonrect{};
    RECT downcheckbuttonrect{};
    std::string vscrollbarname = "vscrollbar";
    std::string hscrollbarname = "hscrollbar";
    std::string bothhscrollbarname = "bothhscrollbar";
    bool showfocus = false;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "checklistbox".
class TqvDataSkinCheckListBox : public TqvDataSkinListBox {
public:
    using TqvDataSkinListBox::TqvDataSkinListBox;

    RECT itemcheckrect{};
    RECT checkimagerect{};
    RECT uncheckimagerect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "combobox".
class TqvDataSkinComboBox : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT activeskinrect{};
    RECT itemrect{};
    RECT activeitemrect{};
    RECT focusitemrect{};
    int itemleftoffset = 0;
    int itemrightoffset = 0;
    RECT itemtextrect{};
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor focusfontcolor = 0;
    TColor activefontcolor = 0;
    std::string listboxname;
    RECT buttonrect{};
    RECT activebuttonrect{};
    RECT downbuttonrect{};
    RECT unenabledbuttonrect{};
    bool itemstretcheffect = false;
    bool focusitemstretcheffect = false;
    bool showfocus = false;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "scrollbar".
class TqvDataSkinScrollBarControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT trackarea{};
    RECT upbuttonrect{};
    RECT activeupbuttonrect{};
    RECT downupbuttonrect{};
    RECT downbuttonrect{};
    RECT activedownbuttonrect{};
    RECT downdownbuttonrect{};
    RECT thumbrect{};
    RECT activethumbrect{};
    RECT downthumbrect{};
    int thumboffset1 = 0;
    int thumboffset2 = 0;
    bool thumbtransparent = false;
    TColor thumbtransparentcolor = 0;
    bool thumbstretcheffect = false;
    int thumbminsize = 0;
    int thumbminpagesize = 0;
    RECT glyphrect{};
    RECT activeglyphrect{};
    RECT downglyphrect{};
    bool glyphtransparent = false;
    TColor glyphtransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "spinedit".
class TqvDataSkinSpinEditControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    RECT activeskinrect{};
    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor activefontcolor = 0;
    TColor disabledfontcolor = 0;
    RECT upbuttonrect{};
    RECT activeupbuttonrect{};
    RECT downupbuttonrect{};
    RECT downbuttonrect{};
    RECT activedownbuttonrect{};
    RECT downdownbuttonrect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "scrollbox".
class TqvDataSkinScrollBoxControl : public TqvDataSkinCustomControl {
public:
    using TqvDataSkinCustomControl::TqvDataSkinCustomControl;

    int bgpictureindex = -1;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "treeview".
class TqvDataSkinTreeView : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor bgcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "bevel".
class TqvDataSkinBevel : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    TColor lightcolor = 0;
    TColor darkcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "slider".
class TqvDataSkinSlider : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    TColor bgcolor = 0;
    RECT hrulerrect{};
    RECT hthumbrect{};
    RECT vrulerrect{};
    RECT vthumbrect{};
    int edgesize = 0;
    TColor pointscolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "listview".
class TqvDataSkinListView : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor bgcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "richedit".
class TqvDataSkinRichEdit : public TqvDataSkinControl {
public:
    using TqvDataSkinControl::TqvDataSkinControl;

    std::string fontname = kDefaultSkinFontName;
    int fontheight = 14;
    TFontStyles fontstyle = 0;
    TColor fontcolor = 0;
    TColor bgcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// The record class for a kind word, or nullptr for a kind the engine does not know.
std::unique_ptr<TqvDataSkinControl> CreateControlSkin(std::string_view kind, const std::string& name);

// The kind word of a record's class (empty for a base class no kind creates).
std::string_view ControlSkinKind(const TqvDataSkinControl& record);

// Reads [SKINCONTROLS]: each "name:kind" entry in index order creates its record, which reads its
// section; unknown kinds and entries without ":" are skipped, so the others keep their order.
void LoadControlSkins(const TqvSkinIni& ini, std::vector<std::unique_ptr<TqvDataSkinControl>>& out);

} // namespace qv
