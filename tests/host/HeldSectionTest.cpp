#include <gtest/gtest.h>

#include <utility>

#include "tests/host/FakeProfileStore.h"

TEST(HeldSectionTest, HoldsForItsScopeAndReleasesOnce) {
    FakeProfileStore profile;
    {
        const HeldSection held(profile, "LastClips");
        profile.WriteInt("LastClips", "k", 1);
        EXPECT_TRUE(profile.IsHolding());
    }
    EXPECT_FALSE(profile.IsHolding());
    EXPECT_EQ(1, profile.HoldCount());
    EXPECT_EQ(1, profile.ReleaseCount());
    EXPECT_EQ("LastClips", profile.Log().at(0).heldSection);
}

TEST(HeldSectionTest, MovedHoldIsReleasedOnlyByItsNewOwner) {
    FakeProfileStore profile;
    {
        HeldSection first(profile, "Configure");
        {
            const HeldSection second(std::move(first));
            EXPECT_EQ(0, profile.ReleaseCount());
        }
        EXPECT_EQ(1, profile.ReleaseCount());
        EXPECT_FALSE(profile.IsHolding());
    }
    EXPECT_EQ(1, profile.ReleaseCount());
}

TEST(HeldSectionTest, MoveAssignmentReleasesTheHoldItReplaces) {
    FakeProfileStore profile;
    HeldSection target(profile, "Configure");
    HeldSection source(profile, "LastClips");
    target = std::move(source);
    EXPECT_EQ(1, profile.ReleaseCount());
    { const HeldSection done(std::move(target)); }
    EXPECT_EQ(2, profile.ReleaseCount());
}
