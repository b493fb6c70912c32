#pragma once
#include <windows.h>

#include "sets/set_options.h"

// Where each control of the main window goes, from the usable client rectangle (below the
// command bands, above the status bar).
struct ControlPlace {
    int x, y, width, height;
};

struct MainLayout {
    ControlPlace sourceLabel, destinationLabel, sourceEdit, sourceBrowse, back, forward, abort, destinationEdit,
        destinationBrowse;
    // The set options' check boxes in one row, in the order of kSetOptions.
    ControlPlace optionBoxes[kOptionBoxCount];
    ControlPlace operationList;
};

MainLayout ComputeMainLayout(const RECT& usable);
