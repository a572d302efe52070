// The Configure dialog of the real program: the first run that opens it during start-up, the
// number box's rule, the check boxes, and what OK and Cancel do to the profile and the window.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
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

const char* const kSettingKeys[] = {"NumberToSave", "RemoveDups",           "AlwaysOnTop",        "MinimizeOnCopy",
                                    "ConfirmExit",  "ConfirmOnWindowsExit", "SystemMenuClippings"};

using Settings = std::map<std::string, std::int32_t>;
using Rect = std::array<LONG, 4>;  // left, top, right, bottom

// The seven settings as stored, each only if it is a REG_DWORD.
Settings StoredSettings() {
    const ProfileSection configure("Configure");
    Settings stored;
    for (const char* key : kSettingKeys)
        if (const std::optional<std::int32_t> value = configure.ReadInt(key)) stored[key] = *value;
    return stored;
}

void StoreSettings(const Settings& settings) {
    const ProfileSection configure("Configure");
    for (const auto& [key, value] : settings) configure.WriteInt(key, value);
}

// NumberToSave 10 after the first-run rule, and the other defaults.
Settings FirstRunSettings() {
    return {{"NumberToSave", 10}, {"RemoveDups", 0},           {"AlwaysOnTop", 0},        {"MinimizeOnCopy", 1},
            {"ConfirmExit", 1},   {"ConfirmOnWindowsExit", 0}, {"SystemMenuClippings", 0}};
}

Settings With(Settings settings, const std::string& key, std::int32_t value) {
    settings[key] = value;
    return settings;
}

std::optional<std::int32_t> StoredNumberToSave() { return ProfileSection("Configure").ReadInt("NumberToSave"); }

Rect WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

bool AnyVisible(const std::vector<HWND>& windows) {
    for (HWND window : windows)
        if (IsWindowVisible(window)) return true;
    return false;
}

// The program's open Configure dialog, operated from outside as a user does.
class ConfigureDialog {
public:
    explicit ConfigureDialog(HWND window) : m_window(window) {}

    // Waits for the program's dialog to be shown and ready for input: the window exists, with
    // its caption, before its controls have their values. Holds no window on timeout.
    static ConfigureDialog WaitFor(const ProgramUnderTest& program, Milliseconds timeout = kDefaultTimeout) {
        const HWND window = WaitForTopLevelWindow(program.Process().Id(), "Configure", timeout);
        if (window == nullptr || !WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, timeout) ||
            !WaitUntilIdle(window, timeout))
            return ConfigureDialog(nullptr);
        return ConfigureDialog(window);
    }
    // Runs the Configure command and waits for the dialog.
    static ConfigureDialog Open(const ProgramUnderTest& program) {
        SendCommand(program.MainWindow(), ID_FILE_CONFIGURE);
        return WaitFor(program);
    }

    HWND Window() const { return m_window; }
    HWND Item(int id) const { return GetDlgItem(m_window, id); }

    std::string NumberText() const {
        char text[64] = {};
        SendMessageTimeoutA(Item(IDC_NUMBER_TO_SAVE), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                            SMTO_NORMAL, kSendTimeoutMs, nullptr);
        return text;
    }
    // Replaces the box's text as typing would; the box tells the dialog EN_CHANGE.
    void SetNumberText(const std::string& text) const {
        SendMessageTimeoutA(Item(IDC_NUMBER_TO_SAVE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_NORMAL, kSendTimeoutMs, nullptr);
    }

    bool IsChecked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetChecked(int id, bool checked) const {
        SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    bool OkEnabled() const { return IsWindowEnabled(Item(IDOK)) != FALSE; }

    // A click on OK; only an enabled OK can be clicked.
    void ClickOk() const {
        ASSERT_TRUE(OkEnabled());
        SendButtonCommand(IDOK);
    }
    // The command OK sends, given while OK is disabled: the only way to read back the number
    // the rule took from the box when it is below 1.
    void SendOkCommand() const { SendButtonCommand(IDOK); }
    void ClickCancel() const { SendButtonCommand(IDCANCEL); }

    bool WaitUntilClosed() const {
        return WaitUntil([&] { return !IsWindow(m_window); });
    }

private:
    static constexpr UINT kSendTimeoutMs = 5000;

    void SendButtonCommand(int id) const {
        PostMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
    }

    HWND m_window;
};

// The message box a close with ConfirmExit on asks: captioned with the application's name like
// the main window, but of the dialog class.
HWND ConfirmExitBox(const ProgramUnderTest& program) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND window : TopLevelWindowsOf(program.Process().Id(), "Scrapvault"))
            if (ClassName(window) == "#32770") found = window;
        return found != nullptr;
    });
    return found;
}

