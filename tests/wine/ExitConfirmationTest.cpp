// The ways the program ends, driven from another process against the real program: File > Exit,
// closing the window, and the end of the Windows session, each with its "Confirm Exit" question
// on and off and each answer; what a run saved is read back from the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <future>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/ProgramUnderTest.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/TestViewer.h"
#include "tests/wine/support/Wait.h"
#include "ui/resource.h"

using namespace harness;

namespace {

// Long enough for a question to appear under a loaded Wine; the "no question" checks wait
// this long before they conclude that none came.
constexpr Milliseconds kQuestionTimeout{5000};
constexpr Milliseconds kNoQuestionWait{700};
constexpr UINT kSessionReplyTimeoutMs = 20000;

struct StartSettings {
    bool confirmExit;
    bool confirmOnWindowsExit;
};

BOOL CALLBACK CollectChildText(HWND window, LPARAM texts) {
    reinterpret_cast<std::vector<std::string>*>(texts)->push_back(WindowText(window));
    return TRUE;
}

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// The saved clippings, "CLIP 00" on, up to the empty entry that ends them.
std::vector<std::string> SavedClippings() {
    const ProfileSection saved("LastClips");
    std::vector<std::string> texts;
    for (int number = 0; number < 100; ++number) {
        char key[16];
        std::snprintf(key, sizeof key, "CLIP %02d", number);
        const std::optional<std::string> text = saved.ReadString(key);
        if (!text || text->empty()) break;
        texts.push_back(*text);
    }
    return texts;
}

std::optional<RECT> SavedPosition() {
    const ProfileSection position("LastPosition");
    const auto left = position.ReadInt("Left");
    const auto top = position.ReadInt("Top");
    const auto right = position.ReadInt("Right");
    const auto bottom = position.ReadInt("Bottom");
    if (!left || !top || !right || !bottom) return std::nullopt;
    return RECT{*left, *top, *right, *bottom};
}

bool SameRect(const std::optional<RECT>& a, const RECT& b) {
    return a && a->left == b.left && a->top == b.top && a->right == b.right && a->bottom == b.bottom;
}

// Whether anything of the program's state was saved since the start: a save writes every
// setting, and the start seeds only some of them.
bool AnythingSaved() {
    return !SavedClippings().empty() || SavedPosition().has_value() ||
           ProfileSection("Configure").ReadInt("RemoveDups").has_value();
}

// The answer to a message sent on a thread of its own, so the test can answer a question the
// program asks while it handles the message.
class AsyncSend {
public:
    AsyncSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        : m_reply(std::async(std::launch::async, [=]() -> std::optional<LRESULT> {
              DWORD_PTR result = 0;
              if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSessionReplyTimeoutMs, &result))
                  return std::nullopt;
              return static_cast<LRESULT>(result);
          })) {}
    bool Answered(Milliseconds timeout) const { return m_reply.wait_for(timeout) == std::future_status::ready; }
    // The reply, or nothing if the send timed out.
    std::optional<LRESULT> Reply() { return m_reply.get(); }

private:
    std::future<std::optional<LRESULT>> m_reply;
};

}  // namespace

class ExitConfirmation : public ::testing::Test {
protected:
    void SetUp() override { ProgramUnderTest::EndStrayInstances(); }

    // Starts the program with the two settings, System Menu Clippings on, and a viewer of the
    // test behind it in the chain; the window is restored and holds "second" and "first".
    void Start(StartSettings settings) {
        PrepareQuietStart();
        const ProfileSection configure("Configure");
        configure.WriteInt("ConfirmExit", settings.confirmExit ? 1 : 0);
        configure.WriteInt("ConfirmOnWindowsExit", settings.confirmOnWindowsExit ? 1 : 0);
        configure.WriteInt("SystemMenuClippings", 1);
        configure.WriteInt("MinimizeOnCopy", 0);
        m_viewer.emplace();
        m_program.emplace(ProgramUnderTest::Start());
        SystemCommand(SC_RESTORE);
        ASSERT_FALSE(IsIconic(MainWindow()));
        CopyAndWait("first");
        CopyAndWait("second");
        ASSERT_EQ(Program().Clippings(), (std::vector<std::string>{"second", "first"}));
    }

    ProgramUnderTest& Program() { return *m_program; }
    HWND MainWindow() { return m_program->MainWindow(); }

