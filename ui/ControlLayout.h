#pragma once
// Where the clip view and the Edit Text dialog put their controls for a given
// client size and DPI. Pixels throughout; no window is touched here.

// A control's rectangle in its parent's client coordinates.
struct ControlPlacement {
    int x;
    int y;
    int width;
    int height;
};

// A width and a height in pixels.
struct PixelSize {
    int width;
    int height;
};

// The clip view: the clip list above a centred row of Copy, Delete and Edit.
struct ClipViewLayout {
    ControlPlacement copyButton;
    ControlPlacement deleteButton;
    ControlPlacement editButton;
    ControlPlacement clipList;
};

// The Edit Text dialog: the text edit above a centred row of OK and Cancel.
struct EditTextLayout {
    ControlPlacement okButton;
    ControlPlacement cancelButton;
    ControlPlacement textEdit;
};

// client: the window's client rectangle; button: the measured reference button
// (Copy in the view, OK in the dialog); dpi: the display's, which scales the
// margins and gaps (5 pixels at 96 DPI). Every button placement carries that
// button size, since the buttons are moved, never resized. Nothing is clamped:
// a window narrower than the button row gets negative x, and one smaller than
// the margins gets a list or edit of zero or negative size.
ClipViewLayout LayoutClipView(PixelSize client, PixelSize button, int dpi);
EditTextLayout LayoutEditText(PixelSize client, PixelSize button, int dpi);
