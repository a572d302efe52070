#pragma once
#include <windows.h>

// Sent by a starting instance to the main window of an earlier one: restore and activate.
constexpr UINT WM_RESTOREINSTANCE = WM_USER + 0x3FF;

// The caption by which a starting instance recognises an earlier one.
constexpr char kMainWindowCaption[] = "Scrapvault";
