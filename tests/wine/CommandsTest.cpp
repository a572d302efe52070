// The commands of the clip list, the Edit Text dialog, the menus and the system-menu clippings,
// given to the real program as its controls and the platform give them.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

// One program restored to a size that shows a dozen items; MinimizeOnCopy on, RemoveDups off.
class Commands : public ::testing::Test {
protected:
    void SetUp() override { Restore(); }
    void Restore() const {
        ShowWindow(program.Main(), SW_RESTORE);
        SetWindowPos(program.Main(), nullptr, 40, 40, 480, 400, SWP_NOZORDER);
    }
    // File > Clear All Clippings, answered Yes; then the texts copied from the bottom up.
    void Fill(const Texts& topDown) const {
        ASSERT_TRUE(Answer(
            u"Scrapvault", [](HWND box) { PostClick(box, IDYES); },
            [&] { program.SendCommand(ID_FILE_CLEAR_ALL_CLIPPINGS); }));
        for (auto text = topDown.rbegin(); text != topDown.rend(); ++text) CopyUnicode(*text);
        ASSERT_TRUE(program.Clippings() == topDown);
    }

    QuietStart quiet;
    Program program;
};

TEST_F(Commands, CopyByButtonDoubleClickOrEnterPutsTheSelectionTopDownOnTheClipboardWaitingAMomentAndMinimises) {
    const std::u16string megabyte = Megabyte(u"m\u00E9\u65E5\U0001F44D");
    const struct {
        Texts list;
        std::vector<int> selection;
        std::optional<std::u16string> copied;  // nothing: another program's content stays
        UINT asked = IDC_COPY;                 // the Copy button, a double click (LBN_DBLCLK) or Enter in the list
        DWORD heldMs = 0;                      // another program holds the clipboard this long
    } cases[] = {
        {{u"zero", u"one", u"two", u"three"}, {0, 2}, u"zerotwo"},
        {{u"x", u"y", u"z"}, {1, 2}, u"yz", LBN_DBLCLK},
        {{u"x", u"y", u"z"}, {0}, u"x", VK_RETURN},
        {{u"line one\r\n", u"caf\u00E9 \u20AC", u"", u"tail"}, {0, 1, 2, 3}, u"line one\r\ncaf\u00E9 \u20ACtail"},
        {{u"\u65E5\u672C", u"\u0141\u00F3d\u017A", u"\U0001F44D"},
         {0, 1, 2},
         u"\u65E5\u672C\u0141\u00F3d\u017A\U0001F44D"},
        {{u"before", u"", u"kept", u""}, {1, 3}, u""},
        {{megabyte, u"a", u"b"}, {0, 2}, megabyte + u"b"},
        {{u"a", u"b"}, {0, 1}, u"ab", IDC_COPY, 250},
        {{u"a", u"b"}, {0, 1}, std::nullopt, IDC_COPY, 1000},
    };
    SetClipboard({Unicode(u"both"), Text("both")});
    const std::vector<UINT> bothTexts = ClipboardFormats();
    for (const auto& c : cases) {
        Fill(c.list);
        SetClipboard({Marker("Scrapvault Test Format", "a format of another program")});
        program.Select(c.selection);
        ASSERT_EQ(program.Buttons(), "CDE");
        std::atomic<bool> held{false};
        std::thread holder([&] {
            if (!c.heldMs || !OpenClipboard(nullptr)) return;
            held = true;
            Sleep(c.heldMs);
            CloseClipboard();
        });
        ASSERT_TRUE(WaitUntil([&] { return held || !c.heldMs; }));
        if (c.asked == LBN_DBLCLK)
            SendMessageA(program.View(), WM_COMMAND, MAKEWPARAM(IDC_CLIP_LIST, LBN_DBLCLK), LPARAM(program.List()));
        else if (c.asked == VK_RETURN)
            program.PostKey(program.List(), VK_RETURN);
        else
            program.SendClick(IDC_COPY);
        holder.join();
        Settle();
        EXPECT_TRUE(ClipboardUnicode() == c.copied) << c.list.size() << " held " << c.heldMs;
        if (c.copied) {
            EXPECT_EQ(ClipboardText(), InCodePage(*c.copied)) << c.list.size();
            EXPECT_EQ(ClipboardFormats(), bothTexts);
        }
        EXPECT_TRUE(program.Clippings() == c.list) << "its own copy was captured";
        EXPECT_TRUE(program.Selection().empty());
        EXPECT_EQ(program.Buttons(), "---");
        EXPECT_TRUE(IsIconic(program.Main()));
        Restore();
    }
}

TEST_F(Commands, DeleteByButtonOrKeyRemovesExactlyTheSelectedItems) {
    const Texts six{u"i0", u"i1", u"i2", u"i3", u"i4", u"i5"};
    const struct {
        UINT key, modifier;  // no key: the Delete button
        std::vector<int> selection;
        Texts left;
    } cases[] = {
        {0, 0, {1, 3, 4}, {u"i0", u"i2", u"i5"}},
        {VK_DELETE, 0, {1, 3, 4}, {u"i0", u"i2", u"i5"}},
        {VK_DELETE, 0, {}, six},
        {VK_BACK, 0, {2}, six},
        {VK_DELETE, VK_SHIFT, {2}, six},  // the frame's key for Cut, which nothing handles
    };
    for (const auto& c : cases) {
        Fill(six);
        program.Select(c.selection);
        if (c.key)
            program.PostKey(program.List(), c.key, c.modifier);
        else
            program.SendClick(IDC_DELETE);
        EXPECT_EQ(program.Clippings(), c.left) << c.key << " " << c.modifier;
        EXPECT_EQ(program.Buttons(), c.left != six || c.selection.empty() ? "---" : "CDE");
    }
}

