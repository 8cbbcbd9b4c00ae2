#include "people/Datos.h"

#include "ui_Datos.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include "controls/ControlSupport.h"
#include "controls/DBLookupListBox.h"
#include "controls/DBMemo.h"
#include "controls/DataSource.h"
#include "shell/Pictures.h"
#include "reference/RecordBrowser.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "store/TableCursor.h"

TForm6* Form6 = nullptr;

namespace {

// The name prompt's entry box takes at most this many characters.
constexpr int MaxSearchLength = 255;

// The system window-text colour of a box.
QColor windowText(const QWidget* box)
{
    return QApplication::palette(box).color(QPalette::Text);
}

bool isPlainEnter(const QKeyEvent* e)
{
    return (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
           && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

} // namespace

TForm6::TForm6(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm6>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Datos"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
    DataSource1 = new DataSource(Table1, QStringLiteral("DataSource1"), this);

    ui->BitBtn3->setIcon(yb::pictures::back());
    ui->RELOJ->setIcon(yb::pictures::print());
    ui->BitBtn2000->setIcon(yb::pictures::search());
    ui->SpeedButton1->setIcon(yb::pictures::list());

    for (QWidget* box : {ui->nombre, ui->domicilio, ui->postal, ui->localidad, ui->provincia, ui->nacimiento,
                         ui->telefono, ui->civil, ui->patologia, ui->Medicacion, ui->Observacion})
        box->installEventFilter(this);

    yb::useRecordScreenColours(this, ui->DBLookupListBox1);
    listModeOff();
}

TForm6::~TForm6()
{
    if (Form6 == this)
        Form6 = nullptr;
}

// ---- activation and close

void TForm6::FormActivate()
{
    yb::guard([&] {
        listModeOff();
        Table1->first();
        ui->nombre->setFocus();
    });
}

void TForm6::BitBtn3Click()
{
    close();
}

// ---- Enter chain

bool TForm6::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        auto* box = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn)
            box == ui->civil ? civilEnter(box) : nombreEnter(box);
        else
            box == ui->postal ? postalExit(box) : nombreExit(box);
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == ui->nombre)
        return nombreKeyPress(key);
    if (watched == ui->domicilio)
        return domicilioKeyPress(key);
    if (watched == ui->postal)
        return postalKeyPress(key);
    if (watched == ui->localidad)
        return localidadKeyPress(key);
    if (watched == ui->provincia)
        return provinciaKeyPress(key);
    if (watched == ui->nacimiento)
        return nacimientoKeyPress(key);
    if (watched == ui->telefono)
        return telefonoKeyPress(key);
    if (watched == ui->civil)
        return civilKeyPress(key);
    return QWidget::eventFilter(watched, event);
}

bool TForm6::enterMovesTo(QKeyEvent* key, QWidget* next)
{
    if (!isPlainEnter(key))
        return false;
    next->setFocus(Qt::TabFocusReason);
    return true;
}

bool TForm6::nombreKeyPress(QKeyEvent* key) { return enterMovesTo(key, ui->domicilio); }
bool TForm6::domicilioKeyPress(QKeyEvent* key) { return enterMovesTo(key, ui->postal); }
bool TForm6::postalKeyPress(QKeyEvent* key) { return enterMovesTo(key, ui->localidad); }
bool TForm6::localidadKeyPress(QKeyEvent* key) { return enterMovesTo(key, ui->provincia); }
bool TForm6::provinciaKeyPress(QKeyEvent* key) { return enterMovesTo(key, ui->nacimiento); }
bool TForm6::nacimientoKeyPress(QKeyEvent* key) { return enterMovesTo(key, ui->telefono); }
bool TForm6::telefonoKeyPress(QKeyEvent* key) { return enterMovesTo(key, ui->civil); }
bool TForm6::civilKeyPress(QKeyEvent* key) { return enterMovesTo(key, ui->patologia); }

// ---- focus colours

void TForm6::setTextColour(QWidget* box, const QColor& colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Text, colour);
    box->setPalette(p);
}

void TForm6::nombreEnter(QWidget* Sender) { setTextColour(Sender, yb::focusRed); }
void TForm6::civilEnter(QWidget* Sender) { setTextColour(Sender, yb::focusBlue); }
void TForm6::nombreExit(QWidget* Sender) { setTextColour(Sender, windowText(Sender)); }
void TForm6::postalExit(QWidget* Sender) { setTextColour(Sender, windowText(Sender)); }

// ---- search

void TForm6::BitBtn2000Click()
{
    yb::guard([&] {
        QTimer::singleShot(0, this, [] {
            if (auto* prompt = qobject_cast<QInputDialog*>(QApplication::activeModalWidget()))
                if (auto* box = prompt->findChild<QLineEdit*>())
                    box->setMaxLength(MaxSearchLength);
        });
        const QString name = yb::inputQuery(yb::RecordBrowser::promptCaption(), QStringLiteral("Introduce el nombre:"))
                                 .left(MaxSearchLength);
        // Ends an edit in progress: a failing write stops the search here.
        Table1->setKey();
        if (!Table1->locate(QStringLiteral("NOMBRE/APELLIDOS"), name, yb::PartialKey))
            yb::noticeBox(yb::RecordBrowser::notFoundText());
        ui->nombre->setFocus();
    });
}

// ---- data-entry notice

void TForm6::SpButton200Click()
{
    if (Form100)
        yb::showModal(Form100);
}

// ---- list mode

void TForm6::SpeedButton1Click()
{
    yb::guard([&] {
        ui->DBLookupListBox1->show();
        ui->BOTONCANCELAR->show();
        ui->BOTONCANCELAR->raise();
        Table1->refresh();
    });
}

void TForm6::DBLookupListBox1Click()
{
    listModeOff();
    ui->nombre->setFocus();
}

void TForm6::BOTONCANCELARClick()
{
    listModeOff();
}

void TForm6::listModeOff()
{
    ui->DBLookupListBox1->hide();
    ui->BOTONCANCELAR->hide();
}

void TForm6::DBNavigator1Click(DBNavigator::NavigateButton)
{
    ui->nombre->setFocus();
}

// ---- print

QList<yb::printing::Block> TForm6::printBlocks() const
{
    QList<yb::printing::Block> out;
    out << yb::printing::blockOf(ui->Memo123);
    const QList<const DBMemo*> boxes = {ui->nombre,     ui->domicilio, ui->postal,    ui->localidad,
                                        ui->provincia,  ui->nacimiento, ui->telefono, ui->civil,
                                        ui->patologia,  ui->Medicacion, ui->Observacion};
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        if (i > 0)
            out << yb::printing::blockOf(ui->Memo1);
        out << yb::printing::blockOf(boxes[i]);
    }
    return out;
}

void TForm6::RELOJClick()
{
    yb::guard([&] {
        if (!yb::printing::askPrinter(this))
            return;
        yb::printing::PrinterTarget target(yb::printing::printer());
        yb::printing::printBlocks(target, printBlocks());
    });
}
