#include "DBMemo.h"

#include "ControlSupport.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <new>

namespace {
qsizetype memoCapacity = 16 * 1024 * 1024;
}

qsizetype DBMemo::loadCapacity()
{
    return memoCapacity;
}

void DBMemo::setLoadCapacity(qsizetype characters)
{
    memoCapacity = characters;
}

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent), DataLink(this)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    setScrollBars(ScrollNone);
    updateEditable();
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!displaying_)
            modified_ = true;
    });
}

void DBMemo::setDataField(const QString& name)
{
    fieldName_ = name;
    display();
    updateEditable();
}

yb::Field* DBMemo::field() const
{
    yb::TableCursor* c = tableCursor();
    if (!c || fieldName_.isEmpty() || !isActive())
        return nullptr;
    return c->findField(fieldName_);
}

void DBMemo::setReadOnly(bool on)
{
    readOnly_ = on;
    updateEditable();
}

void DBMemo::setScrollBars(ScrollBars s)
{
    scrollBars_ = s;
    const bool h = s == ScrollHorizontal || s == ScrollBoth;
    const bool v = s == ScrollVertical || s == ScrollBoth;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool DBMemo::isEditing() const
{
    if (readOnly_ || !field())
        return false;
    return tableCursor()->isEditing() && tableCursor()->canModify();
}

bool DBMemo::startEdit()
{
    if (readOnly_ || !loaded_ || !field() || !tableCursor()->canModify())
        return false;
    dataSourceObject()->edit();
    return isEditing();
}

void DBMemo::display()
{
    yb::Field* f = field();
    QString text;
    if (f && (tableCursor()->hasRecord() || tableCursor()->isEditing()))
        text = f->asString();
    displaying_ = true;
    loaded_ = true;
    crlf_ = text.contains(QLatin1String("\r\n"));
    try {
        if (text.size() > memoCapacity)
            throw std::bad_alloc();
        setPlainText(text);
    } catch (const std::bad_alloc&) {
        loaded_ = false;
        setPlainText(QStringLiteral("(Memo too large)"));
    }
    displaying_ = false;
    modified_ = false;
    updateEditable();
}

void DBMemo::reset()
{
    display();
}

void DBMemo::updateEditable()
{
    const bool editable = loaded_ && isEditing();
    if (editable == !QPlainTextEdit::isReadOnly())
        return;
    QPlainTextEdit::setReadOnly(!editable);
    if (!editable) // the caret still moves and selects, as in any read-only box
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

QString DBMemo::storedForm() const
{
    QString t = toPlainText();
    if (crlf_)
        t.replace(u'\n', QLatin1String("\r\n"));
    return t;
}

void DBMemo::writeField()
{
    if (!modified_ || !loaded_ || !isEditing())
        return;
    field()->setAsString(storedForm());
    modified_ = false;
}

bool DBMemo::filterChar(QChar c)
{
    yb::Field* f = field();
    if (f && !ybc::acceptsChar(f->type(), c)) {
        QApplication::beep();
        return false;
    }
    return true;
}

qsizetype DBMemo::room() const
{
    if (maxLength_ <= 0)
        return std::numeric_limits<qsizetype>::max();
    const qsizetype length = document()->characterCount() - 1;
    const qsizetype selected = textCursor().selectionEnd() - textCursor().selectionStart();
    return std::max<qsizetype>(0, maxLength_ - (length - selected));
}

void DBMemo::keyPressEvent(QKeyEvent* e)
{
    ybc::guard([&] {
        if (e->key() == Qt::Key_Escape && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            reset();
            e->accept();
            return;
        }
        const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        bool startsEdit = false;
        const QChar c = ybc::typedChar(e);
        if (!c.isNull()) {
            if (!filterChar(c)) {
                e->accept();
                return;
            }
            startsEdit = true;
        } else if (enter || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete
                   || e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)
                   || (e->key() == Qt::Key_Insert && (e->modifiers() & Qt::ShiftModifier))) {
            startsEdit = true;
        }
        if (startsEdit && !startEdit()) {
            e->accept();
            return;
        }
        if ((!c.isNull() || enter) && room() < 1) {
            e->accept(); // the box is full
            return;
        }
        if (enter && (e->modifiers() & Qt::ControlModifier)) {
            insertPlainText(QStringLiteral("\n"));
            e->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(e);
    });
}

void DBMemo::inputMethodEvent(QInputMethodEvent* e)
{
    ybc::guard([&] {
        const QString commit = e->commitString();
        if (!commit.isEmpty()) {
            for (QChar c : commit)
                if (!filterChar(c)) {
                    e->accept();
                    return;
                }
            if (!startEdit() || room() < commit.size()) {
                e->accept();
                return;
            }
        }
        QPlainTextEdit::inputMethodEvent(e);
    });
}

void DBMemo::insertFromMimeData(const QMimeData* source)
{
    ybc::guard([&] {
        if (!source || !source->hasText() || !isEditing())
            return;
        QString text = source->text();
        for (QChar c : text)
            if (!filterChar(c))
                return;
        const qsizetype r = room();
        if (text.size() > r)
            text.truncate(r);
        insertPlainText(text);
    });
}

void DBMemo::cut()
{
    if (startEdit())
        QPlainTextEdit::cut();
}

void DBMemo::paste()
{
    if (startEdit())
        QPlainTextEdit::paste();
}

void DBMemo::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu* menu = createStandardContextMenu(e->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (QPlainTextEdit::isReadOnly() && !readOnly_ && loaded_ && field() && tableCursor()->canModify())
        ybc::offerEditCommands(menu, {[this] { return startEdit(); }, [this] { QPlainTextEdit::cut(); },
                                      [this] { QPlainTextEdit::paste(); },
                                      [this] { textCursor().removeSelectedText(); }, textCursor().hasSelection()});
    menu->popup(e->globalPos());
}

void DBMemo::focusInEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusInEvent(e);
    if (ybc::focusMovesWithinWindow(e))
        emit entered();
}

void DBMemo::focusOutEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusOutEvent(e);
    if (!ybc::focusMovesWithinWindow(e))
        return;
    // A memo over a text field writes at the next update-record notification.
    yb::Field* f = field();
    if (f && f->type() == yb::FieldType::Memo) {
        try {
            writeField();
        } catch (...) {
            setFocus();
            ybc::passOn(std::current_exception());
            return;
        }
    }
    emit exited();
}

void DBMemo::showEvent(QShowEvent* e)
{
    if (!dataSourceObject())
        resolveDataSource();
    QPlainTextEdit::showEvent(e);
}

void DBMemo::recordChanged()
{
    display();
}

void DBMemo::fieldChanged(const QString& name)
{
    if (name.isEmpty() || name.compare(fieldName_, Qt::CaseInsensitive) == 0)
        display();
}

void DBMemo::stateChanged()
{
    updateEditable();
}

void DBMemo::updateRecord()
{
    writeField();
}

bool DBMemo::focusField(const QString& name)
{
    if (name.compare(fieldName_, Qt::CaseInsensitive) != 0 || !isEnabled() || !isVisible())
        return false;
    setFocus();
    return true;
}
