#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <climits>
#include <string>
#include <thread>
#include <vector>

#include "framework/RegKey.h"
#include "framework/RegistryProfile.h"
#include "settings/ClipArchive.h"

using namespace clip_archive;

namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_WRITE;

// Each test works under its own company key, HKCU\Software\ScrapvaultTest-<pid>, removed again
// afterwards, so that the program's own profile is never touched.
class RegistryProfileTest : public ::testing::Test {
protected:
    RegistryProfileTest()
        : m_company("ScrapvaultTest-" + std::to_string(GetCurrentProcessId())), m_profile(m_company, "Scrapvault") {}

    void SetUp() override { RemoveCompanyKey(); }
    void TearDown() override {
        m_profile.ReleaseSection();
        RemoveCompanyKey();
    }

    std::string SectionPath(const char* section) const { return "Software\\" + m_company + "\\Scrapvault\\" + section; }

    RegKey OpenSection(const char* section) const {
        return RegKey::Open(HKEY_CURRENT_USER, SectionPath(section).c_str(), kAccess);
    }

    // Stores a value the way another program might, bypassing RegistryProfile.
    void PutRaw(const char* section, const char* key, DWORD type, const void* data, DWORD size) const {
        const RegKey sectionKey = RegKey::Create(HKEY_CURRENT_USER, SectionPath(section).c_str(), kAccess);
        ASSERT_TRUE(sectionKey);
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(sectionKey.Get(), key, 0, type, static_cast<const BYTE*>(data), size));
    }

    struct RawValue {
        DWORD type = REG_NONE;
        std::vector<BYTE> bytes;
    };

    // Reads a stored value back without RegistryProfile; type REG_NONE when it is missing.
    RawValue GetRaw(const char* section, const char* key) const {
        RawValue value;
        const RegKey sectionKey = OpenSection(section);
        DWORD size = 0;
        if (!sectionKey ||
            RegQueryValueExA(sectionKey.Get(), key, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
            return RawValue();
        value.bytes.resize(size);
        if (RegQueryValueExA(sectionKey.Get(), key, nullptr, &value.type, value.bytes.data(), &size) != ERROR_SUCCESS)
            return RawValue();
        value.bytes.resize(size);
        return value;
    }

    void RemoveCompanyKey() const {
        const RegKey software = RegKey::Open(HKEY_CURRENT_USER, "Software", kAccess);
        RegKey::DeleteTree(software.Get(), m_company.c_str());
    }

    const std::string m_company;
    RegistryProfile m_profile;
};

std::string EveryNonZeroByte() {
    std::string text;
    for (int byte = 1; byte <= 255; ++byte) text += static_cast<char>(byte);
    return text;
}

std::string LongText(std::size_t length) {
    std::string text(length, ' ');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>('a' + i % 26);
    return text;
}

}  // namespace

TEST_F(RegistryProfileTest, FirstReadCreatesTheKeyPathButNoValue) {
    EXPECT_EQ(100, m_profile.GetInt("LastPosition", "Right", 100));
    EXPECT_EQ("", m_profile.GetString("LastClips", "CLIP 00", nullptr));

    const RegKey section = OpenSection("LastPosition");
    ASSERT_TRUE(section);
    DWORD values = 99;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKeyA(section.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                              &values, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(0u, values);
    EXPECT_TRUE(OpenSection("LastClips"));
}

TEST_F(RegistryProfileTest, IntegersAreStoredAsFourByteDwordsAndReadBackUnchanged) {
    for (const int value : {0, 1, -1, -25536, 40000, INT_MIN, INT_MAX}) {
        EXPECT_TRUE(m_profile.WriteInt("Configure", "NumberToSave", value));
        EXPECT_EQ(value, m_profile.GetInt("Configure", "NumberToSave", 12345)) << value;

        const RawValue raw = GetRaw("Configure", "NumberToSave");
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), raw.type);
        EXPECT_EQ(4u, raw.bytes.size());
    }
}

TEST_F(RegistryProfileTest, EmptyTextIsStoredAsOneZeroByteAndReadsBackEmpty) {
    EXPECT_TRUE(m_profile.WriteString("LastClips", "CLIP 00", ""));

    const RawValue raw = GetRaw("LastClips", "CLIP 00");
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), raw.type);
    EXPECT_EQ(std::vector<BYTE>{0}, raw.bytes);
    EXPECT_EQ("", m_profile.GetString("LastClips", "CLIP 00", "missing"));
    EXPECT_EQ("missing", m_profile.GetString("LastClips", "CLIP 01", "missing"));
    EXPECT_EQ("", m_profile.GetString("LastClips", "CLIP 01", nullptr));
}

