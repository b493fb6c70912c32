/* Ids of the main window: its commands (menus, accelerators, tool bar, push buttons), its
   controls, and the menus and accelerator table that carry the commands. Included by the
   resource scripts as well as code: macros only. The set options' ids are in
   sets/set_options.h (the window adds their menu items itself). */
#ifndef ZOLV_RESOURCES_MAIN_WINDOW_IDS_H
#define ZOLV_RESOURCES_MAIN_WINDOW_IDS_H

#define IDM_OPEN_INI 40101
#define IDM_SAVE_INI 40102
#define IDM_EXIT 40103
#define IDM_SAVE_LOG 40104
#define IDM_FORWARD 40201
#define IDM_BACKWARD 40202
#define IDM_PREVIEW_FORWARD 40203
#define IDM_PREVIEW_BACKWARD 40204
/* 40205: the Keep option's menu item. */
#define IDM_UNDO_LAST_RUN 40206
/* 40207: the Exclude option's menu item. */
/* 40208: the Verify option's menu item. */
#define IDM_NEW_SET 40301
#define IDM_DELETE_SET 40302
#define IDM_BROWSE_SOURCE 40303
#define IDM_BROWSE_DESTINATION 40304
#define IDM_ABORT 40305
#define IDM_ABOUT 40901

#define IDC_COMMAND_BANDS 13200
#define IDC_TOOL_BAND 13301
#define IDC_SET_LIST 10400
#define IDC_SOURCE_EDIT 10701
#define IDC_DESTINATION_EDIT 10702
/* 10301 to 10304: the set options' check boxes. */
#define IDC_OPERATION_LIST 11000
#define IDC_STATUS_BAR 12600

/* The menu bar in each language (the same commands) and the accelerator table. */
#define IDR_MENU_JAPANESE 1001
#define IDR_MENU_ENGLISH 1002
#define IDR_ACCELERATORS 100

#endif
