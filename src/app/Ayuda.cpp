#include "Ayuda.h"

#include "ui_Ayuda.h"

#include "Pictures.h"
#include "TableCursor.h"

TFORM777* FORM777 = nullptr;

TFORM777::TFORM777(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TFORM777>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Ayuda"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TFORM777::~TFORM777()
{
    if (FORM777 == this)
        FORM777 = nullptr;
}

void TFORM777::BitBtn1Click()
{
    close();
}
