#pragma once
#include <windows.h>

// Sent by a starting instance to the main window of an earlier one: restore and activate.
constexpr UINT WM_RESTOREINSTANCE = WM_USER + 0x3FF;
// The same request as starters send it that took the message's number to be 0x04FF; the main
// window answers both, so either kind of starter wakes a running instance.
constexpr UINT WM_RESTOREINSTANCE_04FF = 0x04FF;

// The caption by which a starting instance recognises an earlier one.
constexpr wchar_t kMainWindowCaption[] = L"Scrapvault";
