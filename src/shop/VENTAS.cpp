#include "VENTAS.h"

#include "ui_VENTAS.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm44315* Form44315 = nullptr;

TForm44315::TForm44315(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm44315>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->SALIDA->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("VENTAS"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm44315::~TForm44315()
{
    if (Form44315 == this)
        Form44315 = nullptr;
}

void TForm44315::SALIDAClick()
{
    close();
}
