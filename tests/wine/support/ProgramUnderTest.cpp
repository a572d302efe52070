#include "tests/wine/support/ProgramUnderTest.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "app/AppMessages.h"
#include "tests/wine/support/RemoteControls.h"
#include "ui/resource.h"

namespace harness {

namespace {

// The list box of the clip view: a descendant of the main window with the list's id.
// (Enumeration callbacks are named functions: on i686 they must be CALLBACK, which a
// lambda's conversion to a function pointer is not.)
BOOL CALLBACK FindClipListChild(HWND window, LPARAM found) {
    if (GetDlgCtrlID(window) == IDC_CLIP_LIST && ClassName(window) == "ListBox") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindClipList(HWND mainWindow) {
    HWND found = nullptr;
    EnumChildWindows(mainWindow, FindClipListChild, reinterpret_cast<LPARAM>(&found));
    return found;
}

BOOL CALLBACK CollectMainWindow(HWND window, LPARAM found) {
    if (WindowText(window) == kMainWindowCaption) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

// Top-level windows of any process captioned as the program's main window.
std::vector<HWND> MainWindowsOfAnyProcess() {
    std::vector<HWND> found;
    EnumWindows(CollectMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

std::string ProgramUnderTest::ExecutablePath() {
    if (const char* fromEnvironment = std::getenv("SCRAPVAULT_EXE"); fromEnvironment && *fromEnvironment)
        return fromEnvironment;
    return SCRAPVAULT_BUILT_EXE;
}

void ProgramUnderTest::EndStrayInstances() {
    for (HWND window : MainWindowsOfAnyProcess()) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        std::fprintf(stderr, "ending a Scrapvault instance left running (process %lu)\n",
                     static_cast<unsigned long>(processId));
        TerminateProcessById(processId);
    }
}

ProgramUnderTest ProgramUnderTest::Launch() { return ProgramUnderTest(ChildProcess::Start(ExecutablePath())); }

ProgramUnderTest ProgramUnderTest::Start(Milliseconds timeout) {
    ProgramUnderTest program = Launch();
    if (!program.WaitUntilReady(timeout)) {
        const bool running = program.IsRunning();
        throw std::runtime_error(running ? "the program did not show its main window in time"
                                         : "the program ended during start-up");
    }
    return program;
}

ProgramUnderTest::~ProgramUnderTest() { m_process.Terminate(); }

bool ProgramUnderTest::WaitUntilReady(Milliseconds timeout) {
    const DWORD processId = m_process.Id();
    const bool shown = WaitUntil(
        [&] {
            if (!m_process.IsRunning()) return false;
            for (HWND window : TopLevelWindowsOf(processId, kMainWindowCaption)) {
                HWND list = FindClipList(window);
                if (list != nullptr && IsWindowVisible(window)) {
                    m_mainWindow = window;
                    m_clipList = list;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return shown && WaitUntilIdle(timeout);
}

HWND ProgramUnderTest::View() const { return m_clipList ? GetParent(m_clipList) : nullptr; }

HWND ProgramUnderTest::Control(int id) const {
    HWND view = View();
    return view ? GetDlgItem(view, id) : nullptr;
}

HWND ProgramUnderTest::CopyButton() const { return Control(IDC_COPY); }

HWND ProgramUnderTest::DeleteButton() const { return Control(IDC_DELETE); }

HWND ProgramUnderTest::EditButton() const { return Control(IDC_EDIT); }

std::vector<std::string> ProgramUnderTest::Clippings() const { return ListItems(m_clipList); }

bool ProgramUnderTest::WaitUntilIdle(Milliseconds timeout) const {
    return m_mainWindow != nullptr && harness::WaitUntilIdle(m_mainWindow, timeout);
}

HWND ProgramUnderTest::WaitForWindow(const std::string& caption, Milliseconds timeout) const {
    // The message boxes share the main window's caption: the main window itself never counts.
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindowsOf(m_process.Id(), caption)) {
                if (window != m_mainWindow && IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

bool ProgramUnderTest::SetOption(int checkBoxId, bool on, Milliseconds timeout) const {
    SendCommand(m_mainWindow, ID_FILE_CONFIGURE);
    const HWND dialog = WaitForWindow("Configure", timeout);
    if (dialog == nullptr) return false;
    SendMessageA(GetDlgItem(dialog, checkBoxId), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return WaitUntil([&] { return !IsWindow(dialog); }, timeout) && WaitUntilIdle(timeout);
}

std::optional<DWORD> ProgramUnderTest::Close(Milliseconds timeout) {
    if (m_mainWindow != nullptr) PostMessageA(m_mainWindow, WM_CLOSE, 0, 0);
    return WaitForExit(timeout);
}

std::optional<DWORD> ProgramUnderTest::WaitForExit(Milliseconds timeout) const {
    return m_process.WaitForExit(timeout);
}

}  // namespace harness
