#include "REGISTR2.h"

#include "ui_REGISTR2.h"

#include "Pictures.h"
#include "TableCursor.h"

TTERMINAL* TERMINAL = nullptr;

TTERMINAL::TTERMINAL(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TTERMINAL>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    tblProductos = new yb::TableCursor(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblProductos")), this);
    tblProductos->setObjectName(QStringLiteral("tblProductos"));
    tblProductos->open();

    tblVentas = new yb::TableCursor(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")), this);
    tblVentas->setObjectName(QStringLiteral("tblVentas"));
    tblVentas->open();
}

TTERMINAL::~TTERMINAL()
{
    if (TERMINAL == this)
        TERMINAL = nullptr;
}

void TTERMINAL::BitBtn1Click()
{
    close();
}
