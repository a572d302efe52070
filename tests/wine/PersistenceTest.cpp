// What outlives a run of the real program: the saved clippings, the window's place and the
// settings in HKCU\Software\QUORVEX\Scrapvault, read back from the registry and from the
// program after a restart.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "framework/RegKey.h"
#include "tests/wine/support/ChildProcess.h"
#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/ProgramUnderTest.h"
#include "tests/wine/support/RemoteControls.h"
#include "tests/wine/support/Wait.h"
#include "ui/resource.h"

using namespace harness;

namespace {

// Loading or saving tens of thousands of clippings takes seconds under Wine.
constexpr Milliseconds kManyClippingsTimeout{120000};

// What a text read of a value that is missing or not a REG_SZ gives in these tests.
const std::string kNoText = "<no text value>";

const char* const kSettingKeys[] = {"NumberToSave", "RemoveDups",           "AlwaysOnTop",        "MinimizeOnCopy",
                                    "ConfirmExit",  "ConfirmOnWindowsExit", "SystemMenuClippings"};

using Settings = std::map<std::string, std::int32_t>;
using Rect = std::array<LONG, 4>;  // left, top, right, bottom

std::string ClipKey(int number) {
    char key[24];
    std::snprintf(key, sizeof key, "CLIP %02d", number);
    return key;
}

std::string EveryByte() {
    std::string bytes;
    for (int value = 1; value <= 255; ++value) bytes += static_cast<char>(value);
    return bytes;
}

std::string Megabyte() {
    std::string text;
    for (int line = 0; text.size() < 1024 * 1024; ++line)
        text += "line " + std::to_string(line) + " of a saved text\r\n";
    return text;
}

std::string Bytes(const void* data, std::size_t size) { return std::string(static_cast<const char*>(data), size); }

std::string DwordBytes(std::int32_t value) { return Bytes(&value, sizeof value); }

void StoreClippings(const std::vector<std::string>& texts) {
    const ProfileSection clips("LastClips");
    for (std::size_t index = 0; index < texts.size(); ++index)
        clips.WriteString(ClipKey(static_cast<int>(index)), texts[index]);
}

// The texts under CLIP 00 up to CLIP <count - 1>, as stored.
std::vector<std::string> StoredClippings(int count) {
    const ProfileSection clips("LastClips");
    std::vector<std::string> texts;
    for (int number = 0; number < count; ++number) texts.push_back(clips.ReadString(ClipKey(number)).value_or(kNoText));
    return texts;
}

// The seven settings as stored, each only if it is a REG_DWORD.
Settings StoredSettings() {
    const ProfileSection configure("Configure");
    Settings stored;
    for (const char* key : kSettingKeys)
        if (const std::optional<std::int32_t> value = configure.ReadInt(key)) stored[key] = *value;
    return stored;
}

// The settings of a quiet start (NumberToSave 10, ConfirmExit 0) with the other defaults.
Settings QuietStartSettings() {
    return {{"NumberToSave", 10}, {"RemoveDups", 0},           {"AlwaysOnTop", 0},        {"MinimizeOnCopy", 1},
            {"ConfirmExit", 0},   {"ConfirmOnWindowsExit", 0}, {"SystemMenuClippings", 0}};
}

std::optional<Rect> StoredRect() {
    const ProfileSection position("LastPosition");
    const auto left = position.ReadInt("Left");
    const auto top = position.ReadInt("Top");
    const auto right = position.ReadInt("Right");
    const auto bottom = position.ReadInt("Bottom");
    if (!left || !top || !right || !bottom) return std::nullopt;
    return Rect{*left, *top, *right, *bottom};
}

void StoreRect(const Rect& rect) {
    const ProfileSection position("LastPosition");
    position.WriteInt("Left", rect[0]);
    position.WriteInt("Top", rect[1]);
    position.WriteInt("Right", rect[2]);
    position.WriteInt("Bottom", rect[3]);
}

// The section keys under the application key, sorted.
std::vector<std::string> ProfileSections() {
    const RegKey application = RegKey::Open(HKEY_CURRENT_USER, kProfileKeyPath, KEY_READ);
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0; application; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(application.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The INI file the profile reads before the registry is set up: the program's file name with
// ".INI", in the Windows directory.
std::string IniFilePath() {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, MAX_PATH);
    std::string program = ProgramUnderTest::ExecutablePath();
    program = program.substr(program.find_last_of("\\/") + 1);
    return std::string(directory) + "\\" + program.substr(0, program.rfind('.')) + ".INI";
}

Rect WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

bool IsTopmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void RestoreMainWindow(const ProgramUnderTest& program) {
    ShowWindow(program.MainWindow(), SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(program.MainWindow()); }));
    ASSERT_TRUE(program.WaitUntilIdle());
}

