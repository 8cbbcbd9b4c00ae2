#pragma once
// Key-press handlers of the shop screens: a handler receives the character
// typed into a control (Enter is 13, Esc is 27, Backspace is 8) and consumes
// it by setting it to the null character; otherwise the control gets the key.

#include <QChar>
#include <QObject>
#include <functional>

class QWidget;

namespace yb {

using KeyPressHandler = std::function<void(QChar& key)>;

// Routes the key presses of `control` through `handler` before the control
// sees them. An error the handler raises goes to the general error report;
// the key is then consumed.
void onKeyPress(QWidget* control, KeyPressHandler handler);

} // namespace yb
