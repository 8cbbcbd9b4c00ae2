#include "Cosmetic.h"

#include "ui_Cosmetic.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm12* Form12 = nullptr;

TForm12::TForm12(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm12>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm12::~TForm12()
{
    if (Form12 == this)
        Form12 = nullptr;
}

void TForm12::BitBtn1Click()
{
    close();
}
