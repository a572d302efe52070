#pragma once
// The About box: the program's name, version and notice.
#include "framework/CDialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
