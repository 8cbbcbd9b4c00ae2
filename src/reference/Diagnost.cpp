#include "Diagnost.h"

#include "ui_Diagnost.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm13* Form13 = nullptr;

TForm13::TForm13(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm13>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Diagnost"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm13::~TForm13()
{
    if (Form13 == this)
        Form13 = nullptr;
}

void TForm13::BitBtn1Click()
{
    close();
}
