/* The Exclude dialog's edit. Included by the resource scripts as well as code: macros only. */
#ifndef ZOLV_SETS_EXCLUDE_IDS_H
#define ZOLV_SETS_EXCLUDE_IDS_H

#define IDC_EXCLUDE_EDIT 10801

#endif
