#pragma once
// The sections of a header control: caption, width, alignment, in display order, and the
// geometry both the header window and its list view need (section rectangles, hit tests
// with the divider zone a user grabs to resize a column).

#include "platform/controls/CommCtrlDefs.h"

#include <string>
#include <vector>

namespace controls {

struct HeaderSection {
    std::string text;
    int width = 0;
    int fmt = HDF_LEFT | HDF_STRING;
    LPARAM lParam = 0;
    int image = -1;
};

struct HeaderHit {
    UINT flags = HHT_NOWHERE;
    int item = -1;
};

class HeaderModel {
public:
    // Half the width of the zone around a section's right edge that counts as its divider.
    static constexpr int kDividerHalfWidth = 4;

    int Count() const { return static_cast<int>(sections_.size()); }
    // Inserts before `index` (clamped to the end); returns the new section's index.
    int Insert(int index, HeaderSection section);
    bool Remove(int index);
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    HeaderSection& At(int index) { return sections_[index]; }
    const HeaderSection& At(int index) const { return sections_[index]; }

    int Left(int index) const;
    int TotalWidth() const;
    RECT ItemRect(int index, int height) const;
    // Hit test in header coordinates (the header window scrolls with its list view, so no
    // offset applies here). A zero-width section's divider sits on top of its left neighbour's.
    HeaderHit HitTest(POINT pt, int width, int height) const;

private:
    std::vector<HeaderSection> sections_;
};

} // namespace controls
