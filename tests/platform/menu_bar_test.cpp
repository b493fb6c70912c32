// The menu bar in band 1: its popups in both languages, graying, mouse and keyboard use.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "bands_frame.h"
#include "platform/bands/command_bands.h"

namespace {

std::wstring Text(HMENU menu, UINT item, UINT flags) {
    wchar_t text[128] = L"";
    GetMenuStringW(menu, item, text, 128, flags);
    return text;
}

std::wstring ButtonText(HWND bar, int index) {
    TBBUTTON button{};
    SendMessageW(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&button));
    wchar_t text[128] = L"";
    SendMessageW(bar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text));
    return text;
}

struct Expected {
    int language;
    const wchar_t* titles[3];
    const wchar_t* file[5];
    const wchar_t* sync[4];  // Forward, Backward, Preview Forward, Preview Back
    const wchar_t* help;
};

const Expected kMenus[] = {
    {0,
     {L"&File", L"&Sync", L"&Help"},
     {L"&Open INI file", L"&Save INI file", L"Save &Log...", L"", L"E&xit"},
     {L"&Forward\tCtrl+F", L"&Backward\tCtrl+B", L"&Preview Forward", L"Pre&view Back"},
     L"&About..."},
    {1,
     {L"ﾌｧｲﾙ(&F)", L"同期(&S)", L"ﾍﾙﾌﾟ(&H)"},
     {L"設定ﾌｧｲﾙを開く(&O)", L"設定ﾌｧｲﾙの保存(&S)", L"ﾛｸﾞの保存(&L)...", L"", L"終了(&X)"},
     {L"順方向(&F)\tCtrl+F", L"逆方向(&B)\tCtrl+B", L"順方向のﾌﾟﾚﾋﾞｭｰ(&P)", L"逆方向のﾌﾟﾚﾋﾞｭｰ(&V)"},
     L"ﾊﾞｰｼﾞｮﾝ情報(&A)..."},
};

class MenuBar : public ::testing::TestWithParam<Expected> {};

}  // namespace