// Closes the main window and answers "Confirm Exit" with Yes.
void CloseConfirmingExit(ProgramUnderTest& program) {
    PostMessageA(program.MainWindow(), WM_CLOSE, 0, 0);
    const HWND question = ConfirmExitBox(program);
    ASSERT_NE(question, nullptr) << "closing did not ask Confirm Exit";
    PostMessageA(question, WM_COMMAND, IDYES, 0);
    ASSERT_EQ(program.WaitForExit(kCloseTimeout), std::optional<DWORD>(0));
}

}  // namespace

// ---- The first run ---------------------------------------------------------------------

class FirstRun : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramUnderTest::EndStrayInstances();
        DeleteProfile();
    }
    void TearDown() override { DeleteProfile(); }
};

TEST_F(FirstRun, OpensConfigureBeforeTheWindowWithTheDefaultsAndOkStoresAllSeven) {
    const TestViewer viewer;
    ProgramUnderTest program = ProgramUnderTest::Launch();
    const ConfigureDialog dialog = ConfigureDialog::WaitFor(program, kStartTimeout);
    ASSERT_NE(dialog.Window(), nullptr) << "no Configure dialog on a first run";

    EXPECT_FALSE(AnyVisible(TopLevelWindowsOf(program.Process().Id(), "Scrapvault")));
    EXPECT_EQ(dialog.NumberText(), "10");
    EXPECT_FALSE(dialog.IsChecked(IDC_NO_DUPLICATES));
    EXPECT_FALSE(dialog.IsChecked(IDC_ALWAYS_ON_TOP));
    EXPECT_TRUE(dialog.IsChecked(IDC_MINIMIZE_ON_COPY));
    EXPECT_TRUE(dialog.IsChecked(IDC_CONFIRM_EXIT));
    EXPECT_FALSE(dialog.IsChecked(IDC_CONFIRM_ON_WINDOWS_EXIT));
    EXPECT_FALSE(dialog.IsChecked(IDC_SYSTEM_MENU_CLIPPINGS));
    EXPECT_TRUE(dialog.OkEnabled());
    EXPECT_TRUE(StoredSettings().empty());

    // A copy while the dialog is open passes the program without being captured.
    const int before = viewer.Notifications();
    CopyText("copied while the first-run dialog is open");
    ASSERT_TRUE(viewer.WaitForNotifications(before + 1)) << "the notification did not pass the program";

    dialog.ClickOk();
    ASSERT_TRUE(dialog.WaitUntilClosed());
    ASSERT_TRUE(program.WaitUntilReady());
    EXPECT_EQ(StoredSettings(), FirstRunSettings()) << "OK did not store all seven at once";
    EXPECT_TRUE(program.Clippings().empty());

    // Once the start-up is over, copies are captured.
    CopyText("copied after the start-up");
    EXPECT_TRUE(WaitUntil([&] { return program.Clippings().size() == 1; }));
    EXPECT_EQ(program.Clippings(), std::vector<std::string>{"copied after the start-up"});
    CloseConfirmingExit(program);
}

