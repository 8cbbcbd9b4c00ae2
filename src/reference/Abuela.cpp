#include "reference/Abuela.h"

#include "ui_Abuela.h"

#include "reference/RecordBrowser.h"

TForm17* Form17 = nullptr;

TForm17::TForm17(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm17>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Abuela"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm17::~TForm17()
{
    if (Form17 == this)
        Form17 = nullptr;
}

void TForm17::FormActivate() { browser->activate(); }
void TForm17::BitBtn1Click() { browser->close(); }
void TForm17::BitBtn2Click() { browser->print(); }
void TForm17::BitBtn2000Click() { browser->search(); }
void TForm17::SpButton200Click() { browser->showNotice(); }
void TForm17::SpeedButton1Click() { browser->listOn(); }
void TForm17::DBLookupListBox1Click() { browser->listChosen(); }
void TForm17::BOTONCANCELARClick() { browser->listOff(); }
void TForm17::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
