#pragma once
// The root classes of the component model.
//
// TObject is the common base of every framework object (a virtual destructor, so handlers and
// lists can hold any of them). TPersistent adds Assign. TComponent adds a name, an owner that
// frees it, the list of components it owns, free notification and the loading state.
//
// Ownership: a component given an owner is destroyed by that owner, after the owner's own
// destructor body has run and in reverse creation order. Deleting an owned component directly is
// fine: it leaves its owner's list first. Whenever a component leaves an owner (deleted or
// removed), the owner and every component it owns receive Notification(component, opRemove), so a
// component that refers to a sibling can clear the reference without asking for anything; a
// reference across owners needs FreeNotification.

#include "framework/Exceptions.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vcl {

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The class name as the framework shows it (defaults to the compiler's name, demangled).
    virtual std::string ClassName() const;
};

class TPersistent : public TObject {
public:
    // Copies the state of source. The default asks source to AssignTo this and raises
    // EConvertError "Cannot assign a <source> to a <this>" when neither side knows the other.
    virtual void Assign(const TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest) const;
};

enum class TOperation { opInsert, opRemove };
using enum TOperation;

// Component state flags; a set of them is a ComponentState bit mask.
enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csWriting = 1u << 2,
    csDestroying = 1u << 3,
    csDesigning = 1u << 4, // never set in this program: there is no designer at run time
    csAncestor = 1u << 5,
    csUpdating = 1u << 6,
    csFixups = 1u << 7,
};
using TComponentState = unsigned;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    const std::string& Name() const { return name_; }
    // Raises EComponentError for a name that is not an identifier or that another component of
    // the same owner already carries (compared without regard to case).
    virtual void SetName(const std::string& name);

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(std::size_t(index)); }
    // Index of this component in its owner's list, -1 without an owner.
    int ComponentIndex() const;
    // The owned component of that name (without regard to case), or nullptr.
    TComponent* FindComponent(const std::string& name) const;

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Destroys every owned component, the last created first.
    void DestroyComponents();

    // Asks component to tell this one, through Notification(component, opRemove), when it is
    // destroyed. The link is mutual: whichever goes first tells the other.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    TComponentState ComponentState() const { return state_; }
    bool IsLoading() const { return (state_ & csLoading) != 0; }
    bool IsDestroying() const { return (state_ & csDestroying) != 0; }
    bool IsDesigning() const { return (state_ & csDesigning) != 0; }

    // Marks this component as being read from a form description: csLoading is set until Loaded.
    void BeginLoading() { state_ |= csLoading | csReading; }
    // Called once every component of the description exists and references are resolved.
    // Overrides must call the inherited Loaded, which clears csLoading.
    virtual void Loaded();

    // Sets csDestroying on this component and everything it owns.
    void Destroying();

    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    std::string ClassName() const override;

protected:
    // A component was inserted into or removed from the owner, or a component this one asked for
    // free notification is going away. Overrides clear their references, then call the inherited
    // one, which forwards the notice to every owned component.
    virtual void Notification(TComponent* component, TOperation operation);

    void SetComponentStateFlag(TComponentStateFlag flag, bool on) {
        state_ = on ? (state_ | flag) : (state_ & ~unsigned(flag));
    }

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void RemoveNotification(TComponent* component);

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    TComponentState state_ = 0;
    std::intptr_t tag_ = 0;
};

// True for the characters the framework accepts in a component name.
bool IsValidIdent(const std::string& name);

} // namespace vcl
