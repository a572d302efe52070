// How much one capture costs with 0, 1,000 and 32,767 clippings in the list, RemoveDups on and
// off: in-process (the list work of a capture on a real list box, plus reading the clipboard)
// and end to end (from another program's CloseClipboard to the notification leaving the real
// program, which passes it on only after the capture), the latter beside the reference measured
// in the same run: a bare viewer, this benchmark again, that reads CF_UNICODETEXT, inserts it at the top
// of as many items and passes the notification on; the same listening to the clipboard as the program
// does; and that one also making the program's other clipboard call, the list of formats. Then how long the program
// takes from its process start to a list filled with 32,767 saved clippings, beside the reference measured in the same
// run: the start of a process that shows a bare window, plus the raw registry reads and list inserts of the same
// clippings. Prints its figures.
//
//   capture_bench [path\to\scrapvault.exe]     (without a path only the in-process part runs)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "clips/ClipList.h"
#include "clips/ClipboardAccess.h"
#include "clips/ListBoxItems.h"
#include "framework/RegKey.h"
#include "framework/SystemFunction.h"
#include "framework/WideText.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kListSizes[] = {0, 1000, 32767};
constexpr int kSamples = 25;
constexpr int kFullList = 32767;
constexpr int kStartRounds = 3;
constexpr int kEndToEndRounds = 9;
// Between two copies: the viewer finishes the last one and waits for messages again.
constexpr DWORD kPauseBetweenCopiesMs = 3;
constexpr char kBareWindowArgument[] = "--bare-window";
constexpr char kBareWindowCaption[] = "CaptureBenchBareWindow";
constexpr char kBareViewerArgument[] = "--bare-viewer";
// The bare viewer that also listens to the clipboard as the program does, taking a copy from the
// first notification by its sequence number (read before and after the reading).
constexpr char kListeningArgument[] = "--listening";
// The listening viewer that also lists the formats: the program's clipboard calls of a capture.
constexpr char kLikeProgramArgument[] = "--like-the-program";
constexpr char kBareViewerCaption[] = "CaptureBenchBareViewer";

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

std::u16string Widen(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::u16string ClippingText(int n) {
    return Widen("clipping number " + std::to_string(n) + " with some words after it");
}

constexpr wchar_t kProfileKey[] = L"Software\\QUORVEX\\Scrapvault";

void PumpPending() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Copies the text as a Unicode program does: CF_UNICODETEXT alone.
void PutText(const std::u16string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char16_t*>(GlobalLock(block)));
    GlobalUnlock(block);
    while (!OpenClipboard(nullptr)) Sleep(1);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    CloseClipboard();
}

// The program's own read of a capture.
std::u16string ReadText() {
    const HWND owner = nullptr;
    SystemClipboard clipboard(owner);
    if (!clipboard.Open(kOneAttempt)) return u"";
    std::u16string text = clipboard.ReadText().value_or(u"");
    clipboard.Close();
    return text;
}

// The list work and the clipboard read of one capture, on a list box like the program's.
void MeasureInProcess() {
    std::printf("in-process: list work and clipboard read of one capture (median of %d)\n", kSamples);
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
    for (const int size : kListSizes) {
        for (const bool removeDups : {false, true}) {
            HWND box = CreateWindowExW(0, L"LISTBOX", L"",
                                       WS_CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, 0,
                                       0, 200, 200, parent, nullptr, nullptr, nullptr);
            CListBox list;
            list.Attach(box);
            ListBoxItems items(list);
            ClipList clips(items);
            clips.AppendBatch(size, [size](const auto& append) {
                for (int n = size - 1; n >= 0; --n) append(ClippingText(n));
            });
            std::vector<double> fresh, duplicate;
            for (int sample = 0; sample < kSamples; ++sample) {
                PutText(Widen("a new text " + std::to_string(sample)));
                auto start = Clock::now();
                clips.InsertAtTop(ReadText(), removeDups);
                fresh.push_back(Milliseconds(Clock::now() - start));
                // The worst duplicate: the oldest item, found only after passing every other.
                const int last = list.GetCount() - 1;
                PutText(list.GetText(last).str());
                start = Clock::now();
                clips.InsertAtTop(ReadText(), removeDups);
                duplicate.push_back(Milliseconds(Clock::now() - start));
            }
            std::printf("  %6d items, RemoveDups %d: new text %8.3f ms, text equal to the oldest item %8.3f ms%s\n",
                        size, removeDups ? 1 : 0, Median(fresh), Median(duplicate),
                        size == kFullList && removeDups ? "  (target: both under 1 ms)" : "");
            DestroyWindow(box);
        }
    }
    DestroyWindow(parent);
}

