// The clippings in the main window's system menu. Under Wine another process cannot read a
// window's system menu, so this test runs the program itself inside its own process: the real
// application object starts the real document, frame and view, real copies go through the
// clipboard, and the test reads the menu the view builds.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "app/CScrapvaultApp.h"
#include "clips/CScrapvaultView.h"
#include "framework/CFrameWnd.h"
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/Wait.h"
#include "ui/resource.h"

using namespace harness;

namespace {

// One item of a menu as the platform reports it.
struct MenuItem {
    UINT id;
    std::string text;
    bool separator;

    static MenuItem Separator() { return {0, "", true}; }
    static MenuItem Entry(UINT id, const std::string& text) { return {id, text, false}; }
};

bool operator==(const MenuItem& a, const MenuItem& b) {
    return a.id == b.id && a.text == b.text && a.separator == b.separator;
}

void PrintTo(const MenuItem& item, std::ostream* out) {
    if (item.separator)
        *out << "separator";
    else
        *out << item.id << " \"" << item.text << "\"";
}

std::string MenuText(HMENU menu, int position) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

std::vector<MenuItem> ReadMenu(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        if (state & MF_SEPARATOR)
            items.push_back(MenuItem::Separator());
        else
            items.push_back(MenuItem::Entry(GetMenuItemID(menu, position), MenuText(menu, position)));
    }
    return items;
}

// The items the platform itself gives an overlapping window's system menu, read from a
// window of the test's own: Wine's standard menu is not the seven items of other platforms.
std::vector<MenuItem> StandardSystemMenu() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SystemMenuTestPlainWindow";
    RegisterClassA(&windowClass);  // a second registration fails harmlessly
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "plain", WS_OVERLAPPEDWINDOW, 0, 0, 200, 120,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    std::vector<MenuItem> items = ReadMenu(GetSystemMenu(window, FALSE));
    DestroyWindow(window);
    return items;
}

// The standard items, one separator and an entry per text, ids from 1.
std::vector<MenuItem> MenuWithEntries(const std::vector<std::string>& labels) {
    std::vector<MenuItem> items = StandardSystemMenu();
    items.push_back(MenuItem::Separator());
    for (std::size_t index = 0; index < labels.size(); ++index)
        items.push_back(MenuItem::Entry(static_cast<UINT>(index + 1), labels[index]));
    return items;
}

// Texts that end up in the list in the given order, item 0 first: copied oldest first.
std::vector<std::string> Numbered(const char* prefix, int count) {
    std::vector<std::string> texts;
    for (int number = 0; number < count; ++number) texts.push_back(prefix + std::to_string(number));
    return texts;
}

