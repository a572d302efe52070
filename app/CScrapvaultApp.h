#pragma once
// The application object: the single-instance rule and the start-up sequence.
#include "framework/CWinApp.h"
#include "framework/NamedMutex.h"

class CScrapvaultApp : public CWinApp {
public:
    // Takes the window down (the view saves the list) before the mutex lets another start go on.
    ~CScrapvaultApp() override;
    // Goes on only as the one instance of the session: a start that finds an earlier instance
    // wakes it and ends.
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
    // Sends WM_RESTOREINSTANCE to an earlier instance's window; false when there is none.
    static bool WakeEarlierInstance();
    // While another start holds the mutex: true once it has ended (its window gone, its list
    // saved) and this start holds the mutex; false once its window is woken or the wait is over.
    bool WaitForEarlierInstance();

    // Held from the start on by the one instance that goes on, for the object's life.
    NamedMutex m_oneInstance;
};
