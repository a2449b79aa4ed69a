#pragma once
// The value types, flags and numbers of the shell namespace with their Windows names, so that the
// folder model above this layer reads like the shell it was designed for.
//
// Item identifier lists keep the Windows byte format: each item is a 16-bit little-endian byte
// count (counting the two count bytes) followed by its data, and a count of 0 ends the list. Here
// an item's data is one kind byte followed by UTF-8 text (see ShellItem.h). Lists are allocated
// with SHAlloc and freed with SHFree, the stand-ins of the shell's task allocator.

#include "platform/gfx/WinTypes.h"

#include <cstddef>
#include <cstdint>

using HRESULT = std::int32_t;
using ULONG = std::uint32_t;
using USHORT = std::uint16_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = HRESULT(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
constexpr HRESULT HRESULT_FILE_NOT_FOUND = HRESULT(0x80070002u); // HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)
constexpr HRESULT HRESULT_ACCESS_DENIED = HRESULT(0x80070005u);
constexpr HRESULT HRESULT_ALREADY_EXISTS = HRESULT(0x800700B7u);

inline bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline bool FAILED(HRESULT hr) { return hr < 0; }
// The sort result of CompareIDs: the sign is carried in the low 16 bits.
inline HRESULT MakeCompareResult(int order) {
    return HRESULT(std::uint16_t(std::int16_t(order < 0 ? -1 : order > 0 ? 1 : 0)));
}
inline short CompareResultOrder(HRESULT hr) { return short(std::uint16_t(hr & 0xFFFF)); }

constexpr int MAX_PATH = 260;

#pragma pack(push, 1)
struct SHITEMID {
    USHORT cb;    // size of the item, the count itself included
    BYTE abID[1]; // cb - 2 bytes of item data
};
struct ITEMIDLIST {
    SHITEMID mkid;
};
#pragma pack(pop)
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;

// The task allocator: identifier lists and returned strings are made and freed with these.
void* SHAlloc(std::size_t size);
void SHFree(void* block);

// Names returned by GetDisplayNameOf. This platform's names are UTF-8; STRRET_WSTR carries one
// in `pOleStr`, allocated with SHAlloc and owned by the receiver.
constexpr UINT STRRET_WSTR = 0;
constexpr UINT STRRET_OFFSET = 1;
constexpr UINT STRRET_CSTR = 2;
struct STRRET {
    UINT uType = STRRET_WSTR;
    char* pOleStr = nullptr; // STRRET_WSTR
    UINT uOffset = 0;        // STRRET_OFFSET: offset of the text in the identifier list
    char cStr[MAX_PATH]{};   // STRRET_CSTR
};

// Enumeration filters.
constexpr DWORD SHCONTF_FOLDERS = 0x20;
constexpr DWORD SHCONTF_NONFOLDERS = 0x40;
constexpr DWORD SHCONTF_INCLUDEHIDDEN = 0x80;

// Display-name kinds.
constexpr DWORD SHGDN_NORMAL = 0;
constexpr DWORD SHGDN_INFOLDER = 1;
constexpr DWORD SHGDN_FORPARSING = 0x8000;

// Attributes.
constexpr ULONG SFGAO_CANCOPY = 0x1;
constexpr ULONG SFGAO_CANMOVE = 0x2;
constexpr ULONG SFGAO_CANLINK = 0x4;
constexpr ULONG SFGAO_CANRENAME = 0x10;
constexpr ULONG SFGAO_CANDELETE = 0x20;
constexpr ULONG SFGAO_HASPROPSHEET = 0x40;
constexpr ULONG SFGAO_DROPTARGET = 0x100;
constexpr ULONG SFGAO_LINK = 0x10000;
constexpr ULONG SFGAO_READONLY = 0x40000;
constexpr ULONG SFGAO_HIDDEN = 0x80000;
constexpr ULONG SFGAO_REMOVABLE = 0x2000000;
constexpr ULONG SFGAO_FILESYSTEM = 0x40000000;
constexpr ULONG SFGAO_FOLDER = 0x20000000;
constexpr ULONG SFGAO_HASSUBFOLDER = 0x80000000;

// Special folders (CSIDL values).
constexpr int CSIDL_DESKTOP = 0x00;
constexpr int CSIDL_PERSONAL = 0x05;
constexpr int CSIDL_BITBUCKET = 0x0A;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x10;
constexpr int CSIDL_DRIVES = 0x11;
constexpr int CSIDL_TEMPLATES = 0x15;
constexpr int CSIDL_APPDATA = 0x1A;

// File information.
constexpr UINT SHGFI_SMALLICON = 0x1;
constexpr UINT SHGFI_OPENICON = 0x2;
constexpr UINT SHGFI_SYSICONINDEX = 0x4000;
constexpr UINT SHGFI_PIDL = 0x8;
struct SHFILEINFO {
    void* hIcon = nullptr;
    int iIcon = 0;
    DWORD dwAttributes = 0;
    char szDisplayName[MAX_PATH]{};
    char szTypeName[80]{};
};
