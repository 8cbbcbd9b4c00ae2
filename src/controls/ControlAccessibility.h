#pragma once
// What a screen reader learns of the grid and the lookup list: the grid is a
// table whose children are its column titles and then its shown cells, row
// by row; the lookup list is a list whose children are its shown rows. Every
// child carries its text; the grid's current record and the list's chosen
// record are marked selected, the row that holds the focus rectangle focused.
// Both controls report here when what they show changes, and the readers are
// told of a new current row.

#include <QtGlobal>

#include <functional>

class QAccessibleEvent;
class QWidget;

namespace yb {

// What a control last told the readers about its rows.
struct ShownRows {
    int current = -2;  // grid: current record's row; list: chosen row (-1 none)
    int column = -2;   // grid: current column
    int focus = -2;    // list: row with the focus rectangle
    qint64 first = -2; // record id of the first row shown
    int count = -1;    // rows shown
};

// Makes the toolkit build the interfaces above for every grid and lookup
// list. Called by the controls' constructors; the first call does the work.
void installControlAccessibility();

// Tells the readers that `control` (a grid or a lookup list) shows other
// rows or another current row. Cheap when nothing changed or nobody listens.
// With focusIn (the control has just taken the focus) the readers hear of
// the focused row again.
void accessibleRowsChanged(QWidget* control, ShownRows& told, bool focusIn = false);

// Hears every event above as well as the toolkit, which passes events on
// only while a reader is attached (for tools and tests; empty: nobody).
void setAccessibleRowsListener(std::function<void(QAccessibleEvent*)> listener);

} // namespace yb
