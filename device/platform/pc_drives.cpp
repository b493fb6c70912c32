#include "pc_drives.h"

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
        drive.type = GetDriveTypeW(root);
        if (drive.type == DRIVE_UNKNOWN || drive.type == DRIVE_NO_ROOT_DIR) continue;
        if ((drive.type == DRIVE_FIXED || drive.type == DRIVE_RAMDISK) &&
            !GetVolumeInformationW(root, drive.volumeLabel, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0)) {
            drive.volumeLabel[0] = L'\0';
        }
        drives.push_back(drive);
    }
    SetErrorMode(previousMode);
    return drives;
}
