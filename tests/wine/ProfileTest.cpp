// What the profile carries from one run to the next, the Configure dialog that changes it, and
// the ways a run ends: File > Exit, closing the window and the end of the Windows session.
#include <gtest/gtest.h>

#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

namespace {
Ints StoredSettings() {
    return ReadInts("Configure", {"NumberToSave", "RemoveDups", "AlwaysOnTop", "MinimizeOnCopy", "ConfirmExit",
                                  "ConfirmOnWindowsExit", "SystemMenuClippings"});
}
Ints StoredRect() { return ReadInts("LastPosition", {"Left", "Top", "Right", "Bottom"}); }

bool IsTopmost(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST; }
}  // namespace

TEST(Persistence, ARunSavesItsListPlaceAndSettingsAndTheNextRunLoadsThem) {
    QuietProfile();
    Store("LastClips", "CLIP 05", REG_SZ, std::string("left from a longer save", 24));
    const std::u16string megabyte = Megabyte(u"m\u00E9\u65E5\U0001F44D"), beyond = u"\u0141\u00F3d\u017A \u65E5\u672C";
    {
        Program program;
        for (const Format& copy : {Text("oldest"), Text(""), Unicode(megabyte), Text(EveryByte()), Unicode(beyond),
                                   Text("twin"), Text("other"), Text("twin")})
            SetClipboard({copy});
        ASSERT_TRUE(program.SetOption(IDC_NO_DUPLICATES, true));
        ShowWindow(program.Main(), SW_RESTORE);  // closed as shown, it stores its place
        EXPECT_TRUE(program.Close());
    }
    const Texts saved{u"twin", u"other", beyond, FromWindows1252(EveryByte()), megabyte, u"oldest"};
    Texts expected = saved;
    expected.insert(expected.end(), {u"", u"<none>"});
    EXPECT_TRUE(SavedClippings(8) == expected) << "CLIP 00 to 07 as saved";
    EXPECT_EQ(StoredSettings(), (Ints{10, 1, 0, 1, 0, 0, 0}));
    const Ints placed = StoredRect();  // where the place goes and comes from: tests/wine/DpiTest.cpp

    Program program;
    EXPECT_TRUE(program.Clippings() == saved);
    program.Select({3});
    program.SendClick(IDC_COPY);
    EXPECT_EQ(ClipboardText(), EveryByte()) << "an 8-bit program pastes the bytes as copied";
    ShowWindow(program.Main(), SW_RESTORE);
    SetWindowPos(program.Main(), nullptr, 200, 150, 300, 200, SWP_NOZORDER);
    ShowWindow(program.Main(), SW_MINIMIZE);  // a close from the taskbar: the place before stays
    EXPECT_TRUE(program.Close());
    EXPECT_EQ(StoredRect(), placed);
}

TEST(Configure, TheFirstRunOpensItWithTheDefaultsAndOkAppliesAndStoresAllSevenAsTypedAndCancelDropsThem) {
    DeleteProfile();
    std::u16string number;
    std::vector<bool> checked;
    Program program([&](HWND dialog) {
        number = TextOf(GetDlgItem(dialog, IDC_NUMBER_TO_SAVE));
        for (const int id : {IDC_NO_DUPLICATES, IDC_ALWAYS_ON_TOP, IDC_MINIMIZE_ON_COPY, IDC_CONFIRM_EXIT,
                             IDC_CONFIRM_ON_WINDOWS_EXIT, IDC_SYSTEM_MENU_CLIPPINGS})
            checked.push_back(IsDlgButtonChecked(dialog, id) == BST_CHECKED);
        PostClick(dialog, IDOK);
    });
    EXPECT_EQ(number, u"10");
    EXPECT_EQ(checked, (std::vector<bool>{false, false, true, true, false, false}));
    EXPECT_EQ(StoredSettings(), (Ints{10, 0, 0, 1, 1, 0, 0}));
    const auto check = [](HWND dialog) {
        CheckDlgButton(dialog, IDC_ALWAYS_ON_TOP, BST_CHECKED);
        CheckDlgButton(dialog, IDC_CONFIRM_EXIT, BST_CHECKED);
    };
    for (const int button : {IDCANCEL, IDOK}) {
        EXPECT_TRUE(program.Configure(check, button));
        EXPECT_EQ(IsTopmost(program.Main()), button == IDOK);
        EXPECT_EQ(ReadInt("Configure", "AlwaysOnTop"), button == IDOK ? 1 : 0);
    }
    DeleteProfile();      // by another program, while this one runs: the next OK stores all seven again
    std::string enabled;  // OK, for each text typed into the number box
    EXPECT_TRUE(program.Configure([&](HWND dialog) {
        for (const char* typed : {"0", "-3", "40000", "70000", "x", "123456789"}) {
            SetDlgItemTextA(dialog, IDC_NUMBER_TO_SAVE, typed);
            enabled += IsWindowEnabled(GetDlgItem(dialog, IDOK)) ? '+' : '-';
        }
    }));
    EXPECT_EQ(enabled, "---+++");
    EXPECT_EQ(StoredSettings(), (Ints{24910, 0, 1, 1, 1, 0, 0}));  // the first eight characters, in 16 bits
    EXPECT_TRUE(Answer(
        u"Scrapvault", [](HWND box) { PostClick(box, IDYES); }, [&] { program.Close(); }))
        << "Confirm Exit, switched on, was not asked";
}

// The session's end asks by ConfirmOnWindowsExit and keeps the window until the end comes; a
// cancelled end carries on capturing.
TEST(Exit, EachRoadAsksWhenItsOptionIsOnAndEndsAndSavesOnlyOnYes) {
    const struct {
        UINT message;
        WPARAM wParam;
        DWORD lParam;
    } roads[] = {{WM_COMMAND, ID_APP_EXIT, 0},
                 {WM_CLOSE, 0, 0},
                 {WM_SYSCOMMAND, SC_CLOSE, 0},
                 {WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF}};
    for (const auto& road : roads) {
        const bool session = road.message == WM_QUERYENDSESSION;
        for (const int answer : {IDNO, IDYES, 0}) {  // 0: the option off
            QuietProfile();
            StoreInt("Configure", "ConfirmExit", session || answer ? 1 : 0);  // on at a session's end: not its option
            StoreInt("Configure", "ConfirmOnWindowsExit", session && answer ? 1 : 0);
            Program program;
            CopyText("kept");
            LRESULT reply = -1;
            const bool asked = Answer(
                u"Scrapvault", [&](HWND box) { PostClick(box, answer); },
                [&] { reply = SendMessageA(program.Main(), road.message, road.wParam, road.lParam); });
            const bool ends = answer != IDNO;
            const auto where = ::testing::Message() << road.message << " answered " << answer;
            EXPECT_EQ(asked, answer != 0) << where;
            EXPECT_EQ(IsWindow(program.Main()) != FALSE, session || !ends) << where;
            EXPECT_EQ(SavedClippings(2), ends ? (Texts{u"kept", u""}) : (Texts{u"<none>", u"<none>"})) << where;
            if (!session) continue;
            EXPECT_EQ(reply, ends ? TRUE : FALSE);
            CopyText("between the query and its end");
            if (ends) {
                EXPECT_EQ(program.Clippings(), Texts{u"kept"}) << "captured after the query";
                SendMessageA(program.Main(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program refused
                EXPECT_EQ(program.Clippings(), Texts{u"kept"}) << "captured on rejoining the chain";
                CopyText("after the cancel");
            }
            EXPECT_EQ(program.Clippings().front(), ends ? u"after the cancel" : u"between the query and its end");
        }
    }
}
