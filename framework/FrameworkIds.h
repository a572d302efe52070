#ifndef FRAMEWORK_FRAMEWORKIDS_H
#define FRAMEWORK_FRAMEWORKIDS_H
// The framework's standard command, string and window identifiers. Programs bind
// their menus, keys and strings to these numbers, and the framework's own
// handlers answer them. Plain #defines: the resource compiler reads this file.

// Commands (0xE000 and up)
#define ID_FILE_NEW 57600
#define ID_FILE_OPEN 57601
#define ID_FILE_SAVE 57603
#define ID_FILE_PRINT_SETUP 57606
#define ID_FILE_PRINT 57607
#define ID_FILE_PRINT_PREVIEW 57609
#define ID_EDIT_COPY 57634
#define ID_EDIT_CUT 57635
#define ID_EDIT_PASTE 57637
#define ID_EDIT_UNDO 57643
#define ID_APP_ABOUT 57664
#define ID_APP_EXIT 57665
#define ID_HELP 57670
#define ID_NEXT_PANE 57680
#define ID_PREV_PANE 57681

// Strings
#define AFX_IDS_APP_TITLE 57344
#define AFX_IDS_IDLEMESSAGE 57345

// Child window ids: a frame's first (and here only) view
#define AFX_IDW_PANE_FIRST 0xE900

// Controls that no code addresses
#define IDC_STATIC (-1)

#endif
