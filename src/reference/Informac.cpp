#include "Informac.h"

#include "ui_Informac.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm11>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Informac"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm11::~TForm11()
{
    if (Form11 == this)
        Form11 = nullptr;
}

void TForm11::BitBtn1Click()
{
    close();
}
