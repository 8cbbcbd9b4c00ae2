#include "DBEdit.h"

#include "ControlSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent), DataLink(this)
{
    QLineEdit::setReadOnly(true);
    connect(this, &QLineEdit::textEdited, this, [this] { modified_ = true; });
}

void DBEdit::setDataField(const QString& name)
{
    fieldName_ = name;
    display();
    updateEditable();
}

yb::Field* DBEdit::field() const
{
    yb::TableCursor* c = tableCursor();
    if (!c || fieldName_.isEmpty() || !isActive())
        return nullptr;
    return c->findField(fieldName_);
}

void DBEdit::setReadOnly(bool on)
{
    readOnly_ = on;
    updateEditable();
}

void DBEdit::setMaxLength(int length)
{
    maxLength_ = length;
    yb::Field* f = field();
    if (!f || f->type() != yb::FieldType::Text)
        QLineEdit::setMaxLength(length > 0 ? length : 32767);
}

bool DBEdit::isEditing() const
{
    if (readOnly_ || !field())
        return false;
    return tableCursor()->isEditing() && tableCursor()->canModify();
}

bool DBEdit::startEdit()
{
    if (readOnly_ || !field() || !tableCursor()->canModify())
        return false;
    dataSourceObject()->edit();
    return isEditing();
}

void DBEdit::display()
{
    yb::Field* f = field();
    QString text;
    if (f) {
        if (f->type() == yb::FieldType::Text)
            QLineEdit::setMaxLength(f->size() > 0 ? f->size() : 32767);
        else
            QLineEdit::setMaxLength(32767);
        if (tableCursor()->hasRecord() || tableCursor()->isEditing())
            text = f->asString();
    }
    setText(text);
    modified_ = false;
}

void DBEdit::reset()
{
    display();
}

void DBEdit::updateEditable()
{
    QLineEdit::setReadOnly(!isEditing());
}

void DBEdit::writeField()
{
    if (!modified_ || !isEditing())
        return;
    field()->setAsString(text());
    modified_ = false;
}

bool DBEdit::filterChar(QChar c)
{
    yb::Field* f = field();
    if (f && !ybc::acceptsChar(f->type(), c)) {
        QApplication::beep();
        return false;
    }
    return true;
}

void DBEdit::keyPressEvent(QKeyEvent* e)
{
    ybc::guard([&] {
        if (e->key() == Qt::Key_Escape && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            reset();
            selectAll();
            e->accept();
            return;
        }
        bool startsEdit = false;
        const QChar c = ybc::typedChar(e);
        if (!c.isNull()) {
            if (!filterChar(c)) {
                e->accept();
                return;
            }
            startsEdit = true;
        } else if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete || e->matches(QKeySequence::Paste)
                   || e->matches(QKeySequence::Cut)
                   || (e->key() == Qt::Key_Insert && (e->modifiers() & Qt::ShiftModifier))) {
            startsEdit = true;
        }
        if (startsEdit && !startEdit()) {
            e->accept(); // nothing may change: the key is dropped
            return;
        }
        QLineEdit::keyPressEvent(e);
    });
}

void DBEdit::inputMethodEvent(QInputMethodEvent* e)
{
    ybc::guard([&] {
        const QString commit = e->commitString();
        if (!commit.isEmpty()) {
            for (QChar c : commit)
                if (!filterChar(c)) {
                    e->accept();
                    return;
                }
            if (!startEdit()) {
                e->accept();
                return;
            }
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
    if (QLineEdit::isReadOnly() && !readOnly_ && field() && tableCursor()->canModify())
        ybc::offerEditCommands(menu, {[this] { return startEdit(); }, [this] { QLineEdit::cut(); },
                                      [this] { QLineEdit::paste(); }, [this] { del(); }, hasSelectedText()});
    menu->popup(e->globalPos());
}

void DBEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (ybc::focusMovesWithinWindow(e))
        emit entered();
}

void DBEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    if (!ybc::focusMovesWithinWindow(e))
        return;
    try {
        writeField();
    } catch (...) {
        // The value stays in the box for correction; the error goes on to the report.
        selectAll();
        setFocus();
        ybc::passOn(std::current_exception());
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

void DBEdit::recordChanged()
{
    display();
    updateEditable();
}

void DBEdit::fieldChanged(const QString& name)
{
    if (name.isEmpty() || name.compare(fieldName_, Qt::CaseInsensitive) == 0)
        display();
}

void DBEdit::stateChanged()
{
    updateEditable();
}

void DBEdit::updateRecord()
{
    writeField();
}

bool DBEdit::focusField(const QString& name)
{
    if (name.compare(fieldName_, Qt::CaseInsensitive) != 0 || !isEnabled() || !isVisible())
        return false;
    setFocus();
    return true;
}