TEST_P(MenuBar, ButtonsAndPopupsCarryTheMenuOfTheLanguage) {
    const Expected& expected = GetParam();
    BandsFrame frame(expected.language);
    HMENU menu = frame.menu.handle;
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(frame.menu.owned);  // the bar owns it
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    ASSERT_EQ(SendMessageW(frame.menuBar, TB_BUTTONCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(menu, i, MF_BYPOSITION), expected.titles[i]);
        EXPECT_EQ(ButtonText(frame.menuBar, i), expected.titles[i]);
    }
    const UINT fileIds[5] = {40101, 40102, 40104, 0, 40103};
    HMENU file = GetSubMenu(menu, 0);
    ASSERT_EQ(GetMenuItemCount(file), 5);
    for (UINT i = 0; i < 5; ++i) {
        EXPECT_EQ(Text(file, i, MF_BYPOSITION), expected.file[i]);
        EXPECT_EQ(GetMenuItemID(file, i), fileIds[i]);
    }
    EXPECT_TRUE(GetMenuState(file, 3, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(Text(menu, 40201, MF_BYCOMMAND), expected.sync[0]);
    EXPECT_EQ(Text(menu, 40202, MF_BYCOMMAND), expected.sync[1]);
    EXPECT_EQ(Text(menu, 40203, MF_BYCOMMAND), expected.sync[2]);
    EXPECT_EQ(Text(menu, 40204, MF_BYCOMMAND), expected.sync[3]);
    EXPECT_EQ(Text(menu, 40901, MF_BYCOMMAND), expected.help);
    EXPECT_EQ(CommandBarGetMenu(frame.menuBar, 1), nullptr);
}

TEST_P(MenuBar, AltLetterOpensThePopupAndEnterChoosesItsFirstItem) {
    BandsFrame frame(GetParam().language);
    frame.keysInMenu = {VK_RETURN};
    SendMessageW(frame.hwnd, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Pump();
    ASSERT_EQ(frame.popups.size(), 1u);
    EXPECT_EQ(frame.popups[0], GetSubMenu(frame.menu.handle, 0));
    EXPECT_TRUE(frame.Has(40101, 0));

    frame.commands.clear();
    SendMessageW(frame.hwnd, WM_SYSCOMMAND, SC_KEYMENU, 'H');
    Pump();
    ASSERT_EQ(frame.popups.size(), 2u);
    EXPECT_EQ(frame.popups[1], GetSubMenu(frame.menu.handle, 2));
    EXPECT_TRUE(frame.Has(40901, 0));
}

TEST_P(MenuBar, GrayingThroughTheKeptMenuGraysThePopupTheUserSees) {
    BandsFrame frame(GetParam().language);
    EnableMenuItem(frame.menu.handle, 40201, MF_BYCOMMAND | MF_GRAYED);
    frame.watchedItem = 40201;
    ClickButton(frame.menuBar, 1);  // Sync, with the mouse; closed at once
    Pump();
    ASSERT_EQ(frame.popups.size(), 1u);
    EXPECT_EQ(frame.popups[0], GetSubMenu(frame.menu.handle, 1));
    EXPECT_TRUE(frame.popupStates[0] & MF_GRAYED);
    EXPECT_TRUE(frame.commands.empty());

    EnableMenuItem(frame.menu.handle, 40201, MF_BYCOMMAND | MF_ENABLED);
    frame.keysInMenu = {VK_DOWN, VK_RETURN};
    ClickButton(frame.menuBar, 1);
    Pump();
    ASSERT_EQ(frame.popups.size(), 2u);
    EXPECT_FALSE(frame.popupStates[1] & MF_GRAYED);
    EXPECT_TRUE(frame.Has(40201, 0));
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MenuBar, ::testing::ValuesIn(kMenus),
                         [](const ::testing::TestParamInfo<Expected>& info) {
                             return std::string(info.param.language ? "Japanese" : "English");
                         });

TEST(MenuBarKeyboard, AltActivatesTheBarArrowsMoveAndEscapeGivesTheFocusBack) {
    BandsFrame frame(0);
    SetFocus(frame.setList);
    HWND before = GetFocus();
    ASSERT_NE(before, nullptr);

    SendMessageW(frame.hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    EXPECT_EQ(GetFocus(), frame.menuBar);
    EXPECT_EQ(SendMessageW(frame.menuBar, TB_GETHOTITEM, 0, 0), 0);
    EXPECT_EQ(SendMessageW(frame.menuBar, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    SendMessageW(frame.menuBar, WM_KEYDOWN, VK_LEFT, 0);  // wraps round
    EXPECT_EQ(SendMessageW(frame.menuBar, TB_GETHOTITEM, 0, 0), 2);
    SendMessageW(frame.menuBar, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(SendMessageW(frame.menuBar, TB_GETHOTITEM, 0, 0), 0);

    SendMessageW(frame.menuBar, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(GetFocus(), before);
    EXPECT_EQ(SendMessageW(frame.menuBar, TB_GETHOTITEM, 0, 0), -1);

    // F10 again, then a mnemonic typed on the active bar opens its popup.
    SendMessageW(frame.hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0);
    frame.keysInMenu = {VK_RETURN};
    SendMessageW(frame.menuBar, WM_CHAR, 's', 0);
    Pump();
    EXPECT_TRUE(frame.Has(40201, 0));
    EXPECT_EQ(GetFocus(), before);

    // A letter that is no mnemonic goes on to the platform.
    frame.commands.clear();
    SendMessageW(frame.hwnd, WM_SYSCOMMAND, SC_KEYMENU, 'q');
    Pump();
    EXPECT_TRUE(frame.commands.empty());
}

TEST(MenuBarKeyboard, AcceleratorTableHoldsTheFourShortcuts) {
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(100));
    ASSERT_NE(table, nullptr);
    ACCEL keys[8] = {};
    ASSERT_EQ(CopyAcceleratorTableW(table, keys, 8), 4);
    const ACCEL expected[4] = {{FVIRTKEY, VK_F1, 40901},
                               {FVIRTKEY | FCONTROL, 'B', 40202},
                               {FVIRTKEY | FCONTROL, 'F', 40201},
                               {FVIRTKEY | FCONTROL, 'Q', 40103}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(keys[i].fVirt & ~0x80, expected[i].fVirt) << i;  // 0x80 marks the last entry
        EXPECT_EQ(keys[i].key, expected[i].key) << i;
        EXPECT_EQ(keys[i].cmd, expected[i].cmd) << i;
    }
    DestroyAcceleratorTable(table);
}
