#pragma once
// The application object: start-up and the message loop, the document templates, the
// application's profile, and the commands that belong to the program as a whole.
#include <memory>
#include <vector>

#include "framework/CCmdTarget.h"
#include "framework/CString.h"
#include "framework/ProfileStore.h"

class CSingleDocTemplate;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    // The one application object of the process; the name comes from string 57344.
    CWinApp();
    ~CWinApp() override;

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    const CString& AppName() const { return m_strAppName; }

    virtual BOOL InitInstance() { return TRUE; }
    // The process's exit code; writes nothing.
    virtual int ExitInstance() { return 0; }
    // Whether every document agrees to the end of the session; unmodified documents always do.
    virtual BOOL SaveAllModified() { return TRUE; }

    // Runs the message loop until WM_QUIT.
    int Run();
    // Starts the framework: called once by the entry point.
    int WinMainBody(HINSTANCE instance, int showCommand);
    // The part of WinMainBody before InitInstance: the instance, the show command, the
    // application's name and its profile (the INI file until SetRegistryKey). A test that
    // runs the program's objects inside its own process calls it in WinMainBody's place.
    void InitFramework(HINSTANCE instance, int showCommand);

    BOOL PreTranslateMessage(MSG* msg);

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
    // Creates (or re-initialises) the single document with its frame and view.
    void OnFileNew();
    void OnAppExit();
    // Hides the main window and its owned pop-ups and sends it to the bottom without activating it.
    void HideApplication() const;
    void CloseAllDocuments(BOOL endSession);

    // Loads CTL3D32.DLL when present so dialogs are drawn three-dimensionally.
    BOOL Enable3dControls();
    // Reads the recent-file list and the print-preview page count from the profile.
    void LoadStdProfileSettings(UINT maxRecentFiles);
    // Moves the profile from the INI file to HKEY_CURRENT_USER\Software\<company>\<application>.
    void SetRegistryKey(const char16_t* company);

    ProfileStore& Profile() const { return *m_profile; }

    // Opens the application's help file (the program's path with the extension .HLP).
    void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT) const;

    static CWinApp* Current() { return s_pApp; }

protected:
    const MessageMap* GetMessageMap() const override { return &kMessageMap; }
    static const MessageEntry kMessages[];
    static const MessageMap kMessageMap;

private:
    class Ctl3dLibrary;

    static CWinApp* s_pApp;
    CString m_strAppName;
    std::unique_ptr<ProfileStore> m_profile;
    std::vector<std::unique_ptr<CSingleDocTemplate>> m_templates;
    // What LoadStdProfileSettings reads, kept although nothing in this program shows a recent-file
    // list or a print preview: the start-up reads them as the framework always has.
    std::vector<CString> m_recentFiles;
    int m_previewPages = 0;
    std::unique_ptr<Ctl3dLibrary> m_ctl3d;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// A modal message box captioned with the application's name. Without an icon in the type
// the exclamation icon is shown.
int AfxMessageBox(const char16_t* text, UINT type = MB_OK, UINT helpContext = 0);
