#include "reference/Diagnost.h"

#include "ui_Diagnost.h"

#include "reference/RecordBrowser.h"

TForm13* Form13 = nullptr;

TForm13::TForm13(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm13>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Diagnost"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm13::~TForm13()
{
    if (Form13 == this)
        Form13 = nullptr;
}

void TForm13::FormActivate() { browser->activate(); }
void TForm13::BitBtn1Click() { browser->close(); }
void TForm13::BitBtn2Click() { browser->print(); }
void TForm13::BitBtn2000Click() { browser->search(); }
void TForm13::SpButton200Click() { browser->showNotice(); }
void TForm13::SpeedButton1Click() { browser->listOn(); }
void TForm13::DBLookupListBox1Click() { browser->listChosen(); }
void TForm13::BOTONCANCELARClick() { browser->listOff(); }
void TForm13::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
