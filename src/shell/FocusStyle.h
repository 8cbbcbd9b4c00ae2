#pragma once
// The program's style: the platform's own style, except that a push button
// that has the focus always shows it, with the focus frame and the look of
// the default button. Enter and Space press the focused button on every
// screen, so the user must see which one it is, however the focus got there
// (by Tab, by a click, or by the screen's own handler after a lookup).

#include <QProxyStyle>

namespace yb {

class FocusStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Wraps `base` (taking it over); without one, the style the toolkit
    // would use anyway.
    explicit FocusStyle(QStyle* base = nullptr);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

// Installs FocusStyle over the application's present style.
void installFocusStyle();

} // namespace yb