TEST_F(FirstRun, CancelRunsWithTheDefaultsStoresThemAtCloseAndTheNextStartOpensNoDialog) {
    {
        ProgramUnderTest program = ProgramUnderTest::Launch();
        const ConfigureDialog dialog = ConfigureDialog::WaitFor(program, kStartTimeout);
        ASSERT_NE(dialog.Window(), nullptr) << "no Configure dialog on a first run";
        // Changes that Cancel drops.
        dialog.SetNumberText("33");
        dialog.SetChecked(IDC_NO_DUPLICATES, true);
        dialog.SetChecked(IDC_CONFIRM_EXIT, false);
        dialog.ClickCancel();
        ASSERT_TRUE(dialog.WaitUntilClosed());
        ASSERT_TRUE(program.WaitUntilReady());

        EXPECT_TRUE(StoredSettings().empty()) << "Cancel wrote settings";
        // The dropped "Confirm Exit" unchecking: this run still asks.
        CloseConfirmingExit(program);
    }
    EXPECT_EQ(StoredSettings(), FirstRunSettings());

    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_TRUE(TopLevelWindowsOf(program.Process().Id(), "Configure").empty());
    CloseConfirmingExit(program);
    EXPECT_EQ(StoredSettings(), FirstRunSettings());
}

// ---- The number box --------------------------------------------------------------------

// One program for the number cases: each opens the dialog, types and presses OK, and reads
// back what the number rule gave from the profile, where OK stores it at once.
class NumberBox : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ProgramUnderTest::EndStrayInstances();
        PrepareQuietStart();
        s_program = std::make_unique<ProgramUnderTest>(ProgramUnderTest::Start());
    }
    static void TearDownTestSuite() {
        if (s_program) s_program->Close();
        s_program.reset();
        DeleteProfile();
    }
    void SetUp() override { ASSERT_TRUE(s_program && s_program->IsRunning()); }
    void TearDown() override {
        // A dialog a failed case left open would block the next.
        for (HWND window : TopLevelWindowsOf(s_program->Process().Id(), "Configure"))
            ConfigureDialog(window).ClickCancel();
        ASSERT_TRUE(s_program->WaitUntilIdle());
    }

    static ConfigureDialog OpenDialog() {
        const ConfigureDialog dialog = ConfigureDialog::Open(*s_program);
        EXPECT_NE(dialog.Window(), nullptr);
        return dialog;
    }
    static void WaitClosed(const ConfigureDialog& dialog) {
        ASSERT_TRUE(dialog.WaitUntilClosed());
        ASSERT_TRUE(s_program->WaitUntilIdle());
    }
    // Types the text, presses the enabled OK and returns the number stored.
    static std::optional<std::int32_t> EnterNumber(const std::string& text) {
        const ConfigureDialog dialog = OpenDialog();
        dialog.SetNumberText(text);
        EXPECT_TRUE(dialog.OkEnabled()) << text;
        dialog.ClickOk();
        EXPECT_TRUE(dialog.WaitUntilClosed());
        EXPECT_TRUE(s_program->WaitUntilIdle());
        return StoredNumberToSave();
    }

    static std::unique_ptr<ProgramUnderTest> s_program;
};

std::unique_ptr<ProgramUnderTest> NumberBox::s_program;

TEST_F(NumberBox, DigitsFollowedByLettersGiveTheDigits) {
    EXPECT_EQ(EnterNumber("12abc"), std::optional<std::int32_t>(12));
    EXPECT_EQ(EnterNumber("  7 and more"), std::optional<std::int32_t>(7));
}

TEST_F(NumberBox, SeventyThousandGives4464AndEnablesOk) {
    EXPECT_EQ(EnterNumber("70000"), std::optional<std::int32_t>(4464));
}

TEST_F(NumberBox, NineDigitsAreReadAsTheirFirstEight) {
    // 12345678 gives 24910; all nine digits would give -13035 and disable OK.
    EXPECT_EQ(EnterNumber("123456789"), std::optional<std::int32_t>(24910));
}

