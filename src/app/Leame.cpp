#include "app/Leame.h"

#include "ui_Leame.h"

#include "app/InfoPrint.h"
#include "controls/ControlSupport.h"
#include "shell/Pictures.h"

TForm19* Form19 = nullptr;

TForm19::TForm19(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm19>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());
    ui->BitBtn2->setIcon(yb::pictures::print());
    // The notes are centred line by line.
    for (auto* memo : {ui->Memo2, ui->Memo3})
        memo->document()->setDefaultTextOption(QTextOption(Qt::AlignHCenter));
    ui->Memo2->setFocus();
}

TForm19::~TForm19()
{
    if (Form19 == this)
        Form19 = nullptr;
}

QList<const QWidget*> TForm19::printedControls() const { return {ui->Memo123, ui->Memo2, ui->Memo1, ui->Memo3}; }

QList<yb::printing::Block> TForm19::printBlocks() const { return yb::info::blocksOf(printedControls()); }

void TForm19::BitBtn1Click() { close(); }

void TForm19::BitBtn2Click()
{
    yb::guard([&] { yb::printing::printControls(this, printedControls()); });
}
