#include <gtest/gtest.h>

#include "framework/ScrollSteps.h"

using namespace scrolling;

TEST(ScrollSteps, EveryRequestStaysWithinTheContent) {
    const Axis axis{200, 50};  // positions 0..150, a line of 5, a page of 50
    const struct {
        int current;
        Request request;
        int thumb, expected;
    } rows[] = {{0, Request::LineForward, 0, 5},   {148, Request::LineForward, 0, 150}, {3, Request::LineBack, 0, 0},
                {20, Request::PageForward, 0, 70}, {120, Request::PageForward, 0, 150}, {40, Request::PageBack, 0, 0},
                {0, Request::ToThumb, 90, 90},     {0, Request::ToThumb, 400, 150},     {0, Request::ToThumb, -5, 0},
                {60, Request::ToEnd, 0, 150},      {60, Request::ToStart, 0, 0},        {60, Request::None, 0, 60}};
    for (const auto& row : rows)
        EXPECT_EQ(NextPosition(row.current, row.request, row.thumb, axis), row.expected)
            << "from " << row.current << " request " << static_cast<int>(row.request);
}

TEST(ScrollSteps, ContentThatFitsScrollsNowhere) {
    for (const Axis axis : {Axis{100, 100}, Axis{100, 300}, Axis{0, 0}}) {
        EXPECT_EQ(ClampPosition(40, axis), 0);
        EXPECT_EQ(NextPosition(0, Request::PageForward, 0, axis), 0);
    }
    EXPECT_EQ(LineStep(Axis{100, 4}), 1);  // never a step of nothing
}
