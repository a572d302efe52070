// What a run that is killed leaves behind: scrapvault.exe ended by TerminateProcess, as Task
// Manager, a crash or a power cut ends it, after each kind of change and during a save.
#include <gtest/gtest.h>

#include <functional>

#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

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
        ASSERT_TRUE(program.Clippings() == expected) << "killed " << killAfterMs << " ms into the last save";
        const std::string copied = "copied before a save killed after " + std::to_string(killAfterMs) + " ms";
        CopyListed(program.Main(), Widen(copied));
        expected.insert(expected.begin(), Widen(copied));
        PostMessageW(program.Main(), WM_COMMAND, ID_FILE_SAVE_ALL_CLIPPINGS, 0);
        Sleep(killAfterMs);
        program.Kill();
    }
    const ProgramProcess program;
    EXPECT_TRUE(program.Clippings() == expected);
    program.Kill();
}