TEST_F(RegistryProfileTest, TextsSurviveByteForByteWithTheirTerminatingZero) {
    const std::string texts[] = {"abc", EveryNonZeroByte(), LongText(1024 * 1024), std::string(255, '\xFF')};
    for (const std::string& text : texts) {
        EXPECT_TRUE(m_profile.WriteString("LastClips", "CLIP 00", text.c_str()));
        EXPECT_EQ(text, m_profile.GetString("LastClips", "CLIP 00", nullptr)) << text.size();

        const RawValue raw = GetRaw("LastClips", "CLIP 00");
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), raw.type);
        ASSERT_EQ(text.size() + 1, raw.bytes.size());
        EXPECT_EQ(0, raw.bytes.back());
    }
}

TEST_F(RegistryProfileTest, SecondWriteReplacesTheFirst) {
    m_profile.WriteString("LastClips", "CLIP 00", "a long first text");
    m_profile.WriteString("LastClips", "CLIP 00", "short");
    EXPECT_EQ("short", m_profile.GetString("LastClips", "CLIP 00", nullptr));

    m_profile.WriteInt("LastPosition", "Left", 5);
    m_profile.WriteInt("LastPosition", "Left", -7);
    EXPECT_EQ(-7, m_profile.GetInt("LastPosition", "Left", 0));
}

TEST_F(RegistryProfileTest, TextWithoutTerminatingZeroReadsUpToItsEnd) {
    PutRaw("LastClips", "CLIP 00", REG_SZ, "abc", 3);
    EXPECT_EQ("abc", m_profile.GetString("LastClips", "CLIP 00", nullptr));

    const std::string longText = LongText(5000);
    PutRaw("LastClips", "CLIP 01", REG_SZ, longText.data(), static_cast<DWORD>(longText.size()));
    EXPECT_EQ(longText, m_profile.GetString("LastClips", "CLIP 01", nullptr));

    PutRaw("LastClips", "CLIP 02", REG_SZ, "ab\0cd", 5);
    EXPECT_EQ("ab", m_profile.GetString("LastClips", "CLIP 02", nullptr));
}

TEST_F(RegistryProfileTest, ValuesOfEveryTypeReadAsTextUpToTheirFirstZero) {
    const DWORD number = 0x00636261;  // the bytes of "abc" and a zero
    PutRaw("LastClips", "CLIP 00", REG_DWORD, &number, sizeof number);
    PutRaw("LastClips", "CLIP 01", REG_BINARY, "abc", 4);
    const std::vector<char> bigBinary(3 * 1024 * 1024, 'x');
    PutRaw("LastClips", "CLIP 02", REG_BINARY, bigBinary.data(), static_cast<DWORD>(bigBinary.size()));

    EXPECT_EQ("abc", m_profile.GetString("LastClips", "CLIP 00", "fallback"));
    EXPECT_EQ("abc", m_profile.GetString("LastClips", "CLIP 01", "fallback"));
    EXPECT_EQ(std::string(bigBinary.begin(), bigBinary.end()), m_profile.GetString("LastClips", "CLIP 02", nullptr));
}

TEST_F(RegistryProfileTest, IntegerReadTakesAnyFourByteValueAndGivesTheDefaultForOtherSizes) {
    PutRaw("Configure", "Text3", REG_SZ, "12", 3);
    PutRaw("Configure", "Text4", REG_SZ, "123", 4);
    PutRaw("Configure", "Binary4", REG_BINARY, "\x01\x02\x03\x04", 4);
    PutRaw("Configure", "Binary2", REG_BINARY, "\x01\x02", 2);
    const unsigned long long wide = 7;
    PutRaw("Configure", "Qword", REG_QWORD, &wide, sizeof wide);
    const std::string huge = LongText(4 * 1024 * 1024);
    PutRaw("Configure", "Huge", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));

    for (const char* key : {"Text3", "Binary2", "Qword", "Huge"})
        EXPECT_EQ(-77, m_profile.GetInt("Configure", key, -77)) << key;
    EXPECT_EQ(0x00333231, m_profile.GetInt("Configure", "Text4", -77));
    EXPECT_EQ(0x04030201, m_profile.GetInt("Configure", "Binary4", -77));
}

