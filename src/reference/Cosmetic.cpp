#include "reference/Cosmetic.h"

#include "ui_Cosmetic.h"

#include "reference/RecordBrowser.h"

TForm12* Form12 = nullptr;

TForm12::TForm12(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm12>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Cosmetic"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm12::~TForm12()
{
    if (Form12 == this)
        Form12 = nullptr;
}

void TForm12::FormActivate() { browser->activate(); }
void TForm12::BitBtn1Click() { browser->close(); }
void TForm12::BitBtn2Click() { browser->print(); }
void TForm12::BitBtn2000Click() { browser->search(); }
void TForm12::SpButton200Click() { browser->showNotice(); }
void TForm12::SpeedButton1Click() { browser->listOn(); }
void TForm12::DBLookupListBox1Click() { browser->listChosen(); }
void TForm12::BOTONCANCELARClick() { browser->listOff(); }
void TForm12::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
