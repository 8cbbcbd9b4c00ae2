#include "controls/ControlSupport.h"

#include "store/Conversions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

namespace yb {

bool confirmDelete(QWidget* parent)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
                    QMessageBox::NoButton, parent);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == ok;
}

QString displayText(yb::FieldType type, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (type) {
    case yb::FieldType::Integer:
    case yb::FieldType::SmallInt: return yb::intToText(value.toLongLong());
    case yb::FieldType::DateTime: {
        QDateTime dt = value.metaType().id() == QMetaType::QDateTime
            ? value.toDateTime()
            : QDateTime::fromString(value.toString(), Qt::ISODate);
        return dt.isValid() ? yb::dateTimeText(dt) : value.toString();
    }
    case yb::FieldType::Text:
    case yb::FieldType::Memo: break;
    }
    return value.toString();
}

bool acceptsChar(yb::FieldType type, QChar c)
{
    if (yb::isIntegerType(type))
        return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-';
    return true;
}

QChar typedChar(const QKeyEvent* e)
{
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    const QString t = e->text();
    if (t.isEmpty())
        return {};
    const QChar c = t.at(0);
    if (c.unicode() < 32 || c.unicode() == 127)
        return {};
    return c;
}

bool focusMovesWithinWindow(const QFocusEvent* e)
{
    return e->reason() != Qt::ActiveWindowFocusReason && e->reason() != Qt::PopupFocusReason;
}

void offerEditCommands(QMenu* menu, const EditCommands& c)
{
    QAction* copy = nullptr;
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String("edit-copy"))
            copy = a;
    const auto actions = menu->actions();
    QAction* afterCopy = nullptr;
    if (copy) {
        const int i = int(actions.indexOf(copy));
        afterCopy = i + 1 < actions.size() ? actions.at(i + 1) : nullptr;
    }
    auto* cut = new QAction(QApplication::translate("QLineEdit", "Cu&t"), menu);
    cut->setEnabled(c.hasSelection);
    QObject::connect(cut, &QAction::triggered, menu, [c] {
        guard([&] {
            if (c.startEdit())
                c.cut();
        });
    });
    auto* paste = new QAction(QApplication::translate("QLineEdit", "&Paste"), menu);
    paste->setEnabled(!QApplication::clipboard()->text().isEmpty());
    QObject::connect(paste, &QAction::triggered, menu, [c] {
        guard([&] {
            if (c.startEdit())
                c.paste();
        });
    });
    auto* del = new QAction(QApplication::translate("QLineEdit", "Delete"), menu);
    del->setEnabled(c.hasSelection);
    QObject::connect(del, &QAction::triggered, menu, [c] {
        guard([&] {
            if (c.startEdit())
                c.del();
        });
    });
    if (copy) {
        menu->insertAction(copy, cut);
        menu->insertActions(afterCopy, {paste, del});
    } else {
        menu->addActions({cut, paste, del});
    }
}

} // namespace yb
