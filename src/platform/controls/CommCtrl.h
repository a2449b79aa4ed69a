#pragma once
// The common controls' window-side interface: notification records sent with WM_NOTIFY,
// owner-draw records, and the registration of the window classes "SysListView32",
// "SysHeader32", "ListBox", "Edit" and "SysTreeView32".

#include "platform/controls/CommCtrlDefs.h"
#include "platform/controls/ImageList.h"
#include "platform/gfx/Font.h"
#include "platform/ui/User.h"

struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0; // the negative codes are stored as their unsigned values, as in Windows
};

struct NMLISTVIEW {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
};

struct NMITEMACTIVATE {
    NMHDR hdr;
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction{};
    LPARAM lParam = 0;
    UINT uKeyFlags = 0;
};

struct NMLVKEYDOWN {
    NMHDR hdr;
    WORD wVKey = 0;
    UINT flags = 0;
};

struct NMHEADER {
    NMHDR hdr;
    int iItem = -1;
    int iButton = 0;
    HDITEM* pitem = nullptr;
};

struct HDLAYOUT {
    RECT* prc = nullptr;
    WINDOWPOS* pwpos = nullptr;
};

struct NMTREEVIEW {
    NMHDR hdr;
    UINT action = 0;
    TVITEM itemOld{};
    TVITEM itemNew{};
    POINT ptDrag{};
};

struct NMTVDISPINFO {
    NMHDR hdr;
    TVITEM item{};
};

struct NMTVKEYDOWN {
    NMHDR hdr;
    WORD wVKey = 0;
    UINT flags = 0;
};

// Owner drawing (WM_MEASUREITEM / WM_DRAWITEM to the control's parent).
constexpr UINT ODT_LISTBOX = 2;
constexpr UINT ODA_DRAWENTIRE = 0x0001;
constexpr UINT ODA_SELECT = 0x0002;
constexpr UINT ODA_FOCUS = 0x0004;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_FOCUS = 0x0010;

struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    ULONG_PTR itemData = 0;
};

struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    HDC hDC = nullptr;
    RECT rcItem{};
    ULONG_PTR itemData = 0;
};

// LVM_SETCOLUMNWIDTH special widths.
constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// Registers the control classes with the window system; cheap when they exist already, so
// every creator may call it (a fresh window system starts without them).
void InitCommonControls();
