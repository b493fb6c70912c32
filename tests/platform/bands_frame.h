#pragma once
// A frame window whose command bands are built the way the main window builds them: band 1
// with the menu bar, the status bar, band 2 with the tool bar, adornments, band sizes, then
// the set list in the tool bar. It records what reaches it.
#include <windows.h>

#include <utility>
#include <vector>

#include "framework/frame.h"

constexpr UINT kBandsId = 13200;
constexpr UINT kToolBandId = 13301;
constexpr int kSetListId = 10400;

class BandsFrame : public FAppFrame {
public:
    // Builds and shows the frame in `language` (0 English, 1 Japanese), `width` wide.
    explicit BandsFrame(int language, int width = 640);
    ~BandsFrame() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCreate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    HWND menuBar = nullptr;
    HWND setList = nullptr;

    // What arrived.
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    int heightChanges = 0;
    int usableTopAtHeightChange = -1;
    std::vector<HELPINFO> helps;
    int closes = 0;
    std::vector<HMENU> popups;  // WM_INITMENUPOPUP, in order
    std::vector<UINT> popupStates;  // state of `watchedItem` in each popup as it opened
    UINT watchedItem = 0;

    // Keys posted to the popup menu once it waits for input; none closes it at once.
    std::vector<WPARAM> keysInMenu;

    bool Has(WPARAM wParam, LPARAM lParam) const;
};

// Dispatches what is waiting in the thread's queue.
void Pump();
// A left click in the middle of a tool bar's button.
void ClickButton(HWND bar, int index);
