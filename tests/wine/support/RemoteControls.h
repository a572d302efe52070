#pragma once
// Reading and operating another process's controls as a user would: the list's texts and
// selection, button clicks, mouse clicks on items and key presses.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/wine/support/Wait.h"

namespace harness {

// Returns once the window's thread has handled everything SENT to it before and is back
// in a message loop (a modal dialog or message box it opened counts). Messages posted to
// it may still be waiting: the helpers below that post wait for those themselves.
// False on timeout.
bool WaitUntilIdle(HWND window, Milliseconds timeout = kDefaultTimeout);

// --- List box ---------------------------------------------------------------------------
// Texts are read with SendMessageW and converted back with the ANSI code page. Under Wine 8 a
// cross-process LB_GETTEXT sent with SendMessageA to an ANSI list box fills the buffer with
// UTF-16 ("alpha" comes back as 61 00 6C 00 ...), although LB_GETTEXTLEN counts bytes. The
// W round trip is exact: the list's process converts with code page 1252 (Wine's en-US
// default, also under LANG=C.UTF-8), which maps every byte 1..255 to a distinct character,
// the five bytes 1252 leaves undefined included, and WideCharToMultiByte maps them back.
int ListCount(HWND list);
std::string ListItemText(HWND list, int index);
std::vector<std::string> ListItems(HWND list);
std::vector<int> SelectedIndices(HWND list);
int SelectionCount(HWND list);

// Sets exactly this selection (LB_SETSEL) and then tells the list's parent LBN_SELCHANGE,
// as the list itself does after a selection by the user (LB_SETSEL alone notifies nobody).
void SelectItems(HWND list, const std::vector<int>& indices);

// Mouse clicks on an item of a list, delivered as the list's own mouse messages, so the
// list selects and notifies exactly as for a real click. The item must be scrolled into view.
enum class ClickModifier { None, Shift, Control };
void ClickListItem(HWND list, int index, ClickModifier modifier = ClickModifier::None);
void DoubleClickListItem(HWND list, int index);

// --- Buttons and commands ---------------------------------------------------------------
// Posts WM_COMMAND(BN_CLICKED) to the button's parent, as a click does, and waits until
// the parent's thread has handled it (or opened a modal window while handling it).
void ClickButton(HWND button);
// Posts a menu or accelerator command (WM_COMMAND with notification 0) to the window.
void SendCommand(HWND window, int commandId);

// --- Sent as the controls themselves send them -------------------------------------------
// A button and a list box SEND their notifications to the parent. Sent, a notification is
// handled before any message sent after it, so these return once the parent's handler has
// returned, or has entered a message loop of its own (a modal dialog, a nested SendMessage
// to another program): no race with the handling, unlike a posted message, which a busy
// program may take only after several WM_NULL round trips have been answered.
// WM_COMMAND(BN_CLICKED) to the button's parent, as a click on an enabled button sends it.
void PressButton(HWND button);
// Sets exactly this selection (LB_SETSEL) and sends the list's parent LBN_SELCHANGE.
void SetSelection(HWND list, const std::vector<int>& indices);

// --- Keys -------------------------------------------------------------------------------
// Posts WM_KEYDOWN and WM_KEYUP for the virtual key to the control and waits until its
// thread has handled them. They pass the program's message loop (and its accelerator
// table) like typed keys, but the keyboard state is not changed, so modifiers are not seen.
void PressKey(HWND control, UINT virtualKey);

// Brings the window's top-level window to the foreground and focuses the control; the
// prerequisite of TypeKeys.
bool FocusControl(HWND control, Milliseconds timeout = kDefaultTimeout);

// Real key strokes (SendInput): they update the keyboard state, so accelerators and
// modifier keys work. modifiers are held down around the key (e.g. {VK_SHIFT}).
void TypeKey(UINT virtualKey, const std::vector<UINT>& modifiers = {});

// --- Windows ----------------------------------------------------------------------------
std::string WindowText(HWND window);
// The text a control holds (an edit's whole content), asked of its own process with
// WM_GETTEXT. WindowText is no use there: for another process's window it gives only the
// text the window was created with. Converted as ListItemText converts.
std::string ControlText(HWND control);
// Replaces the control's text (WM_SETTEXT), as the user selecting all and typing would.
void SetControlText(HWND control, const std::string& text);
// The window that has the keyboard focus on the window's thread; null when none has.
HWND FocusedWindowOf(HWND window);
std::string ClassName(HWND window);
// The top-level windows of a process with exactly this caption (dialogs, message boxes).
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const std::string& caption);
// Waits for the first such window; null on timeout.
HWND WaitForTopLevelWindow(DWORD processId, const std::string& caption, Milliseconds timeout = kDefaultTimeout);

}  // namespace harness
