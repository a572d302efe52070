#pragma once
// The application object: the single-instance rule and the start-up sequence.
#include "framework/CWinApp.h"

class CScrapvaultApp : public CWinApp {
public:
    BOOL InitInstance() override;
    // The exit code is 0 in every case; the framework's standard settings are never written back.
    int ExitInstance() override;
    // The end of the Windows session: asks "Confirm Exit" when ConfirmOnWindowsExit is stored
    // on, then saves what the view's destruction would save.
    BOOL SaveAllModified() override;

protected:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    void OnAppAbout();
    // The main window of an earlier instance: the first top-level window of the desktop,
    // from the top of the z-order, captioned exactly "Scrapvault".
    static HWND FindEarlierInstance();
};
