#include "Leame.h"

#include "ui_Leame.h"

#include "Pictures.h"

TForm19* Form19 = nullptr;

TForm19::TForm19(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm19>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());
}

TForm19::~TForm19()
{
    if (Form19 == this)
        Form19 = nullptr;
}

void TForm19::BitBtn1Click()
{
    close();
}