// One copy by another program, returning once the program has taken it into its list.
void CopyAndWait(const ProgramUnderTest& program, const std::string& text) {
    const int before = ListCount(program.ClipList());
    CopyText(text);
    ASSERT_TRUE(WaitUntil([&] { return ListCount(program.ClipList()) == before + 1; })) << "not captured: " << text;
    ASSERT_TRUE(program.WaitUntilIdle());
}

void DeleteItems(const ProgramUnderTest& program, const std::vector<int>& indices) {
    SelectItems(program.ClipList(), indices);
    ClickButton(program.DeleteButton());
    ASSERT_TRUE(program.WaitUntilIdle());
}

// Runs the Configure command; the dialog once it is shown and its controls hold their values,
// or null.
HWND OpenConfigure(const ProgramUnderTest& program) {
    SendCommand(program.MainWindow(), ID_FILE_CONFIGURE);
    const HWND dialog = program.WaitForWindow("Configure");
    if (dialog == nullptr || !WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }) || !WaitUntilIdle(dialog))
        return nullptr;
    return dialog;
}

// Sets RemoveDups where a user does: the check box of the Configure dialog, then OK.
void SetRemoveDups(const ProgramUnderTest& program, bool on) {
    const HWND dialog = OpenConfigure(program);
    ASSERT_NE(dialog, nullptr);
    SendMessageA(GetDlgItem(dialog, IDC_NO_DUPLICATES), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    ASSERT_TRUE(program.WaitUntilIdle());
}

void SaveAllClippings(const ProgramUnderTest& program) {
    SendCommand(program.MainWindow(), ID_FILE_SAVE_ALL_CLIPPINGS);
    ASSERT_TRUE(program.WaitUntilIdle());
}

void ExpectClosedNormally(ProgramUnderTest& program, Milliseconds timeout = kCloseTimeout) {
    EXPECT_EQ(program.Close(timeout), std::optional<DWORD>(0));
    // Whatever the run did, a normal end leaves every setting in the profile.
    EXPECT_EQ(StoredSettings().size(), std::size(kSettingKeys)) << "not all seven settings stored";
}

// A hidden top-level window of this test with the main window's styles, given the same
// placement the program gives its main window, then minimised and restored as the test does
// with the program's: the rectangle the platform makes of the placement.
class ReferenceFrame {
public:
    explicit ReferenceFrame(HWND like) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PersistenceTestReferenceFrame";
        RegisterClassA(&windowClass);  // a second registration fails harmlessly
        const DWORD style =
            static_cast<DWORD>(GetWindowLongA(like, GWL_STYLE)) & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(like, GWL_EXSTYLE)) & ~WS_EX_TOPMOST;
        m_window = CreateWindowExA(exStyle, windowClass.lpszClassName, "reference", style, 0, 0, 200, 200, nullptr,
                                   nullptr, windowClass.hInstance, nullptr);
    }
    ~ReferenceFrame() { DestroyWindow(m_window); }
    ReferenceFrame(const ReferenceFrame&) = delete;
    ReferenceFrame& operator=(const ReferenceFrame&) = delete;

    Rect Place(int x, int y, int width, int height) const {
        SetWindowPos(m_window, HWND_NOTOPMOST, x, y, width, height, SWP_HIDEWINDOW);
        ShowWindow(m_window, SW_SHOWMINNOACTIVE);
        ShowWindow(m_window, SW_RESTORE);
        return WindowRect(m_window);
    }

private:
    HWND m_window = nullptr;
};

}  // namespace

class Persistence : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramUnderTest::EndStrayInstances();
        PrepareQuietStart();
    }
    void TearDown() override { DeleteProfile(); }
};

// ---- Settings --------------------------------------------------------------------------

TEST_F(Persistence, ARunThatEndsNormallyLeavesAllSevenSettingsAndNothingElseOfItsOwn) {
    ASSERT_EQ(StoredSettings().size(), 2u);  // only what the quiet start stores
    const std::string iniFile = IniFilePath();
    DeleteFileA(iniFile.c_str());

    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));

    EXPECT_EQ(StoredSettings(), QuietStartSettings());
    // The recent-file list and the preview page count are read at start-up and never written:
    // neither to the registry nor to the INI file they were read from.
    EXPECT_EQ(ProfileSections(), (std::vector<std::string>{"Configure", "LastClips", "LastPosition"}));
    EXPECT_EQ(GetFileAttributesA(iniFile.c_str()), INVALID_FILE_ATTRIBUTES) << iniFile;
}

