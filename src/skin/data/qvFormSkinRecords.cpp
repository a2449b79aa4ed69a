#include "skin/data/qvFormSkinRecords.h"

#include "skin/data/qvSkinRecordKinds.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace qv {

void TqvDataSkinObject::DescribeFields(TqvSkinFields& fields) {
    QV_STR(hint);
    QV_INT(activepictureindex);
    QV_FLAG(skinrectinapicture);
    QV_RECT(skinrect);
    QV_RECT(activeskinrect);
    QV_RECT(inactiveskinrect);
    QV_FLAG(morphing);
    QV_MORPH(morphkind);
}

void TqvDataUserObject::DescribeFields(TqvSkinFields& fields) { QV_RECT(skinrect); }

void TqvDataSkinButton::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinObject::DescribeFields(fields);
    QV_RECT(downrect);
    QV_RECT(disableskinrsect);
}

void TqvDataSkinStdButton::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinButton::DescribeFields(fields);
    QV_COMMAND(command);
    QV_RECT(restorerect);
    QV_RECT(restoreactiverect);
    QV_RECT(restoredownrect);
    QV_RECT(restoreinactiverect);
}

void TqvDataSkinAnimate::LoadFromSkinText(const TqvSkinIni& ini) {
    TqvDataSkinObject::LoadFromSkinText(ini);
    morphing = false;
}

void TqvDataSkinAnimate::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinObject::DescribeFields(fields);
    QV_INT(countframes);
    QV_FLAG(cycle);
    QV_FLAG(buttonstyle);
    QV_INT(timerinterval);
    QV_COMMAND(command);
    QV_RECT(downskinrect);
    QV_RECT(restorerect);
    QV_RECT(restoreactiverect);
    QV_RECT(restoredownrect);
    QV_RECT(restoreinactiverect);
}

namespace {
void FallBackWhenEmpty(RECT& active, const RECT& normal) {
    if (active.right - active.left <= 0 || active.bottom - active.top <= 0) {
        active = normal;
    }
}
} // namespace

void TqvDataSkinMenuItem::LoadFromSkinText(const TqvSkinIni& ini) {
    TqvDataSkinObject::LoadFromSkinText(ini);
    FallBackWhenEmpty(activecheckimagerect, checkimagerect);
    FallBackWhenEmpty(activeradioimagerect, radioimagerect);
    FallBackWhenEmpty(activearrowimagerect, arrowimagerect);
}

void TqvDataSkinMenuItem::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinObject::DescribeFields(fields);
    QV_INT(itemleftoffset);
    QV_INT(itemrightoffset);
    QV_RECT(dividerrect);
    QV_INT(dividerleftoffset);
    QV_INT(dividerrightoffset);
    QV_RECT(textrect);
    QV_RECT(imagerect);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
    QV_COLOR(unenabledfontcolor);
    QV_FLAG(stretcheffect);
    QV_FLAG(inactivestretcheffect);
    QV_FLAG(dividerstretcheffect);
    QV_RECT(animateskinrect);
    QV_INT(framecount);
    QV_INT(animateinterval);
    QV_FLAG(inactiveanimation);
    QV_FLAG(useimagecolor);
    QV_COLOR(imagecolor);
    QV_COLOR(activeimagecolor);
    QV_FLAG(inactivetransparent);
    QV_RECT(checkimagerect);
    QV_RECT(activecheckimagerect);
    QV_RECT(radioimagerect);
    QV_RECT(activeradioimagerect);
    QV_RECT(arrowimagerect);
    QV_RECT(activearrowimagerect);
}

void TqvDataSkinMainMenuItem::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinObject::DescribeFields(fields);
    QV_INT(itemleftoffset);
    QV_INT(itemrightoffset);
    QV_RECT(downrect);
    QV_RECT(textrect);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
    QV_COLOR(downfontcolor);
    QV_COLOR(unenabledfontcolor);
    QV_FLAG(stretcheffect);
    QV_RECT(animateskinrect);
    QV_INT(framecount);
    QV_INT(animateinterval);
    QV_FLAG(inactiveanimation);
}

