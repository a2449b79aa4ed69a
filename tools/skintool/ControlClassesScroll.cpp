// The scroll bar as `skintool control` previews it: its range properties and, in the JSON, where
// its track, thumb and buttons lie at the requested size and range.
#include "ControlClasses.h"

#include "skin/controls/qvSkinScrollBar.h"

namespace skintool {

namespace {

using Bar = qv::TqvSkinScrollBar;

Bar* AsBar(vcl::TControl* c) { return static_cast<Bar*>(c); }

void ScrollBarJson(vcl::TControl* c, std::ostringstream& s) {
    Bar* bar = AsBar(c);
    // As a paint would: the record looked up again, then the geometry for the current state.
    bar->ReadSkinRecord();
    const qv::TqvScrollBarLayout& l = bar->CalcGeometry();
    s << ",\n  \"trackArea\": " << JsonRect(l.TrackArea);
    s << ",\n  \"thumb\": " << JsonRect(l.Thumb);
    s << ",\n  \"increment\": " << JsonRect(l.Increment);
    s << ",\n  \"decrement\": " << JsonRect(l.Decrement);
    s << ",\n  \"thumbCentreMin\": " << l.ThumbCentreMin;
    s << ",\n  \"thumbCentreMax\": " << l.ThumbCentreMax;
    s << ",\n  \"thumbOffset\": " << l.ThumbOffset;
    s << ",\n  \"position\": " << bar->Position();
    s << ",\n  \"min\": " << bar->Min();
    s << ",\n  \"max\": " << bar->Max();
    s << ",\n  \"pageSize\": " << bar->PageSize();
}

std::map<std::string, PropertySetter> ScrollBarProperties() {
    std::map<std::string, PropertySetter> p;
    p["Caption"] = [](vcl::TControl* c, const std::string& v) { c->SetCaption(v); };
    p["Enabled"] = [](vcl::TControl* c, const std::string& v) { c->SetEnabled(BoolValue(v)); };
    p["Visible"] = [](vcl::TControl* c, const std::string& v) { c->SetVisible(BoolValue(v)); };
    p["SkinDataName"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetSkinDataName(v); };
    p["DefaultWidth"] = [](vcl::TControl* c, const std::string& v) {
        AsBar(c)->SetDefaultWidth(IntValue(v));
    };
    p["DefaultHeight"] = [](vcl::TControl* c, const std::string& v) {
        AsBar(c)->SetDefaultHeight(IntValue(v));
    };
    p["Kind"] = [](vcl::TControl* c, const std::string& v) {
        AsBar(c)->SetKind(EnumValue<qv::TqvScrollBarKind>(
            v, {{"sbHorizontal", qv::sbHorizontal}, {"sbVertical", qv::sbVertical}}));
    };
    p["Min"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetMin(IntValue(v)); };
    p["Max"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetMax(IntValue(v)); };
    p["Position"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetPosition(IntValue(v)); };
    p["PageSize"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetPageSize(IntValue(v)); };
    p["SmallChange"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetSmallChange(IntValue(v)); };
    p["LargeChange"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetLargeChange(IntValue(v)); };
    p["Both"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetBoth(BoolValue(v)); };
    p["BothMarkerWidth"] = [](vcl::TControl* c, const std::string& v) {
        AsBar(c)->SetBothMarkerWidth(IntValue(v));
    };
    p["BothSkinDataName"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetBothSkinDataName(v); };
    p["CanFocused"] = [](vcl::TControl* c, const std::string& v) { AsBar(c)->SetCanFocused(BoolValue(v)); };
    return p;
}

} // namespace

void AddScrollControlClasses(std::vector<ControlClass>& classes) {
    classes.push_back({"TqvSkinScrollBar",
                       [](vcl::TComponent* o) { return new Bar(o); },
                       ScrollBarProperties(),
                       ScrollBarJson,
                       {}});
}

} // namespace skintool
