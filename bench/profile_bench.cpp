// Times the save and the load of a full clip list through the registry profile against the
// fastest the registry allows for the same work in the same run: the same number of
// RegSetValueExA calls on one open key for the save, and of RegQueryValueExA calls on one open
// key plus LB_ADDSTRING into a list box for the load.
//
//   profile_bench.exe [items]      (default 32767 distinct clippings of about 80 bytes)
//
// Works under HKCU\Software\ScrapvaultBench-<pid>, removed again at the end.
// Links with settings/ClipArchive.cpp and framework/RegistryProfile.cpp (the scrapvault_logic and
// scrapvault_framework libraries) and the system's advapi32 and user32.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/RegKey.h"
#include "framework/RegistryProfile.h"
#include "settings/ClipArchive.h"

using namespace clip_archive;

namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;
constexpr int kRounds = 4;
constexpr std::size_t kClippingBytes = 80;

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Owns a window and destroys it.
class Window {
public:
    explicit Window(HWND window) : m_window(window) {}
    ~Window() {
        if (m_window != nullptr) DestroyWindow(m_window);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window;
};

std::vector<std::string> MakeClippings(int count) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        char text[96];
        std::snprintf(text, sizeof text, "Clipping %06d: the quick brown fox jumps over the lazy dog, %08X.", i,
                      static_cast<unsigned>(i) * 2654435761u);
        texts.emplace_back(text);
        texts.back().resize(kClippingBytes, '.');
    }
    return texts;
}

void FillList(HWND list, const std::vector<std::string>& texts) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& text : texts) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ListText(HWND list, int index) {
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return std::string();
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

double LimitSave(const std::string& sectionPath, const std::vector<std::string>& texts) {
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < texts.size(); ++i) keys.push_back(ClipKey(static_cast<int>(i)));
    const RegKey section = RegKey::Create(HKEY_CURRENT_USER, sectionPath.c_str(), kAccess);
    const Clock::time_point start = Clock::now();
    for (std::size_t i = 0; i < texts.size(); ++i)
        RegSetValueExA(section.Get(), keys[i].c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(texts[i].c_str()),
                       static_cast<DWORD>(texts[i].size() + 1));
    return SecondsSince(start);
}

double LimitLoad(const std::string& sectionPath, std::size_t count, HWND list) {
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < count; ++i) keys.push_back(ClipKey(static_cast<int>(i)));
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const RegKey section = RegKey::Create(HKEY_CURRENT_USER, sectionPath.c_str(), kAccess);
    char buffer[256];
    const Clock::time_point start = Clock::now();
    for (std::size_t i = 0; i < count; ++i) {
        DWORD size = sizeof buffer;
        DWORD type = 0;
        if (RegQueryValueExA(section.Get(), keys[i].c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) ==
            ERROR_SUCCESS)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(buffer));
    }
    return SecondsSince(start);
}

// The same profile with every hold ignored, so that each value reopens its key path.
class UnheldProfile final : public ProfileStore {
public:
    explicit UnheldProfile(ProfileStore& inner) : m_inner(inner) {}
    int GetInt(const char* section, const char* key, int defaultValue) override {
        return m_inner.GetInt(section, key, defaultValue);
    }
    bool WriteInt(const char* section, const char* key, int value) override {
        return m_inner.WriteInt(section, key, value);
    }
    std::string GetString(const char* section, const char* key, const char* defaultValue) override {
        return m_inner.GetString(section, key, defaultValue);
    }
    bool WriteString(const char* section, const char* key, const char* text) override {
        return m_inner.WriteString(section, key, text);
    }

private:
    ProfileStore& m_inner;
};

// A profile that stores nothing and reads every default.
class DiscardingProfile final : public ProfileStore {
public:
    int GetInt(const char*, const char*, int defaultValue) override { return defaultValue; }
    bool WriteInt(const char*, const char*, int) override { return true; }
    std::string GetString(const char*, const char*, const char* defaultValue) override {
        return defaultValue != nullptr ? defaultValue : "";
    }
    bool WriteString(const char*, const char*, const char*) override { return true; }
};

