// The control classes of the base layer of the skinned controls: button, form-style button, panel,
// standard and link label, gauge (and the base classes themselves).
#include "ControlClasses.h"

#include "skin/controls/qvSkinCtrls.h"
#include "skin/controls/qvSkinExCtrls.h"

namespace skintool {

namespace {

template <typename T>
T* As(vcl::TControl* c) {
    return static_cast<T*>(c);
}

// Properties every control has.
void AddControlProperties(std::map<std::string, PropertySetter>& p) {
    p["Caption"] = [](vcl::TControl* c, const std::string& v) { c->SetCaption(v); };
    p["Enabled"] = [](vcl::TControl* c, const std::string& v) { c->SetEnabled(BoolValue(v)); };
    p["Visible"] = [](vcl::TControl* c, const std::string& v) { c->SetVisible(BoolValue(v)); };
}

// Properties of TqvSkinCustomControl and its descendants.
template <typename T>
std::map<std::string, PropertySetter> CustomControlProperties() {
    std::map<std::string, PropertySetter> p;
    AddControlProperties(p);
    p["SkinDataName"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetSkinDataName(v); };
    p["DefaultWidth"] = [](vcl::TControl* c, const std::string& v) {
        As<T>(c)->SetDefaultWidth(IntValue(v));
    };
    p["DefaultHeight"] = [](vcl::TControl* c, const std::string& v) {
        As<T>(c)->SetDefaultHeight(IntValue(v));
    };
    p["UseSkinFont"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetUseSkinFont(BoolValue(v)); };
    p["HintTitle"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetHintTitle(v); };
    return p;
}

template <typename T>
void AddButtonProperties(std::map<std::string, PropertySetter>& p) {
    p["UseSkinSize"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetUseSkinSize(BoolValue(v)); };
    p["UseSkinFontColor"] = [](vcl::TControl* c, const std::string& v) {
        As<T>(c)->SetUseSkinFontColor(BoolValue(v));
    };
    p["RepeatMode"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetRepeatMode(BoolValue(v)); };
    p["RepeatInterval"] = [](vcl::TControl* c, const std::string& v) {
        As<T>(c)->SetRepeatInterval(IntValue(v));
    };
    p["AllowAllUp"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetAllowAllUp(BoolValue(v)); };
    p["Default"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetDefault(BoolValue(v)); };
    p["Cancel"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetCancel(BoolValue(v)); };
    p["ModalResult"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetModalResult(IntValue(v)); };
    p["CanFocused"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetCanFocused(BoolValue(v)); };
    p["Down"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetDown(BoolValue(v)); };
    p["GroupIndex"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetGroupIndex(IntValue(v)); };
    p["NumGlyphs"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetNumGlyphs(IntValue(v)); };
    p["Margin"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetMargin(IntValue(v)); };
    p["Spacing"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetSpacing(IntValue(v)); };
    p["Layout"] = [](vcl::TControl* c, const std::string& v) {
        As<T>(c)->SetLayout(EnumValue<qv::TButtonLayout>(v, {{"blGlyphLeft", qv::blGlyphLeft},
                                                             {"blGlyphRight", qv::blGlyphRight},
                                                             {"blGlyphTop", qv::blGlyphTop},
                                                             {"blGlyphBottom", qv::blGlyphBottom}}));
    };
    p["ImageIndex"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetImageIndex(IntValue(v)); };
}

void ForceButtonState(vcl::TControl* c, const std::string& state) {
    As<qv::TqvSkinButton>(c)->ForceState(state == "hot" || state == "down", state == "down",
                                         state == "focused");
}

template <typename T>
std::map<std::string, PropertySetter> LabelProperties() {
    std::map<std::string, PropertySetter> p;
    AddControlProperties(p);
    p["SkinDataName"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetSkinDataName(v); };
    p["UseSkinFont"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetUseSkinFont(BoolValue(v)); };
    p["AutoSize"] = [](vcl::TControl* c, const std::string& v) { As<T>(c)->SetAutoSize(BoolValue(v)); };
    p["ShowAccelChar"] = [](vcl::TControl* c, const std::string& v) {
        As<T>(c)->SetShowAccelChar(BoolValue(v));
    };
    return p;
}

void GaugeJson(vcl::TControl* c, std::ostringstream& s) {
    auto* g = As<qv::TqvSkinGauge>(c);
    s << ",\n  \"sizedProgressArea\": " << JsonRect(g->SizedProgressArea);
    s << ",\n  \"progressRect\": " << JsonRect(g->CurrentProgressRect());
    s << ",\n  \"value\": " << g->Value();
    s << ",\n  \"text\": " << JsonString(g->GaugeText());
}

} // namespace

void AddBaseControlClasses(std::vector<ControlClass>& classes) {
    classes.push_back({"TqvSkinCustomControl",
                       [](vcl::TComponent* o) { return new qv::TqvSkinCustomControl(o); },
                       CustomControlProperties<qv::TqvSkinCustomControl>(),
                       {},
                       {}});

    ControlClass button{"TqvSkinButton",
                        [](vcl::TComponent* o) { return new qv::TqvSkinButton(o); },
                        CustomControlProperties<qv::TqvSkinButton>(),
                        {},
                        ForceButtonState};
    AddButtonProperties<qv::TqvSkinButton>(button.properties);
    classes.push_back(button);

    ControlClass xbutton{"TqvSkinXFormButton",
                         [](vcl::TComponent* o) { return new qv::TqvSkinXFormButton(o); },
                         CustomControlProperties<qv::TqvSkinXFormButton>(),
                         {},
                         ForceButtonState};
    AddButtonProperties<qv::TqvSkinXFormButton>(xbutton.properties);
    xbutton.properties["DefActiveFontColor"] = [](vcl::TControl* c, const std::string& v) {
        As<qv::TqvSkinXFormButton>(c)->SetDefActiveFontColor(IntValue(v));
    };
    xbutton.properties["DefDownFontColor"] = [](vcl::TControl* c, const std::string& v) {
        As<qv::TqvSkinXFormButton>(c)->SetDefDownFontColor(IntValue(v));
    };
    classes.push_back(xbutton);

    ControlClass panel{"TqvSkinPanel",
                       [](vcl::TComponent* o) { return new qv::TqvSkinPanel(o); },
                       CustomControlProperties<qv::TqvSkinPanel>(),
                       {},
                       {}};
    auto& pp = panel.properties;
    using P = qv::TqvSkinPanel;
    pp["BorderStyle"] = [](vcl::TControl* c, const std::string& v) {
        As<P>(c)->SetBorderStyle(EnumValue<qv::TqvPanelBorderStyle>(v, {{"bvFrame", qv::bvFrame},
                                                                        {"bvRaised", qv::bvRaised},
                                                                        {"bvLowered", qv::bvLowered},
                                                                        {"bvNone", qv::bvNone}}));
    };
    pp["TransparentMode"] = [](vcl::TControl* c, const std::string& v) {
        As<P>(c)->SetTransparentMode(BoolValue(v));
    };
    pp["CaptionMode"] = [](vcl::TControl* c, const std::string& v) {
        As<P>(c)->SetCaptionMode(BoolValue(v));
    };
    pp["DefaultCaptionHeight"] = [](vcl::TControl* c, const std::string& v) {
        As<P>(c)->SetDefaultCaptionHeight(IntValue(v));
    };
    pp["DefaultAlignment"] = [](vcl::TControl* c, const std::string& v) {
        As<P>(c)->SetDefaultAlignment(
            EnumValue<int>(v, {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}}));
    };
    pp["RollUpMode"] = [](vcl::TControl* c, const std::string& v) { As<P>(c)->SetRollUpMode(BoolValue(v)); };
    pp["RollUpState"] = [](vcl::TControl* c, const std::string& v) {
        As<P>(c)->SetRollUpState(BoolValue(v));
    };
    pp["CheckedMode"] = [](vcl::TControl* c, const std::string& v) {
        As<P>(c)->SetCheckedMode(BoolValue(v));
    };
    pp["Checked"] = [](vcl::TControl* c, const std::string& v) { As<P>(c)->SetChecked(BoolValue(v)); };
    pp["Spacing"] = [](vcl::TControl* c, const std::string& v) { As<P>(c)->SetSpacing(IntValue(v)); };
    classes.push_back(panel);

