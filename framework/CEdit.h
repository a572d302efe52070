#pragma once
// An edit control: holds the handle of an edit it does not own.
#include "framework/CWnd.h"

class CEdit : public CWnd {};
