#include <gtest/gtest.h>

#include "framework/ScrollSteps.h"

using namespace scrolling;

TEST(ScrollSteps, EveryRequestStaysWithinTheContent) {
    const Axis axis{200, 50};  // positions 0..150, a line of 5, a page of 50
    struct Row {
        int current;
        Request request;
        int thumb;
        int expected;
    };
    for (const Row row :
         {Row{0, Request::LineForward, 0, 5}, Row{148, Request::LineForward, 0, 150}, Row{3, Request::LineBack, 0, 0},
          Row{20, Request::PageForward, 0, 70}, Row{120, Request::PageForward, 0, 150},
          Row{40, Request::PageBack, 0, 0}, Row{0, Request::ToThumb, 90, 90}, Row{0, Request::ToThumb, 400, 150},
          Row{0, Request::ToThumb, -5, 0}, Row{60, Request::ToEnd, 0, 150}, Row{60, Request::ToStart, 0, 0},
          Row{60, Request::None, 0, 60}})
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
