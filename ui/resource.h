#ifndef SCRAPVAULT_UI_RESOURCE_H
#define SCRAPVAULT_UI_RESOURCE_H
// Identifiers of Scrapvault's resources, commands and controls. Plain #defines:
// the resource compiler reads this file as well as the compiler.

#include "framework/FrameworkIds.h"

// Resources shared by the main frame: menu, accelerators, icon, document string
#define IDR_MAINFRAME 128

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_CLIP_FORM 130
#define IDD_EDIT_TEXT 131
#define IDD_CONFIGURE 132

// About box
#define IDC_ABOUT_ICON 129

// Form of the clip view
#define IDC_CLIP_LIST 1000
#define IDC_COPY 1001
#define IDC_DELETE 1002
#define IDC_EDIT 1003

// Edit Text dialog (a different template from the form, so the id may repeat)
#define IDC_TEXT 1002

// Configure dialog
#define IDC_NUMBER_TO_SAVE 1006
#define IDC_NO_DUPLICATES 1007
#define IDC_ALWAYS_ON_TOP 1008
#define IDC_MINIMIZE_ON_COPY 1009
#define IDC_CONFIRM_EXIT 1010
#define IDC_SYSTEM_MENU_CLIPPINGS 1011
#define IDC_CONFIRM_ON_WINDOWS_EXIT 1013

// Commands of the File menu
#define ID_FILE_CONFIGURE 32772
#define ID_FILE_SAVE_ALL_CLIPPINGS 32773
#define ID_FILE_CLEAR_ALL_CLIPPINGS 32774

#endif
