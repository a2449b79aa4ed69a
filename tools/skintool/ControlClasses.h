#pragma once
// The classes `skintool control` can preview, each with the published properties it can set by
// name and the JSON fields it reports. A control family adds itself with one AddXxxClasses
// function (in its own file) called from AllControlClasses.

#include "framework/Control.h"

#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace skintool {

struct ControlError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Sets one property from its command-line text; throws ControlError for a value it cannot take.
using PropertySetter = std::function<void(vcl::TControl* control, const std::string& value)>;
// Writes the class's own JSON fields, each as `,\n  "name": value`.
using JsonFields = std::function<void(vcl::TControl* control, std::ostringstream& json)>;
// Forces a look: "normal", "hot", "down", "focused" ("disabled" is Enabled := false for all).
using StateForcer = std::function<void(vcl::TControl* control, const std::string& state)>;

struct ControlClass {
    std::string name;
    std::function<vcl::TControl*(vcl::TComponent* owner)> create;
    std::map<std::string, PropertySetter> properties;
    JsonFields json;   // optional
    StateForcer state; // optional
};

// Value parsers for setters: integers, booleans "true"/"false", and enumerations by name.
int IntValue(const std::string& text);
bool BoolValue(const std::string& text);
template <typename E>
E EnumValue(const std::string& text, const std::map<std::string, E>& names) {
    auto it = names.find(text);
    if (it == names.end()) {
        throw ControlError("invalid value \"" + text + "\"");
    }
    return it->second;
}
std::string JsonRect(const RECT& r);
std::string JsonString(const std::string& s);

// Every class the tool knows, by exact class name.
const std::vector<ControlClass>& AllControlClasses();

// The families: base control, buttons, panel, labels, gauge.
void AddBaseControlClasses(std::vector<ControlClass>& classes);
// The scroll bar.
void AddScrollControlClasses(std::vector<ControlClass>& classes);
// The list box and the combo box.
void AddBoxControlClasses(std::vector<ControlClass>& classes);

} // namespace skintool
