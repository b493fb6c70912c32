#include "about_pages.h"

#include "base/text.h"
#include "framework/handles.h"
#include "framework/program.h"
#include "gauges.h"
#include "storage_cards.h"

namespace {

const TextPair kProgramMemory{L"Rest of program memory", L"空きﾌﾟﾛｸﾞﾗﾑ実行用ﾒﾓﾘ"};
const TextPair kDataMemory{L"Rest of data memory", L"空きﾃﾞｰﾀ記憶用ﾒﾓﾘ"};
const TextPair kMainBattery{L"Main Battery", L"ﾒｲﾝﾊﾞｯﾃﾘ"};
const TextPair kBackupBattery{L"Backup Battery", L"ﾊﾞｯｸｱｯﾌﾟﾊﾞｯﾃﾘ"};

constexpr int kCardColumnX = 220;
constexpr int kCardPitch = 50;
constexpr int kCardsBelowY = 100;  // under the two stores

}  // namespace

LRESULT FAboutApp::OnInitDialog(HWND hwnd, UINT, WPARAM, LPARAM) {
    for (int i = 0; i < kAboutTextCount; ++i) {
        wchar_t text[MAX_PATH];
        if (LoadStringW(ProgramInstance(), kFirstAboutString + i, text, MAX_PATH) > 0)
            SetDlgItemTextW(hwnd, kFirstAboutText + i, text);
    }
    return 0;
}

LRESULT FPaintedPage::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return FPropPage::DialogProc(hwnd, msg, wParam, lParam);
    OnPaint(hwnd);
    return 0;
}

void DrawMemoryStores(HDC dc, const ByteFigures& program, const ByteFigures& data) {
    DrawMemoryGauge(dc, 4, 4, program.freeBytes, program.totalBytes, kMemoryIcon, Pick(kProgramMemory));
    DrawMemoryGauge(dc, 4, 52, data.freeBytes, data.totalBytes, kMemoryIcon, Pick(kDataMemory));
}

void DrawStorageCardGauge(HDC dc, int index, const wchar_t* name, const ByteFigures& space, int pageWidth) {
    const bool below = pageWidth <= kCardColumnX;
    DrawMemoryGauge(dc, below ? 4 : kCardColumnX, (below ? kCardsBelowY : 4) + kCardPitch * index, space.freeBytes,
                    space.totalBytes, kCardIcon, name);
}

void DrawBatteries(HDC dc, const PowerFigures& power) {
    DrawBatteryGauge(dc, 4, 4, power.main.percent, power.main.flag, Pick(kMainBattery));
    DrawBatteryGauge(dc, 4, 46, power.backup.percent, power.backup.flag, Pick(kBackupBattery));
}

void FAboutMemory::OnPaint(HWND hwnd) {
    FPaintDC paint(hwnd);
    DrawMemoryStores(paint.hdc, ReadProgramMemory(), ReadDataStore());
    RECT page;
    GetClientRect(hwnd, &page);
    int drawn = 0;
    ForEachStorageCard(L"\\", [&](const wchar_t* name, const ByteFigures& space) {
        DrawStorageCardGauge(paint.hdc, drawn++, name, space, page.right);
    });
}

void FAboutBattery::OnPaint(HWND hwnd) {
    FPaintDC paint(hwnd);
    DrawBatteries(paint.hdc, ReadPowerStatus());
}
