#pragma once
#include <windows.h>

#include "base/paths.h"
#include "base/text.h"
#include "platform/pc_drives.h"

// The PC's drives as items under Desktop (desktop Win32 only: the device has none). A drive
// item is special (it ends the way up when a path is rebuilt, and is never renamed or
// deleted) and can hold new folders; its code carries the drive letter, so that its path
// is the drive's root, and a pending bit until its folders are first read.
//   bits 0-3  row 8 (a drive)     bit 4  pending     bit 11  can hold a new folder
//   bits 16-20  the letter's index (A = 0)
constexpr UINT kDriveRow = 8;
constexpr UINT kDrivePending = 0x10;
constexpr UINT kCodeDrive = 0xC800 | kDriveRow;

// Pictures in bitmap 105: a removable drive shows as a card, any other as a drive.
constexpr int kImageRemovableDrive = 6;
constexpr int kImageDrive = 7;

inline bool IsDriveCode(UINT code) { return (code & 0xF) == kDriveRow; }
inline UINT DriveCode(wchar_t letter, bool pending) {
    return kCodeDrive | (static_cast<UINT>(letter - L'A') << 16) | (pending ? kDrivePending : 0);
}
inline wchar_t DriveLetterOf(UINT code) { return static_cast<wchar_t>(L'A' + ((code >> 16) & 0x1F)); }

// "C:\" for a drive code.
void DriveRootOf(UINT code, PathBuffer& out);
// The item's label as Explorer words it: the volume label, or the kind of drive, then the
// letter: "System (C:)", "Local Disk (D:)", "CD Drive (E:)".
void DriveLabel(const PcDrive& drive, PathBuffer& out);
int DriveImage(const PcDrive& drive);
