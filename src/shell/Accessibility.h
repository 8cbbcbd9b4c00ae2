#pragma once
// Names for assistive technology (screen readers and tools that drive the
// program the same way). Every control of a screen that the user can focus
// or press gets a name, derived from what the screen already shows:
//
// - a button with a caption is named by Qt from its caption; a picture
//   button by its tooltip;
// - an edit box, memo, list or grid by the caption of the label above it
//   (or to its left). A label without an accelerator of its own becomes the
//   control's buddy; otherwise the control gets the caption as its name. A
//   control may name its label explicitly with the dynamic property
//   "accessibleLabel" (the label's objectName) where the layout is not
//   plain; without a label the tooltip, then a name for the kind of
//   control, is used;
// - labels that show a value that changes by itself (the clocks, the
//   running total) are named by their role; the value stays their text.
//
// Names already set are kept. Nothing visible changes.

#include <QString>

class QWidget;

namespace yb {

// Names the controls of `screen` and watches it, so that controls that
// appear later are named when the screen is shown.
void nameControls(QWidget* screen);

// The name a screen reader gives `w` (empty when it has none).
QString accessibleNameOf(QWidget* w);

// Whether the user can focus or press `w`.
bool isOperable(const QWidget* w);

} // namespace yb
