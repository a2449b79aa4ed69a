#include "skin/data/qvControlSkinRecords.h"

#include "skin/data/qvSkinRecordKinds.h"

#include <utility>

namespace qv {

void TqvDataSkinControl::DescribeFields(TqvSkinFields& fields) {
    QV_INT(pictureindex);
    QV_INT(maskpictureindex);
    QV_RECT(skinrect);
}

void TqvDataSkinCustomControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    QV_POINT(lefttoppoint);
    QV_POINT(righttoppoint);
    QV_POINT(leftbottompoint);
    QV_POINT(rightbottompoint);
    QV_RECT(clientrect);
    QV_FLAG(leftstretch);
    QV_FLAG(topstretch);
    QV_FLAG(rightstretch);
    QV_FLAG(bottomstretch);
    QV_FLAG(stretcheffect);
    QV_STRETCHTYPE(stretchtype);
}

void TqvDataSkinPanelControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_INT(bgpictureindex);
    QV_RECT(captionrect);
    QV_ALIGN(alignment);
    fields.Font("", font);
    QV_RECT(checkimagerect);
    QV_RECT(uncheckimagerect);
    QV_RECT(markframerect);
    QV_RECT(framerect);
    QV_RECT(frametextrect);
    QV_INT(frameleftoffset);
    QV_INT(framerightoffset);
    QV_RECT(gripperrect);
    QV_FLAG(grippertransparent);
    QV_COLOR(grippertransparentcolor);
}

void TqvDataSkinExPanelControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(rollhskinrect);
    QV_RECT(rollvskinrect);
    QV_INT(rollleftoffset);
    QV_INT(rollrightoffset);
    QV_INT(rolltopoffset);
    QV_INT(rollbottomoffset);
    QV_RECT(rollvcaptionrect);
    QV_RECT(rollhcaptionrect);
    QV_RECT(closebuttonrect);
    QV_RECT(closebuttonactiverect);
    QV_RECT(closebuttondownrect);
    QV_RECT(hrollbuttonrect);
    QV_RECT(hrollbuttonactiverect);
    QV_RECT(hrollbuttondownrect);
    QV_RECT(hrestorebuttonrect);
    QV_RECT(hrestorebuttonactiverect);
    QV_RECT(hrestorebuttondownrect);
    QV_RECT(vrollbuttonrect);
    QV_RECT(vrollbuttonactiverect);
    QV_RECT(vrollbuttondownrect);
    QV_RECT(vrestorebuttonrect);
    QV_RECT(vrestorebuttonactiverect);
    QV_RECT(vrestorebuttondownrect);
    QV_RECT(captionrect);
    fields.Font("", font);
    QV_FLAG(buttonstransparent);
    QV_COLOR(buttonstransparentcolor);
}

void TqvDataSkinButtonControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
    QV_COLOR(downfontcolor);
    QV_COLOR(disabledfontcolor);
    QV_RECT(activeskinrect);
    QV_RECT(downskinrect);
    QV_RECT(focusedskinrect);
    QV_RECT(disabledskinrect);
    QV_FLAG(morphing);
    QV_MORPH(morphkind);
    QV_RECT(animateskinrect);
    QV_INT(framecount);
    QV_INT(animateinterval);
    QV_FLAG(showfocus);
    QV_RECT(menumarkerflatrect);
    QV_RECT(menumarkerrect);
    QV_RECT(menumarkeractiverect);
    QV_RECT(menumarkerdownrect);
    QV_COLOR(menumarkertransparentcolor);
}

void TqvDataSkinMenuButtonControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinButtonControl::DescribeFields(fields);
    QV_RECT(trackbuttonrect);
}

void TqvDataSkinCheckRadioControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
    QV_COLOR(unenabledfontcolor);
    QV_COLOR(framefontcolor);
    QV_RECT(activeskinrect);
    QV_RECT(checkimagearea);
    QV_RECT(textarea);
    QV_RECT(checkimagerect);
    QV_RECT(uncheckimagerect);
    QV_RECT(activecheckimagerect);
    QV_RECT(activeuncheckimagerect);
    QV_RECT(unenabledcheckimagerect);
    QV_RECT(unenableduncheckimagerect);
    QV_RECT(grayedcheckimagerect);
    QV_RECT(activegrayedcheckimagerect);
    QV_FLAG(morphing);
    QV_MORPH(morphkind);
}

void TqvDataSkinGaugeControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(progressarea);
    QV_RECT(progressrect);
    QV_INT(beginoffset);
    QV_INT(endoffset);
    QV_FLAG(vertical);
    fields.Font("", font);
    QV_FLAG(progresstransparent);
    QV_COLOR(progresstransparentcolor);
    QV_FLAG(progressstretch);
    QV_RECT(animationskinrect);
    QV_INT(animationcountframes);
    QV_INT(animationtimerinterval);
    QV_RECT(progressanimationskinrect);
    QV_INT(progressanimationcountframes);
    QV_INT(progressanimationtimerinterval);
    QV_INT(animationbeginoffset);
    QV_INT(animationendoffset);
}

void TqvDataSkinSplitterControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(gripperrect);
    QV_FLAG(grippertransparent);
    QV_COLOR(grippertransparentcolor);
}

void TqvDataSkinTrackBarControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(activeskinrect);
    QV_RECT(trackarea);
    QV_RECT(buttonrect);
    QV_RECT(activebuttonrect);
    QV_FLAG(vertical);
    QV_FLAG(buttontransparent);
    QV_COLOR(buttontransparentcolor);
}

void TqvDataSkinLabelControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    fields.Font("", font);
}

void TqvDataSkinStdLabelControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
}

void TqvDataSkinUpDownControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(upbuttonrect);
    QV_RECT(activeupbuttonrect);
    QV_RECT(downupbuttonrect);
    QV_RECT(downbuttonrect);
    QV_RECT(activedownbuttonrect);
    QV_RECT(downdownbuttonrect);
}

void TqvDataSkinGridControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    QV_RECT(fixedcellrect);
    QV_RECT(selectcellrect);
    QV_RECT(focuscellrect);
    QV_INT(fixedcellleftoffset);
    QV_INT(fixedcellrightoffset);
    QV_RECT(fixedcelltextrect);
    QV_INT(cellleftoffset);
    QV_INT(cellrightoffset);
    QV_RECT(celltextrect);
    QV_INT(bgpictureindex);
    QV_COLOR(linescolor);
    QV_COLOR(bgcolor);
    fields.Font("", font);
    QV_COLOR(selectfontcolor);
    QV_COLOR(focusfontcolor);
    fields.Font("fixed", fixedfont);
    QV_FLAG(cellstretcheffect);
    QV_FLAG(fixedcellstretcheffect);
    QV_FLAG(showfocus);
}

void TqvDataSkinTabControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    QV_RECT(tabrect);
    QV_RECT(activetabrect);
    QV_RECT(focustabrect);
    QV_RECT(mouseintabrect);
    QV_RECT(clientrect);
    QV_INT(bgpictureindex);
    QV_POINT(lefttoppoint);
    QV_POINT(righttoppoint);
    QV_POINT(leftbottompoint);
    QV_POINT(rightbottompoint);
    QV_INT(tableftoffset);
    QV_INT(tabrightoffset);
    QV_RECT(tabsbgrect);
    QV_FLAG(tabstretcheffect);
    QV_FLAG(leftstretch);
    QV_FLAG(topstretch);
    QV_FLAG(rightstretch);
    QV_FLAG(bottomstretch);
    QV_FLAG(stretcheffect);
    QV_STRETCHTYPE(stretchtype);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
    QV_COLOR(focusfontcolor);
    QV_COLOR(mouseinfontcolor);
    QV_STR(updown);
    QV_FLAG(showfocus);
    QV_INT(focusoffsetx);
    QV_INT(focusoffsety);
    QV_RECT(closebuttonrect);
    QV_RECT(closebuttonactiverect);
    QV_RECT(closebuttondownrect);
    QV_FLAG(buttontransparent);
    QV_COLOR(buttontransparentcolor);
}

void TqvDataSkinMainMenuBar::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    QV_RECT(itemsrect);
    QV_STR(menubaritem);
    QV_STR(closebutton);
    QV_STR(minbutton);
    QV_STR(maxbutton);
    QV_STR(sysmenubutton);
    QV_COLOR(trackmarkcolor);
    QV_COLOR(trackmarkactivecolor);
    QV_FLAG(stretcheffect);
    QV_FLAG(itemtransparent);
}

