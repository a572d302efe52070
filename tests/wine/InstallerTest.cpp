// The installer as a user takes it, step by step, read back from the files, registry and running program.
#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/RegKey.h"
#include "tests/wine/support/Harness.h"

using namespace harness;

namespace {
// A text under HKCU\Software\Microsoft\Windows\CurrentVersion.
std::string UserValue(const char* key, const char* name) {
    char text[MAX_PATH] = {};
    DWORD size = sizeof text;
    const std::string path = std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") + key;
    return RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) ? "<none>" : text;
}
// The installed files, shortcut, log-on command, uninstall entry, profile, (saved) and [listed] clippings, the
// running program's read as another program reads them.
std::string Footprint() {
    const std::string folder = std::getenv("LOCALAPPDATA") + std::string("\\Programs\\Scrapvault\\");
    std::string found;
    for (const std::string& path :
         {folder + "scrapvault.exe", folder + "README.txt", folder + "LICENSE.txt", folder + "uninstall.exe",
          std::getenv("APPDATA") + std::string("\\Microsoft\\Windows\\Start Menu\\Programs\\Scrapvault.lnk")})
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            found += path.substr(path.rfind('\\') + 1) + " ";
    if (UserValue("Run", "Scrapvault") == '"' + folder + "scrapvault.exe\"") found += "log-on ";
    if (UserValue("Uninstall\\Scrapvault", "QuietUninstallString") == '"' + folder + "uninstall.exe\" /S")
        found += "entry ";
    if (ReadInt("Configure", "NumberToSave")) found += "profile ";
    if (RegKey::Open(HKEY_CURRENT_USER, L"Software\\QUORVEX\\Scrapvault\\Journal", KEY_READ)) found += "journal ";
    for (const std::u16string& text : SavedClippings(3)) found += text == u"<none>" ? "" : "(" + InCodePage(text) + ")";
    for (const std::u16string& text : ListedBy(RunningProgram())) found += "[" + InCodePage(text) + "]";
    return found;
}

void Install() { ASSERT_EQ(RunProcess('"' + WindowsPath(std::getenv("SCRAPVAULT_SETUP")) + "\" /S"), 0u); }
void StartFromLogOnCommand() {
    ASSERT_EQ(RunProcess("cmd /c start \"\" " + UserValue("Run", "Scrapvault")), 0u);
    ASSERT_TRUE(WaitUntil([] { return IsWindowVisible(RunningProgram()); }));  // shown once it has started
}
void Copy(const char* text) { CopyListed(RunningProgram(), Widen(text)); }
void UninstallRemovingProfile() {
    ASSERT_EQ(RunProcess(UserValue("Uninstall\\Scrapvault", "UninstallString")), 0u);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        const HWND page = FindWindowExA(FindWindowA("#32770", "Scrapvault Uninstall"), nullptr, "#32770", nullptr);
        return (box = FindWindowExA(page, nullptr, "Button", "Also remove my saved clippings and settings"));
    }));
    SendMessageA(box, BM_CLICK, 0, 0);
    const HWND uninstaller = GetAncestor(box, GA_ROOT);
    EXPECT_TRUE(WaitUntil([&] {  // Uninstall, then Close
        if (IsWindowEnabled(GetDlgItem(uninstaller, IDOK))) SendMessageA(GetDlgItem(uninstaller, IDOK), BM_CLICK, 0, 0);
        return !IsWindow(uninstaller);
    }));
}

const struct {
    const char* name;
    void (*act)();
    std::string footprint;
} kSteps[] = {
    {"silent install, started from the log-on command", [] { Install(), StartFromLogOnCommand(), Copy("one"); },
     "scrapvault.exe README.txt LICENSE.txt uninstall.exe Scrapvault.lnk log-on entry profile journal [one]"},
    {"install over the running program with three unsaved clippings", [] { Copy("two"), Copy("three"), Install(); },
     "scrapvault.exe README.txt LICENSE.txt uninstall.exe Scrapvault.lnk log-on entry profile journal "
     "(three)(two)(one)[three][two][one]"},
    {"silent uninstall keeps the profile",
     [] { ASSERT_EQ(RunProcess(UserValue("Uninstall\\Scrapvault", "QuietUninstallString")), 0u); },
     "profile journal (three)(two)(one)"},
    {"uninstall ticking the profile's removal", [] { Install(), UninstallRemovingProfile(); }, ""},
};

TEST(Installer, InstallsUpgradesAndRemovesAsTheUserChooses) {
    if (!std::getenv("SCRAPVAULT_SETUP") || !*std::getenv("SCRAPVAULT_SETUP"))
        GTEST_SKIP() << "no installer in SCRAPVAULT_SETUP (scripts/test.sh sets it)";
    QuietProfile();
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.name);
        step.act();
        WaitUntil([&] { return Footprint() == step.footprint; }, 20000);
        EXPECT_EQ(Footprint(), step.footprint);
    }
    SendMessageA(RunningProgram(), WM_CLOSE, 0, 0);  // left by a failed step, it would hold the test's output open
}
}  // namespace
