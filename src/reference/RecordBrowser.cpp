#include "reference/RecordBrowser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWidget>

#include "controls/ControlSupport.h"
#include "controls/DBLookupListBox.h"
#include "controls/DBMemo.h"
#include "controls/DataSource.h"
#include "printing/Printing.h"
#include "shell/Pictures.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "store/Catalogue.h"
#include "store/TableCursor.h"

namespace yb {

RecordBrowser::RecordBrowser(QWidget* screen, const Setup& setup) : QObject(screen), screen_(screen), setup_(setup)
{
    table_ = new TableCursor(cursorDecl(setup.unit, QStringLiteral("Table1")), screen);
    table_->setObjectName(QStringLiteral("Table1"));
    table_->open();
    source_ = new DataSource(table_, QStringLiteral("DataSource1"), screen);

    keyMemo_ = screen->findChild<QPlainTextEdit*>(setup.keyMemo);
    QList<QPlainTextEdit*> boxes{keyMemo_};
    for (const QString& name : setup.contentMemos)
        if (auto* m = screen->findChild<QPlainTextEdit*>(name))
            boxes << m;
    list_ = screen->findChild<DBLookupListBox*>(QStringLiteral("DBLookupListBox1"));
    hideButton_ = screen->findChild<QWidget*>(QStringLiteral("BOTONCANCELAR"));
    Q_ASSERT(keyMemo_ && boxes.size() > 1 && list_ && hideButton_);

    // Focus colours: one pair of handlers for every bound memo.
    for (QPlainTextEdit* m : std::as_const(boxes))
        if (qobject_cast<DBMemo*>(m))
            useFocusColours(m, setup.blueWhenFocused.contains(m->objectName()) ? focusBlue : focusRed);

    for (const QString& name : setup.enterChain) {
        auto* box = screen->findChild<QWidget*>(name);
        Q_ASSERT(box);
        if (box)
            enterChain_ << box;
    }
    for (qsizetype i = 0; i + 1 < enterChain_.size(); ++i)
        enterChain_[i]->installEventFilter(this);

    useRecordScreenColours(screen, list_);
    list_->hide();
    hideButton_->hide();

    if (auto* b = screen->findChild<QAbstractButton*>(setup.closeButton))
        b->setIcon(pictures::back());
    if (auto* b = screen->findChild<QAbstractButton*>(setup.printButton))
        b->setIcon(pictures::print());
    if (auto* b = screen->findChild<QAbstractButton*>(setup.searchButton))
        b->setIcon(pictures::search());
    if (auto* b = screen->findChild<QAbstractButton*>(QStringLiteral("SpeedButton1")))
        b->setIcon(pictures::list());

    screen->setWindowState(Qt::WindowMaximized);
}

QString RecordBrowser::notFoundText()
{
    return QStringLiteral("Registro no encontrado.  -  Para buscar el nombre de la enfermedad, dolencia, producto, "
                          "síntoma, etc..., deberá de escribir tal y como esté escrito en la base de datos; ya que "
                          "la opción \"BUSCAR\" distingue mayúsculas y minúsculas.        ¡Pruebe de nuevo!");
}

void RecordBrowser::activate()
{
    yb::guard([&] {
        list_->hide();
        hideButton_->hide();
        table_->first();
        keyMemo_->setFocus();
        setHint(screen_, QString()); // on a screen with a status hint line
    });
}

void RecordBrowser::close() { screen_->close(); }

void RecordBrowser::search()
{
    yb::guard([&] {
        // The prompt's entry box takes at most 255 characters.
        QTimer::singleShot(0, screen_, [] {
            if (auto* prompt = qobject_cast<QInputDialog*>(QApplication::activeModalWidget()))
                if (auto* box = prompt->findChild<QLineEdit*>())
                    box->setMaxLength(MaxSearchLength);
        });
        const QString name = inputQuery(promptCaption(), setup_.searchPrompt).left(MaxSearchLength);
        if (!setup_.searchLocates) {
            noticeBox(setup_.notFound);
            return;
        }
        // Ends an edit in progress: a failing write stops the search here.
        table_->setKey();
        const QString field = setup_.searchField.isEmpty() ? table_->indexField() : setup_.searchField;
        if (!table_->locate(field, name, PartialKey))
            noticeBox(setup_.notFound);
        keyMemo_->setFocus();
    });
}

QList<printing::Block> RecordBrowser::blocks() const
{
    QList<printing::Block> out;
    for (const QString& name : std::as_const(setup_.printBlocks)) {
        const QWidget* w = screen_->findChild<QWidget*>(name);
        Q_ASSERT(w);
        out << printing::blockOfWidget(w);
    }
    return out;
}

void RecordBrowser::print()
{
    yb::guard([&] {
        if (!printing::askPrinter(screen_))
            return;
        printing::PrinterTarget target(printing::printer());
        printing::printBlocks(target, blocks());
    });
}

void RecordBrowser::showNotice()
{
    if (Form100)
        showModal(Form100);
}

void RecordBrowser::listOn()
{
    yb::guard([&] {
        list_->show();
        hideButton_->show();
        hideButton_->raise();
        if (setup_.listRefreshes)
            table_->refresh();
    });
}

void RecordBrowser::listChosen()
{
    list_->hide();
    hideButton_->hide();
    if (setup_.listChoiceFocusesKey)
        keyMemo_->setFocus();
}

void RecordBrowser::listOff()
{
    list_->hide();
    hideButton_->hide();
}

void RecordBrowser::navigatorClicked() { keyMemo_->setFocus(); }

bool RecordBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* key = static_cast<QKeyEvent*>(event);
        return enterKeyPress(static_cast<QWidget*>(watched), key->key(), key->modifiers());
    }
    return QObject::eventFilter(watched, event);
}

// Enter in a box of the chain goes on to the next box; no line break enters the field.
bool RecordBrowser::enterKeyPress(QWidget* box, int key, Qt::KeyboardModifiers modifiers)
{
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const qsizetype i = enterChain_.indexOf(box);
    if (i < 0 || i + 1 >= enterChain_.size())
        return false;
    enterChain_[i + 1]->setFocus(Qt::TabFocusReason);
    return true;
}

} // namespace yb