    // A copy by another program, returned once the program has passed its notification on.
    void CopyAndWait(const std::string& text) {
        const int before = m_viewer->Notifications();
        CopyText(text);
        ASSERT_TRUE(m_viewer->WaitForNotifications(before + 1)) << "the notification did not pass the program";
        ASSERT_TRUE(Program().WaitUntilIdle());
    }

    void SystemCommand(UINT id) {
        DWORD_PTR ignored = 0;
        ASSERT_NE(SendMessageTimeoutA(MainWindow(), WM_SYSCOMMAND, id, 0, SMTO_NORMAL, 10000, &ignored), 0);
    }

    // The program's message boxes: top-level windows of its process captioned "Scrapvault"
    // other than the main window.
    std::vector<HWND> Questions() {
        std::vector<HWND> found;
        for (HWND window : TopLevelWindowsOf(Program().Process().Id(), "Scrapvault"))
            if (window != MainWindow() && IsWindowVisible(window)) found.push_back(window);
        return found;
    }
    HWND WaitForQuestion() {
        HWND question = nullptr;
        WaitUntil(
            [&] {
                const std::vector<HWND> found = Questions();
                question = found.empty() ? nullptr : found.front();
                return question != nullptr;
            },
            kQuestionTimeout);
        return question;
    }

    // Waits for "Confirm Exit", checks that it asks Yes or No and is the only question, and
    // answers it; false when it did not come.
    bool AnswerConfirmExit(int answer) {
        const HWND question = WaitForQuestion();
        if (!question) return false;
        const std::vector<std::string> texts = ChildTexts(question);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "Confirm Exit"), texts.end());
        EXPECT_NE(GetDlgItem(question, IDYES), nullptr);
        EXPECT_NE(GetDlgItem(question, IDNO), nullptr);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(question, IDCANCEL)));
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(question, IDOK)));
        EXPECT_EQ(Questions().size(), 1u);
        PostMessageA(question, WM_COMMAND, answer, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question); }));
        return true;
    }

    // No question within a short while.
    bool NoQuestionComes() {
        return !WaitUntil([&] { return !Questions().empty(); }, kNoQuestionWait);
    }

    // After a No, or a refused session end: the program runs on as before and captures.
    void ExpectRunningAndCapturing(const std::vector<std::string>& list, const char* newText) {
        ASSERT_TRUE(Program().IsRunning());
        EXPECT_TRUE(IsWindowVisible(MainWindow()));
        EXPECT_FALSE(IsIconic(MainWindow()));
        EXPECT_EQ(Program().Clippings(), list);
        CopyAndWait(newText);
        std::vector<std::string> expected = list;
        expected.insert(expected.begin(), newText);
        EXPECT_EQ(Program().Clippings(), expected);
    }

    // Sends the end of the session's question; the program's answer comes on another thread.
    AsyncSend QueryEndSession() { return AsyncSend(MainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); }
    std::optional<LRESULT> EndSession(BOOL ending) {
        AsyncSend send(MainWindow(), WM_ENDSESSION, ending, ENDSESSION_LOGOFF);
        return send.Reply();
    }

    void SetConfirmOnWindowsExitInConfigure(bool on) {
        SendCommand(MainWindow(), ID_FILE_CONFIGURE);
        const HWND dialog = Program().WaitForWindow("Configure");
        ASSERT_NE(dialog, nullptr);
        SendMessageA(GetDlgItem(dialog, IDC_CONFIRM_ON_WINDOWS_EXIT), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
        ASSERT_TRUE(Program().WaitUntilIdle());
    }

    std::optional<TestViewer> m_viewer;
    std::optional<ProgramUnderTest> m_program;
};

// ---- File > Exit and closing the window ----

enum class CloseRoad { FileExit, CloseMessage, SystemMenuClose };

std::string RoadName(CloseRoad road) {
    switch (road) {
        case CloseRoad::FileExit:
            return "FileExit";
        case CloseRoad::CloseMessage:
            return "WmClose";
        case CloseRoad::SystemMenuClose:
            return "ScClose";
    }
    return "Unknown";
}
void PrintTo(CloseRoad road, std::ostream* out) { *out << RoadName(road); }

