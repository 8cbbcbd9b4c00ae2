#include "reference/Informd.h"

#include "ui_Informd.h"

#include "reference/RecordBrowser.h"

TForm14* Form14 = nullptr;

TForm14::TForm14(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm14>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Informd"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm14::~TForm14()
{
    if (Form14 == this)
        Form14 = nullptr;
}

void TForm14::FormActivate() { browser->activate(); }
void TForm14::BitBtn1Click() { browser->close(); }
void TForm14::BitBtn2Click() { browser->print(); }
void TForm14::BitBtn2000Click() { browser->search(); }
void TForm14::SpButton200Click() { browser->showNotice(); }
void TForm14::SpeedButton1Click() { browser->listOn(); }
void TForm14::DBLookupListBox1Click() { browser->listChosen(); }
void TForm14::BOTONCANCELARClick() { browser->listOff(); }
void TForm14::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
