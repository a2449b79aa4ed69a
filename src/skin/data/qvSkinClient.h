#pragma once
// What a component bound to a skin data offers to the form skin of its form.
//
// A skin change reaches the forms first (QVM_SKIN_CHANGING, QVM_SKIN_CHANGE); each form skin then
// walks its form's control tree depth first (a control before its children, children in their
// parent's order) and after it the other components the form owns, and tells every one that
// implements this interface to drop its records before the reload and to bind again after it.
// The interface lives with the skin data so the form skin, which sits below the skinned controls,
// reaches them without knowing their classes.

namespace qv {

class TqvSkinData;

class IqvSkinClient {
public:
    // The skin data the component is bound to, or nullptr.
    virtual TqvSkinData* SkinData() const = 0;
    // Forget every record of the skin data (it is about to be reloaded).
    virtual void ReleaseSkinRecord() = 0;
    // Look the records up again and repaint.
    virtual void ApplySkin() = 0;

protected:
    ~IqvSkinClient() = default;
};

} // namespace qv
