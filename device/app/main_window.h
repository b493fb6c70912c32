#pragma once
#include <windows.h>

#include "framework/frame.h"
#include "run_controller.h"
#include "set_editor.h"
#include "set_file_session.h"
#include "status_line.h"
#include "sets/set_options.h"

// The program's one window: the command bands (main_window_bands.cpp), the set list and the
// set's controls, the run buttons, the operation list and the status bar. It creates and
// places its controls and routes every message; what a command does belongs to one of three
// owners: the sets on screen (SetEditor), the set file (SetFileSession) and the run
// (RunController).
class MainWindow : public FAppFrame {
public:
    MainWindow();   // loads the registry settings, creates the control font
    ~MainWindow() override;  // saves the registry settings again

    bool CreateMainWindow(int x, int y, int width, int height, DWORD style, DWORD exStyle, int backgroundColour);

    // The parts the window's commands reach.
    SetEditor& Sets() { return sets_; }
    SetFileSession& SetFile() { return setFile_; }
    RunController& Run() { return run_; }

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    LRESULT OnCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void LayoutControls();
    void BuildCommandBands();
    HWND AddCommandBand(UINT bandId, int image, int size, UINT bandStyle);
    void CreateChildControls();
    void InsertOperationColumns();

    FFont font;
    FComboBox setList;
    FEdit sourceEdit, destinationEdit;
    FStatic sourceLabel, destinationLabel;
    FPushButton sourceBrowse, destinationBrowse, back, forward, abort;
    FCheckBox optionBoxes[kOptionBoxCount];  // the first rows of kSetOptions
    FListView operationList;

    StatusLine statusLine_;
    SetEditor sets_;
    SetFileSession setFile_;
    RunController run_;
};
