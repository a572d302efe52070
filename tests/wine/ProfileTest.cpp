// What the profile carries from one run to the next, the Configure dialog that changes it, and
// the ways a run ends: File > Exit, closing the window and the end of the Windows session.
#include <gtest/gtest.h>

#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

namespace {
using Ints = std::vector<std::optional<int>>;

Ints Stored(const char* section, const std::vector<const char*>& names) {
    Ints values;
    for (const char* name : names) values.push_back(ReadInt(section, name));
    return values;
}
Ints StoredSettings() {
    return Stored("Configure", {"NumberToSave", "RemoveDups", "AlwaysOnTop", "MinimizeOnCopy", "ConfirmExit",
                                "ConfirmOnWindowsExit", "SystemMenuClippings"});
}
Ints StoredRect() { return Stored("LastPosition", {"Left", "Top", "Right", "Bottom"}); }

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
        program.SendCommand(ID_FILE_SAVE_ALL_CLIPPINGS);  // at once, not only at the end
        EXPECT_EQ(SavedClippings(2), (Texts{u"twin", u"other"}));
        EXPECT_TRUE(program.Close());
    }
    const Texts saved{u"twin", u"other", beyond, FromWindows1252(EveryByte()), megabyte, u"oldest"};
    Texts expected = saved;
    expected.insert(expected.end(), {u"", u"<none>"});
    EXPECT_TRUE(SavedClippings(8) == expected) << "CLIP 00 to 07 as saved";
    // An 8-bit reader finds the code page's bytes, as it would have captured them.
    EXPECT_EQ(ReadAnsi("LastClips", "CLIP 03"), EveryByte());
    EXPECT_EQ(ReadAnsi("LastClips", "CLIP 02"), InCodePage(beyond));
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

TEST(Exit, EachRoadAsksConfirmExitWhenItIsOnAndEndsAndSavesOnlyOnYes) {
    const struct {
        UINT message;
        WPARAM wParam;
    } roads[] = {{WM_COMMAND, ID_APP_EXIT}, {WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}};
    for (const auto& road : roads) {
        for (const int answer : {IDNO, IDYES, 0}) {  // 0: ConfirmExit off
            QuietProfile();
            StoreInt("Configure", "ConfirmExit", answer ? 1 : 0);
            Program program;
            CopyText("kept");
            const bool asked = Answer(
                u"Scrapvault", [&](HWND box) { PostClick(box, answer); },
                [&] { SendMessageA(program.Main(), road.message, road.wParam, 0); });
            EXPECT_EQ(asked, answer != 0) << road.message;
            EXPECT_EQ(IsWindow(program.Main()) != FALSE, answer == IDNO) << road.message << " " << answer;
            EXPECT_EQ(SavedClippings(1), Texts{answer == IDNO ? u"<none>" : u"kept"}) << road.message;
        }
    }
}

TEST(SessionEnd, TheQueryAsksAsStoredAndACancelledEndCarriesOnCapturing) {
    const struct {
        int confirm, answer;  // answer 0: no question
        LRESULT reply;
    } cases[] = {{0, 0, TRUE}, {1, IDYES, TRUE}, {1, IDNO, FALSE}};
    for (const auto& c : cases) {
        QuietProfile();
        StoreInt("Configure", "ConfirmExit", 1);  // not what the session end asks by
        StoreInt("Configure", "ConfirmOnWindowsExit", c.confirm);
        Program program;
        CopyText("kept");
        LRESULT reply = -1;
        EXPECT_EQ(Answer(
                      u"Scrapvault", [&](HWND box) { PostClick(box, c.answer); },
                      [&] { reply = SendMessageA(program.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); }),
                  c.answer != 0);
        EXPECT_EQ(reply, c.reply);
        EXPECT_EQ(SavedClippings(2), c.reply ? (Texts{u"kept", u""}) : (Texts{u"<none>", u"<none>"}));
        CopyText("between the query and its end");
        if (c.reply) {
            EXPECT_EQ(program.Clippings(), Texts{u"kept"}) << "captured after the query";
            SendMessageA(program.Main(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program refused
            EXPECT_EQ(program.Clippings(), Texts{u"kept"}) << "captured on rejoining the chain";
            CopyText("after the cancel");
        }
        EXPECT_EQ(program.Clippings().front(), c.reply ? u"after the cancel" : u"between the query and its end");
    }
}
