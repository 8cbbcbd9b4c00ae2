#include "Datos.h"

#include "ui_Datos.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm6>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn3->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Datos"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm6::~TForm6()
{
    if (Form6 == this)
        Form6 = nullptr;
}

void TForm6::BitBtn3Click()
{
    close();
}
