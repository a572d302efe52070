#include <gtest/gtest.h>

#include "ui/ControlLayout.h"

namespace {

constexpr PixelSize kButton{75, 23};

void ExpectPlacement(const ControlPlacement& actual, int x, int y, int width, int height) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
    EXPECT_EQ(actual.width, width);
    EXPECT_EQ(actual.height, height);
}

TEST(ClipViewLayout, CentresTheButtonRowFivePixelsAboveTheBottom) {
    const ClipViewLayout layout = LayoutClipView({300, 200}, kButton);

    ExpectPlacement(layout.copyButton, 33, 172, 75, 23);
    ExpectPlacement(layout.deleteButton, 113, 172, 75, 23);
    ExpectPlacement(layout.editButton, 193, 172, 75, 23);
}

TEST(ClipViewLayout, ListFillsTheClientAboveTheButtonsWithinTheMargin) {
    const ClipViewLayout layout = LayoutClipView({300, 200}, kButton);

    ExpectPlacement(layout.clipList, 5, 5, 290, 167);
    EXPECT_EQ(layout.clipList.y + layout.clipList.height, layout.copyButton.y);
}

TEST(ClipViewLayout, OddClientWidthPlacesButtonsAsTheEvenWidthBelowButWidensTheList) {
    const ClipViewLayout even = LayoutClipView({300, 200}, kButton);
    const ClipViewLayout odd = LayoutClipView({301, 200}, kButton);

    EXPECT_EQ(odd.copyButton.x, even.copyButton.x);
    EXPECT_EQ(odd.deleteButton.x, even.deleteButton.x);
    EXPECT_EQ(odd.editButton.x, even.editButton.x);
    EXPECT_EQ(odd.clipList.width, 291);
}

TEST(ClipViewLayout, RowWiderThanTheWindowStartsLeftOfTheClientArea) {
    const ClipViewLayout layout = LayoutClipView({200, 200}, kButton);

    EXPECT_EQ(layout.copyButton.x, -17);
    EXPECT_EQ(layout.deleteButton.x, 63);
    EXPECT_EQ(layout.editButton.x, 143);
}

TEST(ClipViewLayout, HalvesOfAnOddRowWidthAreTruncatedTowardZeroSeparately) {
    // Row 3 * 76 + 10 = 238 (even) against 3 * 75 + 10 = 235 (odd): the odd
    // row's half is 117, not 118, so its first button is one pixel further right.
    const ClipViewLayout evenRow = LayoutClipView({301, 100}, {76, 20});
    const ClipViewLayout oddRow = LayoutClipView({301, 100}, {75, 20});

    EXPECT_EQ(evenRow.copyButton.x, 150 - 119);
    EXPECT_EQ(oddRow.copyButton.x, 150 - 117);
    EXPECT_EQ(evenRow.editButton.x, 31 + 2 * 81);
}

TEST(ClipViewLayout, ButtonsKeepTheMeasuredSizeWhenTheWindowGrows) {
    const ClipViewLayout small = LayoutClipView({300, 200}, {80, 26});
    const ClipViewLayout large = LayoutClipView({640, 480}, {80, 26});

    for (const ControlPlacement* button : {&large.copyButton, &large.deleteButton, &large.editButton}) {
        EXPECT_EQ(button->width, 80);
        EXPECT_EQ(button->height, 26);
        EXPECT_EQ(button->y, 480 - 26 - 5);
    }
    EXPECT_EQ(large.clipList.width - small.clipList.width, 340);
    EXPECT_EQ(large.clipList.height - small.clipList.height, 280);
    ExpectPlacement(large.clipList, 5, 5, 630, 444);
}

TEST(ClipViewLayout, ClientSmallerThanTheMarginsGivesUnclampedListSize) {
    const ClipViewLayout layout = LayoutClipView({10, 20}, kButton);

    ExpectPlacement(layout.clipList, 5, 5, 0, 20 - 23 - 10);
    EXPECT_EQ(layout.copyButton.y, 20 - 23 - 5);
    EXPECT_EQ(layout.copyButton.x, 5 - 117);
}

TEST(ClipViewLayout, EmptyClientStillPlacesEveryControl) {
    const ClipViewLayout layout = LayoutClipView({0, 0}, kButton);

    ExpectPlacement(layout.copyButton, -117, -28, 75, 23);
    ExpectPlacement(layout.deleteButton, -37, -28, 75, 23);
    ExpectPlacement(layout.editButton, 43, -28, 75, 23);
    ExpectPlacement(layout.clipList, 5, 5, -10, -33);
}

TEST(EditTextLayout, CentresOkAndCancelFivePixelsAboveTheBottom) {
    const EditTextLayout layout = LayoutEditText({200, 150}, kButton);

    ExpectPlacement(layout.okButton, 23, 122, 75, 23);
    ExpectPlacement(layout.cancelButton, 103, 122, 75, 23);
}

TEST(EditTextLayout, EditEndsFivePixelsAboveTheButtons) {
    const EditTextLayout layout = LayoutEditText({200, 150}, kButton);

    ExpectPlacement(layout.textEdit, 5, 5, 190, 112);
    EXPECT_EQ(layout.okButton.y - (layout.textEdit.y + layout.textEdit.height), 5);
}

TEST(EditTextLayout, OddClientWidthPlacesButtonsAsTheEvenWidthBelowButWidensTheEdit) {
    const EditTextLayout layout = LayoutEditText({201, 150}, kButton);

    ExpectPlacement(layout.okButton, 23, 122, 75, 23);
    ExpectPlacement(layout.cancelButton, 103, 122, 75, 23);
    EXPECT_EQ(layout.textEdit.width, 191);
    EXPECT_EQ(layout.textEdit.height, 112);
}

TEST(EditTextLayout, EvenButtonWidthCentresTheOddRowByTruncation) {
    // Row 2 * 76 + 5 = 157: its half toward zero is 78, so OK starts 78 left of centre.
    const EditTextLayout layout = LayoutEditText({200, 150}, {76, 23});

    EXPECT_EQ(layout.okButton.x, 100 - 78);
    EXPECT_EQ(layout.cancelButton.x, 100 - 78 + 76 + 5);
}

TEST(EditTextLayout, ClientSmallerThanTheMarginsGivesUnclampedEditSize) {
    const EditTextLayout layout = LayoutEditText({8, 30}, kButton);

    ExpectPlacement(layout.textEdit, 5, 5, -2, 30 - 23 - 15);
    ExpectPlacement(layout.okButton, 4 - 77, 30 - 23 - 5, 75, 23);
    ExpectPlacement(layout.cancelButton, 4 - 77 + 80, 30 - 23 - 5, 75, 23);
}

}  // namespace
