#pragma once
#include <windows.h>

#include "base/text.h"

// Every tree item carries a code. The low four bits of a special item's code are its row in
// the special-folder table; an ordinary folder's low four bits are 14 (loaded, or nothing to
// load) or 15 (subfolders on disk that are not read yet).
constexpr UINT kFolderLoaded = 0x4F0E;
constexpr UINT kFolderPending = 0x4F0F;
constexpr UINT kCodeRowMask = 0x000F;
constexpr UINT kFirstOrdinaryRow = 14;
constexpr UINT kCanHoldNewFolder = 0x800;
constexpr UINT kCanEditLabel = 0x100;

constexpr UINT kCodeDesktop = 0xC000;
constexpr UINT kCodeMyDevice = 0xC801;
constexpr UINT kCodeMyNetwork = 0xC002;
constexpr UINT kCodeControlPanel = 0xC003;
constexpr UINT kCodeDatabase = 0xC004;
constexpr UINT kCodeMyDocuments = 0xCC05;
constexpr UINT kCodeTrashBox = 0xC006;
constexpr UINT kCodeFindResult = 0xC007;

// Pictures of ordinary folders in bitmap 105; the special rows name their own.
constexpr int kImageFolder = 0;
constexpr int kImageFolderSelected = 1;
constexpr int kTreeImageCount = 12;
constexpr int kTreeImageSize = 16;

struct SpecialFolder {
    UINT code;
    const wchar_t* path;
    TextPair label;
    int image;
};

constexpr int kSpecialFolderCount = 8;
extern const SpecialFolder kSpecialFolders[kSpecialFolderCount];

inline bool IsSpecialCode(UINT code) { return (code & kCodeRowMask) < kFirstOrdinaryRow; }
// The row of a special code.
inline const SpecialFolder& SpecialFolderOf(UINT code) { return kSpecialFolders[code & kCodeRowMask & 7]; }
inline UINT OrdinaryCode(bool hasSubfolders) { return hasSubfolders ? kFolderPending : kFolderLoaded; }
