#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/wine/support/ChildProcess.h"
#include "tests/wine/support/Wait.h"

namespace harness {

// Start-up under Wine includes loading the program and, without a window manager, its
// first window; generous so that a loaded CI machine does not fail a test.
constexpr Milliseconds kStartTimeout{20000};
constexpr Milliseconds kCloseTimeout{10000};

// The real scrapvault.exe, started in a process of its own as a user starts it, and
// reached only through its windows. The program is single-instance, so an instance left
// running would turn every later start into a wake-up call: the destructor never leaves
// one behind.
class ProgramUnderTest {
public:
    // Starts the program and waits until it is ready: its main window is shown (the frame
    // is shown only after the view's initial update) and its thread is idle.
    // Throws std::runtime_error if that does not happen within the timeout.
    static ProgramUnderTest Start(Milliseconds timeout = kStartTimeout);
    // Starts the program without waiting, for tests of the start-up itself (the first-run
    // dialog, a second instance). WaitUntilReady completes the start.
    static ProgramUnderTest Launch();

    // The executable under test: SCRAPVAULT_EXE from the environment if set, else the
    // program built beside the tests.
    static std::string ExecutablePath();
    // Ends every running instance (found by its main window caption); a test calls it
    // only to recover from an earlier test that left one behind.
    static void EndStrayInstances();

    ~ProgramUnderTest();
    ProgramUnderTest(ProgramUnderTest&&) noexcept = default;
    ProgramUnderTest& operator=(ProgramUnderTest&&) noexcept = default;
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    bool WaitUntilReady(Milliseconds timeout = kStartTimeout);

    const ChildProcess& Process() const { return m_process; }
    bool IsRunning() const { return m_process.IsRunning(); }

    // The frame window captioned "Scrapvault", the clip view inside it, and the view's
    // controls. Null until the program is ready.
    HWND MainWindow() const { return m_mainWindow; }
    HWND View() const;
    HWND ClipList() const { return m_clipList; }
    HWND Control(int id) const;
    HWND CopyButton() const;
    HWND DeleteButton() const;
    HWND EditButton() const;

    // The texts of the clip list, item 0 first.
    std::vector<std::string> Clippings() const;
    // Waits until the program's thread has handled everything sent or posted to it before.
    bool WaitUntilIdle(Milliseconds timeout = kDefaultTimeout) const;
    // Another visible top-level window of the program (a dialog or message box) with this
    // caption; never the main window, whose caption the message boxes share.
    HWND WaitForWindow(const std::string& caption, Milliseconds timeout = kDefaultTimeout) const;

    // Sets one check box of the Configure dialog (a control id) and closes the dialog with OK,
    // as a user changes a setting. False if the dialog did not open or close in time.
    bool SetOption(int checkBoxId, bool on, Milliseconds timeout = kDefaultTimeout) const;
    // Asks the main window to close (WM_CLOSE, posted so that a confirmation it shows
    // does not block the test) and waits for the process to end. The exit code, or nothing
    // if it is still running at the timeout.
    std::optional<DWORD> Close(Milliseconds timeout = kCloseTimeout);
    // Waits for the process to end by itself.
    std::optional<DWORD> WaitForExit(Milliseconds timeout = kCloseTimeout) const;

private:
    explicit ProgramUnderTest(ChildProcess process) : m_process(std::move(process)) {}

    ChildProcess m_process;
    HWND m_mainWindow = nullptr;
    HWND m_clipList = nullptr;
};

}  // namespace harness