// A viewer's share of keeping the chain whole: a viewer leaving just behind it is replaced by the
// one after it; news of any other is passed down.
void KeepChain(HWND& next, WPARAM leaving, LPARAM after) {
    if (reinterpret_cast<HWND>(leaving) == next)
        next = reinterpret_cast<HWND>(after);
    else if (next)
        SendMessageA(next, WM_CHANGECBCHAIN, leaving, after);
}

// A clipboard viewer of the benchmark standing behind the program: its notification marks
// the end of the program's capture.
LONG g_notifications = 0;
HWND g_next = nullptr;
LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWCLIPBOARD:
            ++g_notifications;
            if (g_next) SendMessageA(g_next, message, wParam, lParam);
            return 0;
        case WM_CHANGECBCHAIN:
            KeepChain(g_next, wParam, lParam);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

std::wstring ClipKeyOf(int n) {
    wchar_t key[16];
    std::swprintf(key, 16, L"CLIP %02d", n);
    return key;
}

void SeedProfile(int size, bool removeDups) {
    RegKey::DeleteTree(HKEY_CURRENT_USER, kProfileKey);
    RegKey configure =
        RegKey::Create(HKEY_CURRENT_USER, (std::wstring(kProfileKey) + L"\\Configure").c_str(), KEY_WRITE);
    const DWORD values[] = {static_cast<DWORD>(std::max(size, 1)), removeDups ? 1u : 0u, 0u};
    const wchar_t* names[] = {L"NumberToSave", L"RemoveDups", L"ConfirmExit"};
    for (int i = 0; i < 3; ++i)
        RegSetValueExW(configure.Get(), names[i], 0, REG_DWORD, reinterpret_cast<const BYTE*>(&values[i]), 4);
    RegKey clips = RegKey::Create(HKEY_CURRENT_USER, (std::wstring(kProfileKey) + L"\\LastClips").c_str(), KEY_WRITE);
    for (int n = 0; n <= size; ++n) {
        const std::u16string text = n < size ? ClippingText(n) : std::u16string();
        RegSetValueExW(clips.Get(), ClipKeyOf(n).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
    }
}

bool WaitFor(LONG count, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (g_notifications < count) {
        if (Clock::now() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        PumpPending();
    }
    return true;
}

// Starts a viewer process in front of the benchmark's viewer, times kSamples copies of another
// program from its CloseClipboard to the notification reaching the benchmark, and closes the
// process again. Adds the times to samples; fewer when the process stopped passing copies on.
void AddEndToEndSamples(const std::string& commandLine, const char* caption, std::vector<double>& samples) {
    HWND viewer = CreateWindowExA(0, "CaptureBenchViewer", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    g_notifications = 0;
    g_next = SetClipboardViewer(viewer);
    WaitFor(1, 2000);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = commandLine;
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("  cannot start %s\n", commandLine.c_str());
        ChangeClipboardChain(viewer, g_next);
        DestroyWindow(viewer);
        return;
    }
    HWND mainWindow = nullptr;
    for (int wait = 0; wait < 6000 && !(mainWindow && IsWindowVisible(mainWindow)); ++wait) {
        mainWindow = FindWindowA(nullptr, caption);
        PumpPending();
        Sleep(10);
    }
    WaitForInputIdle(process.hProcess, 60000);
    for (int sample = 0; sample < kSamples && mainWindow; ++sample) {
        Sleep(kPauseBetweenCopiesMs);
        const LONG before = g_notifications;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 64 * sizeof(wchar_t));
        std::swprintf(static_cast<wchar_t*>(GlobalLock(block)), 64, L"end to end %d", sample);
        GlobalUnlock(block);
        while (!OpenClipboard(viewer)) Sleep(1);
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, block);
        const auto start = Clock::now();
        CloseClipboard();
        if (!WaitFor(before + 1, 30000)) break;
        samples.push_back(Milliseconds(Clock::now() - start));
    }
    if (mainWindow) PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ChangeClipboardChain(viewer, g_next);
    DestroyWindow(viewer);
}

