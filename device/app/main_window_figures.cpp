// The main window's account of a run: its figures in the status bar, and the result box
// of a preview.
#include <windows.h>

#include <commctrl.h>

#include "framework/message_boxes.h"
#include "main_window.h"
#include "run_figures.h"

void MainWindow::BeginRunFigures(const RunStats& stats, bool preview, const wchar_t* to) {
    figures_.stats = &stats;
    figures_.preview = preview;
    figures_.createdFolder = preview && GetFileAttributesW(to) == INVALID_FILE_ATTRIBUTES ? to : nullptr;
    figures_.shown = false;
    QueryPerformanceCounter(&figures_.start);
}

// Once per run: at its result, or at its end when it stopped before one.
void MainWindow::ShowRunFigures() {
    if (!figures_.stats || figures_.shown) return;
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const double seconds =
        static_cast<double>(now.QuadPart - figures_.start.QuadPart) / static_cast<double>(frequency.QuadPart);
    FormatRunFigures(*figures_.stats, seconds, figures_.preview, figures_.text);
    FormatBriefRunFigures(*figures_.stats, seconds, figures_.preview, figures_.brief);
    figures_.shown = true;
    statusLine_.Show(figures_.text, figures_.brief);
}

// The run empties the status bar as it ends: the figures come back after it.
void MainWindow::EndRunFigures() {
    ShowRunFigures();
    statusLine_.Show(figures_.text, figures_.brief);
    figures_.stats = nullptr;
    figures_.createdFolder = nullptr;
}

void MainWindow::ShowPreviewResult() {
    const std::wstring text = FormatPreviewResult(*figures_.stats, figures_.createdFolder);
    ShowMessageBox(hwnd, text.c_str(), Pick(kPreviewCaption), MB_OK | MB_ICONINFORMATION);
}
