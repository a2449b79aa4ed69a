#pragma once
// The skinned folder selection: the shell folder model, the change notifier and the folder tree.

#include "skin/shell/qvShellChangeNotifier.h"
#include "skin/shell/qvShellFolder.h"
#include "skin/shell/qvShellTreeView.h"
#include "skin/shell/qvSkinTreeView.h"
