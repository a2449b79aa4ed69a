#pragma once
// Building and walking identifier lists (the ILxxx helpers of the Windows shell). Every list made
// here comes from SHAlloc; the caller frees it with SHFree (ILFree).

#include "platform/shell/ShellTypes.h"

#include <string_view>

// The size in bytes of the list, its terminator included (0 for no list).
UINT ILGetSize(LPCITEMIDLIST list);
// The item after `item`, or null at the terminator.
LPITEMIDLIST ILGetNext(LPCITEMIDLIST item);
bool ILIsEmpty(LPCITEMIDLIST list);
int ILItemCount(LPCITEMIDLIST list);
LPITEMIDLIST ILClone(LPCITEMIDLIST list);
// A new list: `first` (may be null) followed by `second` (may be null).
LPITEMIDLIST ILCombine(LPCITEMIDLIST first, LPCITEMIDLIST second);
// The last item of the list (the terminator for an empty list).
LPITEMIDLIST ILFindLastID(LPCITEMIDLIST list);
// Ends the list before its last item; false when it was empty.
bool ILRemoveLastID(LPITEMIDLIST list);
// A copy of the first item only (the empty list for an empty one).
LPITEMIDLIST ILCloneFirst(LPCITEMIDLIST list);
void ILFree(LPITEMIDLIST list);

// A list of one item whose data is `data`; null when the data does not fit in one item.
LPITEMIDLIST ILCreateFromData(std::string_view data);
// The data bytes of one item.
std::string_view ILItemData(LPCITEMIDLIST item);
// True when the list's item counts are consistent within `size` bytes and it ends with a
// terminator: the check for lists that come from outside.
bool ILIsWellFormed(const void* bytes, std::size_t size);
