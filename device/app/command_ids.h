#pragma once

// Commands of the main window (menus, accelerators, tool bar, push buttons).
constexpr int kCmdOpenIni = 40101;
constexpr int kCmdSaveIni = 40102;
constexpr int kCmdExit = 40103;
constexpr int kCmdSaveLog = 40104;
constexpr int kCmdForward = 40201;
constexpr int kCmdBackward = 40202;
constexpr int kCmdPreviewForward = 40203;
constexpr int kCmdPreviewBackward = 40204;
// 40205: the Keep option's menu item (see sets/set_options.h).
constexpr int kCmdUndoLastRun = 40206;
// 40207: the Exclude option's menu item (see sets/set_options.h).
constexpr int kCmdNewSet = 40301;
constexpr int kCmdDeleteSet = 40302;
constexpr int kCmdBrowseSource = 40303;
constexpr int kCmdBrowseDestination = 40304;
constexpr int kCmdAbort = 40305;
constexpr int kCmdAbout = 40901;

// Posted to the main window after its creation: notices about the start-up.
constexpr unsigned kMsgStartupNotice = 0x8000 + 1;  // WM_APP + 1

// Controls.
constexpr int kIdCommandBands = 13200;
constexpr int kIdToolBand = 13301;
constexpr int kIdSetList = 10400;
constexpr int kIdSourceEdit = 10701;
constexpr int kIdDestinationEdit = 10702;
// The set options' check boxes, 10301 to 10304: see sets/set_options.h.
constexpr int kIdOperationList = 11000;
constexpr int kIdStatusBar = 12600;

// Resources.
constexpr int kMenuJapanese = 1001;
constexpr int kMenuEnglish = 1002;
constexpr int kAcceleratorTable = 100;
constexpr int kProgramIcon = 100;
constexpr int kBandBitmap = 100;
constexpr int kToolBitmap = 1001;
