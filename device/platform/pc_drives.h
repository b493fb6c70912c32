#pragma once
#include <windows.h>

#include <vector>

// The PC's drives, for the folder browser. Windows CE has one file system without drive
// letters: there the list is empty, and the browser shows the device alone.
enum class DriveKind { Fixed, Removable, Optical, Network, RamDisk };

struct PcDrive {
    wchar_t letter = L'A';          // 'A' to 'Z'
    DriveKind kind = DriveKind::Fixed;
    wchar_t volumeLabel[MAX_PATH + 1] = L"";  // empty when it has none or was not read
};

// The drives that hold a file system, in letter order. Volume labels are read from fixed
// and RAM drives only: asking a removable, optical or network drive may wait for a medium
// or the network.
std::vector<PcDrive> ListPcDrives();
