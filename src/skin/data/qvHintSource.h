#pragma once
// What a control offers the skinned hint besides its hint text: a bold title and an image shown
// beside the text. The interface lives with the skin data so the hint, which sits below the
// skinned controls, reads them without knowing their classes.

#include <string>

namespace vcl {
class TImageList;
}

namespace qv {

class IqvHintSource {
public:
    // The bold title above the hint text; empty for none.
    virtual const std::string& HintTitle() const = 0;
    // The image at HintImageIndex of HintImageList (nullptr for none) is drawn left of the text.
    virtual int HintImageIndex() const = 0;
    virtual vcl::TImageList* HintImageList() const = 0;

protected:
    ~IqvHintSource() = default;
};

} // namespace qv
