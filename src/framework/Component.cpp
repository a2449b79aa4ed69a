#include "framework/Component.h"

#include "framework/TextUtils.h"

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

namespace vcl {

std::string TObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    auto colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

void TPersistent::Assign(const TPersistent* source) {
    if (source != nullptr) {
        source->AssignTo(this);
        return;
    }
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest) const {
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest->ClassName());
}

bool IsValidIdent(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(name[0])) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr) {
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent() {
    Destroying();
    // Tell every component that asked about us; each drops its link back as it is told.
    while (!freeNotifies_.empty()) {
        TComponent* other = freeNotifies_.back();
        freeNotifies_.pop_back();
        other->RemoveNotification(this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_ != nullptr) {
        owner_->RemoveComponent(this);
    }
}

std::string TComponent::ClassName() const { return TObject::ClassName(); }

void TComponent::SetName(const std::string& name) {
    if (name == name_) {
        return;
    }
    if (!name.empty() && !IsValidIdent(name)) {
        throw EComponentError("''" + name + "'' is not a valid component name");
    }
    if (owner_ != nullptr && !name.empty()) {
        TComponent* other = owner_->FindComponent(name);
        if (other != nullptr && other != this) {
            throw EComponentError("A component named " + name + " already exists");
        }
    }
    name_ = name;
}

int TComponent::ComponentIndex() const {
    if (owner_ == nullptr) {
        return -1;
    }
    const auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) {
        return nullptr;
    }
    for (TComponent* c : components_) {
        if (SameText(c->name_, name)) {
            return c;
        }
    }
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_ != nullptr) {
        component->owner_->RemoveComponent(component);
    }
    if (!component->name_.empty()) {
        TComponent* other = FindComponent(component->name_);
        if (other != nullptr) {
            throw EComponentError("A component named " + component->name_ + " already exists");
        }
    }
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it != components_.end()) {
        components_.erase(it);
    }
    component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        // The component leaves our list itself (its destructor calls RemoveComponent), which also
        // tells its siblings that it is going.
        delete last;
    }
}

void TComponent::Destroying() {
    if (IsDestroying()) {
        return;
    }
    state_ |= csDestroying;
    for (TComponent* c : components_) {
        c->Destroying();
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this) {
        return;
    }
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
    }
    auto& back = component->freeNotifies_;
    if (std::find(back.begin(), back.end(), this) == back.end()) {
        back.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr) {
        return;
    }
    RemoveNotification(component);
    component->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* component) {
    auto it = std::find(freeNotifies_.begin(), freeNotifies_.end(), component);
    if (it != freeNotifies_.end()) {
        freeNotifies_.erase(it);
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component != nullptr) {
        RemoveFreeNotification(component);
    }
    // Iterate by index from the end: a handler may remove components from the list.
    for (int i = int(components_.size()) - 1; i >= 0; --i) {
        if (i < int(components_.size())) {
            components_[std::size_t(i)]->Notification(component, operation);
        }
    }
}

void TComponent::Loaded() { state_ &= ~unsigned(csLoading | csReading); }

} // namespace vcl
