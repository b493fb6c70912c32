// The "..." buttons: the browse dialog fills the source or destination edit, on OK only.
#include "base/text.h"
#include "browse/browse_dialog.h"
#include "browse/folder_names.h"
#include "main_window.h"

void MainWindow::BrowseFolderInto(FEdit& edit) {
    PathBuffer chosen;
    chosen[0] = L'\0';
    if (BrowseFolder(hwnd, Pick(BrowseTexts::BrowseTitle), chosen) == IDOK) SetWindowTextW(edit.hwnd, chosen);
}
