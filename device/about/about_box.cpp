#include "about_box.h"

#include "base/text.h"

namespace {

const TextPair kAboutCaption{L"About...", L"ﾊﾞｰｼﾞｮﾝ情報..."};

}  // namespace

void ShowAbout(HWND owner) {
    FAboutSheet sheet;
    AddPage(&sheet.app, &sheet, PickName(L"FAboutApp_E", L"FAboutApp_J"));
    AddPage(&sheet.memory, &sheet, PickName(L"FAboutMemory_E", L"FAboutMemory_J"));
    AddPage(&sheet.battery, &sheet, PickName(L"FAboutBattery_E", L"FAboutBattery_J"));
    sheet.ShowSheet(owner, PSH_NOAPPLYNOW, Pick(kAboutCaption));
}