void TqvDataSkinCaption::DescribeFields(TqvSkinFields& fields) {
    TqvDataSkinObject::DescribeFields(fields);
    QV_RECT(textrect);
    fields.Font("", font);
    QV_COLOR(activefontcolor);
    QV_ALIGN(alignment);
    QV_FLAG(light);
    QV_COLOR(lightcolor);
    QV_COLOR(activelightcolor);
    QV_FLAG(shadow);
    QV_COLOR(shadowcolor);
    QV_COLOR(activeshadowcolor);
    QV_RECT(framerect);
    QV_RECT(activeframerect);
    QV_RECT(frametextrect);
    QV_INT(frameleftoffset);
    QV_INT(framerightoffset);
    QV_FLAG(stretcheffect);
    QV_RECT(animateskinrect);
    QV_INT(framecount);
    QV_INT(animateinterval);
    QV_FLAG(inactiveanimation);
    QV_FLAG(fullframe);
}

// ---- global sections ----

void TqvDataSkinPopupWindow::DescribeFields(TqvSkinFields& fields) {
    QV_INT(windowpictureindex);
    QV_INT(maskpictureindex);
    QV_POINT(lefttoppoint);
    QV_POINT(righttoppoint);
    QV_POINT(leftbottompoint);
    QV_POINT(rightbottompoint);
    QV_RECT(itemsrect);
    QV_COLOR(scrollmarkercolor);
    QV_COLOR(scrollmarkeractivecolor);
    QV_FLAG(leftstretch);
    QV_FLAG(rightstretch);
    QV_FLAG(topstretch);
    QV_FLAG(bottomstretch);
    QV_FLAG(stretcheffect);
    QV_STRETCHTYPE(stretchtype);
}

void TqvDataSkinHintWindow::DescribeFields(TqvSkinFields& fields) {
    QV_INT(windowpictureindex);
    QV_INT(maskpictureindex);
    QV_POINT(lefttoppoint);
    QV_POINT(righttoppoint);
    QV_POINT(leftbottompoint);
    QV_POINT(rightbottompoint);
    QV_RECT(clientrect);
    fields.Font("", font);
    QV_FLAG(leftstretch);
    QV_FLAG(rightstretch);
    QV_FLAG(topstretch);
    QV_FLAG(bottomstretch);
    QV_FLAG(stretcheffect);
    QV_STRETCHTYPE(stretchtype);
}

void TqvSkinColors::DescribeFields(TqvSkinFields& fields) {
    QV_COLOR(cbtnface);
    QV_COLOR(cbtntext);
    QV_COLOR(cwindow);
    QV_COLOR(cwindowtext);
    QV_COLOR(chighlight);
    QV_COLOR(chighlighttext);
    QV_COLOR(cbtnhighlight);
    QV_COLOR(cbtnshadow);
}

// ---- [FORMINFO] ----

void TqvSkinFormInfo::DescribeFormInfo(TqvSkinFields& fields) {
    QV_POINT(lefttoppoint);
    QV_POINT(righttoppoint);
    QV_POINT(leftbottompoint);
    QV_POINT(rightbottompoint);
    QV_RECT(clientrect);
    QV_INT(bgpictureindex);
    QV_INT(mdibgpictureindex);
    QV_FLAG(leftstretch);
    QV_FLAG(rightstretch);
    QV_FLAG(topstretch);
    QV_FLAG(bottomstretch);
    QV_FLAG(stretcheffect);
    QV_STRETCHTYPE(stretchtype);
    QV_FLAG(mdibgstretcheffect);
    QV_STRETCHTYPE(mdibgstretchtype);
    QV_RECT(maskrectarea);
    QV_POINT(hittestlefttoppoint);
    QV_POINT(hittestrighttoppoint);
    QV_POINT(hittestleftbottompoint);
    QV_POINT(hittestrightbottompoint);
    QV_RECT(buttonsrect);
    QV_RECT(captionrect);
    QV_INT(buttonsoffset);
    QV_FLAG(buttonsinleft);
    QV_FLAG(mainmenupopupup);
    QV_INT(borderwidth);
    QV_INT(formminwidth);
    QV_FLAG(mditabstransparent);
    QV_FLAG(mainmenubartransparent);
    QV_FLAG(autorenderinginactiveimage);
    QV_EFFECT(inactiveeffect);
}

