#pragma once
// Helpers of the record browser and printing tests: the eleven browsers on a
// temporary database, records written straight into their tables, and modal
// dialogs answered from inside the modal runs that show them.

#include <QApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace reftest {

// One browser: its unit, its screen and what tells it apart.
struct Browser {
    QString unit;
    QWidget* screen;
};

// Creates the fourteen empty tables in `dir`, points the cursors at it and
// creates the data-entry notice and the eleven browsers (each opens Table1).
void createScreens(const QString& dir);
void destroyScreens();
const QList<Browser>& browsers();
QWidget* browser(const QString& unit);

// Writes records into the unit's table through a cursor of its own: the key
// text, then the values of the content fields in the order given.
void addRecords(const QString& unit, const QStringList& fields, const QList<QStringList>& records);
// Deletes every record of the unit's table.
void clearTable(const QString& unit);

// Runs the steps one after another, each as soon as a new modal window is on
// top (any window for which `ready` holds). Queue it before the call that
// opens the first one. The steps run inside the nested modal loops.
using Step = std::function<void(QWidget* top)>;
void answerModals(const QList<Step>& steps);
// True when every step queued by answerModals has run.
bool modalsAnswered();

template <typename T = QWidget>
T* child(QWidget* screen, const QString& name)
{
    return screen ? screen->findChild<T*>(name) : nullptr;
}

// Brings the screen up as the active window of the process, out of any modal run.
void showActive(QWidget* screen);

} // namespace reftest
