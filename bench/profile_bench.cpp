// Times the save and the load of a full clip list through the registry profile against the
// fastest the registry allows for the same work in the same run: the same number of
// RegSetValueExW calls on one open key for the save, and of RegQueryValueExW calls on one open
// key plus LB_ADDSTRING into a list box for the load. Once with ASCII clippings, once with
// clippings of CJK text and an emoji.
//
//   profile_bench.exe [items]      (default 32767 distinct clippings of 80 characters)
//
// Works under HKCU\Software\ScrapvaultBench-<pid>, removed again at the end.
// Links with settings/ClipArchive.cpp and framework/RegistryProfile.cpp (the scrapvault_logic and
// scrapvault_framework libraries) and the system's advapi32 and user32.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "framework/RegKey.h"
#include "framework/RegistryProfile.h"
#include "framework/WideText.h"
#include "settings/ClipArchive.h"

using namespace clip_archive;

namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;
constexpr int kRounds = 4;
constexpr std::size_t kClippingChars = 80;

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

// Distinct clippings of kClippingChars characters: ASCII, or CJK with an emoji (a surrogate pair).
std::vector<std::u16string> MakeClippings(int count, bool beyondCodePage) {
    std::vector<std::u16string> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%06d %08X ", i, static_cast<unsigned>(i) * 2654435761u);
        std::u16string text(number, number + std::strlen(number));
        text += beyondCodePage ? u"\u65E5\u672C\u8A9E\u306E\u30C6\u30AD\u30B9\u30C8 \U0001F44D \u4E2D\u6587 "
                               : u"Clipping: the quick brown fox jumps over the lazy dog. ";
        while (text.size() < kClippingChars) text += text.substr(16);
        text.resize(kClippingChars);
        if (text.back() >= 0xD800 && text.back() <= 0xDBFF) text.back() = u'.';  // no pair cut in two
        texts.push_back(std::move(text));
    }
    return texts;
}

void FillList(HWND list, const std::vector<std::u16string>& texts) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::u16string& text : texts)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::u16string ListText(HWND list, int index) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return std::u16string();
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

std::vector<std::u16string> Keys(std::size_t count) {
    std::vector<std::u16string> keys;
    for (std::size_t i = 0; i < count; ++i) keys.push_back(ClipKey(static_cast<int>(i)));
    return keys;
}

double LimitSave(const std::wstring& sectionPath, const std::vector<std::u16string>& texts) {
    const std::vector<std::u16string> keys = Keys(texts.size());
    const RegKey section = RegKey::Create(HKEY_CURRENT_USER, sectionPath.c_str(), kAccess);
    const Clock::time_point start = Clock::now();
    for (std::size_t i = 0; i < texts.size(); ++i)
        RegSetValueExW(section.Get(), Wide(keys[i].c_str()), 0, REG_SZ, reinterpret_cast<const BYTE*>(texts[i].c_str()),
                       static_cast<DWORD>((texts[i].size() + 1) * sizeof(char16_t)));
    return SecondsSince(start);
}

double LimitLoad(const std::wstring& sectionPath, std::size_t count, HWND list) {
    const std::vector<std::u16string> keys = Keys(count);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const RegKey section = RegKey::Create(HKEY_CURRENT_USER, sectionPath.c_str(), kAccess);
    wchar_t buffer[256];
    const Clock::time_point start = Clock::now();
    for (std::size_t i = 0; i < count; ++i) {
        DWORD size = sizeof buffer;
        DWORD type = 0;
        if (RegQueryValueExW(section.Get(), Wide(keys[i].c_str()), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                             &size) == ERROR_SUCCESS)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(buffer));
    }
    return SecondsSince(start);
}

// The same profile with every hold ignored, so that each value reopens its key path.
class UnheldProfile final : public ProfileStore {
public:
    explicit UnheldProfile(ProfileStore& inner) : m_inner(inner) {}
    int GetInt(const char16_t* section, const char16_t* key, int defaultValue) override {
        return m_inner.GetInt(section, key, defaultValue);
    }
    bool WriteInt(const char16_t* section, const char16_t* key, int value) override {
        return m_inner.WriteInt(section, key, value);
    }
    std::u16string GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) override {
        return m_inner.GetString(section, key, defaultValue);
    }
    bool WriteString(const char16_t* section, const char16_t* key, const char16_t* text) override {
        return m_inner.WriteString(section, key, text);
    }

