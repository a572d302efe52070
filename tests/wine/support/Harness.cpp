#include "tests/wine/support/Harness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <cwchar>
#include <thread>
#include <utility>

#include "app/CScrapvaultApp.h"
#include "framework/CListBox.h"
#include "framework/CWnd.h"
#include "framework/FrameworkIds.h"
#include "framework/RegKey.h"
#include "framework/WideText.h"
#include "ui/resource.h"

namespace harness {

namespace {
constexpr wchar_t kProfileKey[] = L"Software\\QUORVEX\\Scrapvault";
std::string ClipName(std::size_t number) { return (number < 10 ? "CLIP 0" : "CLIP ") + std::to_string(number); }

std::wstring Widened(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }
std::wstring SectionKey(const char* section) { return kProfileKey + (L"\\" + Widened(section)); }

// The value's data when it is of a type `types` allows (RRF_RT_*), of `size` bytes at most.
std::optional<std::string> Get(const char* section, const char* name, DWORD types, DWORD size) {
    std::string data(size, '\0');
    if (RegGetValueW(HKEY_CURRENT_USER, SectionKey(section).c_str(), Widened(name).c_str(), types, nullptr, data.data(),
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    data.resize(size);
    return data;
}

std::u16string UnicodeOf(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * 2);
    return text.substr(0, text.find(u'\0'));
}

// Opens the clipboard for this thread, waiting while another holds it.
bool OpenTheClipboard() {
    for (int attempt = 0; attempt < 1000; ++attempt, Sleep(5))
        if (OpenClipboard(nullptr)) return true;
    return false;
}

// A visible dialog or message box of this process with the caption.
HWND FindDialog(const char16_t* caption) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD process = 0;
        wchar_t className[16] = {};
        GetWindowThreadProcessId(window, &process);
        GetClassNameW(window, className, 16);
        if (process == GetCurrentProcessId() && std::wcscmp(className, L"#32770") == 0 && IsWindowVisible(window) &&
            TextOf(window) == caption)
            return window;
    }
    return nullptr;
}
}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) continue;  // the end of an in-process run, not of the test
            if (CWinApp* app = AfxGetApp(); app && app->PreTranslateMessage(&msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void Settle() {
    WaitUntil([] { return HIWORD(GetQueueStatus(QS_SENDMESSAGE | QS_POSTMESSAGE | QS_INPUT)) == 0; }, 2000);
}

std::string EveryByte() {
    std::string bytes;
    for (int value = 1; value <= 255; ++value) bytes += static_cast<char>(value);
    return bytes;
}

std::u16string FromWindows1252(const std::string& bytes) {
    std::u16string text(bytes.size(), u'\0');
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(1252, 0, bytes.data(), static_cast<int>(bytes.size()),
                                                             Wide(text.data()), static_cast<int>(text.size()))));
    return text;
}

std::u16string Megabyte(const std::u16string& pattern) {
    std::u16string text;
    while (text.size() < (1u << 20)) text += pattern;
    return text;
}

