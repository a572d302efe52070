#include "framework/CWinApp.h"

#include <commctrl.h>

#include <iterator>
#include <string>

#include "framework/CSingleDocTemplate.h"
#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/IniProfile.h"
#include "framework/ModulePath.h"
#include "framework/RegistryProfile.h"
#include "framework/WideText.h"

CWinApp* CWinApp::s_pApp = nullptr;

// The optional three-dimensional controls library, registered for the program while loaded.
class CWinApp::Ctl3dLibrary {
public:
    explicit Ctl3dLibrary(HINSTANCE instance) : m_instance(instance), m_library(::LoadLibraryW(L"CTL3D32.DLL")) {
        if (!m_library) return;
        if (auto reg = Function("Ctl3dRegister")) reg(m_instance);
        if (auto subclass = Function("Ctl3dAutoSubclass")) subclass(m_instance);
    }
    ~Ctl3dLibrary() {
        if (!m_library) return;
        if (auto unregister = Function("Ctl3dUnregister")) unregister(m_instance);
        ::FreeLibrary(m_library);
    }
    Ctl3dLibrary(const Ctl3dLibrary&) = delete;
    Ctl3dLibrary& operator=(const Ctl3dLibrary&) = delete;
    bool Loaded() const { return m_library != nullptr; }

private:
    using InstanceFunction = BOOL(WINAPI*)(HINSTANCE);
    InstanceFunction Function(const char* name) const {
        return reinterpret_cast<InstanceFunction>(reinterpret_cast<void*>(::GetProcAddress(m_library, name)));
    }
    HINSTANCE m_instance;
    HMODULE m_library;
};

const MessageEntry CWinApp::kMessages[] = {
    onCommand<&CWinApp::OnAppExit>(ID_APP_EXIT),
};
const MessageMap CWinApp::kMessageMap{&CCmdTarget::kMessageMap, kMessages};

CWinApp::CWinApp() { s_pApp = this; }

CWinApp::~CWinApp() {
    m_templates.clear();
    if (s_pApp == this) s_pApp = nullptr;
}

int CWinApp::WinMainBody(HINSTANCE instance, int showCommand) {
    InitFramework(instance, showCommand);
    if (!InitInstance()) return ExitInstance();
    return Run();
}

void CWinApp::InitFramework(HINSTANCE instance, int showCommand) {
    // The manifest asks for Common Controls 6: its buttons, edits and lists, which take the
    // system's visual style, are registered by comctl32, so it is loaded before any window.
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
    m_hInstance = instance;
    m_nCmdShow = showCommand;
    wchar_t name[256] = {};
    ::LoadStringW(instance, AFX_IDS_APP_TITLE, name, static_cast<int>(std::size(name)));
    m_strAppName = Utf16(name);
    m_profile = std::make_unique<IniProfile>(IniProfile::FileNameForProgram());
}

int CWinApp::Run() {
    MSG msg{};
    // Without a main window the loop would wait for ever: a failed start ends at once.
    if (m_pMainWnd) {
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (PreTranslateMessage(&msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    // Innermost window first; a form view asks its frame's accelerators before its dialog keys.
    for (HWND hWnd = msg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd); wnd && wnd->PreTranslateMessage(msg)) return TRUE;
        if (m_pMainWnd && hWnd == m_pMainWnd->m_hWnd) break;
    }
    return FALSE;
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate) {
    m_templates.push_back(std::move(docTemplate));
}

void CWinApp::OnFileNew() {
    if (!m_templates.empty()) m_templates.front()->OpenNewDocument(m_nCmdShow);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::HideApplication() const {
    if (!m_pMainWnd || !m_pMainWnd->m_hWnd) return;
    m_pMainWnd->ShowWindow(SW_HIDE);
    ::ShowOwnedPopups(m_pMainWnd->m_hWnd, FALSE);
    ::SetWindowPos(m_pMainWnd->m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CWinApp::CloseAllDocuments(BOOL) {
    for (const auto& docTemplate : m_templates) docTemplate->CloseAllDocuments();
}

BOOL CWinApp::Enable3dControls() {
    m_ctl3d = std::make_unique<Ctl3dLibrary>(m_hInstance);
    return m_ctl3d->Loaded();
}

void CWinApp::LoadStdProfileSettings(UINT maxRecentFiles) {
    m_recentFiles.clear();
    for (UINT i = 1; i <= maxRecentFiles; ++i) {
        const std::string number = std::to_string(i);
        const std::u16string key = u"File" + std::u16string(number.begin(), number.end());
        CString file = m_profile->GetString(u"Recent File List", key.c_str(), nullptr);
        if (!file.IsEmpty()) m_recentFiles.push_back(std::move(file));
    }
    m_previewPages = m_profile->GetInt(u"Settings", u"PreviewPages", 0);
}

void CWinApp::SetRegistryKey(const char16_t* company) {
    m_profile = std::make_unique<RegistryProfile>(company, m_strAppName.str());
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command) const {
    const HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ::WinHelpW(owner, ModulePathWithExtension(m_hInstance, L".HLP").c_str(), command, data);
}

CWinApp* AfxGetApp() { return CWinApp::Current(); }

CWnd* AfxGetMainWnd() {
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    CWinApp* app = AfxGetApp();
    return app && app->m_hInstance ? app->m_hInstance : ::GetModuleHandleW(nullptr);
}

int AfxMessageBox(const char16_t* text, UINT type, UINT) {
    if (!(type & MB_ICONMASK)) type |= MB_ICONEXCLAMATION;
    CWinApp* app = AfxGetApp();
    CWnd* mainWnd = AfxGetMainWnd();
    const HWND owner = mainWnd ? mainWnd->m_hWnd : nullptr;
    return ::MessageBoxW(owner, Wide(text), Wide(app ? app->AppName().GetString() : u""), type);
}
