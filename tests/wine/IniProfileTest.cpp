#include <gtest/gtest.h>
#include <windows.h>

#include <climits>
#include <string>

#include "framework/IniProfile.h"

namespace {

// Each test uses its own INI file in the Windows directory, deleted again afterwards.
class IniProfileTest : public ::testing::Test {
protected:
    IniProfileTest() : m_profile("ScrapvaultTest-" + std::to_string(GetCurrentProcessId()) + ".INI") {}

    void SetUp() override { DeleteFileA(FullPath().c_str()); }
    void TearDown() override { DeleteFileA(FullPath().c_str()); }

    std::string FullPath() const {
        char directory[MAX_PATH] = {};
        GetWindowsDirectoryA(directory, MAX_PATH);
        return std::string(directory) + "\\" + m_profile.FileName();
    }

    IniProfile m_profile;
};

}  // namespace

TEST_F(IniProfileTest, FileIsNamedAfterTheProgramWithoutADirectory) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string expected = path;
    expected = expected.substr(expected.find_last_of('\\') + 1);
    expected = expected.substr(0, expected.rfind('.')) + ".INI";

    EXPECT_EQ(expected, IniProfile::FileNameForProgram());
}

TEST_F(IniProfileTest, MissingEntriesGiveTheDefaults) {
    EXPECT_EQ(100, m_profile.GetInt("LastPosition", "Right", 100));
    EXPECT_EQ("dflt", m_profile.GetString("LastClips", "CLIP 00", "dflt"));
    EXPECT_EQ("", m_profile.GetString("LastClips", "CLIP 00", nullptr));
}

TEST_F(IniProfileTest, IntegersRoundTripAsDecimalTextInTheWindowsDirectory) {
    for (const int value : {0, 7, -1, -25536, INT_MAX}) {
        EXPECT_TRUE(m_profile.WriteInt("Configure", "NumberToSave", value));
        EXPECT_EQ(value, m_profile.GetInt("Configure", "NumberToSave", 12345)) << value;

        char text[32] = {};
        GetPrivateProfileStringA("Configure", "NumberToSave", "", text, sizeof text, FullPath().c_str());
        EXPECT_EQ(std::to_string(value), text);
    }
}

TEST_F(IniProfileTest, TextsRoundTripAndLongOnesComeBackCutTo4095Characters) {
    EXPECT_TRUE(m_profile.WriteString("LastClips", "CLIP 00", "some text"));
    EXPECT_EQ("some text", m_profile.GetString("LastClips", "CLIP 00", nullptr));

    EXPECT_TRUE(m_profile.WriteString("LastClips", "CLIP 01", ""));
    EXPECT_EQ("", m_profile.GetString("LastClips", "CLIP 01", "dflt"));

    const std::string longText(5000, 'q');
    EXPECT_TRUE(m_profile.WriteString("LastClips", "CLIP 02", longText.c_str()));
    EXPECT_EQ(longText.substr(0, 4095), m_profile.GetString("LastClips", "CLIP 02", nullptr));
}
