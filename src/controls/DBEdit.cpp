#include "controls/DBEdit.h"

#include "controls/ControlSupport.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent), FieldLink(this)
{
    QLineEdit::setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, [this] { modified_ = true; });
}

void DBEdit::setMaxLength(int length)
{
    maxLength_ = length;
    yb::Field* f = field();
    if (!f || f->type() != yb::FieldType::Text)
        QLineEdit::setMaxLength(length > 0 ? length : 32767);
}

void DBEdit::display()
{
    yb::Field* f = field();
    if (f && f->type() == yb::FieldType::Text)
        QLineEdit::setMaxLength(f->size() > 0 ? f->size() : 32767);
    else if (f)
        QLineEdit::setMaxLength(32767);
    setText(storedText());
    modified_ = false;
}

void DBEdit::updateEditable() { QLineEdit::setReadOnly(!isEditing()); }

void DBEdit::writeField()
{
    if (!modified_ || !isEditing())
        return;
    field()->setAsString(text());
    modified_ = false;
}

void DBEdit::keyPressEvent(QKeyEvent* e)
{
    yb::guard([&] {
        switch (keyRole(e, false)) {
        case KeyRole::Escape:
            reset();
            selectAll();
            e->accept();
            return;
        case KeyRole::Refused: e->accept(); return;
        case KeyRole::StartsEdit:
            if (!startEdit()) {
                e->accept(); // nothing may change: the key is dropped
                return;
            }
            break;
        case KeyRole::Ordinary: break;
        }
        QLineEdit::keyPressEvent(e);
    });
}

void DBEdit::inputMethodEvent(QInputMethodEvent* e)
{
    yb::guard([&] {
        if (!e->commitString().isEmpty() && !mayType(e->commitString())) {
            e->accept();
            return;
        }
        QLineEdit::inputMethodEvent(e);
    });
}

void DBEdit::cut()
{
    if (startEdit())
        QLineEdit::cut();
}

void DBEdit::paste()
{
    if (startEdit())
        QLineEdit::paste();
}

void DBEdit::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QLineEdit::isReadOnly() && mayStartEdit())
        yb::offerEditCommands(menu,
                              {[this] { return startEdit(); }, [this] { QLineEdit::cut(); },
                               [this] { QLineEdit::paste(); }, [this] { del(); }, hasSelectedText()});
    menu->popup(e->globalPos());
}

void DBEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (yb::focusMovesWithinWindow(e))
        emit entered();
}

void DBEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (!yb::focusMovesWithinWindow(e))
        return;
    try {
        writeField();
    } catch (...) {
        // The value stays in the box for correction; the error goes on to the report.
        selectAll();
        setFocus();
        yb::passOn(std::current_exception());
        return;
    }
    emit exited();
}

void DBEdit::showEvent(QShowEvent* e)
{
    if (!dataSourceObject())
        resolveDataSource();
    QLineEdit::showEvent(e);
}
