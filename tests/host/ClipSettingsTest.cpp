#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ClipSettings.h"
#include "tests/host/FakeProfileStore.h"

using namespace settings;

namespace {

const std::vector<std::string> kReadOrder = {"NumberToSave",       "RemoveDups",  "AlwaysOnTop",
                                             "MinimizeOnCopy",     "ConfirmExit", "ConfirmOnWindowsExit",
                                             "SystemMenuClippings"};

const std::vector<std::string> kWriteOrder = {"NumberToSave",       "RemoveDups",  "MinimizeOnCopy",
                                              "AlwaysOnTop",        "ConfirmExit", "ConfirmOnWindowsExit",
                                              "SystemMenuClippings"};

std::vector<std::string> KeysOf(const std::vector<FakeProfileStore::Access>& accesses) {
    std::vector<std::string> keys;
    for (const auto& access : accesses) keys.push_back(access.key);
    return keys;
}

// A record whose fields all differ, so that a field stored under the wrong key shows.
ClipSettings DistinctSettings() {
    ClipSettings settings;
    settings.RemoveDups = 11;
    settings.NumberToSave = 22;
    settings.AlwaysOnTop = 33;
    settings.MinimizeOnCopy = 44;
    settings.ConfirmExit = 55;
    settings.ConfirmOnWindowsExit = 66;
    settings.SystemMenuClippings = -77;
    return settings;
}

}  // namespace

TEST(ClipSettingsTest, DefaultRecordIsAllZerosForTheDialog) {
    const ClipSettings settings;
    EXPECT_EQ(0, settings.RemoveDups);
    EXPECT_EQ(0, settings.NumberToSave);
    EXPECT_EQ(0, settings.AlwaysOnTop);
    EXPECT_EQ(0, settings.MinimizeOnCopy);
    EXPECT_EQ(0, settings.ConfirmExit);
    EXPECT_EQ(0, settings.ConfirmOnWindowsExit);
    EXPECT_EQ(0, settings.SystemMenuClippings);
}

TEST(ClipSettingsTest, EmptyProfileLoadsDefaultsAndTriggersFirstRun) {
    FakeProfileStore profile;
    ClipSettings settings = LoadSettings(profile);

    EXPECT_EQ(0, settings.RemoveDups);
    EXPECT_EQ(0, settings.NumberToSave);
    EXPECT_EQ(0, settings.AlwaysOnTop);
    EXPECT_EQ(1, settings.MinimizeOnCopy);
    EXPECT_EQ(1, settings.ConfirmExit);
    EXPECT_EQ(0, settings.ConfirmOnWindowsExit);
    EXPECT_EQ(0, settings.SystemMenuClippings);

    EXPECT_TRUE(ApplyFirstRunRule(settings));
    EXPECT_EQ(10, settings.NumberToSave);
    EXPECT_EQ(ClipSettings::Defaults(), settings);
    EXPECT_TRUE(profile.Writes().empty());
}

TEST(ClipSettingsTest, LoadReadsEveryKeyOfConfigureInOrder) {
    FakeProfileStore profile;
    LoadSettings(profile);

    const auto reads = profile.Reads();
    EXPECT_EQ(kReadOrder, KeysOf(reads));
    for (const auto& read : reads) {
        EXPECT_EQ("Configure", read.section);
        EXPECT_EQ("Configure", read.heldSection);
    }
    EXPECT_FALSE(profile.IsHolding());
}

TEST(ClipSettingsTest, LoadPutsEachStoredValueInItsOwnField) {
    FakeProfileStore profile;
    profile.Put("Configure", "RemoveDups", 11);
    profile.Put("Configure", "NumberToSave", 22);
    profile.Put("Configure", "AlwaysOnTop", 33);
    profile.Put("Configure", "MinimizeOnCopy", 44);
    profile.Put("Configure", "ConfirmExit", 55);
    profile.Put("Configure", "ConfirmOnWindowsExit", 66);
    profile.Put("Configure", "SystemMenuClippings", -77);
    profile.Put("LastPosition", "AlwaysOnTop", 999);

    EXPECT_EQ(DistinctSettings(), LoadSettings(profile));
}

TEST(ClipSettingsTest, SaveWritesAllSevenWithMinimizeOnCopyBeforeAlwaysOnTop) {
    FakeProfileStore profile;
    SaveSettings(profile, DistinctSettings());

    const auto writes = profile.Writes();
    ASSERT_EQ(kWriteOrder, KeysOf(writes));
    const std::vector<int> expectedValues = {22, 11, 44, 33, 55, 66, -77};
    for (std::size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ("Configure", writes[i].section);
        EXPECT_EQ("Configure", writes[i].heldSection);
        EXPECT_EQ(FakeProfileStore::Value(expectedValues[i]), *writes[i].written) << writes[i].key;
    }
    EXPECT_FALSE(profile.IsHolding());
}

TEST(ClipSettingsTest, SavedSettingsLoadBackUnchangedWithoutNormalisingFlags) {
    FakeProfileStore profile;
    ClipSettings settings = DistinctSettings();
    settings.AlwaysOnTop = 5;
    SaveSettings(profile, settings);

    ClipSettings loaded = LoadSettings(profile);
    EXPECT_EQ(settings, loaded);
    EXPECT_FALSE(ApplyFirstRunRule(loaded));
    EXPECT_EQ(settings, loaded);
}

TEST(ClipSettingsTest, FirstRunRuleFiresOnlyForExactlyZero) {
    for (const int stored : {0, -1, -32768, 1, 5, 40000}) {
        FakeProfileStore profile;
        profile.Put("Configure", "NumberToSave", stored);
        ClipSettings settings = LoadSettings(profile);

        const bool fired = ApplyFirstRunRule(settings);
        EXPECT_EQ(stored == 0, fired) << stored;
        EXPECT_EQ(stored == 0 ? 10 : stored, settings.NumberToSave) << stored;
    }
}

TEST(ClipSettingsTest, FirstRunCancelledStillStoresTenAndDefaultsSoNextStartOpensNoDialog) {
    FakeProfileStore profile;
    ClipSettings firstRun = LoadSettings(profile);
    ASSERT_TRUE(ApplyFirstRunRule(firstRun));
    SaveSettings(profile, firstRun);

    ClipSettings nextRun = LoadSettings(profile);
    EXPECT_FALSE(ApplyFirstRunRule(nextRun));
    EXPECT_EQ(ClipSettings::Defaults(), nextRun);
}

TEST(ClipSettingsTest, ConfirmOnWindowsExitIsReadFromTheProfile) {
    FakeProfileStore profile;
    EXPECT_EQ(0, ReadConfirmOnWindowsExit(profile));

    ClipSettings settings = ClipSettings::Defaults();
    settings.ConfirmOnWindowsExit = 1;
    SaveSettings(profile, settings);
    EXPECT_EQ(1, ReadConfirmOnWindowsExit(profile));

    profile.Put("Configure", "ConfirmOnWindowsExit", 7);
    EXPECT_EQ(7, ReadConfirmOnWindowsExit(profile));
}
