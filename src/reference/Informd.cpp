#include "Informd.h"

#include "ui_Informd.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm14* Form14 = nullptr;

TForm14::TForm14(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm14>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Informd"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm14::~TForm14()
{
    if (Form14 == this)
        Form14 = nullptr;
}

void TForm14::BitBtn1Click()
{
    close();
}
