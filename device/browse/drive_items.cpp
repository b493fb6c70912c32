#include "drive_items.h"

namespace {

const TextPair kLocalDisk{L"Local Disk", L"ﾛｰｶﾙ ﾃﾞｨｽｸ"};
const TextPair kRemovableDisk{L"Removable Disk", L"ﾘﾑｰﾊﾞﾌﾞﾙ ﾃﾞｨｽｸ"};
const TextPair kCdDrive{L"CD Drive", L"CD ﾄﾞﾗｲﾌﾞ"};
const TextPair kNetworkDrive{L"Network Drive", L"ﾈｯﾄﾜｰｸ ﾄﾞﾗｲﾌﾞ"};
const TextPair kRamDisk{L"RAM Disk", L"RAM ﾃﾞｨｽｸ"};

const TextPair& KindOf(DriveKind kind) {
    switch (kind) {
    case DriveKind::Removable: return kRemovableDisk;
    case DriveKind::Optical: return kCdDrive;
    case DriveKind::Network: return kNetworkDrive;
    case DriveKind::RamDisk: return kRamDisk;
    default: return kLocalDisk;
    }
}

}  // namespace

void DriveRootOf(UINT code, PathBuffer& out) {
    out[0] = DriveLetterOf(code);
    out[1] = L':';
    out[2] = L'\\';
    out[3] = L'\0';
}

void DriveLabel(const PcDrive& drive, PathBuffer& out) {
    const wchar_t* name = drive.volumeLabel[0] ? drive.volumeLabel : Pick(KindOf(drive.kind));
    FormatInto(out, L"%s (%c:)", name, drive.letter);
}

int DriveImage(const PcDrive& drive) { return drive.kind == DriveKind::Removable ? kImageRemovableDrive : kImageDrive; }
