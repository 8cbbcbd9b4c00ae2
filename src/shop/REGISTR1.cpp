#include "REGISTR1.h"

#include "ui_REGISTR1.h"

#include "Pictures.h"
#include "TableCursor.h"

TEDITORTABLA* EDITORTABLA = nullptr;

TEDITORTABLA::TEDITORTABLA(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TEDITORTABLA>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtnFRAN->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TEDITORTABLA::~TEDITORTABLA()
{
    if (EDITORTABLA == this)
        EDITORTABLA = nullptr;
}

void TEDITORTABLA::BitBtnFRANClick()
{
    close();
}
