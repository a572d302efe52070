#pragma once
// Where a scroll bar request takes a scrolled view: the position in pixels of the view's
// content that shows at its top or left edge, kept within the content.

namespace scrolling {

// What the user asked of one scroll bar.
enum class Request { LineBack, LineForward, PageBack, PageForward, ToThumb, ToStart, ToEnd, None };

// One direction of a scrolled view: the content's extent and the visible part of it.
struct Axis {
    int extent;
    int page;
};

// The furthest position: the content's end at the view's edge; 0 when the content fits.
int LastPosition(Axis axis);

// The position kept within 0..LastPosition.
int ClampPosition(int position, Axis axis);

// A line is a tenth of the visible part (at least a pixel); a page is the whole visible part.
int LineStep(Axis axis);

// The position the request leads to from the current one; thumb is the thumb's position,
// used only by ToThumb.
int NextPosition(int current, Request request, int thumb, Axis axis);

}  // namespace scrolling
