#include "reference/Guiapro.h"

#include "ui_Guiapro.h"

#include "reference/RecordBrowser.h"

TForm15* Form15 = nullptr;

TForm15::TForm15(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm15>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Guiapro"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm15::~TForm15()
{
    if (Form15 == this)
        Form15 = nullptr;
}

void TForm15::FormActivate() { browser->activate(); }
void TForm15::BitBtn1Click() { browser->close(); }
void TForm15::BitBtn2Click() { browser->print(); }
void TForm15::BitBtn2000Click() { browser->search(); }
void TForm15::SpButton200Click() { browser->showNotice(); }
void TForm15::SpeedButton1Click() { browser->listOn(); }
void TForm15::DBLookupListBox1Click() { browser->listChosen(); }
void TForm15::BOTONCANCELARClick() { browser->listOff(); }
void TForm15::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