void TqvDataSkinControlBar::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(itemrect);
    QV_INT(bgpictureindex);
    QV_RECT(hgriprect);
    QV_RECT(vgriprect);
    QV_INT(gripoffset1);
    QV_INT(gripoffset2);
    QV_FLAG(itemstretcheffect);
    QV_INT(itemoffset1);
    QV_INT(itemoffset2);
    QV_FLAG(itemtransparent);
    QV_COLOR(itemtransparentcolor);
    QV_FLAG(griptransparent);
    QV_COLOR(griptransparentcolor);
}

void TqvDataSkinEditControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(activeskinrect);
    fields.Font("", font);
    QV_COLOR(disabledfontcolor);
    QV_COLOR(activefontcolor);
    QV_RECT(buttonrect);
    QV_RECT(activebuttonrect);
    QV_RECT(downbuttonrect);
    QV_RECT(unenabledbuttonrect);
}

void TqvDataSkinMemoControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinEditControl::DescribeFields(fields);
    QV_COLOR(bgcolor);
    QV_COLOR(activebgcolor);
}

void TqvDataSkinListBox::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(itemrect);
    QV_RECT(activeitemrect);
    QV_RECT(focusitemrect);
    QV_INT(itemleftoffset);
    QV_INT(itemrightoffset);
    QV_RECT(itemtextrect);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
    QV_COLOR(focusfontcolor);
    QV_RECT(captionrect);
    fields.Font("caption", captionfont);
    QV_RECT(upbuttonrect);
    QV_RECT(activeupbuttonrect);
    QV_RECT(downupbuttonrect);
    QV_RECT(downbuttonrect);
    QV_RECT(activedownbuttonrect);
    QV_RECT(downdownbuttonrect);
    QV_RECT(checkbuttonrect);
    QV_RECT(activecheckbuttonrect);
    QV_RECT(downcheckbuttonrect);
    QV_STR(vscrollbarname);
    QV_STR(hscrollbarname);
    QV_STR(bothhscrollbarname);
    QV_FLAG(showfocus);
}

void TqvDataSkinCheckListBox::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinListBox::DescribeFields(fields);
    QV_RECT(itemcheckrect);
    QV_RECT(checkimagerect);
    QV_RECT(uncheckimagerect);
}

void TqvDataSkinComboBox::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(activeskinrect);
    QV_RECT(itemrect);
    QV_RECT(activeitemrect);
    QV_RECT(focusitemrect);
    QV_INT(itemleftoffset);
    QV_INT(itemrightoffset);
    QV_RECT(itemtextrect);
    fields.Font("", font);
    QV_COLOR(focusfontcolor);
    QV_COLOR(activefontcolor);
    QV_STR(listboxname);
    QV_RECT(buttonrect);
    QV_RECT(activebuttonrect);
    QV_RECT(downbuttonrect);
    QV_RECT(unenabledbuttonrect);
    QV_FLAG(itemstretcheffect);
    QV_FLAG(focusitemstretcheffect);
    QV_FLAG(showfocus);
}

void TqvDataSkinScrollBarControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(trackarea);
    QV_RECT(upbuttonrect);
    QV_RECT(activeupbuttonrect);
    QV_RECT(downupbuttonrect);
    QV_RECT(downbuttonrect);
    QV_RECT(activedownbuttonrect);
    QV_RECT(downdownbuttonrect);
    QV_RECT(thumbrect);
    QV_RECT(activethumbrect);
    QV_RECT(downthumbrect);
    QV_INT(thumboffset1);
    QV_INT(thumboffset2);
    QV_FLAG(thumbtransparent);
    QV_COLOR(thumbtransparentcolor);
    QV_FLAG(thumbstretcheffect);
    QV_INT(thumbminsize);
    QV_INT(thumbminpagesize);
    QV_RECT(glyphrect);
    QV_RECT(activeglyphrect);
    QV_RECT(downglyphrect);
    QV_FLAG(glyphtransparent);
    QV_COLOR(glyphtransparentcolor);
}

void TqvDataSkinSpinEditControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_RECT(activeskinrect);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
    QV_COLOR(disabledfontcolor);
    QV_RECT(upbuttonrect);
    QV_RECT(activeupbuttonrect);
    QV_RECT(downupbuttonrect);
    QV_RECT(downbuttonrect);
    QV_RECT(activedownbuttonrect);
    QV_RECT(downdownbuttonrect);
}

