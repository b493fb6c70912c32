#pragma once
#include <windows.h>

#include "about_pages.h"
#include "framework/prop_sheet.h"

// The About box: a sheet with the program, memory and battery pages, in this order.
class FAboutSheet : public FPropSheet {
public:
    FAboutApp app;
    FAboutMemory memory;
    FAboutBattery battery;
};

// Shows the About box modally, owned by `owner`; returns when it is closed.
void ShowAbout(HWND owner);