TEST_F(Commands, ClearAllAsksAndEmptiesTheListOnlyOnYes) {
    for (const int answer : {IDNO, IDYES}) {
        Fill({u"a", u"b"});
        std::u16string question;
        EXPECT_TRUE(Answer(
            u"Scrapvault",
            [&](HWND box) {
                question = TextOf(GetDlgItem(box, 0xFFFF));
                PostClick(box, answer);
            },
            [&] { program.SendCommand(ID_FILE_CLEAR_ALL_CLIPPINGS); }));
        EXPECT_EQ(question, u"Confirm deletion of ALL clippings!");
        EXPECT_EQ(program.Clippings(), answer == IDYES ? Texts{} : (Texts{u"a", u"b"}));
    }
}

TEST_F(Commands, EditShowsTheJoinedSelectionAndOkAddsTheTextAsEditedOnTop) {
    const std::u16string beyond = u"\u0416 \U0001F44D \u65E5";  // beyond the code page
    Texts listed{u"zero", u"one", beyond};
    Fill(listed);
    const struct {
        std::vector<int> selection;
        const char16_t* typed;  // null: left as shown
        int button;
        std::u16string shown;
        std::optional<std::u16string> added;
    } cases[] = {
        {{0, 2}, nullptr, IDOK, u"zero" + beyond, u"zero" + beyond},
        {{2}, u"typed \u00E9\u0141", IDOK, u"one", u"typed \u00E9\u0141"},
        {{0, 1}, u"dropped", IDCANCEL, u"typed \u00E9\u0141zero" + beyond, std::nullopt},
    };
    for (const auto& c : cases) {
        program.Select(c.selection);
        std::u16string shown;
        bool modal = false;
        EXPECT_TRUE(Answer(
            u"Edit Text",
            [&](HWND dialog) {
                shown = TextOf(GetDlgItem(dialog, IDC_TEXT));
                modal = GetWindow(dialog, GW_OWNER) == program.Main() && !IsWindowEnabled(program.Main());
                if (c.typed) SetDlgItemTextW(dialog, IDC_TEXT, reinterpret_cast<const wchar_t*>(c.typed));
                PostClick(dialog, c.button);
            },
            [&] { program.SendClick(IDC_EDIT); }));
        EXPECT_EQ(shown, c.shown);
        EXPECT_TRUE(modal);
        if (c.added) listed.insert(listed.begin(), *c.added);
        EXPECT_EQ(program.Clippings(), listed);
        EXPECT_TRUE(program.Selection().empty());
        EXPECT_EQ(program.Buttons(), "---");
    }
}

TEST_F(Commands, EveryMenuCommandHasAHandlerAndItsItemIsEnabled) {
    const HMENU menu = GetMenu(program.Main());
    for (int popup = 0; popup < GetMenuItemCount(menu); ++popup) {
        const HMENU items = GetSubMenu(menu, popup);
        SendMessageA(program.Main(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(items), popup);
        for (int item = 0; item < GetMenuItemCount(items); ++item)
            EXPECT_FALSE(GetMenuItemID(items, item) && GetMenuState(items, item, MF_BYPOSITION) & MF_GRAYED) << item;
    }
    EXPECT_TRUE(Answer(
        u"About Scrapvault", [](HWND about) { PostClick(about, IDOK); }, [&] { program.SendCommand(ID_APP_ABOUT); }));
}

TEST_F(Commands, TheSystemMenuOffersItemsOneToTwentyAndEachEntryCopiesItsItem) {
    const HWND plain =
        CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const int standard = GetMenuItemCount(GetSystemMenu(plain, FALSE));  // the platform's own items
    DestroyWindow(plain);
    const HMENU menu = GetSystemMenu(program.Main(), FALSE);
    const auto entries = [&] {
        SendMessageA(program.Main(), WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
        Texts labels;
        for (int item = standard; item < GetMenuItemCount(menu); ++item) {
            wchar_t label[64] = {};
            GetMenuStringW(menu, item, label, 64, MF_BYPOSITION);
            labels.push_back(Widen(std::to_string(GetMenuItemID(menu, item)) + ":") +
                             reinterpret_cast<char16_t*>(label));
        }
        return labels;
    };
    Texts many{u"newest", u"twelve chars", u"caf\u00E9 au lait"};
    for (int item = 3; item < 22; ++item) many.push_back(Widen("item " + std::to_string(item)));
    Fill(many);
    EXPECT_EQ(entries(), Texts{}) << "offered while switched off";
    ASSERT_TRUE(program.SetOption(IDC_SYSTEM_MENU_CLIPPINGS, true));
    const Texts offered = entries();
    ASSERT_EQ(offered.size(), 21u);
    EXPECT_EQ((Texts{offered[0], offered[1], offered[2], offered[20]}),
              (Texts{u"0:", u"1:twelve cha", u"2:caf| au la", u"20:item 20"}));
    for (const UINT id : {2u, 20u}) {
        SendMessageA(program.Main(), WM_SYSCOMMAND, id, 0);
        EXPECT_EQ(ClipboardUnicode(), many[id]);
        EXPECT_TRUE(program.Selection().empty());
        EXPECT_TRUE(IsIconic(program.Main()));
        Restore();
    }
    ASSERT_TRUE(program.SetOption(IDC_SYSTEM_MENU_CLIPPINGS, false));
    EXPECT_EQ(entries(), Texts{}) << "offered once switched off";
}
