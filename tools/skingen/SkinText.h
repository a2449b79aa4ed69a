#pragma once
// Builds the skin description text: sections of key=value lines in the order they are added,
// written with CR LF line ends as the stored-skin builder expects.

#include "platform/gfx/WinTypes.h"

#include <string>
#include <utility>
#include <vector>

namespace skingen {

class Section {
public:
    explicit Section(std::string name) : name_(std::move(name)) {}

    Section& Set(const std::string& key, const std::string& value);
    Section& Set(const std::string& key, long value) { return Set(key, std::to_string(value)); }
    Section& Set(const std::string& key, int value) { return Set(key, long(value)); }
    Section& Set(const std::string& key, const char* value) { return Set(key, std::string(value)); }
    Section& Set(const std::string& key, const RECT& r);
    Section& Set(const std::string& key, const POINT& p);
    Section& Flag(const std::string& key, bool on) { return Set(key, on ? 1 : 0); }

    const std::string& Name() const { return name_; }
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

private:
    std::string name_;
    std::vector<std::pair<std::string, std::string>> entries_;
};

class SkinText {
public:
    // Returns the section of that name, appending it when it is new.
    Section& operator[](const std::string& name);
    // Appends "name:kind" to the numbered list of [SKINOBJECTS] or [SKINCONTROLS].
    void ListObject(const std::string& name, const std::string& kind);
    void ListControl(const std::string& name, const std::string& kind);
    std::string Render() const;  // CR LF after every line

private:
    std::vector<Section> sections_;
    std::vector<std::string> objects_, controls_;
};

// Rectangle from position and size, as the generator lays pictures out.
inline RECT Rc(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }
inline RECT Ltrb(int l, int t, int r, int b) { return RECT{l, t, r, b}; }
inline POINT Pt(int x, int y) { return POINT{x, y}; }
// The rectangle of r relative to the top-left of origin (record rectangles given in skinrect
// coordinates).
inline RECT Rel(const RECT& r, const RECT& origin) {
    return RECT{r.left - origin.left, r.top - origin.top, r.right - origin.left,
                r.bottom - origin.top};
}

} // namespace skingen
