#pragma once
// Event types. An event is a property holding a handler; an empty handler means "not assigned".
// Handlers are std::function so a form can bind its own member with a lambda:
//     btn1->OnClick = [this](TObject* sender) { btn1Click(sender); };
// A control that calls a handler must not touch itself afterwards unless it knows it survived
// (see TControl's destruction guard), because the handler may free it.

#include <functional>

namespace vcl {

class TObject;

using TNotifyEvent = std::function<void(TObject* sender)>;

} // namespace vcl
