#include "platform/shell/IdList.h"

#include <cstdlib>
#include <cstring>

void* SHAlloc(std::size_t size) { return std::calloc(1, size == 0 ? 1 : size); }
void SHFree(void* block) { std::free(block); }

namespace {

USHORT ItemSize(LPCITEMIDLIST item) {
    USHORT cb;
    std::memcpy(&cb, item, sizeof cb); // items are packed: no alignment to rely on
    return cb;
}
void SetItemSize(void* item, USHORT cb) { std::memcpy(item, &cb, sizeof cb); }

const BYTE* Bytes(LPCITEMIDLIST list) { return reinterpret_cast<const BYTE*>(list); }

} // namespace

UINT ILGetSize(LPCITEMIDLIST list) {
    if (!list) return 0;
    UINT size = 0;
    for (LPCITEMIDLIST item = list; ItemSize(item) != 0;
         item = reinterpret_cast<LPCITEMIDLIST>(Bytes(item) + ItemSize(item)))
        size += ItemSize(item);
    return size + sizeof(USHORT);
}

LPITEMIDLIST ILGetNext(LPCITEMIDLIST item) {
    if (!item || ItemSize(item) == 0) return nullptr;
    return const_cast<LPITEMIDLIST>(reinterpret_cast<LPCITEMIDLIST>(Bytes(item) + ItemSize(item)));
}

bool ILIsEmpty(LPCITEMIDLIST list) { return !list || ItemSize(list) == 0; }

int ILItemCount(LPCITEMIDLIST list) {
    int count = 0;
    for (LPCITEMIDLIST item = list; !ILIsEmpty(item); item = ILGetNext(item))
        ++count;
    return count;
}

LPITEMIDLIST ILClone(LPCITEMIDLIST list) {
    if (!list) return nullptr;
    UINT size = ILGetSize(list);
    auto* copy = static_cast<LPITEMIDLIST>(SHAlloc(size));
    if (copy) std::memcpy(copy, list, size);
    return copy;
}

LPITEMIDLIST ILCombine(LPCITEMIDLIST first, LPCITEMIDLIST second) {
    UINT a = first ? ILGetSize(first) - sizeof(USHORT) : 0;
    UINT b = second ? ILGetSize(second) : sizeof(USHORT);
    auto* list = static_cast<BYTE*>(SHAlloc(a + b));
    if (!list) return nullptr;
    if (a) std::memcpy(list, first, a);
    if (second) std::memcpy(list + a, second, b); // zero-filled allocation already holds a terminator
    return reinterpret_cast<LPITEMIDLIST>(list);
}

LPITEMIDLIST ILFindLastID(LPCITEMIDLIST list) {
    LPCITEMIDLIST last = list;
    for (LPCITEMIDLIST item = list; !ILIsEmpty(item); item = ILGetNext(item))
        last = item;
    return const_cast<LPITEMIDLIST>(last);
}

bool ILRemoveLastID(LPITEMIDLIST list) {
    if (ILIsEmpty(list)) return false;
    SetItemSize(ILFindLastID(list), 0);
    return true;
}

LPITEMIDLIST ILCloneFirst(LPCITEMIDLIST list) {
    if (ILIsEmpty(list)) return ILCombine(nullptr, nullptr);
    USHORT cb = ItemSize(list);
    auto* copy = static_cast<BYTE*>(SHAlloc(cb + sizeof(USHORT)));
    if (copy) std::memcpy(copy, list, cb);
    return reinterpret_cast<LPITEMIDLIST>(copy);
}

void ILFree(LPITEMIDLIST list) { SHFree(list); }

LPITEMIDLIST ILCreateFromData(std::string_view data) {
    if (data.size() > 0xFFFF - sizeof(USHORT)) return nullptr;
    USHORT cb = USHORT(data.size() + sizeof(USHORT));
    auto* list = static_cast<BYTE*>(SHAlloc(cb + sizeof(USHORT)));
    if (!list) return nullptr;
    SetItemSize(list, cb);
    std::memcpy(list + sizeof(USHORT), data.data(), data.size());
    return reinterpret_cast<LPITEMIDLIST>(list);
}

std::string_view ILItemData(LPCITEMIDLIST item) {
    if (ILIsEmpty(item)) return {};
    return {reinterpret_cast<const char*>(Bytes(item) + sizeof(USHORT)),
            size_t(ItemSize(item) - sizeof(USHORT))};
}

bool ILIsWellFormed(const void* bytes, std::size_t size) {
    const BYTE* p = static_cast<const BYTE*>(bytes);
    std::size_t at = 0;
    while (at + sizeof(USHORT) <= size) {
        USHORT cb;
        std::memcpy(&cb, p + at, sizeof cb);
        if (cb == 0) return true;
        if (cb < sizeof(USHORT) || cb > size - at) return false;
        at += cb;
    }
    return false;
}
