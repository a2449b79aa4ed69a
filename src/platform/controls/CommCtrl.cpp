#include "platform/controls/CommCtrl.h"

#include "platform/controls/Edit.h"
#include "platform/controls/Header.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ListView.h"
#include "platform/controls/TreeView.h"

void InitCommonControls() {
    controls::RegisterHeaderClass();
    controls::RegisterListViewClass();
    controls::RegisterListBoxClass();
    controls::RegisterEditClass();
    controls::RegisterTreeViewClass();
}
