// Times the full save (all or nothing) and the load of a full clip list through the program's
// journal over the registry profile against the fastest the registry allows for the same work in
// the same run: the same number of RegSetValueExW calls into one fresh key for the save, and of
// RegQueryValueExW calls on one open key plus LB_ADDSTRING into a list box for the load. Once with
// ASCII clippings, once with clippings of CJK text and an emoji. Then a start over a journal of
// 1,000 changes, and the steps of a full save the program starts by itself.
//
//   profile_bench.exe [items]      (default 32767 distinct clippings of 80 characters)
//
// Works under HKCU\Software\ScrapvaultBench-<pid>, removed again at the end.
// Links with the program's library (the journal, the clip list, the registry profile) and the
// system's advapi32 and user32.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "clips/ClipJournal.h"
#include "clips/ClipList.h"
#include "clips/ListBoxItems.h"
#include "framework/RegKey.h"
#include "framework/RegistryProfile.h"
#include "framework/WideText.h"
#include "settings/ClipArchive.h"

using namespace clip_archive;

namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;
constexpr int kRounds = 4;
constexpr std::size_t kClippingChars = 80;
// As many writes as the window of the program makes at each tick of a self-started full save.
constexpr int kCompactionWritesPerTick = 500;
constexpr int kCompactionCopiesPerTick = 4000;

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

void DeleteCompanyKey(const std::wstring& company) {
    const RegKey software = RegKey::Open(HKEY_CURRENT_USER, L"Software", kAccess);
    RegKey::DeleteTree(software.Get(), company.c_str());
}

void Report(const char* what, const char* texts, double limit, double ours, double target) {
    std::printf("%-5s %-17s limit %7.3f s   profile %7.3f s   ratio %.2f  (target <= %.2f)\n", what, texts, limit, ours,
                ours / limit, target);
}

// Saves the list in full (all or nothing) and loads it at a start through the program's journal,
// and the same through the raw calls, best of kRounds; false when the load lost a clipping.
bool Measure(const char* label, const std::vector<std::u16string>& texts, HWND list) {
    const int count = static_cast<int>(texts.size());
    const std::wstring company = L"ScrapvaultBench-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring limitPath = L"Software\\" + company + L"\\Scrapvault\\Limit";
    RegistryProfile profile(std::u16string(company.begin(), company.end()), u"Scrapvault");
    const ClipListReader reader = {[&] { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); },
                                   [&](int index) { return ListText(list, index); }};
    const auto save = [&] {
        FillList(list, texts);
        const Clock::time_point start = Clock::now();
        ClipJournal(profile).SaveAll(reader, true);
        return SecondsSince(start);
    };
    const auto load = [&] {
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        const Clock::time_point start = Clock::now();
        for (const std::u16string& text : ClipJournal(profile).Load(count))
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return SecondsSince(start);
    };

    double bestLimitSave = 1e9, bestSave = 1e9, bestLimitLoad = 1e9, bestLoad = 1e9;
    bool loadedAll = true;
    for (int round = 0; round < kRounds; ++round) {
        DeleteCompanyKey(company);
        // Alternate which goes first, so that neither always meets the fresher registry.
        if (round % 2 == 0) {
            bestLimitSave = std::min(bestLimitSave, LimitSave(limitPath, texts));
            bestSave = std::min(bestSave, save());
            bestLimitLoad = std::min(bestLimitLoad, LimitLoad(limitPath, texts.size(), list));
            bestLoad = std::min(bestLoad, load());
        } else {
            bestSave = std::min(bestSave, save());
            bestLimitSave = std::min(bestLimitSave, LimitSave(limitPath, texts));
            bestLoad = std::min(bestLoad, load());
            bestLimitLoad = std::min(bestLimitLoad, LimitLoad(limitPath, texts.size(), list));
        }
        loadedAll =
            loadedAll && SendMessageW(list, LB_GETCOUNT, 0, 0) == count && ListText(list, count - 1) == texts.back();
    }
    Report("save", label, bestLimitSave, bestSave, 1.3);
    Report("load", label, bestLimitLoad, bestLoad, 1.3);
    DeleteCompanyKey(company);
    if (!loadedAll) std::printf("the load did not give back every clipping (%s)\n", label);
    return loadedAll;
}

