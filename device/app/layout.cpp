#include "layout.h"

// The right-hand controls are measured from the client area's left edge without L, which is
// 0 for the main window; divisions truncate toward zero.


MainLayout ComputeMainLayout(const RECT& usable) {
    const int L = usable.left, T = usable.top;
    const int W = usable.right - usable.left, H = usable.bottom - usable.top;
    const int quarter = W / 4 - 4;
    MainLayout m;
    m.sourceLabel = {L + 4, T + 4, 50, 20};
    m.destinationLabel = {L + 4, T + 54, 50, 20};
    m.sourceEdit = {L + 60, T + 2, W - 92, 21};
    m.sourceBrowse = {W - 26, T + 2, 22, 21};
    m.back = {L + 4, T + 27, 66, 21};
    m.forward = {L + 74, T + 27, W - 148, 21};
    m.abort = {W - 70, T + 27, 66, 21};
    m.destinationEdit = {L + 60, T + 52, W - 92, 21};
    m.destinationBrowse = {W - 26, T + 52, 22, 21};
    m.optionBoxes[0] = {L + 4, T + 77, quarter, 21};
    for (int i = 1; i < kOptionBoxCount; ++i) m.optionBoxes[i] = {(i * W) / 4, T + 77, quarter, 21};
    m.operationList = {L, T + 100, W, H - 100};
    return m;
}
