#include "reference/RecordBrowser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

#include "store/Catalogue.h"
#include "controls/ControlSupport.h"
#include "controls/DBLookupListBox.h"
#include "controls/DBMemo.h"
#include "controls/DataSource.h"
#include "shell/Pictures.h"
#include "printing/Printing.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "store/TableCursor.h"

namespace yb {

RecordBrowser::RecordBrowser(QWidget* screen, const Setup& setup) : QObject(screen), screen_(screen), setup_(setup)
{
    table_ = new TableCursor(cursorDecl(setup.unit, QStringLiteral("Table1")), screen);
    table_->setObjectName(QStringLiteral("Table1"));
    table_->open();
    source_ = new DataSource(table_, QStringLiteral("DataSource1"), screen);

    keyMemo_ = screen->findChild<DBMemo*>(setup.keyMemo);
    for (const QString& name : setup.contentMemos)
        if (auto* m = screen->findChild<DBMemo*>(name))
            contents_ << m;
    list_ = screen->findChild<DBLookupListBox*>(QStringLiteral("DBLookupListBox1"));
    hideButton_ = screen->findChild<QWidget*>(QStringLiteral("BOTONCANCELAR"));
    Q_ASSERT(keyMemo_ && !contents_.isEmpty() && list_ && hideButton_);

    // Focus colours: one pair of handlers for every bound memo.
    useFocusColours(keyMemo_);
    keyMemo_->installEventFilter(this);
    for (DBMemo* m : std::as_const(contents_))
        useFocusColours(m);

    useRecordScreenColours(screen, list_);
    list_->hide();
    hideButton_->hide();

    if (auto* b = screen->findChild<QAbstractButton*>(setup.closeButton))
        b->setIcon(pictures::back());
    if (auto* b = screen->findChild<QAbstractButton*>(QStringLiteral("BitBtn2")))
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
    });
}

void RecordBrowser::close()
{
    screen_->close();
}

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
        // Ends an edit in progress: a failing write stops the search here.
        table_->setKey();
        if (!table_->locate(table_->indexField(), name, PartialKey))
            noticeBox(notFoundText());
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
        table_->refresh();
    });
}

void RecordBrowser::listChosen()
{
    list_->hide();
    hideButton_->hide();
    keyMemo_->setFocus();
}

void RecordBrowser::listOff()
{
    list_->hide();
    hideButton_->hide();
}

void RecordBrowser::navigatorClicked()
{
    keyMemo_->setFocus();
}

bool RecordBrowser::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == keyMemo_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        return MEMO2KeyPress(key->key(), key->modifiers());
    }
    return QObject::eventFilter(watched, event);
}

// Enter in the name goes on to the first text; no line break enters the name.
bool RecordBrowser::MEMO2KeyPress(int key, Qt::KeyboardModifiers modifiers)
{
    if ((key != Qt::Key_Return && key != Qt::Key_Enter) || (modifiers & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    contents_.first()->setFocus();
    return true;
}

} // namespace yb