// A start that finds a journal of `changes` changes over the saved list, beside the raw reads of
// as many values and the filling of the list; then the longest step of a self-started full save,
// its first look at the list included.
bool MeasureJournal(const std::vector<std::u16string>& texts, int changes, HWND list) {
    const std::wstring company = L"ScrapvaultBench-" + std::to_wstring(GetCurrentProcessId());
    const std::wstring sectionsPath = L"Software\\" + company + L"\\Scrapvault\\";
    RegistryProfile profile(std::u16string(company.begin(), company.end()), u"Scrapvault");
    DeleteCompanyKey(company);
    FillList(list, texts);
    const ClipListReader reader = {[&] { return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); },
                                   [&](int index) { return ListText(list, index); }};
    ClipJournal(profile).SaveAll(reader, true);
    const std::int32_t numberToSave = static_cast<std::int32_t>(texts.size()) + changes;
    {
        // The changes of a working day: copies, some of them again (their twins go), and deletes.
        ClipJournal journal(profile);
        CListBox box;
        box.Attach(list);
        ListBoxItems items(box);
        ClipList clips(items);
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        const std::vector<std::u16string> loaded = journal.Load(numberToSave);
        clips.AppendBatch(static_cast<int>(loaded.size()), [&](const auto& append) {
            for (const std::u16string& text : loaded) append(text);
        });
        clips.Observe(&journal);
        for (int change = 0; change < changes; ++change) {
            if (change % 10 == 9)
                clips.Delete({change * 7 % clips.Count()});
            else if (change % 3 == 2)
                clips.InsertAtTop(clips.TextAt(change * 13 % clips.Count()), true);
            else
                clips.InsertAtTop(u"copied during the day: " + texts[change % texts.size()], true);
        }
        clips.Observe(nullptr);
    }
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    const std::u16string newest = ListText(list, 0);
    double bestStart = 1e9, bestLimit = 1e9;
    bool same = true;
    for (int round = 0; round < kRounds; ++round) {
        SendMessageW(list, LB_RESETCONTENT, 0, 0);
        Clock::time_point start = Clock::now();
        for (const std::u16string& text : ClipJournal(profile).Load(numberToSave))
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        bestStart = std::min(bestStart, SecondsSince(start));
        same = same && SendMessageW(list, LB_GETCOUNT, 0, 0) == count && ListText(list, 0) == newest;
        // The reference: as many values read from the two sections, and the list filled.
        const double lists = LimitLoad(sectionsPath + L"LastClips", texts.size(), list);
        const RegKey journalKey = RegKey::Open(HKEY_CURRENT_USER, (sectionsPath + L"Journal").c_str(), kAccess);
        wchar_t buffer[512];
        start = Clock::now();
        for (int record = 0; record <= changes; ++record) {
            const std::wstring name = std::to_wstring(100000000 + record).substr(1);
            DWORD size = sizeof buffer;
            RegQueryValueExW(journalKey.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        }
        bestLimit = std::min(bestLimit, lists + SecondsSince(start));
    }
    std::printf(
        "start %zu saved clippings and a journal of %d changes: limit %7.3f s   profile %7.3f s   ratio %.2f"
        "  (target <= 1.20)\n",
        texts.size(), changes, bestLimit, bestStart, bestStart / bestLimit);

    // The self-started full save, as the window's timer runs it: how long each step keeps the
    // window from answering.
    ClipJournal journal(profile);
    journal.Load(numberToSave);
    // As the window does it: the list copied a part at each tick, then the save begun from the copy.
    double longestCopy = 0, longestWrite = 0, total = 0;
    int steps = 0;
    const auto step = [&](double& longest, const auto& work) {
        const Clock::time_point start = Clock::now();
        const bool done = work();
        const double seconds = SecondsSince(start);
        longest = std::max(longest, seconds), total += seconds, ++steps;
        return done;
    };
    std::vector<std::u16string> copy;
    while (!step(longestCopy, [&] {
        for (int copied = 0; copied < kCompactionCopiesPerTick && static_cast<int>(copy.size()) < count; ++copied)
            copy.push_back(ListText(list, static_cast<int>(copy.size())));
        if (static_cast<int>(copy.size()) < count) return false;
        journal.BeginSplitSave({[&] { return static_cast<int>(copy.size()); }, [&](int index) { return copy[index]; }},
                               true);
        return true;
    })) {
    }
    while (!step(longestWrite, [&] { return journal.ContinueSplitSave(kCompactionWritesPerTick); })) {
    }
    std::printf(
        "self-started full save of %d clippings in %d steps: copies of %d items, the longest %.1f ms, then"
        " writes of %d values, the longest %.1f ms (target <= 100 ms); %.3f s in all\n",
        count, steps, kCompactionCopiesPerTick, longestCopy * 1000, kCompactionWritesPerTick, longestWrite * 1000,
        total);
    DeleteCompanyKey(company);
    if (!same) std::printf("the start with a journal did not give back the list\n");
    return same;
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
    const std::vector<std::u16string> ascii = MakeClippings(count, false);
    const bool asciiWhole = Measure("ASCII", ascii, list.Get());
    const bool beyondWhole = Measure("CJK and emoji", MakeClippings(count, true), list.Get());
    const bool journalWhole = MeasureJournal(ascii, 1000, list.Get());
    return asciiWhole && beyondWhole && journalWhole ? 0 : 1;
}
