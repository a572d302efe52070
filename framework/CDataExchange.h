#pragma once
// The context of one data exchange between a window's controls and its members.
#include "framework/CWnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd& window, bool saveAndValidate) : m_window(window), m_bSaveAndValidate(saveAndValidate) {}
    CWnd& Window() const { return m_window; }

private:
    CWnd& m_window;

public:
    // true: from the controls into the members; false: towards the controls.
    const bool m_bSaveAndValidate;
};

// Binds the control object to the control with the id; only the first exchange binds.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// The whole text of an edit control.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// A check box's state. Towards the control a value outside 0 to 2 is first replaced by 0.
void DDX_Check(CDataExchange* pDX, int id, int& value);
