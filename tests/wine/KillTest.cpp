// What a run that is killed leaves behind: scrapvault.exe ended by TerminateProcess, as Task
// Manager, a crash or a power cut ends it, right after a change.
#include <gtest/gtest.h>

#include <functional>

#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

TEST(Kill, EachChangeIsKeptThoughTheRunIsKilledRightAfterItAndKillsInARowLoseNothing) {
    QuietProfile();
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
        {"a save of the whole list",
         [](auto& p) {
             PostMessageW(p.Main(), WM_COMMAND, ID_FILE_SAVE_ALL_CLIPPINGS, 0);
             EXPECT_TRUE(WaitUntil([] { return SavedClippings(2) == Texts{u"three", u"two \u65E5\u672C"}; }));
         },
         {u"three", u"two \u65E5\u672C", u"one"}},
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