void DeleteCompanyKey(const std::string& company) {
    const RegKey software = RegKey::Open(HKEY_CURRENT_USER, "Software", kAccess);
    RegKey::DeleteTree(software.Get(), company.c_str());
}

void Report(const char* what, double limit, double ours) {
    std::printf("%-6s limit %7.3f s   profile %7.3f s   ratio %.2f  (target <= 1.30)\n", what, limit, ours,
                ours / limit);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 32767;
    if (count < 1) {
        std::fprintf(stderr, "usage: profile_bench [items]\n");
        return 2;
    }
    const std::string company = "ScrapvaultBench-" + std::to_string(GetCurrentProcessId());
    const std::string limitPath = "Software\\" + company + "\\Scrapvault\\Limit";

    const Window list(CreateWindowExA(0, "LISTBOX", "", WS_POPUP | LBS_EXTENDEDSEL | LBS_NOTIFY, 0, 0, 200, 200,
                                      nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (list.Get() == nullptr) {
        std::fprintf(stderr, "cannot create a list box\n");
        return 1;
    }

    const std::vector<std::string> texts = MakeClippings(count);
    std::printf("%d distinct clippings of %zu bytes, RemoveDups on, best of %d rounds\n", count, texts[0].size(),
                kRounds);

    RegistryProfile profile(company, "Scrapvault");
    const ClipListReader reader = {[&] { return static_cast<int>(SendMessageA(list.Get(), LB_GETCOUNT, 0, 0)); },
                                   [&](int index) { return ListText(list.Get(), index); }};
    const auto save = [&](ProfileStore& store) {
        FillList(list.Get(), texts);
        const Clock::time_point start = Clock::now();
        SaveClippings(store, reader, true);
        return SecondsSince(start);
    };
    const auto load = [&] {
        SendMessageA(list.Get(), LB_RESETCONTENT, 0, 0);
        const Clock::time_point start = Clock::now();
        LoadClippings(profile, count, [&](const std::string& text) {
            SendMessageA(list.Get(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        });
        return SecondsSince(start);
    };

    double bestLimitSave = 1e9, bestSave = 1e9, bestLimitLoad = 1e9, bestLoad = 1e9;
    bool loadedAll = true;
    for (int round = 0; round < kRounds; ++round) {
        DeleteCompanyKey(company);
        // Alternate which goes first, so that neither always meets the fresher registry.
        if (round % 2 == 0) {
            bestLimitSave = std::min(bestLimitSave, LimitSave(limitPath, texts));
            bestSave = std::min(bestSave, save(profile));
            bestLimitLoad = std::min(bestLimitLoad, LimitLoad(limitPath, texts.size(), list.Get()));
            bestLoad = std::min(bestLoad, load());
        } else {
            bestSave = std::min(bestSave, save(profile));
            bestLimitSave = std::min(bestLimitSave, LimitSave(limitPath, texts));
            bestLoad = std::min(bestLoad, load());
            bestLimitLoad = std::min(bestLimitLoad, LimitLoad(limitPath, texts.size(), list.Get()));
        }
        loadedAll = loadedAll && SendMessageA(list.Get(), LB_GETCOUNT, 0, 0) == count &&
                    ListText(list.Get(), count - 1) == texts.back();
    }

    // For comparison only: the save's own work (list, duplicates, keys) without the registry,
    // and the save with the key path reopened for every value.
    DiscardingProfile discarding;
    const double saveLogic = save(discarding);
    UnheldProfile unheld(profile);
    const double unheldSave = save(unheld);
    DeleteCompanyKey(company);

    Report("save", bestLimitSave, bestSave);
    Report("load", bestLimitLoad, bestLoad);
    std::printf("save into a profile that stores nothing: %.3f s\n", saveLogic);
    std::printf("save with the key path reopened for every value: %.3f s (ratio %.2f)\n", unheldSave,
                unheldSave / bestLimitSave);
    if (!loadedAll) {
        std::printf("the load did not give back every clipping\n");
        return 1;
    }
    return 0;
}
