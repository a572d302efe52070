#include "ui/ControlLayout.h"

#include "ui/DpiScale.h"

namespace {

// The outer margin on every side and the gap between neighbouring buttons, at 96 DPI.
constexpr int kMarginAt96 = 5;

// Left edge of a row of buttons centred in the client width. Each half is
// truncated on its own (the row's half toward zero, from a negative number), so
// an odd client width puts the row where the next smaller even width does.
int CentredRowLeft(int clientWidth, int rowWidth) { return (0 - rowWidth) / 2 + clientWidth / 2; }

ControlPlacement ButtonAt(int x, int y, PixelSize button) {
    return ControlPlacement{x, y, button.width, button.height};
}

// The client rectangle less the margins, with extra room kept below it.
ControlPlacement FillAbove(PixelSize client, int margin, int spaceBelow) {
    return ControlPlacement{margin, margin, client.width - 2 * margin, client.height - margin - spaceBelow};
}

}  // namespace

ClipViewLayout LayoutClipView(PixelSize client, PixelSize button, int dpi) {
    const int margin = ScaleToDpi(kMarginAt96, dpi), gap = margin;
    const int rowWidth = 3 * button.width + 2 * gap;
    const int left = CentredRowLeft(client.width, rowWidth);
    const int top = client.height - button.height - margin;
    const int step = button.width + gap;

    ClipViewLayout layout{};
    layout.copyButton = ButtonAt(left, top, button);
    layout.deleteButton = ButtonAt(left + step, top, button);
    layout.editButton = ButtonAt(left + 2 * step, top, button);
    // The list ends where the button row begins.
    layout.clipList = FillAbove(client, margin, button.height + margin);
    return layout;
}

EditTextLayout LayoutEditText(PixelSize client, PixelSize button, int dpi) {
    const int margin = ScaleToDpi(kMarginAt96, dpi), gap = margin;
    const int rowWidth = 2 * button.width + gap;
    const int left = CentredRowLeft(client.width, rowWidth);
    const int top = client.height - button.height - margin;

    EditTextLayout layout{};
    layout.okButton = ButtonAt(left, top, button);
    layout.cancelButton = ButtonAt(left + button.width + gap, top, button);
    // Unlike the view, the dialog keeps a gap between the edit and its buttons.
    layout.textEdit = FillAbove(client, margin, button.height + 2 * margin);
    return layout;
}
