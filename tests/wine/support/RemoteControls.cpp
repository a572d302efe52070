#include "tests/wine/support/RemoteControls.h"

#include <algorithm>
#include <vector>

namespace harness {

namespace {

// How long one message to the program may take before the test gives up on it.
constexpr UINT kSendTimeoutMs = 5000;

LRESULT SendWithTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) return -1;
    return static_cast<LRESULT>(result);
}

// A point inside the item, in the list's client coordinates, computed from the item
// height and the top index rather than LB_GETITEMRECT, which would need a RECT in the
// other process.
LPARAM ItemPoint(HWND list, int index) {
    const int top = static_cast<int>(SendWithTimeoutW(list, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(SendWithTimeoutW(list, LB_GETITEMHEIGHT, 0, 0));
    const int x = 4;
    const int y = (index - top) * height + height / 2;
    return MAKELPARAM(x, y);
}

WPARAM ModifierKeys(ClickModifier modifier) {
    switch (modifier) {
        case ClickModifier::Shift:
            return MK_SHIFT;
        case ClickModifier::Control:
            return MK_CONTROL;
        case ClickModifier::None:
            break;
    }
    return 0;
}

INPUT KeyInput(UINT virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(virtualKey);
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Waits until the window's thread has handled the messages just posted to it. A thread
// handles every message sent to it before it takes the next posted one, so one sent
// WM_NULL proves nothing about posted messages; each further round trip proves at least
// one more of them handled. Messages the handling posts in turn (WM_CHAR after a key,
// say) are covered by the second round per message.
void WaitUntilPostedAreHandled(HWND window, int postedMessages) {
    for (int round = 0; round < 2 * postedMessages + 1; ++round) {
        if (!WaitUntilIdle(window)) return;
    }
}

}  // namespace

bool WaitUntilIdle(HWND window, Milliseconds timeout) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &ignored) != 0;
}

int ListCount(HWND list) { return static_cast<int>(SendWithTimeoutW(list, LB_GETCOUNT, 0, 0)); }

std::string ListItemText(HWND list, int index) {
    const LRESULT length = SendWithTimeoutW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return std::string();
    std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendWithTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.data()));
    if (copied == LB_ERR) return std::string();
    const int wideLength = static_cast<int>(std::min<LRESULT>(copied, length));
    if (wideLength == 0) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, text.data(), size, nullptr, nullptr);
    return text;
}

std::vector<std::string> ListItems(HWND list) {
    std::vector<std::string> items;
    const int count = ListCount(list);
    for (int index = 0; index < count; ++index) items.push_back(ListItemText(list, index));
    return items;
}

std::vector<int> SelectedIndices(HWND list) {
    // LB_GETSEL item by item: LB_GETSELITEMS would need a buffer in the other process.
    std::vector<int> selected;
    const int count = ListCount(list);
    for (int index = 0; index < count; ++index) {
        if (SendWithTimeoutW(list, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0) selected.push_back(index);
    }
    return selected;
}

int SelectionCount(HWND list) { return static_cast<int>(SendWithTimeoutW(list, LB_GETSELCOUNT, 0, 0)); }

void SelectItems(HWND list, const std::vector<int>& indices) {
    SendWithTimeoutW(list, LB_SETSEL, FALSE, -1);
    for (const int index : indices) SendWithTimeoutW(list, LB_SETSEL, TRUE, index);
    const HWND parent = GetParent(list);
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    WaitUntilPostedAreHandled(parent, 1);
}

void ClickListItem(HWND list, int index, ClickModifier modifier) {
    const LPARAM point = ItemPoint(list, index);
    const WPARAM keys = ModifierKeys(modifier);
    PostMessageA(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, keys, point);
    WaitUntilPostedAreHandled(list, 2);
}

void DoubleClickListItem(HWND list, int index) {
    const LPARAM point = ItemPoint(list, index);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    WaitUntilPostedAreHandled(list, 4);
}

void ClickButton(HWND button) {
    const HWND parent = GetParent(button);
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    WaitUntilPostedAreHandled(parent, 1);
}

void SendCommand(HWND window, int commandId) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
    WaitUntilPostedAreHandled(window, 1);
}

namespace {

// Queued behind everything sent to the window before it, so the WM_NULL of WaitUntilIdle
// is answered only once the message has been handled (or a nested loop was entered).
void SendWithoutWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SendNotifyMessageA(window, message, wParam, lParam);
    WaitUntilIdle(window);
}

}  // namespace

void PressButton(HWND button) {
    SendWithoutWaiting(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
}

void SetSelection(HWND list, const std::vector<int>& indices) {
    SendWithTimeoutW(list, LB_SETSEL, FALSE, -1);
    for (const int index : indices) SendWithTimeoutW(list, LB_SETSEL, TRUE, index);
    SendWithoutWaiting(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
}

void PressKey(HWND control, UINT virtualKey) {
    const UINT scanCode = MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | static_cast<LPARAM>(scanCode << 16);
    const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
    PostMessageA(control, WM_KEYDOWN, virtualKey, down);
    PostMessageA(control, WM_KEYUP, virtualKey, up);
    WaitUntilPostedAreHandled(control, 2);
}

bool FocusControl(HWND control, Milliseconds timeout) {
    const HWND topLevel = GetAncestor(control, GA_ROOT);
    const DWORD targetThread = GetWindowThreadProcessId(control, nullptr);
    const DWORD ownThread = GetCurrentThreadId();
    // SetFocus works only on windows of the caller's input queue; sharing the program's
    // queue for a moment makes the control reachable.
    AttachThreadInput(ownThread, targetThread, TRUE);
    SetForegroundWindow(topLevel);
    SetFocus(control);
    AttachThreadInput(ownThread, targetThread, FALSE);
    return WaitUntil(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetForegroundWindow() == topLevel && GetGUIThreadInfo(targetThread, &info) &&
                   info.hwndFocus == control;
        },
        timeout);
}

void TypeKey(UINT virtualKey, const std::vector<UINT>& modifiers) {
    std::vector<INPUT> inputs;
    for (const UINT modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(virtualKey, false));
    inputs.push_back(KeyInput(virtualKey, true));
    for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
        inputs.push_back(KeyInput(*modifier, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (HWND foreground = GetForegroundWindow()) WaitUntilPostedAreHandled(foreground, static_cast<int>(inputs.size()));
}

std::string WindowText(HWND window) {
    // GetWindowTextA reads another process's caption without sending it a message, so a
    // hung program cannot block the search.
    char text[1024] = {};
    GetWindowTextA(window, text, static_cast<int>(sizeof text));
    return text;
}

std::string ControlText(HWND control) {
    const LRESULT length = SendWithTimeoutW(control, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return std::string();
    std::vector<wchar_t> wide(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendWithTimeoutW(control, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()));
    const int wideLength = static_cast<int>(std::clamp<LRESULT>(copied, 0, length));
    if (wideLength == 0) return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, text.data(), size, nullptr, nullptr);
    return text;
}

void SetControlText(HWND control, const std::string& text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(size) + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    SendWithTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.data()));
}

HWND FocusedWindowOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, static_cast<int>(sizeof name));
    return name;
}

namespace {

struct TopLevelSearch {
    DWORD processId;
    const std::string& caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevelWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && WindowText(window) == search.caption) search.found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId, const std::string& caption) {
    TopLevelSearch search{processId, caption, {}};
    EnumWindows(CollectTopLevelWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopLevelWindow(DWORD processId, const std::string& caption, Milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> windows = TopLevelWindowsOf(processId, caption);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

}  // namespace harness