TEST_F(NumberBox, MinusThreeDisablesOk) {
    const ConfigureDialog dialog = OpenDialog();
    dialog.SetNumberText("5");
    ASSERT_TRUE(dialog.OkEnabled());
    dialog.SetNumberText("-3");
    EXPECT_FALSE(dialog.OkEnabled());
    dialog.SendOkCommand();
    WaitClosed(dialog);
    EXPECT_EQ(StoredNumberToSave(), std::optional<std::int32_t>(-3));

    // The dialog opens again showing the number and with OK disabled.
    const ConfigureDialog again = OpenDialog();
    EXPECT_EQ(again.NumberText(), "-3");
    EXPECT_FALSE(again.OkEnabled());
    again.ClickCancel();
    WaitClosed(again);
}

TEST_F(NumberBox, FortyThousandGivesMinus25536AndDisablesOk) {
    const ConfigureDialog dialog = OpenDialog();
    dialog.SetNumberText("5");
    ASSERT_TRUE(dialog.OkEnabled());
    dialog.SetNumberText("40000");
    EXPECT_FALSE(dialog.OkEnabled());
    dialog.SendOkCommand();
    WaitClosed(dialog);
    EXPECT_EQ(StoredNumberToSave(), std::optional<std::int32_t>(-25536));
}

TEST_F(NumberBox, ZeroDisablesOkAndFiveEnablesIt) {
    const ConfigureDialog dialog = OpenDialog();
    dialog.SetNumberText("0");
    EXPECT_FALSE(dialog.OkEnabled());
    dialog.SetNumberText("5");
    EXPECT_TRUE(dialog.OkEnabled());
    dialog.ClickOk();
    WaitClosed(dialog);
    EXPECT_EQ(StoredNumberToSave(), std::optional<std::int32_t>(5));
}

TEST_F(NumberBox, ABoxWithoutANumberKeepsTheLastNumberAndTheOkState) {
    const ConfigureDialog dialog = OpenDialog();
    dialog.SetNumberText("0");
    ASSERT_FALSE(dialog.OkEnabled());
    for (const char* noNumber : {"", "   ", "-", "x12"}) {
        dialog.SetNumberText(noNumber);
        EXPECT_FALSE(dialog.OkEnabled()) << '"' << noNumber << '"';
    }
    dialog.SetNumberText("27");
    ASSERT_TRUE(dialog.OkEnabled());
    for (const char* noNumber : {"", "   ", "-", "x12"}) {
        dialog.SetNumberText(noNumber);
        EXPECT_TRUE(dialog.OkEnabled()) << '"' << noNumber << '"';
    }
    dialog.SetNumberText("");
    dialog.ClickOk();
    WaitClosed(dialog);
    EXPECT_EQ(StoredNumberToSave(), std::optional<std::int32_t>(27));
}

TEST_F(NumberBox, TypedKeysAreReadByTheSameRule) {
    const ConfigureDialog dialog = OpenDialog();
    const HWND box = dialog.Item(IDC_NUMBER_TO_SAVE);
    ASSERT_TRUE(FocusControl(box));
    SendMessageA(box, EM_SETSEL, 0, -1);
    for (const UINT key : {UINT{'4'}, UINT{'2'}, UINT{'X'}, UINT{'9'}}) TypeKey(key);
    EXPECT_EQ(dialog.NumberText(), "42x9");
    dialog.ClickOk();
    WaitClosed(dialog);
    EXPECT_EQ(StoredNumberToSave(), std::optional<std::int32_t>(42));
}

TEST_F(NumberBox, CancelAfterChangesWritesNothing) {
    // Values only this test writes, none of them the view's: any write of the settings by the
    // program would replace them.
    const Settings before = {{"NumberToSave", 55},       {"RemoveDups", 44},  {"AlwaysOnTop", 33},
                             {"MinimizeOnCopy", 22},     {"ConfirmExit", 11}, {"ConfirmOnWindowsExit", 0},
                             {"SystemMenuClippings", 66}};
    StoreSettings(before);

    const ConfigureDialog dialog = OpenDialog();
    dialog.SetNumberText("8");
    dialog.SetChecked(IDC_NO_DUPLICATES, true);
    dialog.SetChecked(IDC_CONFIRM_EXIT, true);
    dialog.ClickCancel();
    WaitClosed(dialog);
    EXPECT_EQ(StoredSettings(), before);
}