// The program, running in this process from its own start-up sequence to its own shut-down.
class InProcessProgram {
public:
    InProcessProgram() : m_app(std::make_unique<CScrapvaultApp>()) {
        m_app->InitFramework(GetModuleHandleA(nullptr), SW_SHOWNORMAL);
        m_app->InitInstance();
    }
    // Closes the window as the program's own end does; the frame's end posts WM_QUIT to this
    // thread, which is taken away so that it cannot end a later wait.
    ~InProcessProgram() {
        m_app.reset();
        MSG quit;
        while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    InProcessProgram(const InProcessProgram&) = delete;
    InProcessProgram& operator=(const InProcessProgram&) = delete;

    HWND MainWindow() const { return m_app->m_pMainWnd ? m_app->m_pMainWnd->m_hWnd : nullptr; }
    HWND View() const {
        const auto* frame = static_cast<CFrameWnd*>(m_app->m_pMainWnd);
        return frame && frame->GetActiveView() ? frame->GetActiveView()->m_hWnd : nullptr;
    }
    HWND ClipList() const { return GetDlgItem(View(), IDC_CLIP_LIST); }
    std::vector<std::string> Clippings() const { return ListItems(ClipList()); }

    // A copy by another program, waited for until the view has taken it into the list.
    void Copy(const std::string& text) const {
        const int before = ListCount(ClipList());
        CopyText(text);
        ASSERT_TRUE(WaitUntil([&] { return ListCount(ClipList()) == before + 1; })) << "not captured: " << text;
    }
    void CopyAll(const std::vector<std::string>& newestFirst) const {
        for (auto text = newestFirst.rbegin(); text != newestFirst.rend(); ++text) Copy(*text);
    }

    // What the platform does as the system menu (or the menu bar) is about to open.
    std::vector<MenuItem> OpenSystemMenu() const {
        const HMENU menu = GetSystemMenu(MainWindow(), FALSE);
        SendMessageA(MainWindow(), WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
        return ReadMenu(menu);
    }
    // The system menu as it stands, without a new build.
    std::vector<MenuItem> SystemMenu() const { return ReadMenu(GetSystemMenu(MainWindow(), FALSE)); }

    // Selects the items and presses Delete.
    void Delete(const std::vector<int>& indices) const {
        for (const int index : indices) SendMessageA(ClipList(), LB_SETSEL, TRUE, index);
        SendMessageA(View(), WM_COMMAND, MAKEWPARAM(IDC_DELETE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(View(), IDC_DELETE)));
    }

    // Switches System Menu Clippings in the Configure dialog and confirms it with OK. The
    // dialog is modal on this thread, so another thread answers it.
    void SetSystemMenuClippings(bool on) const {
        bool answered = false;
        std::thread user([&] {
            const HWND dialog = WaitForTopLevelWindow(GetCurrentProcessId(), "Configure");
            if (!dialog) return;
            SendMessageA(GetDlgItem(dialog, IDC_SYSTEM_MENU_CLIPPINGS), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED,
                         0);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            answered = true;
        });
        SendMessageA(MainWindow(), WM_COMMAND, ID_FILE_CONFIGURE, 0);
        user.join();
        ASSERT_TRUE(answered) << "the Configure dialog did not open";
    }

private:
    std::unique_ptr<CScrapvaultApp> m_app;
};

}  // namespace

class SystemMenu : public ::testing::Test {
protected:
    // A start with System Menu Clippings on (or off), no saved clippings, and nothing asked.
    static std::unique_ptr<InProcessProgram> Start(bool systemMenuClippings = true) {
        PrepareQuietStart();
        ProfileSection("Configure").WriteInt("SystemMenuClippings", systemMenuClippings ? 1 : 0);
        ProfileSection("Configure").WriteInt("MinimizeOnCopy", 0);
        auto program = std::make_unique<InProcessProgram>();
        EXPECT_NE(program->MainWindow(), nullptr);
        EXPECT_NE(program->ClipList(), nullptr);
        return program;
    }
};

TEST_F(SystemMenu, ThreeClippingsGiveTheStandardItemsASeparatorAndTheOlderTwo) {
    const auto program = Start();
    program->CopyAll({"newest", "middle", "oldest"});
    ASSERT_EQ(program->Clippings(), (std::vector<std::string>{"newest", "middle", "oldest"}));

    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries({"middle", "oldest"}));
}

TEST_F(SystemMenu, TheStartBuildsTheEntriesOfTheSavedClippings) {
    PrepareQuietStart();
    const ProfileSection saved("LastClips");
    saved.WriteString("CLIP 00", "saved 0");
    saved.WriteString("CLIP 01", "saved 1");
    saved.WriteString("CLIP 02", "saved 2");
    saved.WriteString("CLIP 03", "");
    ProfileSection("Configure").WriteInt("SystemMenuClippings", 1);
    const InProcessProgram program;

    // Read without a new build: the end of the start filled the menu.
    EXPECT_EQ(program.SystemMenu(), MenuWithEntries({"saved 1", "saved 2"}));
}

TEST_F(SystemMenu, OneClippingOrNoneGivesTheSeparatorAlone) {
    const auto program = Start();
    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries({}));
    program->Copy("only");
    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries({}));
}