private:
    ProfileStore& m_inner;
};

// A profile that stores nothing and reads every default.
class DiscardingProfile final : public ProfileStore {
public:
    int GetInt(const char16_t*, const char16_t*, int defaultValue) override { return defaultValue; }
    bool WriteInt(const char16_t*, const char16_t*, int) override { return true; }
    std::u16string GetString(const char16_t*, const char16_t*, const char16_t* defaultValue) override {
        return defaultValue != nullptr ? defaultValue : u"";
    }
    bool WriteString(const char16_t*, const char16_t*, const char16_t*) override { return true; }
};

void DeleteCompanyKey(const std::wstring& company) {
    const RegKey software = RegKey::Open(HKEY_CURRENT_USER, L"Software", kAccess);
    RegKey::DeleteTree(software.Get(), company.c_str());
}

void Report(const char* what, const char* texts, double limit, double ours) {
    std::printf("%-5s %-17s limit %7.3f s   profile %7.3f s   ratio %.2f  (target <= 1.30)\n", what, texts, limit, ours,
                ours / limit);
}

// Saves and loads the clippings through the profile and through the raw calls, best of kRounds;
// false when the load did not give every clipping back.
bool Measure(const char* label, const std::vector<std::u16string>& texts, HWND list, bool extras) {
    const int count = static_cast<int>(texts.size());
    const std::wstring company = L"ScrapvaultBench-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring limitPath = L"Software\\" + company + L"\\Scrapvault\\Limit";
    RegistryProfile profile(std::u16string(company.begin(), company.end()), u"Scrapvault");
    const ClipListReader reader = {[&] { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); },
                                   [&](int index) { return ListText(list, index); }};
    const auto save = [&](ProfileStore& store) {
        FillList(list, texts);
        const Clock::time_point start = Clock::now();
        SaveClippings(store, reader, true);
        return SecondsSince(start);
    };
    const auto load = [&] {
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        const Clock::time_point start = Clock::now();
        LoadClippings(profile, count, [&](const std::u16string& text) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
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
            bestLimitLoad = std::min(bestLimitLoad, LimitLoad(limitPath, texts.size(), list));
            bestLoad = std::min(bestLoad, load());
        } else {
            bestSave = std::min(bestSave, save(profile));
            bestLimitSave = std::min(bestLimitSave, LimitSave(limitPath, texts));
            bestLoad = std::min(bestLoad, load());
            bestLimitLoad = std::min(bestLimitLoad, LimitLoad(limitPath, texts.size(), list));
        }
        loadedAll =
            loadedAll && SendMessageW(list, LB_GETCOUNT, 0, 0) == count && ListText(list, count - 1) == texts.back();
    }
    Report("save", label, bestLimitSave, bestSave);
    Report("load", label, bestLimitLoad, bestLoad);
    if (extras) {
        // For comparison only: the save's own work (list, duplicates, keys) without the registry,
        // and the save with the key path reopened for every value.
        DiscardingProfile discarding;
        const double saveLogic = save(discarding);
        UnheldProfile unheld(profile);
        const double unheldSave = save(unheld);
        std::printf("save into a profile that stores nothing: %.3f s\n", saveLogic);
        std::printf("save with the key path reopened for every value: %.3f s (ratio %.2f)\n", unheldSave,
                    unheldSave / bestLimitSave);
    }
    DeleteCompanyKey(company);
    if (!loadedAll) std::printf("the load did not give back every clipping (%s)\n", label);
    return loadedAll;
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 32767;
    if (count < 1) {
        std::fprintf(stderr, "usage: profile_bench [items]\n");
        return 2;
    }
    const Window list(CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_EXTENDEDSEL | LBS_NOTIFY, 0, 0, 200, 200,
                                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (list.Get() == nullptr) {
        std::fprintf(stderr, "cannot create a list box\n");
        return 1;
    }
    std::printf("%d distinct clippings of %zu characters, RemoveDups on, best of %d rounds\n", count, kClippingChars,
                kRounds);
    const bool ascii = Measure("ASCII", MakeClippings(count, false), list.Get(), true);
    const bool beyond = Measure("CJK and emoji", MakeClippings(count, true), list.Get(), false);
    return ascii && beyond ? 0 : 1;
}
