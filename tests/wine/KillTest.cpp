// What a run that is killed leaves behind: scrapvault.exe ended by TerminateProcess, as Task
// Manager, a crash or a power cut ends it, after each kind of change, during a save, and with a
// journal that is damaged or belongs to another list.
#include <gtest/gtest.h>

#include <functional>

#include "framework/CListBox.h"
#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

namespace {
// Whether the running program lists the expected texts, read at every 97th item and at both ends
// (another program's read of each item costs a round trip).
::testing::AssertionResult Lists(const ProgramProcess& program, const Texts& expected) {
    CListBox list;
    list.Attach(GetDlgItem(program.View(), IDC_CLIP_LIST));
    if (list.GetCount() != static_cast<int>(expected.size()))
        return ::testing::AssertionFailure() << list.GetCount() << " items listed, " << expected.size() << " expected";
    for (int item = 0; item < list.GetCount(); item += item < 3 || item + 98 > list.GetCount() ? 1 : 97)
        if (list.GetText(item).str() != expected[item]) return ::testing::AssertionFailure() << "item " << item;
    return ::testing::AssertionSuccess();
}
}  // namespace

TEST(Kill, EachChangeIsKeptThoughTheRunIsKilledRightAfterItAndKillsInARowLoseNothing) {
    QuietProfile();
    StoreInt("Configure", "RemoveDups", 1);
    const struct {
        const char* change;
        std::function<void(const ProgramProcess&)> make;
        Texts after;
    } rows[] = {
        {"three copies",
         [](auto& p) {
             for (const char16_t* text : {u"one", u"two \u65E5\u672C", u"three"}) CopyListed(p.Main(), text);
         },
         {u"three", u"two \u65E5\u672C", u"one"}},
        {"a copy that replaced its duplicate",  // found by its characters, not as "two ??"
         [](auto& p) { CopyListed(p.Main(), u"two \u65E5\u672C"); },
         {u"two \u65E5\u672C", u"three", u"one"}},
        {"a delete", [](auto& p) { p.Press(IDC_DELETE, {1}); }, {u"two \u65E5\u672C", u"one"}},
        {"an edit",
         [](auto& p) {
             p.Press(IDC_EDIT, {1}, u"Edit Text", [](HWND dialog) {
                 SetDlgItemTextW(dialog, IDC_TEXT, L"edited \u65E5\u672C");
                 PostClick(dialog, IDOK);
             });
         },
         {u"edited \u65E5\u672C", u"two \u65E5\u672C", u"one"}},
        {"a clear",
         [](auto& p) {
             p.Press(ID_FILE_CLEAR_ALL_CLIPPINGS, {}, u"Scrapvault", [](HWND box) { PostClick(box, IDYES); });
         },
         {}},
        {"a copy after the clear", [](auto& p) { CopyListed(p.Main(), u"after"); }, {u"after"}},
        {"a copy after another program deleted the profile: the list is saved anew",
         [](auto& p) {
             QuietProfile();
             CopyListed(p.Main(), u"kept");
             EXPECT_TRUE(WaitUntil([] { return SavedClippings(2) == Texts{u"kept", u"after"}; }));
         },
         {u"kept", u"after"}},
    };
    Texts before;
    for (const auto& row : rows) {
        const ProgramProcess program;
        EXPECT_EQ(program.Clippings(), before) << "started after the kill that followed " << row.change;
        row.make(program);
        EXPECT_TRUE(WaitUntil([&] { return program.Clippings() == row.after; })) << row.change;
        program.Kill();
        before = row.after;
    }
    const ProgramProcess program;
    EXPECT_EQ(program.Clippings(), before) << "started after the last kill";
    program.Kill();
}

TEST(Kill, ASaveCutShortAtAnyPointLosesNoClipping) {
    QuietProfile();
    StoreInt("Configure", "NumberToSave", 5000);
    Texts saved;
    for (int number = 0; number < 2000; ++number) saved.push_back(Widen("saved clipping " + std::to_string(number)));
    StoreClippings(saved);
    Texts expected = saved;
    for (const DWORD killAfterMs : {0, 3, 8, 15, 25, 40, 60, 90, 130}) {
        const ProgramProcess program;
        ASSERT_TRUE(Lists(program, expected)) << "killed " << killAfterMs << " ms into the last save";
        const std::string copied = "copied before a save killed after " + std::to_string(killAfterMs) + " ms";
        CopyListed(program.Main(), Widen(copied));
        expected.insert(expected.begin(), Widen(copied));
        PostMessageW(program.Main(), WM_COMMAND, ID_FILE_SAVE_ALL_CLIPPINGS, 0);
        Sleep(killAfterMs);
        program.Kill();
    }
    const ProgramProcess program;
    EXPECT_TRUE(Lists(program, expected));
    program.Kill();
}

TEST(Kill, AJournalDamagedOrOfAnotherListIsNotAppliedAndTheNextCopyIsKept) {
    const struct {
        const char* what;
        std::function<void()> spoil;  // after a run that copied "x", then "b" again, was killed
        Texts shown;
    } rows[] = {
        // The copy of "x": the list of the next record, "b" put on top in place of item 2, is then
        // not the one it was made on, and the record is passed over.
        {"a damaged record",
         [] { Store("Journal", "00000001", REG_SZ, std::string("not a record", 13)); },
         {u"a", u"b", u"c"}},
        {"a damaged header", [] { Store("Journal", "00000000", REG_SZ, std::string("H,1", 4)); }, {u"a", u"b", u"c"}},
        {"a list saved by a version that keeps no journal",
         [] {
             StoreClippings({u"y", u"z"});
         },
         {u"y", u"z"}},
    };
    for (const auto& row : rows) {
        QuietProfile();
        StoreInt("Configure", "RemoveDups", 1);
        StoreClippings({u"a", u"b", u"c"});
        {
            const ProgramProcess program;
            CopyListed(program.Main(), u"x");
            CopyListed(program.Main(), u"b");
            program.Kill();
        }
        row.spoil();
        Texts expected = row.shown;
        for (const bool copies : {true, false}) {  // a start that copies "next", then one that lists it
            const ProgramProcess program;
            EXPECT_EQ(program.Clippings(), expected) << row.what;
            if (copies) CopyListed(program.Main(), u"next");
            program.Kill();
            expected.insert(expected.begin(), u"next");
        }
    }
}
