#include "app/Salir.h"

#include "ui_Salir.h"

#include "shell/Pictures.h"
#include "shell/Shell.h"

TForm99* Form99 = nullptr;

TForm99::TForm99(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TForm99>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    ui->BitBtn1->setIcon(yb::pictures::yes());
    ui->BitBtn2->setIcon(yb::pictures::no());
    // "Volver" has the focus when the screen opens, so Enter returns; Esc too.
    ui->BitBtn2->setFocus();
}

TForm99::~TForm99()
{
    if (Form99 == this)
        Form99 = nullptr;
}

void TForm99::BitBtn1Click() { yb::terminate(); }

void TForm99::BitBtn2Click() { close(); }
