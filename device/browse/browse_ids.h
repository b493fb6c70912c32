/* Ids of the browse-folder dialog and its context menu. Included by resource scripts as
   well as code: macros only. */
#ifndef ZOLV_BROWSE_BROWSE_IDS_H
#define ZOLV_BROWSE_BROWSE_IDS_H

#define IDC_BROWSE_TITLE 11901
#define IDC_BROWSE_NEW_FOLDER 33
#define IDC_BROWSE_TREE 12000
/* Posted to the dialog to open the context menu at the last message's screen position. */
#define IDM_BROWSE_CONTEXT_MENU 39
#define IDM_BROWSE_RENAME 40001
#define IDM_BROWSE_DELETE 40002

/* Bitmap of the tree's pictures: twelve 16 x 16 images. */
#define IDB_FOLDER_TREE 105

#endif
