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
class TqvDataSkinControl : public TqvSkinRecordOf<TqvDataSkinControl, TqvSkinRecord> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    int pictureindex = -1;
    int maskpictureindex = -1;
    RECT skinrect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Adds the nine-part resizing geometry, in skinrect coordinates.
class TqvDataSkinCustomControl : public TqvSkinRecordOf<TqvDataSkinCustomControl, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
class TqvDataSkinPanelControl : public TqvSkinRecordOf<TqvDataSkinPanelControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    int bgpictureindex = -1;
    RECT captionrect{};
    TAlignment alignment = taCenter;
    TqvSkinFont font;
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
class TqvDataSkinExPanelControl
    : public TqvSkinRecordOf<TqvDataSkinExPanelControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
    TqvSkinFont font;
    bool buttonstransparent = false;
    TColor buttonstransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "button".
class TqvDataSkinButtonControl : public TqvSkinRecordOf<TqvDataSkinButtonControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TqvSkinFont font;
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
class TqvDataSkinMenuButtonControl
    : public TqvSkinRecordOf<TqvDataSkinMenuButtonControl, TqvDataSkinButtonControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT trackbuttonrect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "checkradio".
class TqvDataSkinCheckRadioControl
    : public TqvSkinRecordOf<TqvDataSkinCheckRadioControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TqvSkinFont font;
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
class TqvDataSkinGaugeControl : public TqvSkinRecordOf<TqvDataSkinGaugeControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT progressarea{};
    RECT progressrect{};
    int beginoffset = 0;
    int endoffset = 0;
    bool vertical = false;
    TqvSkinFont font;
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
class TqvDataSkinSplitterControl
    : public TqvSkinRecordOf<TqvDataSkinSplitterControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT gripperrect{};
    bool grippertransparent = false;
    TColor grippertransparentcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "trackbar".
class TqvDataSkinTrackBarControl
    : public TqvSkinRecordOf<TqvDataSkinTrackBarControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
class TqvDataSkinLabelControl : public TqvSkinRecordOf<TqvDataSkinLabelControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TqvSkinFont font;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "stdlabel".
class TqvDataSkinStdLabelControl : public TqvSkinRecordOf<TqvDataSkinStdLabelControl, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TqvSkinFont font;
    TColor activefontcolor = 16711680;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "updown".
class TqvDataSkinUpDownControl : public TqvSkinRecordOf<TqvDataSkinUpDownControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
class TqvDataSkinGridControl : public TqvSkinRecordOf<TqvDataSkinGridControl, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
    TqvSkinFont font;
    TColor selectfontcolor = 0;
    TColor focusfontcolor = 0;
    TqvSkinFont fixedfont;
    bool cellstretcheffect = false;
    bool fixedcellstretcheffect = false;
    bool showfocus = false;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "tab".
class TqvDataSkinTabControl : public TqvSkinRecordOf<TqvDataSkinTabControl, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
    TqvSkinFont font;
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
class TqvDataSkinMainMenuBar : public TqvSkinRecordOf<TqvDataSkinMainMenuBar, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
class TqvDataSkinControlBar : public TqvSkinRecordOf<TqvDataSkinControlBar, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
class TqvDataSkinEditControl : public TqvSkinRecordOf<TqvDataSkinEditControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT activeskinrect{};
    TqvSkinFont font;
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
class TqvDataSkinMemoControl : public TqvSkinRecordOf<TqvDataSkinMemoControl, TqvDataSkinEditControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TColor bgcolor = 0;
    TColor activebgcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "listbox".
class TqvDataSkinListBox : public TqvSkinRecordOf<TqvDataSkinListBox, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT itemrect{};
    RECT activeitemrect{};
    RECT focusitemrect{};
    int itemleftoffset = 0;
    int itemrightoffset = 0;
    RECT itemtextrect{};
    TqvSkinFont font;
    TColor activefontcolor = 0;
    TColor focusfontcolor = 0;
    RECT captionrect{};
    TqvSkinFont captionfont;
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
class TqvDataSkinCheckListBox : public TqvSkinRecordOf<TqvDataSkinCheckListBox, TqvDataSkinListBox> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT itemcheckrect{};
    RECT checkimagerect{};
    RECT uncheckimagerect{};

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "combobox".
class TqvDataSkinComboBox : public TqvSkinRecordOf<TqvDataSkinComboBox, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT activeskinrect{};
    RECT itemrect{};
    RECT activeitemrect{};
    RECT focusitemrect{};
    int itemleftoffset = 0;
    int itemrightoffset = 0;
    RECT itemtextrect{};
    TqvSkinFont font;
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
class TqvDataSkinScrollBarControl
    : public TqvSkinRecordOf<TqvDataSkinScrollBarControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
class TqvDataSkinSpinEditControl
    : public TqvSkinRecordOf<TqvDataSkinSpinEditControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    RECT activeskinrect{};
    TqvSkinFont font;
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
class TqvDataSkinScrollBoxControl
    : public TqvSkinRecordOf<TqvDataSkinScrollBoxControl, TqvDataSkinCustomControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    int bgpictureindex = -1;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "treeview".
class TqvDataSkinTreeView : public TqvSkinRecordOf<TqvDataSkinTreeView, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TqvSkinFont font;
    TColor bgcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "bevel".
class TqvDataSkinBevel : public TqvSkinRecordOf<TqvDataSkinBevel, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TColor lightcolor = 0;
    TColor darkcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "slider".
class TqvDataSkinSlider : public TqvSkinRecordOf<TqvDataSkinSlider, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

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
class TqvDataSkinListView : public TqvSkinRecordOf<TqvDataSkinListView, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TqvSkinFont font;
    TColor bgcolor = 0;

protected:
    void DescribeFields(TqvSkinFields& fields) override;
};

// Kind "richedit".
class TqvDataSkinRichEdit : public TqvSkinRecordOf<TqvDataSkinRichEdit, TqvDataSkinControl> {
public:
    using TqvSkinRecordOf::TqvSkinRecordOf;

    TqvSkinFont font;
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
