// A stand-in program for the harness's own tests: one window holding a list box styled
// like the clip list (id 1000), a button (id 1002), and a second list (id 1001) where it
// logs what reached it, so that a test in another process can read back what its clicks
// and keys did. The first item holds every byte from 1 to 255.
#include <windows.h>

#include <string>

namespace {

constexpr char kWindowClass[] = "ScrapvaultListBoxHost";
constexpr char kCaption[] = "Scrapvault ListBox Host";
constexpr int kListId = 1000;
constexpr int kLogId = 1001;
constexpr int kButtonId = 1002;

HWND g_log = nullptr;

void Log(const std::string& line) { SendMessageA(g_log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())); }

std::string Modifiers() {
    std::string held;
    if (GetKeyState(VK_SHIFT) < 0) held += " shift";
    if (GetKeyState(VK_CONTROL) < 0) held += " control";
    return held;
}

void CreateControls(HWND window) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                    LBS_WANTKEYBOARDINPUT | LBS_EXTENDEDSEL,
                                0, 0, 300, 200, window, reinterpret_cast<HMENU>(kListId), instance, nullptr);
    g_log = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 310, 0, 300,
                            200, window, reinterpret_cast<HMENU>(kLogId), instance, nullptr);
    CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 210, 80, 24, window,
                    reinterpret_cast<HMENU>(kButtonId), instance, nullptr);

    std::string everyByte;
    for (int byte = 1; byte <= 255; ++byte) everyByte += static_cast<char>(byte);
    for (const std::string& item : {everyByte, std::string("alpha"), std::string("beta"), std::string("gamma")})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SetFocus(list);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateControls(window);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_SELCHANGE)
                Log("selchange");
            else if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_DBLCLK)
                Log("dblclk");
            else if (LOWORD(wParam) == kButtonId && HIWORD(wParam) == BN_CLICKED)
                Log("clicked");
            return 0;
        case WM_VKEYTOITEM:
            Log("vkey " + std::to_string(LOWORD(wParam)) + Modifiers());
            return -1;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, kWindowClass, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 280, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    // The caption is what the tests wait for, so it comes when the controls are all there.
    SetWindowTextA(window, kCaption);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
