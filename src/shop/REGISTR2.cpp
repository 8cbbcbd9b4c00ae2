#include "shop/REGISTR2.h"

#include "ui_REGISTR2.h"

#include "controls/ControlSupport.h"
#include "controls/DataSource.h"
#include "shell/Pictures.h"
#include "shell/Shell.h"
#include "shop/KeyPress.h"
#include "store/Conversions.h"
#include "store/TableCursor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QScreen>
#include <QStyle>
#include <QTimer>

TTERMINAL* TERMINAL = nullptr;

TTERMINAL::TTERMINAL(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TTERMINAL>())
{
    tblProductos =
        new yb::TableCursor(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblProductos")), this);
    tblProductos->setObjectName(QStringLiteral("tblProductos"));
    tblVentas = new yb::TableCursor(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")), this);
    tblVentas->setObjectName(QStringLiteral("tblVentas"));
    dsProductos = new DataSource(tblProductos, QStringLiteral("dsProductos"), this);
    till_ = std::make_unique<yb::Till>(tblProductos, tblVentas);
    tblProductos->open();
    tblVentas->open();

    ui->setupUi(this);
    // Each till of a shop records its own number (one database for several tills).
    ui->edNumeroCaja->setText(yb::tillNumberText());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    // Restored, the window stands in the middle of the screen.
    if (QScreen* sc = screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), sc->availableGeometry()));
    setWindowState(Qt::WindowMaximized);
    yb::useFixedFrame(this, QSize(640, 461));
    ui->BitBtn1->setIcon(yb::pictures::back());

    yb::onKeyPress(ui->edCodigo, [this](QChar& k) { edCodigoKeyPress(k); });
    yb::onKeyPress(ui->dbDescripcion, [this](QChar& k) { dbDescripcionKeyPress(k); });

    Reloj = new QTimer(this);
    Reloj->setObjectName(QStringLiteral("Reloj"));
    Reloj->setInterval(1000);
    connect(Reloj, &QTimer::timeout, this, &TTERMINAL::RelojTimer);
    Reloj->start();
}

TTERMINAL::~TTERMINAL()
{
    if (TERMINAL == this)
        TERMINAL = nullptr;
}

void TTERMINAL::FormActivate()
{
    ui->edCodigo->clear();
    ui->dbDescripcion->setText(QString());
    ui->dbPrecio->setText(QString());
    ui->DBGrid2->show();
    ui->CANCELAR->show();
    ui->Botonver->hide();
    ui->Panel3->hide();
    ui->workArea->setEnabled(true);
    // The help button comes back with every showing, even when the screen
    // was closed while the help was open.
    ui->Ayuda->show();
    newCustomer();
    ui->Ocultar2->hide();
    ui->Mem889->hide();
    till_->forget();
    tblVentas->cancel();
    tblProductos->cancel();
    ui->edCodigo->setFocus();
}

// Enter looks the code up; Esc ends the customer's purchase.
void TTERMINAL::edCodigoKeyPress(QChar& Key)
{
    if (Key == QChar(13)) {
        Key = QChar();
        lookupProduct();
    } else if (Key == QChar(27)) {
        Key = QChar();
        newCustomer();
    }
}

// The description box only shows the product; Enter in it does what Enter in
// the code box does, on the code box's code.
void TTERMINAL::dbDescripcionKeyPress(QChar& Key) { edCodigoKeyPress(Key); }

void TTERMINAL::lookupProduct()
{
    if (till_->lookup(ui->edCodigo->text()))
        ui->btnAnotar->setFocus();
    else
        yb::messageBox(QStringLiteral("Ese producto no existe"));
}

void TTERMINAL::newCustomer()
{
    ui->lbAcumulado->clear();
    ui->lbImporte->setText(QStringLiteral("0"));
}

// The sale is checked and written first; only a sale in the table reaches
// the customer's list and total.
void TTERMINAL::btnAnotarClick()
{
    yb::guard([&] {
        const yb::Till::Sale sale =
            till_->record(ui->edCodigo->text(), ui->edNumeroCaja->text(), yb::textToInt(ui->lbImporte->text()));
        ui->lbAcumulado->addItem(sale.line);
        ui->lbAcumulado->setCurrentRow(ui->lbAcumulado->count() - 1);
        ui->lbAcumulado->scrollToItem(ui->lbAcumulado->currentItem());
        ui->lbImporte->setText(yb::intToText(sale.total));
        ui->edCodigo->clear();
        ui->dbDescripcion->setText(QString());
        ui->dbPrecio->setText(QString());
        ui->edCodigo->setFocus();
        if (sale.alreadyRecorded)
            yb::messageBox(QCoreApplication::translate("yb::Shop",
                                                       "The server's answer was lost, but the sale had "
                                                       "already been recorded: it stays recorded once"));
    });
}

void TTERMINAL::RelojTimer()
{
    const QDateTime now = QDateTime::currentDateTime();
    ui->lbFechaHora->setText(yb::dateText(now.date()) + QLatin1Char(' ') + yb::timeText(now.time()));
}

void TTERMINAL::BotonverClick()
{
    ui->DBGrid2->show();
    ui->CANCELAR->show();
    ui->Botonver->hide();
    ui->edCodigo->setFocus();
}

void TTERMINAL::CANCELARClick()
{
    ui->DBGrid2->hide();
    ui->CANCELAR->hide();
    ui->Botonver->show();
    ui->edCodigo->setFocus();
}

void TTERMINAL::AyudaClick()
{
    ui->Ocultar2->show();
    ui->Mem889->show();
    ui->Ayuda->hide();
    ui->Panel3->show();
    ui->Panel3->raise();
    // What the help covers takes neither keys nor Alt+letter while it is open
    // ("&Ocultar la Lista" under "&Ocultar la Ayuda" would share Alt+O).
    ui->workArea->setEnabled(false);
}

void TTERMINAL::Ocultar2Click()
{
    ui->Ocultar2->hide();
    ui->Mem889->hide();
    ui->Ayuda->show();
    ui->Panel3->hide();
    ui->workArea->setEnabled(true);
    ui->edCodigo->setFocus();
}

void TTERMINAL::BitBtn1Click() { close(); }
