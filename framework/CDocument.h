#pragma once
// A document: the data side of the document/view pair; this framework's documents hold no file.
#include "framework/CCmdTarget.h"
#include "framework/CString.h"

class CFrameWnd;

class CDocument : public CCmdTarget {
public:
    virtual BOOL OnNewDocument();
    // Whether the frame may close; an unmodified document always lets it.
    virtual BOOL CanCloseFrame(CFrameWnd* frame);
    virtual BOOL SaveModified() { return TRUE; }

    const CString& GetTitle() const { return m_strTitle; }
    void SetTitle(const char16_t* title);

private:
    friend class CSingleDocTemplate;
    CString m_strTitle;
    CFrameWnd* m_pFrame = nullptr;
};
