/* The program page's texts, filled from strings 101 to 105. Included by the resource scripts
   as well as code: macros only. */
#ifndef ZOLV_ABOUT_ABOUT_IDS_H
#define ZOLV_ABOUT_ABOUT_IDS_H

#define IDC_ABOUT_TEXT_1 11901
#define IDC_ABOUT_TEXT_2 11902
#define IDC_ABOUT_TEXT_3 11903
#define IDC_ABOUT_TEXT_4 11904
#define IDC_ABOUT_TEXT_5 11905

#endif
