#pragma once
// The skin under construction: the records of a skin data, filled by the builders and written by
// the skin data's own writer, so every key is spelled once, by the record that reads it.

#include "platform/gfx/WinTypes.h"
#include "skin/data/qvSkinData.h"

#include <set>
#include <stdexcept>
#include <string>

namespace skingen {

class SkinText {
public:
    // Creates the listed objects and controls, in list order, each of its kind's class.
    SkinText();

    // The global sections: version, pictures, frame ([FORMINFO]), popup, hint and colours.
    qv::TqvSkinData& Data() { return data_; }

    // The record of a listed object or control; T is its class or a class it derives from.
    template <class T>
    T& Object(const std::string& name) {
        return As<T>(FindObject(name));
    }
    template <class T>
    T& Control(const std::string& name) {
        return As<T>(FindControl(name));
    }

    // The description text (CR LF after every line, a blank line between sections). Every listed
    // record must have been filled by some builder.
    std::string Render();

private:
    qv::TqvDataSkinObject& FindObject(const std::string& name);
    qv::TqvDataSkinControl& FindControl(const std::string& name);
    template <class T, class R>
    T& As(R& record) {
        auto* typed = dynamic_cast<T*>(&record);
        if (typed == nullptr) {
            throw std::logic_error("section " + record.SectionName + " is of another kind");
        }
        return *typed;
    }

    qv::TqvSkinData data_{nullptr};
    std::set<std::string> filled_;
};

// Rectangle from position and size, as the generator lays pictures out.
inline RECT Rc(int x, int y, int w, int h) { return RECT{x, y, x + w, y + h}; }
inline RECT Ltrb(int l, int t, int r, int b) { return RECT{l, t, r, b}; }
inline POINT Pt(int x, int y) { return POINT{x, y}; }

} // namespace skingen
