#include "pc_drives.h"

#if defined(_WIN32_WCE)

std::vector<PcDrive> ListPcDrives() { return {}; }

#else

namespace {

DriveKind KindOf(UINT type) {
    switch (type) {
    case DRIVE_REMOVABLE: return DriveKind::Removable;
    case DRIVE_CDROM: return DriveKind::Optical;
    case DRIVE_REMOTE: return DriveKind::Network;
    case DRIVE_RAMDISK: return DriveKind::RamDisk;
    default: return DriveKind::Fixed;
    }
}

}  // namespace

std::vector<PcDrive> ListPcDrives() {
    std::vector<PcDrive> drives;
    // No "insert a disk" box for an empty drive: an unreadable drive just has no label.
    const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // Every letter is asked rather than GetLogicalDrives' bit set, which under Wine misses a
    // drive mapped after the session started; a letter without a drive is "no root dir".
    for (int i = 0; i < 26; ++i) {
        PcDrive drive;
        drive.letter = static_cast<wchar_t>(L'A' + i);
        const wchar_t root[] = {drive.letter, L':', L'\\', L'\0'};
        const UINT type = GetDriveTypeW(root);
        if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) continue;
        drive.kind = KindOf(type);
        if ((type == DRIVE_FIXED || type == DRIVE_RAMDISK) &&
            !GetVolumeInformationW(root, drive.volumeLabel, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
            drive.volumeLabel[0] = L'\0';
        }
        drives.push_back(drive);
    }
    SetErrorMode(previousMode);
    return drives;
}

#endif
