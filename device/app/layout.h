#pragma once
#include <windows.h>

// Where each control of the main window goes, from the usable client rectangle (below the
// command bands, above the status bar).
struct ControlPlace {
    int x, y, width, height;
};

struct MainLayout {
    ControlPlace sourceLabel, destinationLabel, sourceEdit, sourceBrowse, back, forward, abort, destinationEdit,
        destinationBrowse, deleteAfterCopy, dosTime, force, excludeObj, operationList;
};

MainLayout ComputeMainLayout(const RECT& usable);
