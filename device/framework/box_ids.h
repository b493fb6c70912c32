/* The icon and the message of every box template: the program's fitted message boxes and the
   run's dialogs and prompts. Included by the resource scripts as well as code: macros only. */
#ifndef ZOLV_FRAMEWORK_BOX_IDS_H
#define ZOLV_FRAMEWORK_BOX_IDS_H

#define IDC_DIALOG_ICON 10901
#define IDC_DIALOG_MESSAGE 11901

#endif