// ---- Check boxes and Always On Top -----------------------------------------------------

class CheckBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramUnderTest::EndStrayInstances();
        PrepareQuietStart();
    }
    void TearDown() override { DeleteProfile(); }
};

TEST_F(CheckBoxes, AStoredFiveCountsAsOnShowsUncheckedAndIsStoredAsZeroAfterOk) {
    ProfileSection("Configure").WriteInt("AlwaysOnTop", 5);
    ProfileSection("Configure").WriteInt("RemoveDups", 5);
    ProfileSection("LastClips").WriteString("CLIP 00", "twin");
    ProfileSection("LastClips").WriteString("CLIP 01", "twin");
    ProfileSection("LastClips").WriteString("CLIP 02", "");

    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_TRUE(IsTopmost(program.MainWindow()));
    SendCommand(program.MainWindow(), ID_FILE_SAVE_ALL_CLIPPINGS);
    ASSERT_TRUE(program.WaitUntilIdle());
    EXPECT_EQ(ProfileSection("LastClips").ReadString("CLIP 01"), std::optional<std::string>(""))
        << "RemoveDups 5 did not count as on";

    const ConfigureDialog dialog = ConfigureDialog::Open(program);
    ASSERT_NE(dialog.Window(), nullptr);
    EXPECT_FALSE(dialog.IsChecked(IDC_ALWAYS_ON_TOP));
    EXPECT_FALSE(dialog.IsChecked(IDC_NO_DUPLICATES));
    dialog.ClickOk();
    ASSERT_TRUE(dialog.WaitUntilClosed());
    ASSERT_TRUE(program.WaitUntilIdle());

    EXPECT_EQ(StoredSettings(), With(FirstRunSettings(), "ConfirmExit", 0));
    EXPECT_FALSE(IsTopmost(program.MainWindow()));
    SendCommand(program.MainWindow(), ID_FILE_SAVE_ALL_CLIPPINGS);
    ASSERT_TRUE(program.WaitUntilIdle());
    EXPECT_EQ(ProfileSection("LastClips").ReadString("CLIP 01"), std::optional<std::string>("twin"));
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}

TEST_F(CheckBoxes, AlwaysOnTopChangesOnOkAtOnceWithoutMovingTheWindowAndNotOnCancel) {
    ProgramUnderTest program = ProgramUnderTest::Start();
    const HWND mainWindow = program.MainWindow();
    ShowWindow(mainWindow, SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(mainWindow); }));
    SetWindowPos(mainWindow, nullptr, 210, 120, 380, 290, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(program.WaitUntilIdle());
    const Rect placed = WindowRect(mainWindow);
    ASSERT_FALSE(IsTopmost(mainWindow));

    const ConfigureDialog check = ConfigureDialog::Open(program);
    ASSERT_NE(check.Window(), nullptr);
    check.SetChecked(IDC_ALWAYS_ON_TOP, true);
    check.ClickOk();
    ASSERT_TRUE(check.WaitUntilClosed());
    ASSERT_TRUE(program.WaitUntilIdle());
    EXPECT_TRUE(IsTopmost(mainWindow));
    EXPECT_EQ(WindowRect(mainWindow), placed);
    EXPECT_EQ(ProfileSection("Configure").ReadInt("AlwaysOnTop"), std::optional<std::int32_t>(1));

    const Settings before = StoredSettings();
    const ConfigureDialog cancelled = ConfigureDialog::Open(program);
    ASSERT_NE(cancelled.Window(), nullptr);
    EXPECT_TRUE(cancelled.IsChecked(IDC_ALWAYS_ON_TOP));
    cancelled.SetChecked(IDC_ALWAYS_ON_TOP, false);
    cancelled.ClickCancel();
    ASSERT_TRUE(cancelled.WaitUntilClosed());
    ASSERT_TRUE(program.WaitUntilIdle());
    EXPECT_TRUE(IsTopmost(mainWindow));
    EXPECT_EQ(StoredSettings(), before);

    const ConfigureDialog uncheck = ConfigureDialog::Open(program);
    ASSERT_NE(uncheck.Window(), nullptr);
    EXPECT_TRUE(uncheck.IsChecked(IDC_ALWAYS_ON_TOP));
    uncheck.SetChecked(IDC_ALWAYS_ON_TOP, false);
    uncheck.ClickOk();
    ASSERT_TRUE(uncheck.WaitUntilClosed());
    ASSERT_TRUE(program.WaitUntilIdle());
    EXPECT_FALSE(IsTopmost(mainWindow));
    EXPECT_EQ(WindowRect(mainWindow), placed);
    EXPECT_EQ(ProfileSection("Configure").ReadInt("AlwaysOnTop"), std::optional<std::int32_t>(0));
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}

