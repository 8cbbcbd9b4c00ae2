#pragma once
// Services that every screen of the program uses: showing and closing
// screens, ending the program, the beep, the status hint line, the focus
// colours of typed-into boxes and the message boxes.
//
// A screen is a top-level QWidget (or QDialog) registered with
// registerScreen(). Its activation handler is a slot named FormActivate();
// the shell runs it each time the screen is shown modally, and when a
// non-modal screen becomes the process's active screen (not when a modal
// screen it opened returns to it).

#include <QColor>
#include <QSize>
#include <QString>

#include <functional>
#include <type_traits>

class QLabel;
class QWidget;

namespace yb {

// The application title: caption of the plain message box and of the
// general error report.
QString applicationTitle();

// ---- screens
// `activate`, when given, is the screen's activation handler called directly;
// without it the shell calls the screen's FormActivate() slot by name.
// Either way the handler runs guarded: an error it raises stops it and goes
// to the error sink, the general error report.
void registerScreen(QWidget* screen, std::function<void()> activate = {});
// Registers a screen of a known class: its FormActivate(), if it has one, is
// called directly.
template <class S>
requires(!std::is_same_v<S, QWidget>) void registerScreen(S* screen)
{
    if constexpr (requires { screen->FormActivate(); })
        registerScreen(static_cast<QWidget*>(screen), [screen] { screen->FormActivate(); });
    else
        registerScreen(static_cast<QWidget*>(screen), std::function<void()>());
}
void unregisterScreen(QWidget* screen);
// The screen that is active in the process (message boxes do not count).
QWidget* activeScreen();

// Shows `screen` as a modal window and runs a nested event loop until it is
// closed; every other window is blocked meanwhile, timers keep running. The
// screen's FormActivate runs once, before the user can act. Afterwards the
// screen is hidden and the screen that was active before is activated again
// without running its own activation handler; until the user next presses a
// key or a mouse button, wherever the window system moves the focus runs no
// activation handler either.
void showModal(QWidget* screen);
bool isShowingModally(const QWidget* screen);
// Modeless show and hide.
void showModeless(QWidget* screen);
void hideModeless(QWidget* screen);
// Makes the modeless `window` float over the screen `over`: the window
// manager keeps it above that screen, and a modal run of that screen does
// not block it. Also for a window already shown.
void floatOver(QWidget* window, QWidget* over);
// Close: ends the modal run of a modal screen, hides a modeless one.
// (The main menu turns its own close into terminate().)
void closeScreen(QWidget* screen);

// Ends every modal run and the event loop as soon as control returns to them.
void terminate();
bool isTerminating();
// Clears the terminate flag at the start of a program run.
void resetTerminate();

// ---- window frame
// Gives `screen` a single fixed border: restored, the window system is asked
// for the fixed size `restored` (the client area as designed); maximized, it
// has the size the window system gives a maximized window, and leaving that
// state brings the fixed size back, centred on the screen, so that the user
// never sets a size.
void useFixedFrame(QWidget* screen, const QSize& restored);

// ---- beep: the system's default sound. Every beep of the program goes
// through here, so the number of beeps can be observed.
void beep();
int beepCount();

// ---- status hint line
// Makes `line` the status hint line of `screen`. The screen and every
// descendant of it that carries the dynamic property "statusHint" sets the line to
// that sentence on each mouse move over it (an empty sentence clears the
// line: background panels). Widgets without the property leave it alone.
void attachHintLine(QWidget* screen, QLabel* line);
// Sets the caption of the screen's status hint line; empty clears it.
void setHint(QWidget* screen, const QString& sentence);

// ---- focus colours
// The text of `box` (a bound memo or edit) shows in `focused` while the box
// has the focus and in the system window-text colour otherwise.
inline const QColor focusRed{255, 0, 0};  // colour value 255 (0x0000FF)
inline const QColor focusBlue{0, 0, 255}; // colour value 0xFF0000
void useFocusColours(QWidget* box, const QColor& focused = focusRed);
// The record screens' fixed colours: the spacer memos (Memo1, Memo123) write
// in black, the lookup list `list` has a white ground.
void useRecordScreenColours(QWidget* screen, QWidget* list);

// ---- message boxes (each modal to the whole process)
// Notice box "Aviso": OK, no icon.
void noticeBox(const QString& text);
// Plain message box: the application title, OK, no icon.
void messageBox(const QString& text);
// Text prompt with OK and Cancel; Cancel returns `defaultText`.
QString inputQuery(const QString& caption, const QString& prompt, const QString& defaultText = QString());
// The narrowest width of a dialog whose title bar shows `caption` whole: the
// caption in a bold title font plus the window frame's icon and buttons.
int captionMinimumWidth(const QString& caption);
// Makes a message box or text prompt at least captionMinimumWidth() of its
// title wide; other widgets are left alone. The application does it for
// every such box as it is shown.
void fitCaption(QWidget* box);

// General error report: the message followed by ".", the application
// title, stop icon, OK.
void reportError(const QString& message);
// The text the general error report shows for `message`.
QString errorReportText(const QString& message);

} // namespace yb
