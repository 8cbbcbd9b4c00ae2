#pragma once
// Helpers shared by the tests that drive real screens: modal dialogs answered
// from inside the modal runs that show them, windows brought up as the active
// one, and mouse moves delivered as the window system delivers them.

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace screentest {

// Runs the steps one after another, each as soon as a new modal window is on
// top. Queue it before the call that opens the first one; the steps run
// inside the nested modal loops.
using Step = std::function<void(QWidget* top)>;
void answerModals(const QList<Step>& steps);
// True when every step queued by answerModals has run.
bool modalsAnswered();

// Shows the screen as the active window of the process, out of any modal
// run; false when it did not become active within two seconds.
bool showActive(QWidget* screen);

// A mouse move over `w` (its middle unless given), as the window system delivers it.
void moveOver(QWidget* w, QPoint local = QPoint(-1, -1));

// The objectName of the widget that has the focus.
QString focusName();

// Writes records into the unit's table through a cursor of its own: the key
// text, then the values of the content fields in the order given.
void addRecords(const QString& unit, const QStringList& fields, const QList<QStringList>& records);

} // namespace screentest