TEST_F(RegistryProfileTest, SeveralMegabyteTextIsReadWhole) {
    const std::string huge = LongText(6 * 1024 * 1024 + 3);
    PutRaw("LastClips", "CLIP 00", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
    EXPECT_EQ(huge, m_profile.GetString("LastClips", "CLIP 00", nullptr));
}

TEST_F(RegistryProfileTest, TextRewrittenDuringReadsGivesOneOfItsVersions) {
    const std::string shortText = "short";
    const std::string longText = LongText(20000);
    m_profile.WriteString("LastClips", "CLIP 00", shortText.c_str());

    std::atomic<bool> stop{false};
    std::thread writer([&] {
        RegistryProfile other(m_company, "Scrapvault");
        for (int round = 0; !stop; ++round)
            other.WriteString("LastClips", "CLIP 00", (round % 2 ? shortText : longText).c_str());
    });
    for (int read = 0; read < 300; ++read) {
        const std::string text = m_profile.GetString("LastClips", "CLIP 00", "fallback");
        EXPECT_TRUE(text == shortText || text == longText || text == "fallback") << text.size();
    }
    stop = true;
    writer.join();
}

TEST_F(RegistryProfileTest, NullKeyRemovesTheSectionAndNullTextTheValue) {
    m_profile.WriteString("LastClips", "CLIP 00", "one");
    m_profile.WriteString("LastClips", "CLIP 01", "two");
    EXPECT_TRUE(m_profile.WriteString("LastClips", "CLIP 00", nullptr));
    EXPECT_EQ("gone", m_profile.GetString("LastClips", "CLIP 00", "gone"));
    EXPECT_EQ("two", m_profile.GetString("LastClips", "CLIP 01", nullptr));

    const HeldSection held(m_profile, "LastClips");
    EXPECT_TRUE(m_profile.WriteString("LastClips", nullptr, nullptr));
    EXPECT_FALSE(OpenSection("LastClips"));
    EXPECT_EQ("gone", m_profile.GetString("LastClips", "CLIP 01", "gone"));
    EXPECT_TRUE(OpenSection("LastClips"));
}

TEST_F(RegistryProfileTest, HeldSectionReadsAndWritesExactlyAsUnheld) {
    const auto exercise = [this](const char* section) {
        std::vector<std::string> seen;
        seen.push_back(std::to_string(m_profile.GetInt(section, "Missing", 100)));
        seen.push_back(m_profile.GetString(section, "Missing", "dflt"));
        m_profile.WriteInt(section, "Int", -5);
        m_profile.WriteString(section, "Empty", "");
        m_profile.WriteString(section, "Text", EveryNonZeroByte().c_str());
        m_profile.WriteInt("Other", "Int", 9);  // a section that is not held
        seen.push_back(std::to_string(m_profile.GetInt(section, "Int", 0)));
        seen.push_back(m_profile.GetString(section, "Empty", "dflt"));
        seen.push_back(m_profile.GetString(section, "Text", nullptr));
        seen.push_back(std::to_string(m_profile.GetInt("Other", "Int", 0)));
        return seen;
    };

    const std::vector<std::string> unheld = exercise("Unheld");
    std::vector<std::string> held;
    {
        const HeldSection hold(m_profile, "Held");
        held = exercise("Held");
    }
    EXPECT_EQ(unheld, held);
    for (const char* key : {"Int", "Empty", "Text"}) {
        const RawValue a = GetRaw("Unheld", key);
        const RawValue b = GetRaw("Held", key);
        EXPECT_EQ(a.type, b.type) << key;
        EXPECT_EQ(a.bytes, b.bytes) << key;
    }
}

TEST_F(RegistryProfileTest, ClippingsSurviveASaveAndLoadByteForByte) {
    const std::vector<std::string> items = {"newest", LongText(1024 * 1024), "", EveryNonZeroByte(), "newest",
                                            "oldest"};
    SaveClippings(m_profile,
                  {[&] { return static_cast<int>(items.size()); },
                   [&](int index) { return items.at(static_cast<std::size_t>(index)); }},
                  true);

    std::vector<std::string> loaded;
    LoadClippings(m_profile, 100, [&](const std::string& text) { loaded.push_back(text); });
    const std::vector<std::string> expected = {"newest", LongText(1024 * 1024), EveryNonZeroByte(), "oldest"};
    EXPECT_EQ(expected, loaded);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), GetRaw("LastClips", "CLIP 04").type);
    EXPECT_EQ(std::vector<BYTE>{0}, GetRaw("LastClips", "CLIP 04").bytes);
}
