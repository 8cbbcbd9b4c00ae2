#include "Editor.h"

#include "ui_Editor.h"

#include "Pictures.h"
#include "TableCursor.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm8>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Editor"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
}

TForm8::~TForm8()
{
    if (Form8 == this)
        Form8 = nullptr;
}

void TForm8::BitBtn1Click()
{
    close();
}
