#pragma once
// The application object. It installs the general error report as the sink of
// the errors that event handlers let through (guarded or not), and the
// program carries on. It also makes Enter press the focused push button on every screen.

#include <QApplication>
#include <QIcon>

namespace yb {

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    ~Application() override;
    bool notify(QObject* receiver, QEvent* event) override;
};

// The program's own icon, drawn from its SVG at the usual sizes; the icon of
// every window of the program.
QIcon programIcon();

// Maps the font families that the screens name ("System", "MS Sans Serif",
// "Arial", "Courier New") to fonts present on this machine.
void installFontSubstitutions();

} // namespace yb
