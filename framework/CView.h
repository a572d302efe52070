#pragma once
// A view: the window that shows a document inside a frame; commands reach it first.
#include "framework/CWnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
public:
    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return m_pFrame; }

    // Creates the view's window as the frame's child with the given id.
    virtual BOOL Create(CFrameWnd& frame, UINT id) = 0;
    // Called once the view is attached to its document, before the frame is first shown.
    virtual void OnInitialUpdate() {}

    // The view, then its document.
    bool OnCmdMsg(UINT id, UINT code, bool execute) override;

protected:
    void OnDestroy();

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    friend class CFrameWnd;
    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};