void TqvDataSkinScrollBoxControl::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinCustomControl::DescribeFields(fields);
    QV_INT(bgpictureindex);
}

void TqvDataSkinTreeView::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    fields.Font("", font);
    QV_COLOR(bgcolor);
}

void TqvDataSkinBevel::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    QV_COLOR(lightcolor);
    QV_COLOR(darkcolor);
}

void TqvDataSkinSlider::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    QV_COLOR(bgcolor);
    QV_RECT(hrulerrect);
    QV_RECT(hthumbrect);
    QV_RECT(vrulerrect);
    QV_RECT(vthumbrect);
    QV_INT(edgesize);
    QV_COLOR(pointscolor);
}

void TqvDataSkinListView::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    fields.Font("", font);
    QV_COLOR(bgcolor);
}

void TqvDataSkinRichEdit::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinControl::DescribeFields(fields);
    fields.Font("", font);
    QV_COLOR(bgcolor);
}

namespace {
constexpr TqvRecordKind<TqvDataSkinControl> kControlKinds[] = {
    RecordKind<TqvDataSkinControl, TqvDataSkinPanelControl>("panel"),
    RecordKind<TqvDataSkinControl, TqvDataSkinExPanelControl>("expanel"),
    RecordKind<TqvDataSkinControl, TqvDataSkinMenuButtonControl>("menubutton"),
    RecordKind<TqvDataSkinControl, TqvDataSkinButtonControl>("button"),
    RecordKind<TqvDataSkinControl, TqvDataSkinCheckRadioControl>("checkradio"),
    RecordKind<TqvDataSkinControl, TqvDataSkinGaugeControl>("gauge"),
    RecordKind<TqvDataSkinControl, TqvDataSkinSplitterControl>("splitter"),
    RecordKind<TqvDataSkinControl, TqvDataSkinTrackBarControl>("trackbar"),
    RecordKind<TqvDataSkinControl, TqvDataSkinLabelControl>("label"),
    RecordKind<TqvDataSkinControl, TqvDataSkinStdLabelControl>("stdlabel"),
    RecordKind<TqvDataSkinControl, TqvDataSkinUpDownControl>("updown"),
    RecordKind<TqvDataSkinControl, TqvDataSkinGridControl>("grid"),
    RecordKind<TqvDataSkinControl, TqvDataSkinTabControl>("tab"),
    RecordKind<TqvDataSkinControl, TqvDataSkinMainMenuBar>("mainmenubar"),
    RecordKind<TqvDataSkinControl, TqvDataSkinControlBar>("controlbar"),
    RecordKind<TqvDataSkinControl, TqvDataSkinMemoControl>("memo"),
    RecordKind<TqvDataSkinControl, TqvDataSkinEditControl>("edit"),
    RecordKind<TqvDataSkinControl, TqvDataSkinCheckListBox>("checklistbox"),
    RecordKind<TqvDataSkinControl, TqvDataSkinListBox>("listbox"),
    RecordKind<TqvDataSkinControl, TqvDataSkinComboBox>("combobox"),
    RecordKind<TqvDataSkinControl, TqvDataSkinScrollBarControl>("scrollbar"),
    RecordKind<TqvDataSkinControl, TqvDataSkinSpinEditControl>("spinedit"),
    RecordKind<TqvDataSkinControl, TqvDataSkinScrollBoxControl>("scrollbox"),
    RecordKind<TqvDataSkinControl, TqvDataSkinTreeView>("treeview"),
    RecordKind<TqvDataSkinControl, TqvDataSkinBevel>("bevel"),
    RecordKind<TqvDataSkinControl, TqvDataSkinSlider>("slider"),
    RecordKind<TqvDataSkinControl, TqvDataSkinListView>("listview"),
    RecordKind<TqvDataSkinControl, TqvDataSkinRichEdit>("richedit"),
};
} // namespace

std::unique_ptr<TqvDataSkinControl> CreateControlSkin(std::string_view kind, const std::string& name) {
    return CreateRecordOfKind(kControlKinds, kind, name);
}

std::string_view ControlSkinKind(const TqvDataSkinControl& record) {
    return KindOfRecord(kControlKinds, record);
}

void LoadControlSkins(const TqvSkinIni& ini, std::vector<std::unique_ptr<TqvDataSkinControl>>& out) {
    LoadSkinRecordList(ini, "SKINCONTROLS", kControlKinds, out);
}

} // namespace qv
