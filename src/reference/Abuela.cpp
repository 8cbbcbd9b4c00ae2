#include "Abuela.h"

#include "ui_Abuela.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm17* Form17 = nullptr;

TForm17::TForm17(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm17>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Abuela"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm17::~TForm17()
{
    if (Form17 == this)
        Form17 = nullptr;
}

void TForm17::BitBtn1Click()
{
    close();
}
