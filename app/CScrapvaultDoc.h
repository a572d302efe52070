#pragma once
// The document: holds no content, only whether closing the main window asks first.
#include "clips/ConfirmExitHolder.h"
#include "framework/CDocument.h"

class CScrapvaultDoc : public CDocument, public ConfirmExitHolder {
public:
    BOOL OnNewDocument() override;
    // Asks "Confirm Exit" when the confirm-exit flag is on; No keeps the frame open.
    BOOL CanCloseFrame(CFrameWnd* frame) override;
    void SetConfirmExit(int bConfirm) override { m_bConfirmExit = bConfirm; }

private:
    int m_bConfirmExit = 1;
};
