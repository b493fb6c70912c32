/* Controls shared by the run's dialogs and prompts. Included by the resource scripts as well
   as code: macros only. */
#ifndef ZOLV_SYNC_DIALOGS_DIALOG_IDS_H
#define ZOLV_SYNC_DIALOGS_DIALOG_IDS_H

#define IDC_DIALOG_ICON 10901
#define IDC_DIALOG_MESSAGE 11901

#endif
