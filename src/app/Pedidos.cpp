#include "app/Pedidos.h"

#include "ui_Pedidos.h"

#include "app/InfoPrint.h"
#include "controls/ControlSupport.h"
#include "shell/Pictures.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm3>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());
    ui->BitBtn2->setIcon(yb::pictures::print());
    ui->Memo2->setFocus();
}

TForm3::~TForm3()
{
    if (Form3 == this)
        Form3 = nullptr;
}

QList<const QWidget*> TForm3::printedControls() const { return {ui->Memo2}; }

QList<yb::printing::Block> TForm3::printBlocks() const { return yb::info::blocksOf(printedControls()); }

void TForm3::BitBtn1Click() { close(); }

void TForm3::BitBtn2Click()
{
    yb::guard([&] { yb::info::printWholeDocument(this, printedControls()); });
}