// ---- Saved clippings -------------------------------------------------------------------

TEST_F(Persistence, ASaveOfFiveAfterASaveOfEightEndsAtClip05AndNeverLoadsClip06And07) {
    const std::vector<std::string> copied = {"one", "two", "three", "four", "five", "six", "seven", "eight"};
    {
        ProgramUnderTest program = ProgramUnderTest::Start();
        for (const std::string& text : copied) CopyAndWait(program, text);
        ExpectClosedNormally(program);
    }
    const std::vector<std::string> savedEight = {"eight", "seven", "six", "five", "four", "three", "two", "one"};
    std::vector<std::string> expected = savedEight;
    expected.push_back("");
    EXPECT_EQ(StoredClippings(9), expected);

    const std::vector<std::string> keptFive = {"eight", "six", "four", "three", "one"};
    {
        ProgramUnderTest program = ProgramUnderTest::Start();
        EXPECT_EQ(program.Clippings(), savedEight) << "the order did not survive the restart";
        DeleteItems(program, {1, 3, 6});
        ASSERT_EQ(program.Clippings(), keptFive);
        ExpectClosedNormally(program);
    }
    EXPECT_EQ(StoredClippings(8), (std::vector<std::string>{"eight", "six", "four", "three", "one", "", "two", "one"}));

    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_EQ(program.Clippings(), keptFive);
    ExpectClosedNormally(program);
}

TEST_F(Persistence, NumberToSaveThreeLoadsTheFirstThreeOfTenWithTheirDuplicates) {
    ProfileSection("Configure").WriteInt("NumberToSave", 3);
    ProfileSection("Configure").WriteInt("RemoveDups", 1);
    const std::vector<std::string> saved = {"same", "same", "third", "4", "5", "6", "7", "8", "9", "10"};
    StoreClippings(saved);
    ProfileSection("LastClips").WriteString(ClipKey(10), "");

    ProgramUnderTest program = ProgramUnderTest::Start();
    // The load removes no duplicates, whatever RemoveDups says.
    EXPECT_EQ(program.Clippings(), (std::vector<std::string>{"same", "same", "third"}));
    EXPECT_EQ(StoredClippings(11),
              (std::vector<std::string>{"same", "same", "third", "4", "5", "6", "7", "8", "9", "10", ""}));
    ExpectClosedNormally(program);

    // The save does: of the two equal texts only the upper one is written.
    EXPECT_EQ(StoredClippings(11),
              (std::vector<std::string>{"same", "third", "", "4", "5", "6", "7", "8", "9", "10", ""}));
    EXPECT_EQ(ProfileSection("Configure").ReadInt("NumberToSave"), std::optional<std::int32_t>(3));
}

TEST_F(Persistence, ANegativeNumberToSaveLoadsNothingAndOpensNoDialog) {
    ProfileSection("Configure").WriteInt("NumberToSave", -5);
    StoreClippings({"first", "second", ""});

    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_TRUE(program.Clippings().empty());
    EXPECT_TRUE(TopLevelWindowsOf(program.Process().Id(), "Configure").empty());
    ExpectClosedNormally(program);

    EXPECT_EQ(StoredClippings(3), (std::vector<std::string>{"", "second", ""}));
    EXPECT_EQ(ProfileSection("Configure").ReadInt("NumberToSave"), std::optional<std::int32_t>(-5));
}

TEST_F(Persistence, RemoveDupsDecidesWhichOfAbcAbcAbcEmptyAbAreSaved) {
    ProfileSection("LastClips").WriteString(ClipKey(4), "stale 4");
    ProfileSection("LastClips").WriteString(ClipKey(5), "stale 5");
    ProgramUnderTest program = ProgramUnderTest::Start();
    // Copied with RemoveDups off, oldest first; an empty CF_TEXT copy captures an empty text.
    for (const char* text : {"ab", "", "abc", "ABC", "abc"}) CopyAndWait(program, text);
    ASSERT_EQ(program.Clippings(), (std::vector<std::string>{"abc", "ABC", "abc", "", "ab"}));

    SetRemoveDups(program, true);
    ASSERT_EQ(ProfileSection("Configure").ReadInt("RemoveDups"), std::optional<std::int32_t>(1));

    // Exact whole-text comparison: ABC stays, the lower abc goes, the empty item uses no number.
    SaveAllClippings(program);
    EXPECT_EQ(StoredClippings(6), (std::vector<std::string>{"abc", "ABC", "ab", "", "stale 4", "stale 5"}));

    // RemoveDups off again: every non-empty item is saved.
    SetRemoveDups(program, false);

    SaveAllClippings(program);
    EXPECT_EQ(StoredClippings(6), (std::vector<std::string>{"abc", "ABC", "abc", "ab", "", "stale 5"}));
    EXPECT_EQ(program.Clippings(), (std::vector<std::string>{"abc", "ABC", "abc", "", "ab"}));
    ExpectClosedNormally(program);
}

