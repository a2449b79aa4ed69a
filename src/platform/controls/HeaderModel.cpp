#include "platform/controls/HeaderModel.h"

#include <algorithm>

namespace controls {

int HeaderModel::Insert(int index, HeaderSection section) {
    index = std::clamp(index, 0, Count());
    section.width = std::max(section.width, 0);
    sections_.insert(sections_.begin() + index, std::move(section));
    return index;
}

bool HeaderModel::Remove(int index) {
    if (!Valid(index)) return false;
    sections_.erase(sections_.begin() + index);
    return true;
}

int HeaderModel::Left(int index) const {
    int x = 0;
    for (int i = 0; i < index && i < Count(); ++i)
        x += sections_[i].width;
    return x;
}

int HeaderModel::TotalWidth() const { return Left(Count()); }

RECT HeaderModel::ItemRect(int index, int height) const {
    if (!Valid(index)) return {};
    int left = Left(index);
    return {left, 0, left + sections_[index].width, height};
}

HeaderHit HeaderModel::HitTest(POINT pt, int width, int height) const {
    HeaderHit hit;
    UINT outside = 0;
    if (pt.y < 0) outside |= HHT_ABOVE;
    if (pt.y >= height) outside |= HHT_BELOW;
    if (pt.x < 0) outside |= HHT_TOLEFT;
    if (pt.x >= width) outside |= HHT_TORIGHT;
    if (outside) {
        hit.flags = outside;
        return hit;
    }
    // Dividers win over sections: the last section whose right edge is near the point is
    // the one being resized, so a zero-width column stays reachable.
    for (int i = Count() - 1; i >= 0; --i) {
        int right = Left(i) + sections_[i].width;
        if (pt.x >= right - kDividerHalfWidth && pt.x <= right + kDividerHalfWidth) {
            hit.flags = sections_[i].width == 0 ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
            hit.item = i;
            return hit;
        }
    }
    for (int i = 0; i < Count(); ++i) {
        int left = Left(i);
        if (pt.x >= left && pt.x < left + sections_[i].width) {
            hit.flags = HHT_ONHEADER;
            hit.item = i;
            return hit;
        }
    }
    return hit;
}

} // namespace controls
