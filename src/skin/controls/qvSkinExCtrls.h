#pragma once
// The skinned controls with their own built-in pictures: the form-style button and the link label.
// One header gathers the classes, each of which lives in its own unit.

#include "skin/controls/qvSkinLinkLabel.h"
#include "skin/controls/qvSkinXFormButton.h"