class ExitRoad : public ExitConfirmation, public ::testing::WithParamInterface<CloseRoad> {
protected:
    // Starts the road as the user would; posted, since the program may ask before it returns.
    void TakeRoad() {
        switch (GetParam()) {
            case CloseRoad::FileExit:
                PostMessageA(MainWindow(), WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
                break;
            case CloseRoad::CloseMessage:
                PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
                break;
            case CloseRoad::SystemMenuClose:
                PostMessageA(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
        }
    }
};

INSTANTIATE_TEST_SUITE_P(EveryRoad, ExitRoad,
                         ::testing::Values(CloseRoad::FileExit, CloseRoad::CloseMessage, CloseRoad::SystemMenuClose),
                         [](const ::testing::TestParamInfo<CloseRoad>& info) { return RoadName(info.param); });

TEST_P(ExitRoad, WithBothSettingsOnAsksConfirmExitOnceNoChangesNothingYesSavesAndEnds) {
    Start({true, true});

    TakeRoad();
    ASSERT_TRUE(AnswerConfirmExit(IDNO)) << "no question";
    ASSERT_TRUE(Program().WaitUntilIdle());
    ExpectRunningAndCapturing({"second", "first"}, "third");
    EXPECT_FALSE(AnythingSaved());

    RECT window{};
    GetWindowRect(MainWindow(), &window);
    TakeRoad();
    ASSERT_TRUE(AnswerConfirmExit(IDYES)) << "no question";
    EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0)) << "a second question, or the program did not end";
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"third", "second", "first"}));
    EXPECT_TRUE(SameRect(SavedPosition(), window));
    EXPECT_EQ(ProfileSection("Configure").ReadInt("ConfirmOnWindowsExit"), std::optional<std::int32_t>(1));
}

TEST_P(ExitRoad, WithConfirmExitOffEndsAtOnceEvenWithConfirmOnWindowsExitOn) {
    Start({false, true});

    TakeRoad();

    EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0)) << "the program asked, or did not end";
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(ProfileSection("Configure").ReadInt("ConfirmExit"), std::optional<std::int32_t>(0));
}

TEST_F(ExitConfirmation, ClosingWhileMinimisedAsksAndLeavesTheSavedPositionAlone) {
    const RECT seeded{20, 30, 420, 330};
    Start({true, false});
    {
        const ProfileSection position("LastPosition");
        position.WriteInt("Left", seeded.left);
        position.WriteInt("Top", seeded.top);
        position.WriteInt("Right", seeded.right);
        position.WriteInt("Bottom", seeded.bottom);
    }
    SetWindowPos(MainWindow(), nullptr, 90, 80, 500, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(Program().WaitUntilIdle());
    SystemCommand(SC_MINIMIZE);
    ASSERT_TRUE(IsIconic(MainWindow()));

    PostMessageA(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(AnswerConfirmExit(IDYES)) << "no question";

    EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0));
    EXPECT_TRUE(SameRect(SavedPosition(), seeded));
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"second", "first"}));
}

TEST_F(ExitConfirmation, ClosingWhileRestoredSavesTheWindowsPlace) {
    Start({false, false});
    SetWindowPos(MainWindow(), nullptr, 90, 80, 500, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(Program().WaitUntilIdle());
    RECT window{};
    GetWindowRect(MainWindow(), &window);

    EXPECT_EQ(Program().Close(), std::optional<DWORD>(0));
    EXPECT_TRUE(SameRect(SavedPosition(), window));
}

// ---- The end of the Windows session ----

TEST_F(ExitConfirmation, SessionEndAnsweredNoIsRefusedWritesNothingAndCapturingGoesOn) {
    Start({true, true});

    AsyncSend query = QueryEndSession();
    ASSERT_TRUE(AnswerConfirmExit(IDNO)) << "no question";
    ASSERT_TRUE(query.Answered(kQuestionTimeout));
    EXPECT_EQ(query.Reply(), std::optional<LRESULT>(FALSE));

    EXPECT_FALSE(AnythingSaved());
    ExpectRunningAndCapturing({"second", "first"}, "third");
    // The frame still closes by its own road, asking as ConfirmExit says.
    PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerConfirmExit(IDYES)) << "no question";
    EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"third", "second", "first"}));
}