TEST_F(Persistence, SaveAllClippingsWritesAtOnceAndLeavesThePositionAndSettingsAlone) {
    ProfileSection("LastClips").WriteString(ClipKey(2), "left from an earlier save");
    ProgramUnderTest program = ProgramUnderTest::Start();
    CopyAndWait(program, "older");
    CopyAndWait(program, "newer");

    SaveAllClippings(program);

    // Read while the program still runs.
    EXPECT_EQ(StoredClippings(3), (std::vector<std::string>{"newer", "older", ""}));
    EXPECT_EQ(StoredSettings(), (Settings{{"NumberToSave", 10}, {"ConfirmExit", 0}}));
    EXPECT_TRUE(ProfileSection("LastPosition").ValueNames().empty());

    // Ended without its destruction, the program leaves what Save All Clippings wrote.
    TerminateProcessById(program.Process().Id());
    ASSERT_TRUE(program.WaitForExit().has_value());
    EXPECT_EQ(StoredClippings(3), (std::vector<std::string>{"newer", "older", ""}));
}

TEST_F(Persistence, AMegabyteTextAndEveryByteValueSurviveARestartByteForByte) {
    const std::string everyByte = EveryByte();
    const std::string megabyte = Megabyte();
    {
        ProgramUnderTest program = ProgramUnderTest::Start();
        CopyAndWait(program, everyByte);
        CopyAndWait(program, megabyte);
        ExpectClosedNormally(program);
    }
    const ProfileSection clips("LastClips");
    const std::optional<RegistryValue> first = clips.ReadValue(ClipKey(0));
    const std::optional<RegistryValue> second = clips.ReadValue(ClipKey(1));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(first->bytes == megabyte + '\0') << "stored " << first->bytes.size() << " bytes";
    EXPECT_EQ(second->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(second->bytes, everyByte + '\0');
    EXPECT_EQ(clips.ReadString(ClipKey(2)), std::optional<std::string>(""));

    ProgramUnderTest program = ProgramUnderTest::Start();
    const std::vector<std::string> loaded = program.Clippings();
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_TRUE(loaded[0] == megabyte) << "loaded " << loaded[0].size() << " bytes";
    EXPECT_EQ(loaded[1], everyByte);
    ExpectClosedNormally(program);
}

TEST_F(Persistence, FortyThousandClippingsLoadAndSaveWithFullWidthKeyNumbers) {
    constexpr int kStored = 40001;
    ProfileSection("Configure").WriteInt("NumberToSave", 40000);
    std::vector<std::string> texts;
    for (int number = 0; number < kStored; ++number) texts.push_back("clipping " + std::to_string(number));
    StoreClippings(texts);

    ProgramUnderTest program = ProgramUnderTest::Start(kManyClippingsTimeout);
    // Used as 40,000, not as its 16-bit reading -25,536 (which would load nothing), nor
    // stopped at 32,767 by a 16-bit key number.
    ASSERT_EQ(ListCount(program.ClipList()), 40000);
    EXPECT_EQ(ListItemText(program.ClipList(), 0), "clipping 0");
    EXPECT_EQ(ListItemText(program.ClipList(), 32767), "clipping 32767");
    EXPECT_EQ(ListItemText(program.ClipList(), 32768), "clipping 32768");
    EXPECT_EQ(ListItemText(program.ClipList(), 39999), "clipping 39999");

    // The dialog shows the number as "%hd" prints it and opens with OK disabled; Cancel.
    const HWND dialog = OpenConfigure(program);
    ASSERT_NE(dialog, nullptr);
    char number[16] = {};
    SendMessageA(GetDlgItem(dialog, IDC_NUMBER_TO_SAVE), WM_GETTEXT, sizeof number, reinterpret_cast<LPARAM>(number));
    EXPECT_STREQ(number, "-25536");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));

    // One item fewer, so that every key of the save gets a new text.
    DeleteItems(program, {0});
    ASSERT_EQ(ListCount(program.ClipList()), 39999);
    ExpectClosedNormally(program, kManyClippingsTimeout);

    const ProfileSection clips("LastClips");
    EXPECT_EQ(clips.ReadString("CLIP 00"), std::optional<std::string>("clipping 1"));
    EXPECT_EQ(clips.ReadString("CLIP 32767"), std::optional<std::string>("clipping 32768"));
    EXPECT_EQ(clips.ReadString("CLIP 32768"), std::optional<std::string>("clipping 32769"));
    EXPECT_EQ(clips.ReadString("CLIP 39998"), std::optional<std::string>("clipping 39999"));
    EXPECT_EQ(clips.ReadString("CLIP 39999"), std::optional<std::string>(""));
    EXPECT_EQ(clips.ReadString("CLIP 40000"), std::optional<std::string>("clipping 40000"));
    EXPECT_FALSE(clips.ReadValue("CLIP -32768").has_value());
    EXPECT_EQ(ProfileSection("Configure").ReadInt("NumberToSave"), std::optional<std::int32_t>(40000));
}

