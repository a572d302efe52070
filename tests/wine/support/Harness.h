#pragma once
// What the Windows-side tests share: the real program in the test's own process (on its thread) or
// in one of its own, the registry profile, the clipboard as other programs use it, clipboard
// viewers of the test, modal windows answered from another thread, and waits that keep this
// thread's windows answering.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/resource.h"

class CScrapvaultApp;

namespace harness {

using Texts = std::vector<std::u16string>;

// Dispatches this thread's messages as the program's loop does until done() holds; false on timeout.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
void Settle();            // dispatches until no message sent or posted to this thread waits any more
std::string EveryByte();  // the bytes 1 to 255
std::u16string FromWindows1252(const std::string& bytes);  // code-page bytes as the list shows them
std::u16string Megabyte(const std::u16string& pattern);    // the pattern repeated to 1 MB and more
inline std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
std::string InCodePage(const std::u16string& text);  // as the platform puts it in the code page

// ---- The profile: HKCU\Software\QUORVEX\Scrapvault\<section> ----
void DeleteProfile();
void QuietProfile();  // one that starts without the first-run dialog and closes without asking
struct QuietStart {   // as a fixture's first member
    QuietStart() { QuietProfile(); }
};
// Written with the 8-bit function, as an 8-bit program writes it.
void Store(const char* section, const char* name, DWORD type, const std::string& bytes);
void StoreInt(const char* section, const char* name, int value);
std::optional<int> ReadInt(const char* section, const char* name);
using Ints = std::vector<std::optional<int>>;
Ints ReadInts(const char* section, const std::vector<const char*>& names);
// CLIP 00 to CLIP <count - 1> as texts; "<none>" for a missing entry or one that is no text.
Texts SavedClippings(int count);

// ---- The clipboard ----
struct Format {
    UINT id;
    std::string bytes;
};
inline Format Text(const std::string& bytes, UINT format = CF_TEXT) { return {format, bytes + '\0'}; }  // 8-bit
Format Unicode(const std::u16string& text);  // CF_UNICODETEXT, with its zero
// A registered format, as programs mark private content.
Format Marker(const char* name, const std::string& bytes = std::string(4, '\0'));
// One copy: the clipboard emptied and given exactly these formats by another thread, as another
// program copies (the viewers are notified); then Settle().
void SetClipboard(const std::vector<Format>& formats);
inline void CopyText(const std::string& bytes) { SetClipboard({Text(bytes)}); }
inline void CopyUnicode(const std::u16string& text) { SetClipboard({Unicode(text)}); }  // as Unicode programs copy
// A copy made on this thread, for a program in another process: the formats put pauseMs apart, and
// the clipboard opened again for holdMs after it.
void CopyHere(const std::vector<Format>& formats, DWORD pauseMs = 0, DWORD holdMs = 0);
std::optional<std::string> ClipboardText(UINT format = CF_TEXT);
std::optional<std::u16string> ClipboardUnicode();
std::vector<UINT> ClipboardFormats();

// ---- Modal windows ----
// Runs trigger() while another thread waits for a dialog or message box captioned `caption` and runs
// answer() on it (which should close it). True when one came before trigger() returned.
bool Answer(const char16_t* caption, const std::function<void(HWND)>& answer, const std::function<void()>& trigger);
// The click of a dialog's button as the dialog hears it, posted from the answering thread.
void PostClick(HWND dialog, int buttonId);
std::u16string TextOf(HWND window);

// ---- The program's window, in this process or another ----
HWND ViewOf(HWND main);
Texts ListedBy(HWND main);  // its clippings, read as another program reads them
// A copy by another program (CopyUnicode), once the program lists it at the top.
void CopyListed(HWND main, const std::u16string& text);

// ---- The program, in this process ----
class Program {
public:
    // The application's start-up with the profile as it stands; a first-run Configure dialog is
    // handed to firstRun (which closes it), and without one it is a failure.
    explicit Program(const std::function<void(HWND)>& firstRun = nullptr);
    // The same with a subclass of the application object (one with a view of the test's own, say).
    explicit Program(std::unique_ptr<CScrapvaultApp> app, const std::function<void(HWND)>& firstRun = nullptr);
    // The frame destroyed as at the end of a run (saving as it does), without a question.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    HWND Main() const { return m_main; }
    HWND View() const { return ViewOf(m_main); }
    HWND Control(int id) const { return GetDlgItem(View(), id); }
    HWND List() const { return Control(IDC_CLIP_LIST); }
    Texts Clippings() const { return ListedBy(m_main); }
    std::vector<int> Selection() const;
    // One letter per enabled button of Copy, Delete, Edit ("CDE"), '-' for a disabled one.
    std::string Buttons() const;

