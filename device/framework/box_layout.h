#pragma once
#include <windows.h>

#include <vector>

// The arithmetic that keeps a dialog within the width of the screen (no window calls here).

// The buttons of a dialog's bottom row (in client coordinates, left to right), placed again
// between `left` and `right` of a narrower dialog, aligned to `right` and `gap` apart, in
// their order. Where the row fits they keep their sizes. Where it does not, it goes on in
// further rows below, each holding as many buttons as fit at the width their captions need
// (`needed`), and what a row leaves beyond its captions goes to its buttons in even parts,
// none wider than it was. `extraHeight` receives what the rows below the first add.
std::vector<RECT> FlowButtonRow(const std::vector<RECT>& buttons, const std::vector<int>& needed, int left, int right,
                                int gap, int* extraHeight);
