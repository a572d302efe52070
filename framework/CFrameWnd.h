#pragma once
// A top-level frame: caption, menu, icon and accelerators from one resource id, one view
// filling the client area, and command routing view, document, frame, application.
#include <memory>

#include "framework/CWnd.h"

class CDocument;
class CView;

// Adds the document's title to the caption.
constexpr DWORD FWS_ADDTOTITLE = 0x8000;

// What a frame needs to create its view.
struct CCreateContext {
    CDocument* document;
    std::unique_ptr<CView> (*createView)();
};

class CFrameWnd : public CWnd {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CCreateContext* context = nullptr);

    CView* GetActiveView() const { return m_pActiveView; }
    // The active view as the given class; null when there is none or it is of another class.
    template <typename View>
    View* GetActiveViewAs() const {
        return dynamic_cast<View*>(m_pActiveView);
    }
    void SetActiveView(CView* view) { m_pActiveView = view; }
    CDocument* GetActiveDocument() const;

    // Runs the view's initial update, then shows the frame with the given command.
    void InitialUpdateFrame(int showCommand);
    void OnUpdateFrameTitle();

    bool OnCmdMsg(UINT id, UINT code, bool execute) override;
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    int OnCreate(CREATESTRUCTW* create);
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus();
    void OnClose();
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);
    void OnInitMenuPopup(HMENU popup, UINT index, BOOL isSystemMenu);
    void PostNcDestroy() override;

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void RecalcLayout() const;

    std::unique_ptr<CView> m_view;
    CView* m_pActiveView = nullptr;
    CDocument* m_pDocument = nullptr;
    HACCEL m_hAccelTable = nullptr;
    DWORD m_style = 0;
    CString m_strTitle;
};
