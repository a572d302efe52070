#pragma once
// A view whose window is a dialog template: its controls, tab order and dialog keys.
#include "framework/CView.h"

class CFormView : public CView {
public:
    explicit CFormView(UINT templateId) : m_templateId(templateId) {}

    BOOL Create(CFrameWnd& frame, UINT id) override;
    // Binds the controls and fills them from the members.
    void OnInitialUpdate() override;
    // The frame's accelerators first, then the dialog keys (Tab, Enter, Alt+mnemonics).
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Scroll bars while the view is smaller than its template, none otherwise.
    void OnSize(UINT type, int cx, int cy);

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    UINT m_templateId;
    SIZE m_templateSize{};
};
