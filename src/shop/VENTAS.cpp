#include "shop/VENTAS.h"

#include "ui_VENTAS.h"

#include "controls/ControlSupport.h"
#include "controls/DataSource.h"
#include "shell/Pictures.h"
#include "store/Errors.h"
#include "store/TableCursor.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScrollBar>
#include <QStyle>

TForm44315* Form44315 = nullptr;

namespace {

// The messages of this unit, in the catalogue's context yb::Shop.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Shop)
};

TForm44315::PrinterFactory& printerFactory()
{
    static TForm44315::PrinterFactory factory;
    return factory;
}

std::unique_ptr<QPagedPaintDevice> defaultPrinter()
{
    if (printerFactory())
        return printerFactory()();
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw yb::Error(QStringLiteral("There is no default printer currently selected"));
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(QStringLiteral("Balande de las ventas diarias"));
    return printer;
}

} // namespace

TForm44315::TForm44315(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm44315>())
{
    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("VENTAS"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    DataSource1 = new DataSource(Table1, QStringLiteral("DataSource1"), this);
    Table1->open();

    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->IMPRIMIR->setIcon(yb::pictures::print());
    ui->SpeedButton2->setIcon(yb::pictures::help());
    ui->SALIDA->setIcon(yb::pictures::back());

    // Display widths in characters: date and time 22, description 38, amount
    // 17; narrowed alike where the three would not fit beside the button
    // column and the scroll bar of a restored window, so that none is cut.
    DBGrid* grid = ui->TEXTO1;
    const int w = grid->fontMetrics().averageCharWidth();
    const int chars[] = {22, 38, 17};
    const int room = DesignClientWidth - ui->Panel1->maximumWidth() - 2 * grid->frameWidth() -
        style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid->verticalScrollBar()) - grid->indicatorWidth() -
        1;
    const int wanted = (chars[0] + chars[1] + chars[2]) * w;
    const double scale = wanted > room ? double(room) / wanted : 1.0;
    for (int c = 0; c < 3 && c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, int(chars[c] * w * scale));
}

TForm44315::~TForm44315()
{
    if (Form44315 == this)
        Form44315 = nullptr;
}

void TForm44315::setPrinterFactory(PrinterFactory factory) { printerFactory() = std::move(factory); }

void TForm44315::FormActivate()
{
    Table1->refresh();
    ui->BotonOCULTAR->hide();
    ui->Memo100->hide();
    ui->Panel2->hide();
    setCoveredByHelp(false);
}

// What the help covers takes no keys while it is open.
void TForm44315::setCoveredByHelp(bool covered)
{
    ui->TEXTO1->setEnabled(!covered);
    ui->Panel1->setEnabled(!covered);
}

void TForm44315::SpeedButton2Click()
{
    ui->Panel2->show();
    ui->Panel2->raise();
    ui->Memo100->show();
    ui->BotonOCULTAR->show();
    setCoveredByHelp(true);
    ui->BotonOCULTAR->setFocus();
}

void TForm44315::BotonOCULTARClick()
{
    ui->Panel2->hide();
    ui->BotonOCULTAR->hide();
    ui->Memo100->hide();
    setCoveredByHelp(false);
}

void TForm44315::printPicture(const QImage& picture, QPagedPaintDevice& printer, double screenDpiX, double screenDpiY)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw yb::Error(Text::tr("Printer is not ready: the print job could not be started"));
    painter.scale(printer.logicalDpiX() / screenDpiX, printer.logicalDpiY() / screenDpiY);
    painter.drawImage(QPoint(0, 0), picture);
    if (!painter.end())
        throw yb::Error(Text::tr("Printer error: the print job could not be finished"));
}

// The window's image, without the button column and the help, on one page.
// The button column comes back whether or not the printing succeeds.
void TForm44315::IMPRIMIRClick()
{
    yb::guard([&] {
        struct ShowAgain {
            QWidget* w;
            ~ShowAgain() { w->show(); }
        } showAgain{ui->Panel1};
        ui->Panel1->hide();
        ui->Panel2->hide();
        const QImage picture = grab().toImage();
        std::unique_ptr<QPagedPaintDevice> printer = defaultPrinter();
        printPicture(picture, *printer, logicalDpiX(), logicalDpiY());
    });
}

void TForm44315::SALIDAClick()
{
    ui->Panel2->hide();
    setCoveredByHelp(false);
    close();
}
