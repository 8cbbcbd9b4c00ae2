#include "Glosario.h"

#include "ui_Glosario.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm21* Form21 = nullptr;

TForm21::TForm21(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm21>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Glosario"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm21::~TForm21()
{
    if (Form21 == this)
        Form21 = nullptr;
}

void TForm21::BitBtn1Click()
{
    close();
}
