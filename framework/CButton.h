#pragma once
// A button control: holds the handle of a button it does not own. It adds nothing to CWnd yet;
// it stays so that the controls' members say what they hold (m_btnCopy is a button).
#include "framework/CWnd.h"

class CButton : public CWnd {};
