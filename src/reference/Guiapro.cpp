#include "Guiapro.h"

#include "ui_Guiapro.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm15>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Guiapro"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm15::~TForm15()
{
    if (Form15 == this)
        Form15 = nullptr;
}

void TForm15::BitBtn1Click()
{
    close();
}
