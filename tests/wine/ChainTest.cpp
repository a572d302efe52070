// The program as one link of the clipboard-viewer chain: it passes every notification on,
// follows the chain when windows leave it, and does not hang behind a viewer that has
// stopped responding.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/wine/support/Clipboard.h"
#include "tests/wine/support/ProfileRegistry.h"
#include "tests/wine/support/ProgramUnderTest.h"
#include "tests/wine/support/TestViewer.h"
#include "tests/wine/support/Wait.h"

using namespace harness;

namespace {
bool Captured(const ProgramUnderTest& program, const std::string& text) {
    return WaitUntil([&] {
        const std::vector<std::string> clippings = program.Clippings();
        return !clippings.empty() && clippings.front() == text;
    });
}
}  // namespace

// The steps build on each other: the chain is program -> near -> far, then the far viewer
// leaves (a window further down), then the near one (the program's own next viewer).
TEST(ViewerChain, NotificationsPassOnAndTheChainIsFollowedAsViewersLeave) {
    ProgramUnderTest::EndStrayInstances();
    PrepareQuietStart();
    TestViewer farViewer;
    TestViewer nearViewer;
    ProgramUnderTest program = ProgramUnderTest::Start();
    EXPECT_EQ(nearViewer.NextViewer(), farViewer.Window());

    {
        SCOPED_TRACE("a copy passes the program and both viewers behind it");
        const int nearBefore = nearViewer.Notifications();
        const int farBefore = farViewer.Notifications();
        CopyText("through the chain");
        EXPECT_TRUE(nearViewer.WaitForNotifications(nearBefore + 1));
        EXPECT_TRUE(farViewer.WaitForNotifications(farBefore + 1));
        EXPECT_TRUE(Captured(program, "through the chain"));
    }
    {
        SCOPED_TRACE("a viewer that has stopped responding does not hang the program");
        nearViewer.Hang();
        CopyText("behind a hung viewer");
        EXPECT_TRUE(Captured(program, "behind a hung viewer"));
        CopyText("and another");
        EXPECT_TRUE(Captured(program, "and another"));
        EXPECT_TRUE(program.WaitUntilIdle(Milliseconds(15000)));
        nearViewer.Resume();
    }
    {
        SCOPED_TRACE("another window leaving: the change is passed on to the next viewer");
        const int changesBefore = nearViewer.ChainChanges();
        farViewer.Leave();
        EXPECT_TRUE(WaitUntil([&] { return nearViewer.ChainChanges() == changesBefore + 1; }));
        EXPECT_EQ(nearViewer.NextViewer(), nullptr);
        const int nearBefore = nearViewer.Notifications();
        CopyText("after the far viewer left");
        EXPECT_TRUE(nearViewer.WaitForNotifications(nearBefore + 1));
        EXPECT_TRUE(Captured(program, "after the far viewer left"));
    }
    {
        SCOPED_TRACE("the next viewer leaving: the program links past it and is the chain's end");
        const int changesBefore = nearViewer.ChainChanges();
        nearViewer.Leave();
        CopyText("at the end of the chain");
        EXPECT_TRUE(Captured(program, "at the end of the chain"));
        EXPECT_EQ(nearViewer.ChainChanges(), changesBefore);
    }
    EXPECT_TRUE(program.WaitUntilIdle());
    EXPECT_EQ(program.Close(), std::optional<DWORD>(0));
}