// ---- The window's place ----------------------------------------------------------------

TEST_F(Persistence, TheWindowRectangleSurvivesARestart) {
    Rect placed{};
    {
        ProgramUnderTest program = ProgramUnderTest::Start();
        EXPECT_FALSE(IsTopmost(program.MainWindow()));
        RestoreMainWindow(program);
        SetWindowPos(program.MainWindow(), nullptr, 123, 87, 456, 345, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(program.WaitUntilIdle());
        placed = WindowRect(program.MainWindow());
        ASSERT_EQ(placed, (Rect{123, 87, 123 + 456, 87 + 345}));
        ExpectClosedNormally(program);
    }
    EXPECT_EQ(StoredRect(), std::optional<Rect>(placed));

    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_TRUE(IsIconic(program.MainWindow()));
    RestoreMainWindow(program);
    EXPECT_EQ(WindowRect(program.MainWindow()), placed);
    ExpectClosedNormally(program);
}

TEST_F(Persistence, WithoutAStoredRectangleTheWindowIsPlacedAtTheOriginWithSize100) {
    ProgramUnderTest program = ProgramUnderTest::Start();
    RestoreMainWindow(program);
    const Rect shown = WindowRect(program.MainWindow());
    EXPECT_EQ(shown, ReferenceFrame(program.MainWindow()).Place(0, 0, 100, 100));
    EXPECT_EQ(shown[0], 0);
    EXPECT_EQ(shown[1], 0);
    EXPECT_EQ(shown[3], 100);
    ExpectClosedNormally(program);
}

TEST_F(Persistence, AMaximisedWindowSavesItsMaximisedRectangle) {
    ProgramUnderTest program = ProgramUnderTest::Start();
    ShowWindow(program.MainWindow(), SW_MAXIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(program.MainWindow()) != FALSE; }));
    ASSERT_TRUE(program.WaitUntilIdle());
    const Rect maximised = WindowRect(program.MainWindow());
    ExpectClosedNormally(program);

    EXPECT_EQ(StoredRect(), std::optional<Rect>(maximised));
}

TEST_F(Persistence, ClosingWhileMinimisedKeepsTheStoredRectangle) {
    const Rect stored{40, 50, 440, 350};
    StoreRect(stored);

    ProgramUnderTest program = ProgramUnderTest::Start();
    ASSERT_TRUE(IsIconic(program.MainWindow()));
    ExpectClosedNormally(program);

    EXPECT_EQ(StoredRect(), std::optional<Rect>(stored));
}

TEST_F(Persistence, AStoredRightBelowLeftIsPassedOnToThePlatform) {
    StoreRect({300, 200, 200, 500});

    ProgramUnderTest program = ProgramUnderTest::Start();
    RestoreMainWindow(program);
    const Rect shown = WindowRect(program.MainWindow());

    // Width -100 is not the program's to correct: the platform makes of it what it makes of it
    // for any window with the frame's styles.
    const Rect platform = ReferenceFrame(program.MainWindow()).Place(300, 200, -100, 300);
    EXPECT_EQ(shown, platform);
    EXPECT_EQ(shown[0], 300);
    EXPECT_EQ(shown[1], 200);
    EXPECT_EQ(shown[3], 500);
    ExpectClosedNormally(program);
}