    ControlClass stdLabel{"TqvSkinStdLabel",
                          [](vcl::TComponent* o) { return new qv::TqvSkinStdLabel(o); },
                          LabelProperties<qv::TqvSkinStdLabel>(),
                          {},
                          {}};
    stdLabel.properties["UseSkinColor"] = [](vcl::TControl* c, const std::string& v) {
        As<qv::TqvSkinStdLabel>(c)->SetUseSkinColor(BoolValue(v));
    };
    stdLabel.properties["EllipsType"] = [](vcl::TControl* c, const std::string& v) {
        As<qv::TqvSkinStdLabel>(c)->SetEllipsType(
            EnumValue<qv::TqvEllipsType>(v, {{"qvetNone", qv::qvetNone},
                                             {"qvetEndEllips", qv::qvetEndEllips},
                                             {"qvetPathEllips", qv::qvetPathEllips}}));
    };
    classes.push_back(stdLabel);

    ControlClass link{"TqvSkinLinkLabel",
                      [](vcl::TComponent* o) {
                          auto* l = new qv::TqvSkinLinkLabel(o);
                          l->URLOpener = nullptr; // a preview opens nothing
                          return l;
                      },
                      LabelProperties<qv::TqvSkinLinkLabel>(),
                      {},
                      {}};
    link.properties["UseUnderLine"] = [](vcl::TControl* c, const std::string& v) {
        As<qv::TqvSkinLinkLabel>(c)->SetUseUnderLine(BoolValue(v));
    };
    link.properties["URL"] = [](vcl::TControl* c, const std::string& v) {
        As<qv::TqvSkinLinkLabel>(c)->SetURL(v);
    };
    link.properties["DefaultActiveFontColor"] = [](vcl::TControl* c, const std::string& v) {
        As<qv::TqvSkinLinkLabel>(c)->SetDefaultActiveFontColor(IntValue(v));
    };
    classes.push_back(link);

