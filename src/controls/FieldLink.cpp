#include "controls/FieldLink.h"

#include "controls/ControlSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

void FieldLink::setDataField(const QString& name)
{
    fieldName_ = name;
    display();
    updateEditable();
}

yb::Field* FieldLink::field() const
{
    yb::TableCursor* c = tableCursor();
    if (!c || fieldName_.isEmpty() || !isActive())
        return nullptr;
    return c->findField(fieldName_);
}

void FieldLink::setLinkReadOnly(bool on)
{
    readOnly_ = on;
    updateEditable();
}

bool FieldLink::isEditing() const
{
    if (readOnly_ || !field())
        return false;
    return tableCursor()->isEditing() && tableCursor()->canModify();
}

bool FieldLink::mayStartEdit() const { return !readOnly_ && field() && tableCursor()->canModify(); }

bool FieldLink::startEdit()
{
    if (!mayStartEdit())
        return false;
    dataSourceObject()->edit();
    return isEditing();
}

QString FieldLink::storedText() const
{
    yb::Field* f = field();
    if (f && (tableCursor()->hasRecord() || tableCursor()->isEditing()))
        return f->asString();
    return {};
}

bool FieldLink::filterChar(QChar c) const
{
    yb::Field* f = field();
    if (f && !yb::acceptsChar(f->type(), c)) {
        QApplication::beep();
        return false;
    }
    return true;
}

FieldLink::KeyRole FieldLink::keyRole(const QKeyEvent* e, bool enterStartsEdit) const
{
    if (e->key() == Qt::Key_Escape && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return KeyRole::Escape;
    const QChar c = yb::typedChar(e);
    if (!c.isNull())
        return filterChar(c) ? KeyRole::StartsEdit : KeyRole::Refused;
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if ((enter && enterStartsEdit) || e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete ||
        e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut) ||
        (e->key() == Qt::Key_Insert && (e->modifiers() & Qt::ShiftModifier)))
        return KeyRole::StartsEdit;
    return KeyRole::Ordinary;
}

bool FieldLink::mayType(const QString& text)
{
    for (QChar c : text)
        if (!filterChar(c))
            return false;
    return startEdit();
}

void FieldLink::recordChanged()
{
    display();
    updateEditable();
}

void FieldLink::fieldChanged(const QString& name)
{
    if (name.isEmpty() || name.compare(fieldName_, Qt::CaseInsensitive) == 0)
        display();
}

void FieldLink::stateChanged() { updateEditable(); }

void FieldLink::updateRecord() { writeField(); }

bool FieldLink::focusField(const QString& name)
{
    QWidget* w = owner();
    if (name.compare(fieldName_, Qt::CaseInsensitive) != 0 || !w->isEnabled() || !w->isVisible())
        return false;
    w->setFocus();
    return true;
}