void MeasureEndToEnd(const char* program, const char* self) {
    std::printf(
        "end to end: another program's CloseClipboard to the notification leaving the viewer (median of %d\n"
        "  rounds of %d copies of CF_UNICODETEXT), the program beside a bare viewer (reads CF_UNICODETEXT, inserts\n"
        "  it at the top of a list"
        " box set up like the program's, passes the notification on) holding as many items, and beside the\n"
        "  same viewer listening to the clipboard as the program does (a capture from the first notification,\n"
        "  by the sequence numbers before and after it), and beside that viewer also listing the formats: the\n"
        "  program's clipboard calls, what the program does but for its journal record\n",
        kEndToEndRounds, kSamples);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ViewerProc;
    windowClass.lpszClassName = "CaptureBenchViewer";
    RegisterClassA(&windowClass);
    const std::string programLine = std::string("\"") + program + "\"";
    for (const int size : kListSizes) {
        const std::string bareLine =
            std::string("\"") + self + "\" " + kBareViewerArgument + " " + std::to_string(size);
        // Round after round of all three, so that the load of a shared machine falls on each alike.
        std::vector<double> bareSamples, listeningSamples, likeSamples, withoutDupsSamples, withDupsSamples;
        for (int round = 0; round < kEndToEndRounds; ++round) {
            AddEndToEndSamples(bareLine, kBareViewerCaption, bareSamples);
            AddEndToEndSamples(bareLine + " " + kListeningArgument, kBareViewerCaption, listeningSamples);
            AddEndToEndSamples(bareLine + " " + kLikeProgramArgument, kBareViewerCaption, likeSamples);
            SeedProfile(size, false);
            AddEndToEndSamples(programLine, "Scrapvault", withoutDupsSamples);
            SeedProfile(size, true);
            AddEndToEndSamples(programLine, "Scrapvault", withDupsSamples);
        }
        const double bare = Median(bareSamples), listening = Median(listeningSamples), like = Median(likeSamples),
                     withoutDups = Median(withoutDupsSamples), withDups = Median(withDupsSamples);
        std::printf(
            "  %6d items: program RemoveDups 1 %8.3f ms, RemoveDups 0 %8.3f ms; bare viewer %8.3f ms, listening"
            " %8.3f ms, with the program's clipboard calls %8.3f ms; ratio RemoveDups 1 / bare %.2f,"
            " / listening %.2f%s, / with the calls %.2f\n",
            size, withDups, withoutDups, bare, listening, like, withDups / bare, withDups / listening,
            size == kFullList ? " (target <= 1.20)" : "", withDups / like);
    }
    RegKey::DeleteTree(HKEY_CURRENT_USER, kProfileKey);
}

// The reference for a capture: a clipboard viewer with nothing but the work every viewer of
// this kind must do, in a process of this benchmark. Its list box is set up like the program's:
// a visible child with the same styles and a dialog font, filled as one batch, in a minimised
// top-level window.
HWND g_bareList = nullptr;
HWND g_bareNext = nullptr;
bool g_listening = false, g_likeProgram = false;
DWORD g_examinedSequence = 0;
void BareCapture(HWND window) {
    if (g_listening) {
        const DWORD sequence = GetClipboardSequenceNumber();
        if (sequence == g_examinedSequence) return;  // the chain's notification and the listener's
        g_examinedSequence = sequence;
    }
    if (OpenClipboard(window)) {
        UINT formats[64];
        UINT count = 0;
        using ListFormats = BOOL(WINAPI*)(UINT*, UINT, UINT*);  // Vista on, looked up as the program does
        static const auto listFormats = SystemFunction<ListFormats>(L"user32.dll", "GetUpdatedClipboardFormats");
        if (g_likeProgram && listFormats) listFormats(formats, 64, &count);
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            if (const wchar_t* text = static_cast<const wchar_t*>(GlobalLock(data))) {
                SendMessageW(g_bareList, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text));
                GlobalUnlock(data);
            }
        }
        CloseClipboard();
    }
    if (g_listening) g_examinedSequence = GetClipboardSequenceNumber();
}

LRESULT CALLBACK BareViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWCLIPBOARD:
            BareCapture(window);
            if (g_bareNext) SendMessageA(g_bareNext, message, wParam, lParam);
            return 0;
        case WM_CLIPBOARDUPDATE:  // only a listening viewer hears it
            BareCapture(window);
            return 0;
        case WM_CHANGECBCHAIN:
            KeepChain(g_bareNext, wParam, lParam);
            return 0;
        case WM_DESTROY:
            ChangeClipboardChain(window, g_bareNext);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

