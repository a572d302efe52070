# The application framework: Win32 only, except the scroll arithmetic. Its string type
# (CString.h) is portable and header-only.
set(FRAMEWORK_PURE_SOURCES
    framework/ScrollSteps.cpp
)
set(FRAMEWORK_WIN32_SOURCES
    framework/CCmdTarget.cpp
    framework/CDataExchange.cpp
    framework/CDialog.cpp
    framework/CDocument.cpp
    framework/CFormView.cpp
    framework/CFrameWnd.cpp
    framework/CListBox.cpp
    framework/CodePage.cpp
    framework/CSingleDocTemplate.cpp
    framework/CView.cpp
    framework/CWinApp.cpp
    framework/CWnd.cpp
    framework/IniProfile.cpp
    framework/ModulePath.cpp
    framework/RegistryProfile.cpp
)
