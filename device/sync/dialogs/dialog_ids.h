/* Controls shared by the run's dialogs and prompts: the box templates' own (see
   framework/box_ids.h). Included by the resource scripts as well as code: macros only. */
#ifndef ZOLV_SYNC_DIALOGS_DIALOG_IDS_H
#define ZOLV_SYNC_DIALOGS_DIALOG_IDS_H

#include "framework/box_ids.h"

#endif