    ControlClass gauge{"TqvSkinGauge",
                       [](vcl::TComponent* o) { return new qv::TqvSkinGauge(o); },
                       CustomControlProperties<qv::TqvSkinGauge>(),
                       GaugeJson,
                       {}};
    using G = qv::TqvSkinGauge;
    auto& gp = gauge.properties;
    gp["UseSkinSize"] = [](vcl::TControl* c, const std::string& v) {
        As<G>(c)->SetUseSkinSize(BoolValue(v));
    };
    gp["MinValue"] = [](vcl::TControl* c, const std::string& v) { As<G>(c)->SetMinValue(IntValue(v)); };
    gp["MaxValue"] = [](vcl::TControl* c, const std::string& v) { As<G>(c)->SetMaxValue(IntValue(v)); };
    gp["Value"] = [](vcl::TControl* c, const std::string& v) { As<G>(c)->SetValue(IntValue(v)); };
    gp["Vertical"] = [](vcl::TControl* c, const std::string& v) { As<G>(c)->SetVertical(BoolValue(v)); };
    gp["ShowProgressText"] = [](vcl::TControl* c, const std::string& v) {
        As<G>(c)->SetShowProgressText(BoolValue(v));
    };
    gp["ShowPercent"] = [](vcl::TControl* c, const std::string& v) {
        As<G>(c)->SetShowPercent(BoolValue(v));
    };
    gp["ProgressText"] = [](vcl::TControl* c, const std::string& v) { As<G>(c)->SetProgressText(v); };
    gp["ProgressAnimationPause"] = [](vcl::TControl* c, const std::string& v) {
        As<G>(c)->SetProgressAnimationPause(IntValue(v));
    };
    classes.push_back(gauge);
}

} // namespace skintool
