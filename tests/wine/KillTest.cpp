// What a run that is killed leaves behind: scrapvault.exe ended by TerminateProcess, as Task
// Manager, a crash or a power cut ends it, after each kind of change, during a save, and with a
// journal that is damaged or belongs to another list.
#include <gtest/gtest.h>

#include <functional>

#include "framework/CListBox.h"
#include "framework/RegKey.h"
#include "tests/wine/support/Harness.h"
#include "ui/resource.h"

using namespace harness;

namespace {
// A copy by another program, once the running program lists it at the top.
void CopyInto(const ProgramProcess& program, const std::string& text) {
    CopyText(text);
    CListBox list;
    list.Attach(GetDlgItem(program.View(), IDC_CLIP_LIST));
    ASSERT_TRUE(WaitUntil([&] { return list.GetText(0).str() == Widen(text); })) << text;
}

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

void StoreList(const Texts& texts) {
    const RegKey key = RegKey::Create(HKEY_CURRENT_USER, L"Software\\QUORVEX\\Scrapvault\\LastClips", KEY_ALL_ACCESS);
    RegDeleteValueW(key.Get(), L"CLIP 00");
    for (std::size_t number = 0; number <= texts.size(); ++number) {
        const std::wstring name = (number < 10 ? L"CLIP 0" : L"CLIP ") + std::to_wstring(number);
        const std::u16string text = number < texts.size() ? texts[number] : u"";
        RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * 2));
    }
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
         [](auto& p) { CopyInto(p, "one"), CopyInto(p, "two"), CopyInto(p, "three"); },
         {u"three", u"two", u"one"}},
        {"a copy that replaced its duplicate", [](auto& p) { CopyInto(p, "one"); }, {u"one", u"three", u"two"}},
        {"a delete", [](auto& p) { p.Press(IDC_DELETE, {1}); }, {u"one", u"two"}},
        {"an edit",
         [](auto& p) {
             p.Press(IDC_EDIT, {1}, u"Edit Text", [](HWND dialog) {
                 SetDlgItemTextW(dialog, IDC_TEXT, L"edited \u65E5\u672C");
                 PostClick(dialog, IDOK);
             });
         },
         {u"edited \u65E5\u672C", u"one", u"two"}},
        {"a clear",
         [](auto& p) {
             p.Press(ID_FILE_CLEAR_ALL_CLIPPINGS, {}, u"Scrapvault", [](HWND box) { PostClick(box, IDYES); });
         },
         {}},
        {"a copy after the clear", [](auto& p) { CopyInto(p, "after"); }, {u"after"}},
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
    StoreList(saved);
    Texts expected = saved;
    for (const DWORD killAfterMs : {0, 3, 8, 15, 25, 40, 60, 90, 130}) {
        const ProgramProcess program;
        ASSERT_TRUE(Lists(program, expected)) << "killed " << killAfterMs << " ms into the last save";
        const std::string copied = "copied before a save killed after " + std::to_string(killAfterMs) + " ms";
        CopyInto(program, copied);
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
        std::function<void()> spoil;  // after a run that copied "c" and "d" was killed
        Texts shown;
    } rows[] = {
        {"a damaged record",
         [] {  // the first of the two records: the copy of "c"
             const RegKey key =
                 RegKey::Open(HKEY_CURRENT_USER, L"Software\\QUORVEX\\Scrapvault\\Journal", KEY_ALL_ACCESS);
             const wchar_t damaged[] = L"not a record";
             RegSetValueExW(key.Get(), L"00000001", 0, REG_SZ, reinterpret_cast<const BYTE*>(damaged), sizeof damaged);
         },
         {u"d", u"a", u"b"}},
        {"a list saved by a version that keeps no journal",
         [] {
             StoreList({u"x", u"y"});
         },
         {u"x", u"y"}},
    };
    for (const auto& row : rows) {
        QuietProfile();
        StoreList({u"a", u"b"});
        {
            const ProgramProcess program;
            CopyInto(program, "c");
            CopyInto(program, "d");
            program.Kill();
        }
        row.spoil();
        Texts expected = row.shown;
        {
            const ProgramProcess program;
            EXPECT_EQ(program.Clippings(), expected) << row.what;
            CopyInto(program, "next");
            program.Kill();
        }
        expected.insert(expected.begin(), u"next");
        const ProgramProcess program;
        EXPECT_EQ(program.Clippings(), expected) << row.what;
        program.Kill();
    }
}