    // LB_SETSEL for exactly these items, then LBN_SELCHANGE sent to the view as the list sends it.
    void Select(const std::vector<int>& items) const;
    // BN_CLICKED sent to the view as a click on the button sends it.
    void SendClick(int buttonId) const;
    LRESULT SendCommand(int commandId) const { return SendMessageA(m_main, WM_COMMAND, commandId, 0); }
    // Key down and up posted to the window, with the modifier key held, then handled.
    void PostKey(HWND window, UINT key, UINT modifier = 0) const;
    // Opens File > Configure, lets change() set its controls, then presses the button.
    bool Configure(const std::function<void(HWND)>& change, int button = IDOK) const;
    bool SetOption(int checkBoxId, bool on) const;
    // WM_CLOSE sent to the main window; true when the window is gone.
    bool Close() const { return SendMessageA(m_main, WM_CLOSE, 0, 0), !IsWindow(m_main); }

private:
    std::unique_ptr<CScrapvaultApp> m_app;
    HWND m_main = nullptr;
};

// Runs the command line and waits, pumping, for its exit code. "start.exe /unix /usr/bin/xclip"
// starts a Linux program; Wine never reports such a program's own end.
std::optional<DWORD> RunProcess(std::string commandLine);
std::string WindowsPath(const std::string& path);                   // "/tmp/a": "Z:\\tmp\\a"
std::string ProgramCommandLine(const std::string& arguments = "");  // the built scrapvault.exe

// A process started suspended, so that starts can be let go at one moment; ended by force
// should it still run when the object goes.
class SuspendedProcess {
public:
    explicit SuspendedProcess(std::string commandLine = ProgramCommandLine());
    ~SuspendedProcess();
    SuspendedProcess(const SuspendedProcess&) = delete;
    SuspendedProcess& operator=(const SuspendedProcess&) = delete;
    void Resume() const { ResumeThread(m_process.hThread); }
    DWORD Id() const { return m_process.dwProcessId; }
    std::optional<DWORD> ExitCode() const;  // nothing while it runs
    // Ended at once, as Task Manager, a crash or a power cut ends it: nothing of it runs on.
    void Kill() const;

private:
    PROCESS_INFORMATION m_process{};
};

// A clipboard viewer in a process of its own, this test executable again: joined before the program,
// it stands behind it in the chain and counts what the program passes on; joined after, it stands
// ahead. One that swallows passes no WM_DRAWCLIPBOARD on, as some programs do.
class Viewer {
public:
    explicit Viewer(bool swallows = false);
    ~Viewer() { Leave(); }
    int Notifications() const;
    void Hang(bool hung = true) const;       // its window stops answering, or answers again
    void Leave() const;                      // out of the chain as a closing program leaves it
    void Kill() const { m_process.Kill(); }  // ended at once, its window still in the chain

private:
    SuspendedProcess m_process;
    HWND m_window = nullptr;
};

// ---- The program as a process of its own ----
// The main window of the scrapvault.exe that runs, or null.
inline HWND RunningProgram() { return FindWindowW(L"FrameworkFrame", L"Scrapvault"); }

// scrapvault.exe started as the user starts it, once its window is shown with its clippings.
class ProgramProcess {
public:
    ProgramProcess();
    HWND Main() const { return m_main; }
    HWND View() const { return ViewOf(m_main); }
    Texts Clippings() const { return ListedBy(m_main); }
    // BN_CLICKED posted as the button posts it, for the items selected; a modal window it opens is
    // answered by answer(window), found by its caption.
    void Press(int buttonId, const std::vector<int>& selection = {}, const char16_t* caption = nullptr,
               const std::function<void(HWND)>& answer = nullptr) const;
    void Kill() const { m_process.Kill(); }

private:
    SuspendedProcess m_process;
    HWND m_main = nullptr;
};

}  // namespace harness
