#include "tests/wine/support/ChildProcess.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace harness {

namespace {

// How long a terminated process may take to disappear.
constexpr Milliseconds kTerminateTimeout{5000};

std::runtime_error Win32Error(const std::string& what) {
    return std::runtime_error(what + " (error " + std::to_string(GetLastError()) + ")");
}

}  // namespace

std::string ToWindowsPath(const std::string& path) {
    if (path.empty() || path.front() != '/') return path;
    std::string windowsPath = "Z:" + path;
    for (char& c : windowsPath) {
        if (c == '/') c = '\\';
    }
    return windowsPath;
}

ChildProcess ChildProcess::Start(const std::string& program, const std::string& arguments) {
    const std::string application = ToWindowsPath(program);
    std::string commandLine = "\"" + application + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    // CreateProcessA may write into the command line, so it gets a buffer of its own.
    std::vector<char> commandBuffer(commandLine.begin(), commandLine.end());
    commandBuffer.push_back('\0');

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    // Wine now and then refuses a start with ERROR_INTERNAL_ERROR while an earlier process of
    // the same program is still going away; a moment later the same start succeeds.
    bool created = false;
    for (int attempt = 0; attempt < 5 && !created; ++attempt) {
        if (attempt > 0) Sleep(200);
        std::vector<char> buffer = commandBuffer;
        created = CreateProcessA(application.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &started) != FALSE;
        if (!created && GetLastError() != ERROR_INTERNAL_ERROR) break;
    }
    if (!created) throw Win32Error("cannot start " + application);
    CloseHandle(started.hThread);
    return ChildProcess(UniqueHandle(started.hProcess), started.dwProcessId);
}

ChildProcess::~ChildProcess() { Terminate(); }

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Terminate();
        m_process = std::move(other.m_process);
        m_id = std::exchange(other.m_id, 0);
    }
    return *this;
}

bool ChildProcess::IsRunning() const { return m_process && WaitForSingleObject(m_process.Get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> ChildProcess::WaitForExit(Milliseconds timeout) const {
    if (!m_process) return std::nullopt;
    // Waiting with MsgWaitForMultipleObjects keeps the test's own windows (a clipboard
    // viewer the program sends to, say) answering while the program ends.
    const bool exited = WaitUntil([this] { return WaitForSingleObject(m_process.Get(), 0) == WAIT_OBJECT_0; }, timeout,
                                  Milliseconds(10));
    if (!exited) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_process.Get(), &code);
    return code;
}

void ChildProcess::Terminate() {
    if (!IsRunning()) return;
    TerminateProcess(m_process.Get(), 1);
    WaitForExit(kTerminateTimeout);
}

void TerminateProcessById(DWORD processId, Milliseconds timeout) {
    const UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    if (!process) return;
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), static_cast<DWORD>(timeout.count()));
}

}  // namespace harness
