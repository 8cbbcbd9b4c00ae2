#include "reference/Alternat.h"

#include "ui_Alternat.h"

#include "reference/RecordBrowser.h"

TForm16* Form16 = nullptr;

TForm16::TForm16(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm16>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Alternat"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm16::~TForm16()
{
    if (Form16 == this)
        Form16 = nullptr;
}

void TForm16::FormActivate() { browser->activate(); }
void TForm16::BitBtn1Click() { browser->close(); }
void TForm16::BitBtn2Click() { browser->print(); }
void TForm16::BitBtn1998Click() { browser->search(); }
void TForm16::SpButton200Click() { browser->showNotice(); }
void TForm16::SpeedButton1Click() { browser->listOn(); }
void TForm16::DBLookupListBox1Click() { browser->listChosen(); }
void TForm16::BOTONCANCELARClick() { browser->listOff(); }
void TForm16::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
