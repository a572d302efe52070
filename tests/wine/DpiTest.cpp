// The program at the session's LogPixels (a CTest entry and a prefix for each DPI): its layout in
// pixels, its first-run size, its font and its stored place follow the DPI; every script is drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

namespace {
using Sides = std::array<LONG, 4>;
const int kDpi = std::atoi(std::getenv("SCRAPVAULT_LOGPIXELS") ? std::getenv("SCRAPVAULT_LOGPIXELS") : "0");
LONG Scaled(int at96) { return MulDiv(at96, kDpi, 96); }

Sides Placed(HWND window, HWND parent = nullptr, bool client = false) {  // in parent's client area
    RECT rect{};
    client ? GetClientRect(window, &rect) : GetWindowRect(window, &rect);
    if (parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

struct WindowDc {  // a window's device context, released again
    explicit WindowDc(HWND window) : window(window), dc(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window, dc); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    const HWND window;
    const HDC dc;
};

// The clip view or the Edit Text dialog: the buttons' row m above the bottom and m apart, centred, as
// a scrolled form shows it; unscrolled, the list or edit m inside the other sides, `above` the row.
void ExpectLaidOut(HWND parent, const std::vector<int>& row, int filler, LONG above) {
    const Sides client = Placed(parent, nullptr, true), first = Placed(GetDlgItem(parent, row[0]), parent);
    const LONG m = Scaled(5), w = first[2] - first[0], h = first[3] - first[1], n = static_cast<LONG>(row.size());
    const LONG x = GetScrollPos(parent, SB_HORZ), y = GetScrollPos(parent, SB_VERT);
    for (LONG i = 0; i < n; ++i) {
        const LONG left = client[2] / 2 - (n * w + (n - 1) * m) / 2 + i * (w + m) - x;
        EXPECT_EQ(Placed(GetDlgItem(parent, row[i]), parent),
                  (Sides{left, client[3] - m - h - y, left + w, client[3] - m - y}));
    }
    if (x + y > 0) return;
    EXPECT_EQ(Placed(GetDlgItem(parent, filler), parent), (Sides{m, m, client[2] - m, client[3] - m - h - above}));
}
}  // namespace

TEST(DisplayScale, MarginsFirstRunSizeFontAndStoredPlaceFollowTheDpiNothingIsCutOffAndEveryScriptIsDrawn) {
    ASSERT_EQ(GetDeviceCaps(WindowDc(nullptr).dc, LOGPIXELSY), kDpi) << "the session's SCRAPVAULT_LOGPIXELS";
    QuietProfile();
    {
        Program program;
        const HWND main = program.Main(), view = program.View(), list = program.List();
        ShowWindow(main, SW_RESTORE);
        const LONG narrowest = GetSystemMetrics(SM_CXMINTRACK);
        EXPECT_EQ(Placed(main), (Sides{0, 0, std::max(Scaled(100), narrowest), Scaled(100)})) << "the first run's";

        LOGFONTW font{};
        const HGDIOBJ listFont = reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0));
        GetObjectW(listFont, sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(8, kDpi, 72)) << "8 points at the display's DPI";
        TEXTMETRICW metrics{};
        const WindowDc dc(list);
        SelectObject(dc.dc, listFont);
        GetTextMetricsW(dc.dc, &metrics);
        EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), metrics.tmHeight);
        RECT units{0, 0, 50, 14};
        MapDialogRect(view, &units);
        const Sides copy = Placed(GetDlgItem(view, IDC_COPY), view);
        EXPECT_EQ((Sides{0, 0, copy[2] - copy[0], copy[3] - copy[1]}), (Sides{0, 0, units.right, units.bottom}));
        EXPECT_TRUE(kDpi != 96 || (units.right == 75 && units.bottom == 21)) << "75 x 21 at 96, as before, under Wine";

        // At the first-run size the buttons keep their whole height and the list gives way, as at 96
        // DPI; there and at the smallest size the frame allows, the menu bar keeps its one row.
        EXPECT_TRUE(copy[1] >= 0 && copy[3] <= Placed(view, nullptr, true)[3]) << copy[1] << " " << copy[3];
        for (const SIZE size : {SIZE{Placed(main)[2], Scaled(100)}, {narrowest, GetSystemMetrics(SM_CYMINTRACK)}}) {
            SetWindowPos(main, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
            RECT file{}, help{};
            GetMenuItemRect(main, GetMenu(main), 0, &file);
            GetMenuItemRect(main, GetMenu(main), 1, &help);
            EXPECT_TRUE(help.top == file.top && help.right <= Placed(main)[2]) << size.cx << " wide";
        }
        // Scrolled to its far corner and laid out anew, the form keeps its row where it shows it.
        SetWindowPos(main, nullptr, 0, 0, Scaled(100), Scaled(60), SWP_NOZORDER | SWP_NOMOVE);
        for (const UINT bar : {WM_HSCROLL, WM_VSCROLL}) SendMessageW(view, bar, SB_BOTTOM, 0);
        SetWindowPos(main, nullptr, 0, 0, Scaled(100) + 1, Scaled(60) + 1, SWP_NOZORDER | SWP_NOMOVE);
        EXPECT_GT(GetScrollPos(view, SB_HORZ) + GetScrollPos(view, SB_VERT), 0);
        ExpectLaidOut(view, {IDC_COPY, IDC_DELETE, IDC_EDIT}, IDC_CLIP_LIST, 0);

        SetWindowPos(main, HWND_TOPMOST, 0, 0, Scaled(480), Scaled(400), SWP_NOMOVE);
        ExpectLaidOut(view, {IDC_COPY, IDC_DELETE, IDC_EDIT}, IDC_CLIP_LIST, 0);
        CopyUnicode(u"edited");
        program.Select({0});
        EXPECT_TRUE(Answer(
            u"Edit Text",
            [](HWND dialog) {
                SetWindowPos(dialog, nullptr, 0, 0, Scaled(300), Scaled(250), SWP_NOZORDER | SWP_NOMOVE);
                ExpectLaidOut(dialog, {IDOK, IDCANCEL}, IDC_TEXT, Scaled(5));
                PostClick(dialog, IDCANCEL);
            },
            [&] { program.SendClick(IDC_EDIT); }));

        // Two texts of a script, as long as each other: empty boxes, or nothing, would draw them alike.
        for (const char16_t* text :
             {u"\u4E2D\u6587", u"\u6C49\u5B57", u"\u304B\u306A", u"\u30AB\u30CA", u"\uD55C\uAE00", u"\uC870\uC120",
              u"\u041C\u0438\u0440", u"\u0414\u043E\u043C", u"\u0393\u03B5\u03B9\u03AC", u"\u0394\u03AD\u03BB\u03C4"})
            CopyUnicode(text);
        UpdateWindow(list);
        const WindowDc screen(list);
        const auto pixels = [&](int item) {  // of the item's first characters, as drawn on the screen
            std::vector<COLORREF> drawn;
            for (int y = item * metrics.tmHeight; y < (item + 1) * metrics.tmHeight; ++y)
                for (int x = 0; x < Scaled(60); ++x) drawn.push_back(GetPixel(screen.dc, x, y));
            return drawn;
        };
        for (int item = 0; item < 10; item += 2) EXPECT_NE(pixels(item), pixels(item + 1)) << item;
    }

    const std::vector<const char*> edges{"Left", "Top", "Right", "Bottom"};
    EXPECT_EQ(ReadInts("LastPosition", edges), (Ints{0, 0, 480, 400})) << "the last size, in 96-DPI units";
    // As the installed version stored it, in 96-DPI units: shown in proportion, saved back as it was.
    const int installed[] = {-7, 13, 333, 251};
    for (int i = 0; i < 4; ++i) StoreInt("LastPosition", edges[i], installed[i]);
    {
        Program program;
        ShowWindow(program.Main(), SW_RESTORE);
        EXPECT_EQ(Placed(program.Main()), (Sides{Scaled(-7), Scaled(13), Scaled(333), Scaled(251)}));
    }
    EXPECT_EQ(ReadInts("LastPosition", edges), (Ints{-7, 13, 333, 251}));
}
