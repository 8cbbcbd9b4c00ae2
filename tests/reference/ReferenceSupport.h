#pragma once
// Helpers of the record browser and printing tests: the eleven browsers on a
// temporary database, records written straight into their tables, and modal
// dialogs answered from inside the modal runs that show them.

#include "ScreenTest.h"

#include <QApplication>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>

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

using screentest::addRecords;
// Deletes every record of the unit's table.
void clearTable(const QString& unit);

using screentest::answerModals;
using screentest::modalsAnswered;
using screentest::Step;

template <typename T = QWidget> T* child(QWidget* screen, const QString& name)
{
    return screen ? screen->findChild<T*>(name) : nullptr;
}

using screentest::showActive;

} // namespace reftest