TEST_F(SystemMenu, TwentyFiveClippingsGiveEntriesForItemsOneToTwenty) {
    const auto program = Start();
    const std::vector<std::string> texts = Numbered("clip ", 25);
    program->CopyAll(texts);
    ASSERT_EQ(program->Clippings(), texts);

    const std::vector<std::string> entries(texts.begin() + 1, texts.begin() + 21);
    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries(entries));
}

TEST_F(SystemMenu, EntriesShowTheFirstTenBytesWithEveryUnprintableByteAsABar) {
    const auto program = Start();
    program->CopyAll({"newest", "twelve chars", "ab\r\ncd", "tab\there", "caf\xE9 au lait", "tilde~ok\x7F", "x"});

    EXPECT_EQ(program->OpenSystemMenu(),
              MenuWithEntries({"twelve cha", "ab||cd", "tab|here", "caf| au la", "tilde~ok|", "x"}));
}

TEST_F(SystemMenu, AnAmpersandGoesIntoTheEntryUndoubled) {
    const auto program = Start();
    program->CopyAll({"newest", "R&D notes"});

    const std::vector<MenuItem> menu = program->OpenSystemMenu();
    ASSERT_FALSE(menu.empty());
    EXPECT_EQ(menu.back(), MenuItem::Entry(1, "R&D notes"));
}

TEST_F(SystemMenu, EntriesArePlainEnabledUncheckedTextItems) {
    const auto program = Start();
    program->CopyAll({"newest", "one", "two"});
    program->OpenSystemMenu();

    const HMENU menu = GetSystemMenu(program->MainWindow(), FALSE);
    for (const UINT id : {1u, 2u}) EXPECT_EQ(GetMenuState(menu, id, MF_BYCOMMAND), static_cast<UINT>(MF_STRING));
}

TEST_F(SystemMenu, OpeningTheMenuTwiceGivesTheSameMenu) {
    const auto program = Start();
    program->CopyAll({"c", "b", "a"});

    const std::vector<MenuItem> first = program->OpenSystemMenu();
    EXPECT_EQ(program->OpenSystemMenu(), first);
    EXPECT_EQ(first, MenuWithEntries({"b", "a"}));
}

TEST_F(SystemMenu, EachOpeningFollowsTheListAsItIsThen) {
    const auto program = Start();
    program->CopyAll({"b", "a"});
    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries({"a"}));
    program->Copy("c");
    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries({"b", "a"}));
}

TEST_F(SystemMenu, ShrinkingTheListLeavesNoStaleEntriesAndOneSeparator) {
    const auto program = Start();
    program->CopyAll(Numbered("item ", 6));
    ASSERT_EQ(program->OpenSystemMenu(), MenuWithEntries({"item 1", "item 2", "item 3", "item 4", "item 5"}));

    program->Delete({1, 3, 5});
    ASSERT_EQ(program->Clippings(), (std::vector<std::string>{"item 0", "item 2", "item 4"}));
    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries({"item 2", "item 4"}));
    // Built again at the same length: still one separator.
    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries({"item 2", "item 4"}));
}

TEST_F(SystemMenu, SwitchedOffTheNextOpeningRemovesTheEntriesSwitchedOnItAddsThem) {
    const auto program = Start();
    program->CopyAll({"c", "b", "a"});
    ASSERT_EQ(program->OpenSystemMenu(), MenuWithEntries({"b", "a"}));

    program->SetSystemMenuClippings(false);
    EXPECT_EQ(program->OpenSystemMenu(), StandardSystemMenu());
    EXPECT_EQ(ProfileSection("Configure").ReadInt("SystemMenuClippings"), std::optional<std::int32_t>(0));

    program->SetSystemMenuClippings(true);
    EXPECT_EQ(program->OpenSystemMenu(), MenuWithEntries({"b", "a"}));
}

TEST_F(SystemMenu, AStartWithTheSettingOffKeepsOnlyTheStandardItems) {
    const auto program = Start(false);
    program->CopyAll({"c", "b", "a"});
    EXPECT_EQ(program->SystemMenu(), StandardSystemMenu());
    EXPECT_EQ(program->OpenSystemMenu(), StandardSystemMenu());
}
