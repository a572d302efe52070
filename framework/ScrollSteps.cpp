#include "framework/ScrollSteps.h"

#include <algorithm>

namespace scrolling {

int LastPosition(Axis axis) { return std::max(0, axis.extent - std::max(0, axis.page)); }

int ClampPosition(int position, Axis axis) { return std::clamp(position, 0, LastPosition(axis)); }

int LineStep(Axis axis) { return std::max(1, axis.page / 10); }

int NextPosition(int current, Request request, int thumb, Axis axis) {
    const int page = std::max(1, axis.page);
    switch (request) {
        case Request::LineBack:
            return ClampPosition(current - LineStep(axis), axis);
        case Request::LineForward:
            return ClampPosition(current + LineStep(axis), axis);
        case Request::PageBack:
            return ClampPosition(current - page, axis);
        case Request::PageForward:
            return ClampPosition(current + page, axis);
        case Request::ToThumb:
            return ClampPosition(thumb, axis);
        case Request::ToStart:
            return 0;
        case Request::ToEnd:
            return LastPosition(axis);
        case Request::None:
            break;
    }
    return ClampPosition(current, axis);
}

}  // namespace scrolling
