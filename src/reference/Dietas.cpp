#include "Dietas.h"

#include "ui_Dietas.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm20* Form20 = nullptr;

TForm20::TForm20(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm20>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Dietas"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm20::~TForm20()
{
    if (Form20 == this)
        Form20 = nullptr;
}

void TForm20::BitBtn1Click()
{
    close();
}
