#include "shell/Recordar.h"

#include "ui_Recordar.h"

TForm100* Form100 = nullptr;

TForm100::TForm100(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TForm100>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    ui->Button1111->setFocus();
}

TForm100::~TForm100()
{
    if (Form100 == this)
        Form100 = nullptr;
}

void TForm100::Button1111Click() { close(); }