TEST_F(Persistence, AlwaysOnTopInTheProfileMakesTheWindowTopmostFromTheStart) {
    ProfileSection("Configure").WriteInt("AlwaysOnTop", 1);
    StoreRect({60, 70, 460, 370});

    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_TRUE(IsTopmost(program.MainWindow()));
    RestoreMainWindow(program);
    EXPECT_TRUE(IsTopmost(program.MainWindow()));
    EXPECT_EQ(WindowRect(program.MainWindow()), (Rect{60, 70, 460, 370}));
    ExpectClosedNormally(program);
}

// ---- A profile the program did not write -----------------------------------------------

// The value under CLIP 04, where a text is expected: a REG_DWORD or a REG_BINARY, read as a text.
class CorruptedProfile : public Persistence, public ::testing::WithParamInterface<DWORD> {};

TEST_P(CorruptedProfile, StartsNormallyReadingEachMalformedValueAsDefined) {
    const std::string severalMegabytes(4 * 1024 * 1024, 'M');
    const std::string unterminated = "stored without its terminating zero";
    {
        const ProfileSection configure("Configure");
        // Values shorter than four bytes where integers are expected read as the defaults (0 for both).
        configure.WriteValue("AlwaysOnTop", {REG_SZ, std::string("1\0", 2)});
        configure.WriteValue("RemoveDups", {REG_BINARY, std::string("\1\0", 2)});
        const ProfileSection position("LastPosition");
        position.WriteValue("Left", {REG_SZ, std::string("50\0", 3)});
        position.WriteValue("Top", {REG_BINARY, std::string(3 * 1024 * 1024, '\x7F')});
        position.WriteInt("Right", 400);
        position.WriteInt("Bottom", 300);
        const ProfileSection clips("LastClips");
        clips.WriteString(ClipKey(0), severalMegabytes);
        clips.WriteValue(ClipKey(1), {REG_SZ, unterminated});
        clips.WriteValue(ClipKey(2), {REG_SZ, std::string("twin\0hidden behind a zero\0", 26)});
        clips.WriteString(ClipKey(3), "twin");
        clips.WriteValue(ClipKey(4),
                         {GetParam(), GetParam() == REG_DWORD ? DwordBytes(0x41414141) : std::string("binary")});
        clips.WriteString(ClipKey(5), "after the value that is no text");
    }

    const std::string clip4 = GetParam() == REG_DWORD ? "AAAA" : "binary";
    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_TRUE(TopLevelWindowsOf(program.Process().Id(), "Configure").empty());
    const std::vector<std::string> loaded = program.Clippings();
    ASSERT_EQ(loaded.size(), 6u);
    EXPECT_TRUE(loaded[0] == severalMegabytes) << "loaded " << loaded[0].size() << " bytes";
    EXPECT_EQ(loaded[1], unterminated);
    EXPECT_EQ(loaded[2], "twin");
    EXPECT_EQ(loaded[3], "twin");
    EXPECT_EQ(loaded[4], clip4);
    EXPECT_FALSE(IsTopmost(program.MainWindow()));
    RestoreMainWindow(program);
    EXPECT_EQ(WindowRect(program.MainWindow()), (Rect{0, 0, 400, 300}));
    ExpectClosedNormally(program);

    // Everything written back is what the program writes: RemoveDups read as 0 keeps both twins.
    EXPECT_EQ(StoredSettings(), QuietStartSettings());
    const std::vector<std::string> stored = StoredClippings(6);
    EXPECT_TRUE(stored[0] == severalMegabytes) << "CLIP 00 holds " << stored[0].size() << " bytes";
    EXPECT_EQ(std::vector<std::string>(stored.begin() + 1, stored.end()),
              (std::vector<std::string>{unterminated, "twin", "twin", clip4, "after the value that is no text"}));
    EXPECT_EQ(ProfileSection("LastClips").ReadValue(ClipKey(1))->bytes, unterminated + '\0');
    EXPECT_EQ(ProfileSection("LastClips").ReadValue(ClipKey(2))->bytes, std::string("twin", 5));
    EXPECT_EQ(StoredRect(), std::optional<Rect>(Rect{0, 0, 400, 300}));
}

INSTANTIATE_TEST_SUITE_P(TextValue, CorruptedProfile, ::testing::Values(DWORD{REG_DWORD}, DWORD{REG_BINARY}),
                         [](const ::testing::TestParamInfo<DWORD>& info) {
                             return info.param == REG_DWORD ? std::string("Dword") : std::string("Binary");
                         });
