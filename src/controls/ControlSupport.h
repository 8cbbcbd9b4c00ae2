#pragma once
// Small pieces shared by the data-bound controls.

#include "controls/ErrorSink.h"
#include "store/Catalogue.h"

#include <QString>
#include <QVariant>
#include <functional>

class QFocusEvent;
class QKeyEvent;
class QMenu;
class QWidget;

namespace yb {

// The confirmation asked before a record is deleted: "Confirm", question
// icon, "Delete record?", "OK" and "Cancel". True when the answer is OK.
bool confirmDelete(QWidget* parent);

// The text form of a value read from a table, as the controls show it.
QString displayText(yb::FieldType type, const QVariant& value);

// Whether a field of this type takes the typed character (integer fields
// take only digits and the signs).
bool acceptsChar(yb::FieldType type, QChar c);

// The character typed with the key, or a null QChar when the key types no
// printable character (control keys, Ctrl or Alt chords).
QChar typedChar(const QKeyEvent* e);

// Whether the focus moves to another control of the same window (rather than
// to another window, a menu or a dialog).
bool focusMovesWithinWindow(const QFocusEvent* e);

// Makes a read-only text box's standard context menu offer Cut, Paste and
// Delete when typing could start an edit: the chosen command first asks for
// the edit, then runs.
struct EditCommands {
    std::function<bool()> startEdit;
    std::function<void()> cut, paste, del;
    bool hasSelection = false;
};
void offerEditCommands(QMenu* menu, const EditCommands& commands);

} // namespace yb
