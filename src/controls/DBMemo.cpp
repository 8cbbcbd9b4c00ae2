#include "controls/DBMemo.h"

#include "controls/ControlSupport.h"

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

qsizetype DBMemo::loadCapacity() { return memoCapacity; }

void DBMemo::setLoadCapacity(qsizetype characters) { memoCapacity = characters; }

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent), FieldLink(this)
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

void DBMemo::setScrollBars(ScrollBars s)
{
    scrollBars_ = s;
    const bool h = s == ScrollHorizontal || s == ScrollBoth;
    const bool v = s == ScrollVertical || s == ScrollBoth;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

bool DBMemo::startEdit() { return loaded_ && FieldLink::startEdit(); }

void DBMemo::display()
{
    const QString text = storedText();
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
    yb::guard([&] {
        const KeyRole role = keyRole(e, true);
        switch (role) {
        case KeyRole::Escape:
            reset();
            e->accept();
            return;
        case KeyRole::Refused: e->accept(); return;
        case KeyRole::StartsEdit:
            if (!startEdit()) {
                e->accept();
                return;
            }
            break;
        case KeyRole::Ordinary: break;
        }
        const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
        if ((!yb::typedChar(e).isNull() || enter) && room() < 1) {
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
    yb::guard([&] {
        const QString commit = e->commitString();
        if (!commit.isEmpty() && (!mayType(commit) || room() < commit.size())) {
            e->accept();
            return;
        }
        QPlainTextEdit::inputMethodEvent(e);
    });
}

void DBMemo::insertFromMimeData(const QMimeData* source)
{
    yb::guard([&] {
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
    if (QPlainTextEdit::isReadOnly() && loaded_ && mayStartEdit())
        yb::offerEditCommands(menu,
                              {[this] { return startEdit(); }, [this] { QPlainTextEdit::cut(); },
                               [this] { QPlainTextEdit::paste(); }, [this] { textCursor().removeSelectedText(); },
                               textCursor().hasSelection()});
    menu->popup(e->globalPos());
}

void DBMemo::focusInEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusInEvent(e);
    if (yb::focusMovesWithinWindow(e))
        emit entered();
}

void DBMemo::focusOutEvent(QFocusEvent* e)
{
    QPlainTextEdit::focusOutEvent(e);
    if (!yb::focusMovesWithinWindow(e))
        return;
    // A memo over a text field writes at the next update-record notification.
    yb::Field* f = field();
    if (f && f->type() == yb::FieldType::Memo) {
        try {
            writeField();
        } catch (...) {
            setFocus();
            yb::passOn(std::current_exception());
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