TEST_F(CheckBoxes, ConfirmExitCheckedAndOkMakesTheNextCloseAsk) {
    ProgramUnderTest program = ProgramUnderTest::Start();  // ConfirmExit 0 in the profile
    const ConfigureDialog dialog = ConfigureDialog::Open(program);
    ASSERT_NE(dialog.Window(), nullptr);
    ASSERT_FALSE(dialog.IsChecked(IDC_CONFIRM_EXIT));
    dialog.SetChecked(IDC_CONFIRM_EXIT, true);
    dialog.ClickOk();
    ASSERT_TRUE(dialog.WaitUntilClosed());
    ASSERT_TRUE(program.WaitUntilIdle());
    CloseConfirmingExit(program);
}

TEST_F(CheckBoxes, ConfirmOnWindowsExitIsReadFromTheProfileEachTimeTheDialogOpens) {
    ProgramUnderTest program = ProgramUnderTest::Start();
    // Stored by other means while the program runs.
    ProfileSection("Configure").WriteInt("ConfirmOnWindowsExit", 1);

    const ConfigureDialog dialog = ConfigureDialog::Open(program);
    ASSERT_NE(dialog.Window(), nullptr);
    EXPECT_TRUE(dialog.IsChecked(IDC_CONFIRM_ON_WINDOWS_EXIT));
    dialog.ClickCancel();
    ASSERT_TRUE(dialog.WaitUntilClosed());
    ASSERT_TRUE(program.WaitUntilIdle());

    // The value read for the dialog stays in the view's settings after Cancel, so the close
    // stores it rather than the 0 read at start-up.
    ProfileSection("Configure").WriteInt("ConfirmOnWindowsExit", 0);
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
    EXPECT_EQ(ProfileSection("Configure").ReadInt("ConfirmOnWindowsExit"), std::optional<std::int32_t>(1));
}

TEST_F(CheckBoxes, CopiesWhileTheDialogIsOpenAreCapturedUnderTheSettingsBeforeIt) {
    ProgramUnderTest program = ProgramUnderTest::Start();  // RemoveDups off
    const auto copyAndWait = [&](const std::string& text, std::size_t count) {
        CopyText(text);
        ASSERT_TRUE(WaitUntil([&] { return program.Clippings().size() == count; })) << text;
        ASSERT_TRUE(program.WaitUntilIdle());
    };
    copyAndWait("same", 1);

    const ConfigureDialog dialog = ConfigureDialog::Open(program);
    ASSERT_NE(dialog.Window(), nullptr);
    dialog.SetChecked(IDC_NO_DUPLICATES, true);
    copyAndWait("same", 2);  // captured, and still with RemoveDups off
    dialog.ClickOk();
    ASSERT_TRUE(dialog.WaitUntilClosed());
    ASSERT_TRUE(program.WaitUntilIdle());

    copyAndWait("other", 3);
    // RemoveDups on now: the newest "same" goes and the new one stands on top.
    CopyText("same");
    const std::vector<std::string> expected{"same", "other", "same"};
    EXPECT_TRUE(WaitUntil([&] { return program.Clippings() == expected; }));
    EXPECT_EQ(program.Clippings(), expected);
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}
