#pragma once
// Helpers of the card file, help screen and information screen tests: the
// screens on a temporary database, records written straight into their
// tables, and modal dialogs answered from inside the modal runs.

#include "ScreenTest.h"

#include <QApplication>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace peopletest {

// Creates the fourteen empty tables in `dir`, points the cursors at it and
// creates the data-entry notice, the card file, the help screen and the
// information screens with the second about box.
void createScreens(const QString& dir);
void destroyScreens();

using screentest::addRecords;

using screentest::answerModals;
using screentest::modalsAnswered;
using screentest::Step;

template <typename T = QWidget> T* child(QWidget* screen, const char* name)
{
    return screen ? screen->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

using screentest::focusName;
using screentest::moveOver;
using screentest::showActive;

} // namespace peopletest
