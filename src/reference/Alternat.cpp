#include "Alternat.h"

#include "ui_Alternat.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm16* Form16 = nullptr;

TForm16::TForm16(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm16>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Alternat"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm16::~TForm16()
{
    if (Form16 == this)
        Form16 = nullptr;
}

void TForm16::BitBtn1Click()
{
    close();
}
