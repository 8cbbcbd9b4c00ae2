#include "reference/Tnatural.h"

#include "ui_Tnatural.h"

#include "reference/RecordBrowser.h"

TForm18* Form18 = nullptr;

TForm18::TForm18(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm18>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Tnatural"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm18::~TForm18()
{
    if (Form18 == this)
        Form18 = nullptr;
}

void TForm18::FormActivate() { browser->activate(); }
void TForm18::BitBtn1Click() { browser->close(); }
void TForm18::BitBtn2Click() { browser->print(); }
void TForm18::BitBtn2000Click() { browser->search(); }
void TForm18::SpButton200Click() { browser->showNotice(); }
void TForm18::SpeedButton1Click() { browser->listOn(); }
void TForm18::DBLookupListBox1Click() { browser->listChosen(); }
void TForm18::BOTONCANCELARClick() { browser->listOff(); }
void TForm18::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
