#pragma once
// Starting other Windows programs from a test, and making sure none outlives it.
#include <windows.h>

#include <optional>
#include <string>

#include "tests/wine/support/UniqueHandle.h"
#include "tests/wine/support/Wait.h"

namespace harness {

// A Linux path as a Windows program under Wine sees it (Wine maps / to drive Z:);
// a path that is already a Windows path is returned unchanged.
std::string ToWindowsPath(const std::string& path);

// A process the test started; terminated at destruction if it is still running.
class ChildProcess {
public:
    // Starts the program with the arguments (one command-line string, quoted by the caller).
    // Throws std::runtime_error when the process cannot be created.
    static ChildProcess Start(const std::string& program, const std::string& arguments = "");

    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    explicit operator bool() const { return static_cast<bool>(m_process); }
    HANDLE Handle() const { return m_process.Get(); }
    DWORD Id() const { return m_id; }

    bool IsRunning() const;
    // The exit code, or nothing if the process is still running when the timeout passes.
    std::optional<DWORD> WaitForExit(Milliseconds timeout) const;
    // Ends the process at once (no clean-up of its own runs) and waits for it to be gone.
    void Terminate();

private:
    ChildProcess(UniqueHandle process, DWORD id) : m_process(std::move(process)), m_id(id) {}

    UniqueHandle m_process;
    DWORD m_id = 0;
};

// Ends a process the test did not start (found through one of its windows).
void TerminateProcessById(DWORD processId, Milliseconds timeout = kDefaultTimeout);

}  // namespace harness
