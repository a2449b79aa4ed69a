// The box controls for `skintool control`: the list box and the combo box. Items and tab widths
// are given as one value with the lines separated by "|".
#include "ControlClasses.h"

#include "skin/controls/qvSkinBoxCtrls.h"

namespace skintool {

namespace {

template <typename T>
T* As(vcl::TControl* c) {
    return static_cast<T*>(c);
}

void SetLines(vcl::TStrings* lines, const std::string& value) {
    lines->Clear();
    std::size_t from = 0;
    while (from <= value.size()) {
        std::size_t bar = value.find('|', from);
        if (bar == std::string::npos) {
            bar = value.size();
        }
        if (bar > from || bar < value.size()) {
            lines->Add(value.substr(from, bar - from));
        }
        from = bar + 1;
    }
}

template <typename T>
std::map<std::string, PropertySetter> BoxProperties() {
    std::map<std::string, PropertySetter> p;
    p["Caption"] = [](vcl::TControl* c, const std::string& v) { c->SetCaption(v); };
    p["Enabled"] = [](vcl::TControl* c, const std::string& v) { c->SetEnabled(BoolValue(v)); };
    p["SkinDataName"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetSkinDataName(v); };
    p["UseSkinFont"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetUseSkinFont(BoolValue(v)); };
    p["Items"] = [](vcl::TControl* c, const std::string& v) { SetLines(As<T>(c)->Items(), v); };
    p["ItemIndex"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetItemIndex(IntValue(v)); };
    p["TabWidths"] = [](vcl::TControl* c, const std::string& v) {
        vcl::TStringList lines;
        SetLines(&lines, v);
        As<T>(c)->SetTabWidths(&lines);
    };
    return p;
}

void ListBoxJson(vcl::TControl* c, std::ostringstream& s) {
    auto* l = As<qv::TqvSkinListBox>(c);
    l->AlignInnerControls();
    s << ",\n  \"listClientRect\": " << JsonRect(l->ListClientRect());
    s << ",\n  \"innerListRect\": " << JsonRect(l->InnerListRect());
    s << ",\n  \"itemHeight\": " << l->InnerListBox()->ItemHeight();
    s << ",\n  \"rowCount\": " << l->RowCount();
    s << ",\n  \"heightForRows\": ";
    if (l->RowCount() > 0) {
        s << l->HeightForRows(l->RowCount());
    } else {
        s << "null";
    }
    s << ",\n  \"verticalBar\": " << (l->ListVScrollBar() != nullptr ? "true" : "false");
}

void ComboBoxJson(vcl::TControl* c, std::ostringstream& s) {
    auto* b = As<qv::TqvSkinComboBox>(c);
    b->CalcRects();
    s << ",\n  \"dropButtonRect\": " << JsonRect(b->DropButtonRect());
    s << ",\n  \"itemAreaRect\": " << JsonRect(b->ItemAreaRect());
    s << ",\n  \"itemIndex\": " << b->ItemIndex();
    s << ",\n  \"text\": " << JsonString(b->GetText());
}

void ForceComboState(vcl::TControl* c, const std::string& state) {
    auto* b = As<qv::TqvSkinComboBox>(c);
    if (state == "focused") {
        if (b->CanFocus()) {
            b->SetFocus();
        }
    } else if (state == "hot" || state == "down") {
        RECT r = b->DropButtonRect();
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        b->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(WORD(centre.x), WORD(centre.y)));
    }
}

} // namespace

void AddBoxControlClasses(std::vector<ControlClass>& classes) {
    ControlClass list{"TqvSkinListBox",
                      [](vcl::TComponent* o) { return new qv::TqvSkinListBox(o); },
                      BoxProperties<qv::TqvSkinListBox>(),
                      ListBoxJson,
                      {}};
    using L = qv::TqvSkinListBox;
    auto& lp = list.properties;
    lp["RowCount"] = [](vcl::TControl* c, const std::string& v) { As<L>(c)->SetRowCount(IntValue(v)); };
    lp["UseSkinItemHeight"] = [](vcl::TControl* c, const std::string& v) {
        As<L>(c)->SetUseSkinItemHeight(BoolValue(v));
    };
    lp["DefaultItemHeight"] = [](vcl::TControl* c, const std::string& v) {
        As<L>(c)->SetDefaultItemHeight(IntValue(v));
    };
    lp["HorizontalExtent"] = [](vcl::TControl* c, const std::string& v) {
        As<L>(c)->SetHorizontalExtent(BoolValue(v));
    };
    lp["CaptionMode"] = [](vcl::TControl* c, const std::string& v) {
        As<L>(c)->SetCaptionMode(BoolValue(v));
    };
    lp["DefaultCaptionHeight"] = [](vcl::TControl* c, const std::string& v) {
        As<L>(c)->SetDefaultCaptionHeight(IntValue(v));
    };
    lp["Alignment"] = [](vcl::TControl* c, const std::string& v) {
        As<L>(c)->SetAlignment(EnumValue<qv::TAlignment>(v, {{"taLeftJustify", qv::taLeftJustify},
                                                             {"taRightJustify", qv::taRightJustify},
                                                             {"taCenter", qv::taCenter}}));
    };
    classes.push_back(list);

    ControlClass combo{"TqvSkinComboBox", [](vcl::TComponent* o) { return new qv::TqvSkinComboBox(o); },
                       BoxProperties<qv::TqvSkinComboBox>(), ComboBoxJson, ForceComboState};
    using C = qv::TqvSkinComboBox;
    auto& cp = combo.properties;
    cp["UseSkinSize"] = [](vcl::TControl* c, const std::string& v) {
        As<C>(c)->SetUseSkinSize(BoolValue(v));
    };
    cp["ToolButtonStyle"] = [](vcl::TControl* c, const std::string& v) {
        As<C>(c)->SetToolButtonStyle(BoolValue(v));
    };
    cp["DropDownCount"] = [](vcl::TControl* c, const std::string& v) {
        As<C>(c)->SetDropDownCount(IntValue(v));
    };
    cp["ListBoxWidth"] = [](vcl::TControl* c, const std::string& v) {
        As<C>(c)->SetListBoxWidth(IntValue(v));
    };
    cp["DefaultColor"] = [](vcl::TControl* c, const std::string& v) {
        As<C>(c)->SetDefaultColor(IntValue(v));
    };
    cp["Text"] = [](vcl::TControl* c, const std::string& v) { c->SetText(v); };
    classes.push_back(combo);
}

} // namespace skintool