namespace {
bool IsEmptyRect(const RECT& r) { return r.right - r.left <= 0 || r.bottom - r.top <= 0; }
void ReplaceUnsetPoint(POINT& hitTest, const POINT& corner) {
    if (hitTest.x == 0 || hitTest.y == 0) {
        hitTest = corner;
    }
}
} // namespace

void TqvSkinFormInfo::LoadFormInfo(const TqvSkinIni& ini, bool hasMaskPicture) {
    *this = TqvSkinFormInfo{};
    TqvSkinFieldReader reader(ini, kFormInfoSection);
    DescribeFormInfo(reader);

    if (hasMaskPicture) {
        if (IsEmptyRect(maskrectarea)) {
            maskrectarea = clientrect;
        } else {
            maskrectarea.left = std::min(maskrectarea.left, clientrect.left);
            maskrectarea.top = std::min(maskrectarea.top, clientrect.top);
            maskrectarea.right = std::max(maskrectarea.right, clientrect.right);
            maskrectarea.bottom = std::max(maskrectarea.bottom, clientrect.bottom);
        }
        ReplaceUnsetPoint(hittestlefttoppoint, lefttoppoint);
        ReplaceUnsetPoint(hittestrighttoppoint, righttoppoint);
        ReplaceUnsetPoint(hittestleftbottompoint, leftbottompoint);
        ReplaceUnsetPoint(hittestrightbottompoint, rightbottompoint);
    }

    // A frame whose corners share a row or column has no parts to draw in; leave it as written.
    if (rightbottompoint.x == lefttoppoint.x || rightbottompoint.y == lefttoppoint.y) {
        return;
    }
    lefttoppoint.x = std::max(lefttoppoint.x, clientrect.left);
    lefttoppoint.y = std::max(lefttoppoint.y, clientrect.top);
    righttoppoint.x = std::min(righttoppoint.x, clientrect.right);
    righttoppoint.y = std::max(righttoppoint.y, clientrect.top);
    leftbottompoint.x = std::max(leftbottompoint.x, clientrect.left);
    leftbottompoint.y = std::min(leftbottompoint.y, clientrect.bottom);
    rightbottompoint.x = std::min(rightbottompoint.x, clientrect.right);
    rightbottompoint.y = std::min(rightbottompoint.y, clientrect.bottom);
}

void TqvSkinFormInfo::SaveFormInfo(TqvSkinIni& ini) {
    TqvSkinFieldWriter writer(ini, kFormInfoSection);
    DescribeFormInfo(writer);
}

// ---- [SKINOBJECTS] ----

bool SplitSkinListEntry(std::string_view entry, std::string& name, std::string& kind) {
    std::size_t colon = entry.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    name = std::string(entry.substr(0, colon));
    kind = std::string(entry.substr(colon + 1));
    return true;
}

namespace {
constexpr TqvRecordKind<TqvDataSkinObject> kFormObjectKinds[] = {
    RecordKind<TqvDataSkinObject, TqvDataSkinStdButton>("stdbutton"),
    RecordKind<TqvDataSkinObject, TqvDataSkinButton>("button"),
    RecordKind<TqvDataSkinObject, TqvDataSkinMainMenuBarButton>("mainmenubarbutton"),
    RecordKind<TqvDataSkinObject, TqvDataSkinCaption>("caption"),
    RecordKind<TqvDataSkinObject, TqvDataSkinMenuItem>("menuitem"),
    RecordKind<TqvDataSkinObject, TqvDataSkinMainMenuBarItem>("mainmenubaritem"),
    RecordKind<TqvDataSkinObject, TqvDataSkinAnimate>("animate"),
    RecordKind<TqvDataSkinObject, TqvDataUserObject>("userobject"),
};
} // namespace

std::unique_ptr<TqvDataSkinObject> CreateFormObject(std::string_view kind, const std::string& name) {
    return CreateRecordOfKind(kFormObjectKinds, kind, name);
}

std::string_view FormObjectKind(const TqvDataSkinObject& record) {
    return KindOfRecord(kFormObjectKinds, record);
}

void LoadFormObjects(const TqvSkinIni& ini, std::vector<std::unique_ptr<TqvDataSkinObject>>& out) {
    LoadSkinRecordList(ini, "SKINOBJECTS", kFormObjectKinds, out);
}

} // namespace qv
