#pragma once
#include "resources/main_window_ids.h"

// The code's typed names of the ids main_window_ids.h defines for the resource scripts.

// Commands of the main window (menus, accelerators, tool bar, push buttons).
constexpr int kCmdOpenIni = IDM_OPEN_INI;
constexpr int kCmdSaveIni = IDM_SAVE_INI;
constexpr int kCmdExit = IDM_EXIT;
constexpr int kCmdSaveLog = IDM_SAVE_LOG;
constexpr int kCmdForward = IDM_FORWARD;
constexpr int kCmdBackward = IDM_BACKWARD;
constexpr int kCmdPreviewForward = IDM_PREVIEW_FORWARD;
constexpr int kCmdPreviewBackward = IDM_PREVIEW_BACKWARD;
constexpr int kCmdUndoLastRun = IDM_UNDO_LAST_RUN;
// 40207: the Exclude option's menu item, 40208: the Verify option's (see sets/set_options.h).
constexpr int kCmdNewSet = IDM_NEW_SET;
constexpr int kCmdDeleteSet = IDM_DELETE_SET;
constexpr int kCmdBrowseSource = IDM_BROWSE_SOURCE;
constexpr int kCmdBrowseDestination = IDM_BROWSE_DESTINATION;
constexpr int kCmdAbort = IDM_ABORT;
constexpr int kCmdAbout = IDM_ABOUT;

// Posted to the main window after its creation: notices about the start-up.
constexpr unsigned kMsgStartupNotice = 0x8000 + 1;  // WM_APP + 1

// Controls.
constexpr int kIdCommandBands = IDC_COMMAND_BANDS;
constexpr int kIdToolBand = IDC_TOOL_BAND;
constexpr int kIdSetList = IDC_SET_LIST;
constexpr int kIdSourceEdit = IDC_SOURCE_EDIT;
constexpr int kIdDestinationEdit = IDC_DESTINATION_EDIT;
constexpr int kIdOperationList = IDC_OPERATION_LIST;
constexpr int kIdStatusBar = IDC_STATUS_BAR;

// Resources.
constexpr int kMenuJapanese = IDR_MENU_JAPANESE;
constexpr int kMenuEnglish = IDR_MENU_ENGLISH;
constexpr int kAcceleratorTable = IDR_ACCELERATORS;
constexpr int kProgramIcon = 100;
constexpr int kBandBitmap = 100;
constexpr int kToolBitmap = 1001;
