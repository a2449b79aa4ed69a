#pragma once
// The skinned folder selection: the shell folder model, the change notifier, the folder tree and
// the select-directory dialog.

#include "skin/shell/qvShellChangeNotifier.h"
#include "skin/shell/qvShellFolder.h"
#include "skin/shell/qvShellTreeView.h"
#include "skin/shell/qvSkinSelectDirectoryDialog.h"
#include "skin/shell/qvSkinToolBarCtrls.h"
#include "skin/shell/qvSkinTreeView.h"
