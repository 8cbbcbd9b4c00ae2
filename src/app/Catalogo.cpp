#include "app/Catalogo.h"

#include "ui_Catalogo.h"

#include "app/InfoPrint.h"
#include "controls/ControlSupport.h"
#include "shell/Pictures.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm5>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());
    ui->BitBtn3->setIcon(yb::pictures::print());
    ui->Memo2->setFocus();
}

TForm5::~TForm5()
{
    if (Form5 == this)
        Form5 = nullptr;
}

QList<const QWidget*> TForm5::printedControls() const { return {ui->Memo2}; }

QList<yb::printing::Block> TForm5::printBlocks() const { return yb::info::blocksOf(printedControls()); }

void TForm5::BitBtn1Click() { close(); }

void TForm5::BitBtn3Click()
{
    yb::guard([&] { yb::info::printWholeDocument(this, printedControls()); });
}
