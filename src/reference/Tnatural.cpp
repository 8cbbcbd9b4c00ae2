#include "Tnatural.h"

#include "ui_Tnatural.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm18* Form18 = nullptr;

TForm18::TForm18(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm18>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Tnatural"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm18::~TForm18()
{
    if (Form18 == this)
        Form18 = nullptr;
}

void TForm18::BitBtn1Click()
{
    close();
}