std::string InCodePage(const std::u16string& text) {
    std::string bytes(text.size() * 2 + 1, '\0');
    bytes.resize(
        static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, Wide(text.c_str()), static_cast<int>(text.size()),
                                                     bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

// ---- The profile ----

void DeleteProfile() { RegKey::DeleteTree(HKEY_CURRENT_USER, kProfileKey); }

void QuietProfile() {
    DeleteProfile();
    StoreInt("Configure", "NumberToSave", 10);
    StoreInt("Configure", "ConfirmExit", 0);
}

void Store(const char* section, const char* name, DWORD type, const std::string& bytes) {
    const RegKey key = RegKey::Create(HKEY_CURRENT_USER, SectionKey(section).c_str(), KEY_ALL_ACCESS);
    RegSetValueExA(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
}

void StoreInt(const char* section, const char* name, int value) {
    Store(section, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4));
}

std::optional<int> ReadInt(const char* section, const char* name) {
    const std::optional<std::string> data = Get(section, name, RRF_RT_REG_DWORD, 4);
    int number = 0;
    if (data) std::memcpy(&number, data->data(), 4);
    return data ? std::optional<int>(number) : std::nullopt;
}

Ints ReadInts(const char* section, const std::vector<const char*>& names) {
    Ints values;
    for (const char* name : names) values.push_back(ReadInt(section, name));
    return values;
}

Texts SavedClippings(int count) {
    Texts texts;
    for (int number = 0; number < count; ++number) {
        const std::optional<std::string> data = Get("LastClips", ClipName(number).c_str(), RRF_RT_REG_SZ, 8 << 20);
        texts.push_back(data ? UnicodeOf(*data) : u"<none>");
    }
    return texts;
}

// ---- The clipboard ----

Format Unicode(const std::u16string& text) {
    return {CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * 2)};
}

Format Marker(const char* name, const std::string& bytes) { return {RegisterClipboardFormatA(name), bytes}; }

void CopyHere(const std::vector<Format>& formats, DWORD pauseMs, DWORD holdMs) {
    if (!OpenTheClipboard()) return;
    EmptyClipboard();
    for (const Format& format : formats) {
        if (&format != &formats.front()) Sleep(pauseMs);
        const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, format.bytes.size());
        std::memcpy(GlobalLock(block), format.bytes.data(), format.bytes.size());
        GlobalUnlock(block);
        if (!SetClipboardData(format.id, block)) GlobalFree(block);
    }
    CloseClipboard();
    if (holdMs && OpenClipboard(nullptr)) Sleep(holdMs), CloseClipboard();
}

void SetClipboard(const std::vector<Format>& formats) {
    // From a thread of its own, as another program copies: the program hears of it as this thread
    // reads its messages meanwhile (emptying asks the last owner, perhaps the program, to let go).
    std::atomic<bool> done{false};
    std::thread other([&] {
        CopyHere(formats);
        done = true;
    });
    WaitUntil([&] { return done.load(); });
    other.join();
    Settle();
}

namespace {
// The whole block of the format on the clipboard.
std::optional<std::string> ClipboardBlock(UINT format) {
    if (!OpenTheClipboard()) return std::nullopt;
    std::optional<std::string> bytes;
    if (const HANDLE data = GetClipboardData(format)) {
        if (const char* locked = static_cast<const char*>(GlobalLock(data)))
            bytes = std::string(locked, GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}
}  // namespace

std::optional<std::string> ClipboardText(UINT format) {
    std::optional<std::string> text = ClipboardBlock(format);
    if (text) text->resize(strnlen(text->data(), text->size()));
    return text;
}

std::optional<std::u16string> ClipboardUnicode() {
    const std::optional<std::string> bytes = ClipboardBlock(CF_UNICODETEXT);
    if (!bytes) return std::nullopt;
    return UnicodeOf(*bytes);
}

std::vector<UINT> ClipboardFormats() {
    std::vector<UINT> formats;
    if (!OpenTheClipboard()) return formats;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        formats.push_back(format);
    CloseClipboard();
    return formats;
}

// ---- Modal windows ----

bool Answer(const char16_t* caption, const std::function<void(HWND)>& answer, const std::function<void()>& trigger) {
    std::atomic<bool> triggerDone{false}, answered{false};
    std::thread answerer([&] {
        for (const DWORD start = GetTickCount(); !triggerDone && GetTickCount() - start < 10000; Sleep(5)) {
            const HWND window = FindDialog(caption);
            if (!window) continue;
            answered = true;
            answer(window);
            // An answer that left the window open would leave the test waiting for ever.
            for (int wait = 0; wait < 400 && IsWindow(window); ++wait) Sleep(5);
            if (IsWindow(window)) PostClick(window, IDCANCEL), PostClick(window, IDNO);
            return;
        }
    });
    trigger();
    triggerDone = true;
    answerer.join();
    return answered;
}

void PostClick(HWND dialog, int buttonId) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

std::u16string TextOf(HWND window) {
    std::u16string text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, Wide(text.data()), static_cast<int>(text.size()))));
    return text;
}

// ---- The program ----

Program::Program(const std::function<void(HWND)>& firstRun) : Program(std::make_unique<CScrapvaultApp>(), firstRun) {}