int RunBareViewer(int items) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BareViewerProc;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "CaptureBenchBareViewer";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, kBareViewerCaption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 300, 400, nullptr, nullptr, nullptr, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    g_bareList = CreateWindowExW(0, L"LISTBOX", L"",
                                 WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                     LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT | LBS_EXTENDEDSEL,
                                 0, 0, client.right, client.bottom - 30, window, nullptr, nullptr, nullptr);
    SendMessageA(g_bareList, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SendMessageA(g_bareList, LB_INITSTORAGE, items, static_cast<LPARAM>(items) * 64);
    SendMessageA(g_bareList, WM_SETREDRAW, FALSE, 0);
    for (int n = 0; n < items; ++n)
        SendMessageW(g_bareList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ClippingText(n).c_str()));
    SendMessageA(g_bareList, WM_SETREDRAW, TRUE, 0);
    g_bareNext = SetClipboardViewer(window);
    std::optional<ClipboardFormatListener> listening;
    if (g_listening) listening.emplace(window);
    ShowWindow(window, SW_SHOWMINIMIZED);
    MSG msg;  // WM_CLOSE ends it: the default handling destroys the window, which leaves the chain
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

// A process start as cheap as a program's can be: this benchmark again, showing one bare window
// until it is closed.
int RunBareWindow() {
    HWND window = CreateWindowExA(0, "STATIC", kBareWindowCaption, WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr,
                                  nullptr, nullptr, nullptr);
    ShowWindow(window, SW_SHOWMINIMIZED);
    MSG msg;  // WM_CLOSE ends it: the platform's default handling destroys the window
    while (IsWindow(window) && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

// Starts a program and times until ready(mainWindow) holds; then closes it and waits for its end.
template <typename Ready>
double SecondsToReady(const std::string& commandLine, const char* caption, Ready ready) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = commandLine;
    const auto start = Clock::now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    HWND window = nullptr;
    while (!(window = FindWindowA(nullptr, caption)) || !ready(window)) {
        if (WaitForSingleObject(process.hProcess, 2) == WAIT_OBJECT_0) break;
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return seconds;
}

// The registry reads and list inserts of a load with nothing else: one open key, a fixed buffer.
double RawReadsAndInserts() {
    HWND box = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL, 0, 0, 200, 200,
                               nullptr, nullptr, nullptr, nullptr);
    const auto start = Clock::now();
    const RegKey clips =
        RegKey::Open(HKEY_CURRENT_USER, (std::wstring(kProfileKey) + L"\\LastClips").c_str(), KEY_READ);
    wchar_t text[256];
    for (int n = 0; n < kFullList; ++n) {
        DWORD size = sizeof text;
        DWORD type = 0;
        if (RegQueryValueExW(clips.Get(), ClipKeyOf(n).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
            ERROR_SUCCESS)
            SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    DestroyWindow(box);
    return seconds;
}

int FilledCount(HWND mainWindow) {
    const HWND list = GetDlgItem(GetDlgItem(mainWindow, 0xE900), 1000);  // the view, its clip list
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 60000, &count)) return -1;
    return static_cast<int>(count);
}

void MeasureStartup(const char* program, const char* self) {
    std::printf("start-up to a filled list of %d saved clippings (best of %d)\n", kFullList, kStartRounds);
    SeedProfile(kFullList, true);
    const std::string programLine = std::string("\"") + program + "\"";
    const std::string bareLine = std::string("\"") + self + "\" " + kBareWindowArgument;
    double bestProgram = 1e9, bestBare = 1e9, bestRaw = 1e9;
    for (int round = 0; round < kStartRounds; ++round) {
        bestBare = std::min(bestBare, SecondsToReady(bareLine, kBareWindowCaption, [](HWND) { return true; }));
        bestRaw = std::min(bestRaw, RawReadsAndInserts());
        bestProgram = std::min(bestProgram, SecondsToReady(programLine, "Scrapvault", [](HWND window) {
                                   return FilledCount(window) == kFullList;
                               }));
    }
    const double reference = bestBare + bestRaw;
    std::printf(
        "  program %.3f s; reference %.3f s (bare window start %.3f s + raw reads and inserts %.3f s);"
        " ratio %.2f (target <= 1.20)\n",
        bestProgram, reference, bestBare, bestRaw, bestProgram / reference);
    RegKey::DeleteTree(HKEY_CURRENT_USER, kProfileKey);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == kBareWindowArgument) return RunBareWindow();
    if (argc > 2 && std::string(argv[1]) == kBareViewerArgument) {
        g_likeProgram = argc > 3 && std::string(argv[3]) == kLikeProgramArgument;
        g_listening = g_likeProgram || (argc > 3 && std::string(argv[3]) == kListeningArgument);
        return RunBareViewer(std::atoi(argv[2]));
    }
    MeasureInProcess();
    if (argc > 1) {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        MeasureStartup(argv[1], self);
        MeasureEndToEnd(argv[1], self);
    }
    return 0;
}