TEST_F(ExitConfirmation, SessionEndWithBothSettingsOnAsksOnceAndSavesTheListAsItWasAtTheQuery) {
    Start({true, true});
    RECT window{};
    GetWindowRect(MainWindow(), &window);

    AsyncSend query = QueryEndSession();
    ASSERT_TRUE(AnswerConfirmExit(IDYES)) << "no question";
    ASSERT_TRUE(query.Answered(kQuestionTimeout));
    EXPECT_EQ(query.Reply(), std::optional<LRESULT>(TRUE));
    EXPECT_TRUE(NoQuestionComes());
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"second", "first"}));
    EXPECT_TRUE(SameRect(SavedPosition(), window));

    // Between the query and the end nothing more is captured.
    CopyAndWait("after the query");
    EXPECT_EQ(Program().Clippings(), (std::vector<std::string>{"second", "first"}));

    EXPECT_EQ(EndSession(TRUE), std::optional<LRESULT>(0));
    EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"second", "first"}));
}

TEST_F(ExitConfirmation, SessionEndWithConfirmOnWindowsExitOffAsksNothingAndSaves) {
    Start({true, false});

    AsyncSend query = QueryEndSession();
    ASSERT_TRUE(query.Answered(kQuestionTimeout)) << "the program asked, or did not answer";
    EXPECT_EQ(query.Reply(), std::optional<LRESULT>(TRUE));
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(ProfileSection("Configure").ReadInt("ConfirmExit"), std::optional<std::int32_t>(1));

    EXPECT_EQ(EndSession(TRUE), std::optional<LRESULT>(0));
    EXPECT_TRUE(Questions().empty());
    EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"second", "first"}));
}

TEST_F(ExitConfirmation, ACancelledSessionEndCarriesOnCapturingWithAWorkingWindow) {
    Start({true, false});

    AsyncSend query = QueryEndSession();
    ASSERT_TRUE(query.Answered(kQuestionTimeout));
    ASSERT_EQ(query.Reply(), std::optional<LRESULT>(TRUE));
    CopyAndWait("during the session end");
    EXPECT_EQ(EndSession(FALSE), std::optional<LRESULT>(0));

    // Capturing again, each copy passed on exactly once.
    const int before = m_viewer->Notifications();
    ExpectRunningAndCapturing({"second", "first"}, "after the cancel");
    EXPECT_EQ(m_viewer->Notifications(), before + 1);
    // The frame still hands system commands to its view: entry 1 copies item 1.
    SystemCommand(1);
    EXPECT_EQ(ReadClipboardText(), std::optional<std::string>("second"));
    // The view's buttons work.
    SelectItems(Program().ClipList(), {2});
    ClickButton(Program().CopyButton());
    EXPECT_EQ(ReadClipboardText(), std::optional<std::string>("first"));

    // A later close asks as ConfirmExit says, and saves the list as it is then.
    PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerConfirmExit(IDNO)) << "no question";
    ASSERT_TRUE(Program().IsRunning());
    PostMessageA(MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(AnswerConfirmExit(IDYES)) << "no question";
    EXPECT_EQ(Program().WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(SavedClippings(), (std::vector<std::string>{"after the cancel", "second", "first"}));
}

TEST_F(ExitConfirmation, ConfirmOnWindowsExitTakesEffectAtTheNextSessionEndAsStored) {
    Start({false, false});

    SetConfirmOnWindowsExitInConfigure(true);
    {
        AsyncSend query = QueryEndSession();
        ASSERT_TRUE(AnswerConfirmExit(IDNO)) << "no question after switching it on in Configure";
        EXPECT_EQ(query.Reply(), std::optional<LRESULT>(FALSE));
    }

    SetConfirmOnWindowsExitInConfigure(false);
    {
        AsyncSend query = QueryEndSession();
        ASSERT_TRUE(query.Answered(kQuestionTimeout)) << "a question after switching it off in Configure";
        EXPECT_EQ(query.Reply(), std::optional<LRESULT>(TRUE));
        EXPECT_EQ(EndSession(FALSE), std::optional<LRESULT>(0));
    }

    // The stored value is read at the query, whoever stored it.
    ProfileSection("Configure").WriteInt("ConfirmOnWindowsExit", 1);
    {
        AsyncSend query = QueryEndSession();
        ASSERT_TRUE(AnswerConfirmExit(IDNO)) << "no question after the value was stored";
        EXPECT_EQ(query.Reply(), std::optional<LRESULT>(FALSE));
    }

    EXPECT_EQ(Program().Close(), std::optional<DWORD>(0));
}
