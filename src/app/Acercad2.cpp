#include "Acercad2.h"

#include "ui_Acercad2.h"

TFORMABOX* FORMABOX = nullptr;

TFORMABOX::TFORMABOX(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TFORMABOX>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

TFORMABOX::~TFORMABOX()
{
    if (FORMABOX == this)
        FORMABOX = nullptr;
}
