#pragma once
// Helpers of the card file, help screen and information screen tests: the
// screens on a temporary database, records written straight into their
// tables, and modal dialogs answered from inside the modal runs.

#include <QApplication>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace peopletest {

// Creates the fourteen empty tables in `dir`, points the cursors at it and
// creates the data-entry notice, the card file, the help screen and the
// information screens with the second about box.
void createScreens(const QString& dir);
void destroyScreens();

// Writes records into a screen's table through a cursor of its own (unit and
// cursor as the screen declares them): the values of `fields` in order.
void addRecords(const QString& unit, const QStringList& fields, const QList<QStringList>& records);

// Runs the steps one after another, each as soon as a new modal window is on
// top. Queue it before the call that opens the first one.
using Step = std::function<void(QWidget* top)>;
void answerModals(const QList<Step>& steps);
bool modalsAnswered();

template <typename T = QWidget>
T* child(QWidget* screen, const char* name)
{
    return screen ? screen->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

// Shows the screen as the active window of the process, out of any modal run.
bool showActive(QWidget* screen);

// A mouse move over `w` (its middle unless given), as the window system delivers it.
void moveOver(QWidget* w, QPoint local = QPoint(-1, -1));

// The objectName of the widget that has the focus.
QString focusName();

} // namespace peopletest
