// The command bands at the top of the main window.
#include <windows.h>

#include <commctrl.h>

#include "command_ids.h"
#include "main_window.h"

void MainWindow::BuildCommandBands() {
    statusBar.Create(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd,
                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdStatusBar)));
    setList.Create(0, L"ComboBox", L"", 0x10010842 | WS_CHILD, 0, 0, 200, 200, hwnd,
                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdSetList)));
    SendMessageW(setList.hwnd, CB_LIMITTEXT, MAX_PATH, 0);
}
