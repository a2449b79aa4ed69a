#pragma once
// The skinned box controls: the list box with its native list, the popup list of the combo box,
// the combo box and the memo. One header gathers the classes, each of which lives in its own unit.

#include "skin/controls/qvPopupListBox.h"
#include "skin/controls/qvSkinComboBox.h"
#include "skin/controls/qvSkinListBox.h"
#include "skin/controls/qvSkinMemo.h"
