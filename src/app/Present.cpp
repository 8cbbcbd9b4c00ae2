#include "app/Present.h"

#include "ui_Present.h"

#include <QPixmap>

#include "shell/Pictures.h"
#include "shell/Shell.h"

TForm400* Form400 = nullptr;

TForm400::TForm400(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm400>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowState(Qt::WindowMaximized);
    // Drawn unscaled from the top-left corner, cut at the control's edges.
    ui->Image2->setPixmap(QPixmap::fromImage(yb::pictures::presentation()));
    ui->Button1->setFocus();
}

TForm400::~TForm400()
{
    if (Form400 == this)
        Form400 = nullptr;
}

void TForm400::Button1Click()
{
    yb::beep();
    close();
}