Program::Program(std::unique_ptr<CScrapvaultApp> app, const std::function<void(HWND)>& firstRun)
    : m_app(std::move(app)) {
    m_app->InitFramework(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
    const bool asked = Answer(
        u"Configure", [&](HWND dialog) { firstRun ? firstRun(dialog) : PostClick(dialog, IDCANCEL); },
        [&] { m_app->InitInstance(); });
    EXPECT_EQ(asked, static_cast<bool>(firstRun)) << "whether the start opened the Configure dialog";
    m_main = m_app->m_pMainWnd ? m_app->m_pMainWnd->m_hWnd : nullptr;
}

Program::~Program() {
    m_app.reset();
    WaitUntil([] { return true; });  // what the end left behind, WM_QUIT included
}

std::vector<int> Program::Selection() const {
    CListBox list;
    list.Attach(List());
    return list.GetSelItems();
}

std::string Program::Buttons() const {
    const int ids[] = {IDC_COPY, IDC_DELETE, IDC_EDIT};
    std::string states;
    for (int i = 0; i < 3; ++i) states += IsWindowEnabled(Control(ids[i])) ? "CDE"[i] : '-';
    return states;
}

void Program::Select(const std::vector<int>& items) const {
    SendMessageA(List(), LB_SETSEL, FALSE, -1);
    for (const int item : items) SendMessageA(List(), LB_SETSEL, TRUE, item);
    SendMessageA(View(), WM_COMMAND, MAKEWPARAM(IDC_CLIP_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(List()));
}

void Program::SendClick(int buttonId) const {
    SendMessageA(View(), WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(Control(buttonId)));
}

void Program::PostKey(HWND window, UINT key, UINT modifier) const {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[modifier] = 0x80;  // what TranslateAccelerator and the controls read for the modifier
    SetKeyboardState(keys);
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(window, WM_KEYDOWN, key, 1 | scan);
    PostMessageA(window, WM_KEYUP, key, 1 | scan | (LPARAM{3} << 30));
    Settle();
    keys[modifier] = 0;
    SetKeyboardState(keys);
}

bool Program::Configure(const std::function<void(HWND)>& change, int button) const {
    return Answer(
        u"Configure",
        [&](HWND dialog) {
            change(dialog);
            PostClick(dialog, button);
        },
        [&] { SendCommand(ID_FILE_CONFIGURE); });
}

bool Program::SetOption(int checkBoxId, bool on) const {
    return Configure([&](HWND dialog) { CheckDlgButton(dialog, checkBoxId, on ? BST_CHECKED : BST_UNCHECKED); });
}

std::optional<DWORD> RunProcess(std::string commandLine) {
    const SuspendedProcess process(std::move(commandLine));
    process.Resume();
    WaitUntil([&] { return process.ExitCode().has_value(); }, 20000);
    return process.ExitCode();  // nothing when it has to be ended
}

std::string ProgramCommandLine(const std::string& arguments) {
    return "\"" + WindowsPath(SCRAPVAULT_BUILT_EXE) + "\" " + arguments;
}

SuspendedProcess::SuspendedProcess(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                   &m_process);
}

SuspendedProcess::~SuspendedProcess() {
    if (!ExitCode()) TerminateProcess(m_process.hProcess, 1), WaitForSingleObject(m_process.hProcess, 5000);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

void SuspendedProcess::Kill() const {
    TerminateProcess(m_process.hProcess, 1);
    WaitForSingleObject(m_process.hProcess, 10000);
}

std::optional<DWORD> SuspendedProcess::ExitCode() const {
    DWORD code = 0;
    if (WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0 || !GetExitCodeProcess(m_process.hProcess, &code))
        return std::nullopt;
    return code;
}

std::string WindowsPath(const std::string& path) {
    std::string windowsPath = "Z:" + path;
    for (char& c : windowsPath)
        if (c == '/') c = '\\';
    return windowsPath;
}

HWND ViewOf(HWND main) { return GetDlgItem(main, AFX_IDW_PANE_FIRST); }

Texts ListedBy(HWND main) {
    CListBox list;
    list.Attach(GetDlgItem(ViewOf(main), IDC_CLIP_LIST));
    Texts texts;
    for (int item = 0; item < list.GetCount(); ++item) texts.push_back(list.GetText(item).str());
    return texts;
}

void CopyListed(HWND main, const std::u16string& text) {
    CopyUnicode(text);
    CListBox list;
    list.Attach(GetDlgItem(ViewOf(main), IDC_CLIP_LIST));
    ASSERT_TRUE(WaitUntil([&] { return list.GetCount() > 0 && list.GetText(0).str() == text; })) << InCodePage(text);
}

// ---- The test's viewers ----

namespace {
constexpr char kViewerClass[] = "ScrapvaultTestViewer";
constexpr char kJoined[] = "joined";  // a viewer's window, once the chain has passed its join on

// The viewer process's one window. Its user data counts the notifications, for the test to read.
HWND g_nextViewer = nullptr;
bool g_swallows = false;
LRESULT CALLBACK ViewerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto passOn = [&] {
        if (g_nextViewer) SendMessageTimeoutA(g_nextViewer, message, wParam, lParam, SMTO_NORMAL, 5000, nullptr);
    };
    switch (message) {
        case WM_DRAWCLIPBOARD:
            SetWindowLongPtrA(window, GWLP_USERDATA, GetWindowLongPtrA(window, GWLP_USERDATA) + 1);
            if (!g_swallows) passOn();
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == g_nextViewer)
                g_nextViewer = reinterpret_cast<HWND>(lParam);
            else
                passOn();
            return 0;
        case WM_CLOSE:
            ChangeClipboardChain(window, g_nextViewer);
            DestroyWindow(window);
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string ViewerCommandLine(bool swallows) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return "\"" + std::string(self) + "\" --viewer" + (swallows ? " --swallow" : "");
}
}  // namespace

int RunViewer(bool swallows) {
    g_swallows = swallows;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ViewerProc;
    windowClass.lpszClassName = kViewerClass;
    RegisterClassA(&windowClass);
    const HWND window = CreateWindowExA(0, kViewerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    g_nextViewer = SetClipboardViewer(window);
    SetWindowTextA(window, kJoined);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

Viewer::Viewer(bool swallows) : m_process(ViewerCommandLine(swallows)) {
    m_process.Resume();
    // At the head of the chain once joined; the chain's notifications may pass this thread meanwhile.
    EXPECT_TRUE(WaitUntil([&] {
        DWORD process = 0;
        char title[sizeof kJoined] = {};
        m_window = GetClipboardViewer();
        GetWindowThreadProcessId(m_window, &process);
        return process == m_process.Id() && GetWindowTextA(m_window, title, sizeof title) == sizeof kJoined - 1;
    })) << "the viewer did not join the chain";
}

int Viewer::Notifications() const { return static_cast<int>(GetWindowLongPtrA(m_window, GWLP_USERDATA)); }

void Viewer::Hang(bool hung) const {
    const HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(m_window, nullptr));
    hung ? SuspendThread(thread) : ResumeThread(thread);
    CloseHandle(thread);
}

void Viewer::Leave() const {
    Hang(false);
    PostMessageA(m_window, WM_CLOSE, 0, 0);  // leaving sends the program WM_CHANGECBCHAIN
    EXPECT_TRUE(WaitUntil([&] { return m_process.ExitCode().has_value(); })) << "the viewer did not end";
}

ProgramProcess::ProgramProcess() {
    m_process.Resume();
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(m_main = RunningProgram()); })) << "the program did not start";
}

void ProgramProcess::Press(int buttonId, const std::vector<int>& selection, const char16_t* caption,
                           const std::function<void(HWND)>& answer) const {
    const HWND list = GetDlgItem(View(), IDC_CLIP_LIST);
    for (const int item : selection) SendMessageW(list, LB_SETSEL, TRUE, item);
    PostMessageW(View(), WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(View(), buttonId)));
    if (!caption) return;
    HWND window = nullptr;
    // Visible once its initialisation has filled its controls.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window = FindWindowW(L"#32770", Wide(caption))); }));
    answer(window);
}

}  // namespace harness

// The tests' entry point. Started as "<test> --viewer [--swallow]", a test executable is a Viewer.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--viewer") == 0)
        return harness::RunViewer(argc > 2 && std::strcmp(argv[2], "--swallow") == 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
