#pragma once
// The press / hot / capture / repeat state machine lives with the skin data, below both the
// skinned controls and the form skin's caption buttons, which share it.
#include "skin/data/qvPushTracker.h"
