#pragma once
// A test suite that shares one running program, with a viewer of the test behind it in the
// viewer chain, and the steps the clip list tests take again and again: filling the list by
// real copies, clearing it, changing a setting through the Configure dialog, reading the
// buttons. Header only: each test executable holds one such suite.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
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

namespace harness {

// Which of Copy, Delete and Edit are enabled.
struct ButtonStates {
    bool copy;
    bool del;
    bool edit;

    bool operator==(const ButtonStates& other) const {
        return copy == other.copy && del == other.del && edit == other.edit;
    }
    static ButtonStates All(bool enabled) { return {enabled, enabled, enabled}; }
};

inline std::ostream& operator<<(std::ostream& out, const ButtonStates& states) {
    return out << "{Copy " << (states.copy ? "on" : "off") << ", Delete " << (states.del ? "on" : "off") << ", Edit "
               << (states.edit ? "on" : "off") << "}";
}

// One program for the whole suite: a start costs a great deal under Wine. Each test starts
// from an empty list with the main window restored; the settings are the defaults
// (MinimizeOnCopy on, RemoveDups off) unless a test changes them, which it undoes.
class ClipProgramSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ProgramUnderTest::EndStrayInstances();
        PrepareQuietStart();
        s_viewer = std::make_unique<TestViewer>();
        s_program = std::make_unique<ProgramUnderTest>(ProgramUnderTest::Start());
        // The program starts minimised, and with no stored position its window is too small
        // to show a list item: restored and made big enough for a dozen.
        ASSERT_NO_FATAL_FAILURE(RestoreMainWindow());
        SetWindowPos(s_program->MainWindow(), nullptr, 40, 40, 480, 400, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(s_program->WaitUntilIdle());
    }
    static void TearDownTestSuite() {
        if (s_program) s_program->Close();
        s_program.reset();
        s_viewer.reset();
    }

    void SetUp() override {
        ASSERT_TRUE(s_program && s_program->IsRunning());
        ASSERT_NO_FATAL_FAILURE(ClearAllClippings());
        // Clear All leaves the buttons as they were: a selection change puts them back to
        // the state of a fresh start.
        SetSelection(List(), {});
        ASSERT_NO_FATAL_FAILURE(RestoreMainWindow());
    }

    static ProgramUnderTest& Program() { return *s_program; }
    static TestViewer& Viewer() { return *s_viewer; }
    static HWND List() { return s_program->ClipList(); }

    // One copy by another program, returning once the program has passed its notification on.
    static void CopyAndWait(const std::string& text) {
        const int before = Viewer().Notifications();
        CopyText(text);
        ASSERT_TRUE(Viewer().WaitForNotifications(before + 1)) << "the notification did not pass the program";
        ASSERT_TRUE(Program().WaitUntilIdle());
    }

    // Makes the list hold exactly these texts, item 0 first, by copies from the bottom up.
    static void FillList(const std::vector<std::string>& topDown) {
        ASSERT_NO_FATAL_FAILURE(ClearAllClippings());
        for (auto text = topDown.rbegin(); text != topDown.rend(); ++text) ASSERT_NO_FATAL_FAILURE(CopyAndWait(*text));
        ASSERT_EQ(Program().Clippings(), topDown);
    }

    // File > Clear All Clippings, answered Yes.
    static void ClearAllClippings() {
        SendCommand(Program().MainWindow(), ID_FILE_CLEAR_ALL_CLIPPINGS);
        const HWND question = WaitForQuestion();
        ASSERT_NE(question, nullptr) << "no question was asked";
        PostMessageA(question, WM_COMMAND, IDYES, 0);
        ASSERT_TRUE(WaitUntil([question] { return !IsWindow(question); }));
        ASSERT_TRUE(Program().WaitUntilIdle());
        ASSERT_TRUE(Program().Clippings().empty());
    }

    // The program's message box, captioned like the main window.
    static HWND WaitForQuestion(Milliseconds timeout = kDefaultTimeout) {
        return Program().WaitForWindow("Scrapvault", timeout);
    }

    // Sets one check box of the Configure dialog and closes it with OK.
    static void SetOption(int checkBoxId, bool on) { ASSERT_TRUE(Program().SetOption(checkBoxId, on)); }

    static void RestoreMainWindow() {
        if (IsIconic(Program().MainWindow())) SendMessageA(Program().MainWindow(), WM_SYSCOMMAND, SC_RESTORE, 0);
        ASSERT_TRUE(Program().WaitUntilIdle());
        ASSERT_FALSE(IsIconic(Program().MainWindow()));
    }

    static ButtonStates Buttons() {
        return {IsWindowEnabled(Program().CopyButton()) != FALSE, IsWindowEnabled(Program().DeleteButton()) != FALSE,
                IsWindowEnabled(Program().EditButton()) != FALSE};
    }

    inline static std::unique_ptr<TestViewer> s_viewer;
    inline static std::unique_ptr<ProgramUnderTest> s_program;
};

}  // namespace harness
