#pragma once
#include <windows.h>

#include "about_ids.h"
#include "framework/prop_sheet.h"
#include "platform/system_status.h"

// Texts of the program page, 11901 to 11905, from strings 101 to 105.
constexpr int kFirstAboutText = IDC_ABOUT_TEXT_1;
constexpr int kFirstAboutString = 101;
constexpr int kAboutTextCount = 5;

// The program page: name, version, rights notice, web and mail address.
class FAboutApp : public FPropPage {
public:
    LRESULT OnInitDialog(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A page without controls that draws itself: WM_PAINT goes to OnPaint.
class FPaintedPage : public FPropPage {
public:
    LRESULT DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void OnPaint(HWND hwnd) = 0;
};

// Free program memory, free data memory, then every storage card, read at each paint.
class FAboutMemory : public FPaintedPage {
public:
    void OnPaint(HWND hwnd) override;
};

// Main and backup battery, read at each paint.
class FAboutBattery : public FPaintedPage {
public:
    void OnPaint(HWND hwnd) override;
};

// The pages' drawing from given figures.
void DrawMemoryStores(HDC dc, const ByteFigures& program, const ByteFigures& data);
// The gauge of the `index`-th card drawn (from 0): a column right of the stores, or below
// them on a page `pageWidth` pixels wide that ends before that column (a handheld's screen).
void DrawStorageCardGauge(HDC dc, int index, const wchar_t* name, const ByteFigures& space, int pageWidth = 0x7FFF);
void DrawBatteries(HDC dc, const PowerFigures& power);
