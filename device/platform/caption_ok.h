/* Included by resource scripts as well as code: macros only. */
#ifndef ZOLV_PLATFORM_CAPTION_OK_H
#define ZOLV_PLATFORM_CAPTION_OK_H

/* Windows CE puts an OK button into a dialog's caption for the extended style 0x80000000.
   Desktop Windows has no such button and no such style bit, so the templates carry 0
   there; the dialog still ends through its own OK button, Enter and Escape. */
#if defined(_WIN32_WCE)
#define ZOLV_EXSTYLE_CAPTION_OK 0x80000000L
#else
#define ZOLV_EXSTYLE_CAPTION_OK 0
#endif

#endif
