#pragma once
// The skinned controls of the tool's windows: the control base, the button, the panel, the
// standard label, the gauge, the scroll bar and the list view. One header gathers the classes,
// each of which lives in its own unit.

#include "skin/controls/qvPushTracker.h"
#include "skin/controls/qvSkinButton.h"
#include "skin/controls/qvSkinControl.h"
#include "skin/controls/qvSkinCustomControl.h"
#include "skin/controls/qvSkinGauge.h"
#include "skin/controls/qvSkinListView.h"
#include "skin/controls/qvSkinPanel.h"
#include "skin/controls/qvSkinScrollBar.h"
#include "skin/controls/qvSkinStdLabel.h"
