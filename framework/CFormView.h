#pragma once
// A view whose window is a dialog template: its controls, tab order and dialog keys.
#include "framework/CView.h"
#include "framework/ScrollSteps.h"

class CFormView : public CView {
public:
    explicit CFormView(UINT templateId) : m_templateId(templateId) {}

    BOOL Create(CFrameWnd& frame, UINT id) override;
    // Binds the controls and fills them from the members.
    void OnInitialUpdate() override;
    // The frame's accelerators first, then the dialog keys (Tab, Enter, Alt+mnemonics).
    BOOL PreTranslateMessage(MSG* msg) override;
    // The point of the form shown at the view's top-left corner; the controls sit that far up
    // and to the left of their places in the form.
    POINT GetScrollPosition() const { return m_scrollPosition; }

protected:
    // Scroll bars while the view is smaller than its template, none otherwise; a form that
    // fits again goes back to its origin.
    void OnSize(UINT type, int cx, int cy);

    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void OnHScroll(UINT code, int thumbPosition, HWND scrollBar);
    void OnVScroll(UINT code, int thumbPosition, HWND scrollBar);
    void OnScroll(int bar, UINT code, int thumbPosition);
    // Moves the form, its controls with it, so that the position shows at the view's edge.
    void ScrollTo(int bar, int position);
    scrolling::Axis AxisOf(int bar) const;

    UINT m_templateId;
    SIZE m_templateSize{};
    POINT m_scrollPosition{};
};
