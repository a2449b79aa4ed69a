#include "ControlClasses.h"

#include <cstdlib>

namespace skintool {

int IntValue(const std::string& text) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < -2147483647L - 1 || v > 2147483647L) {
        throw ControlError("invalid integer \"" + text + "\"");
    }
    return int(v);
}

bool BoolValue(const std::string& text) {
    if (text == "true") {
        return true;
    }
    if (text == "false") {
        return false;
    }
    throw ControlError("invalid boolean \"" + text + "\" (true or false)");
}

std::string JsonRect(const RECT& r) {
    std::ostringstream s;
    s << "[" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "]";
    return s.str();
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += char(c);
        } else if (c < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
        } else {
            out += char(c);
        }
    }
    return out + "\"";
}

const std::vector<ControlClass>& AllControlClasses() {
    static const std::vector<ControlClass> classes = [] {
        std::vector<ControlClass> all;
        AddBaseControlClasses(all);
        AddScrollControlClasses(all);
        AddBoxControlClasses(all);
        return all;
    }();
    return classes;
}

} // namespace skintool
