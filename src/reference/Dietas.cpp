#include "reference/Dietas.h"

#include "ui_Dietas.h"

#include "reference/RecordBrowser.h"

TForm20* Form20 = nullptr;

TForm20::TForm20(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm20>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Dietas"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm20::~TForm20()
{
    if (Form20 == this)
        Form20 = nullptr;
}

void TForm20::FormActivate() { browser->activate(); }
void TForm20::BitBtn3Click() { browser->close(); }
void TForm20::BitBtn2Click() { browser->print(); }
void TForm20::BitBtn1Click() { browser->search(); }
void TForm20::SpButton200Click() { browser->showNotice(); }
void TForm20::SpeedButton1Click() { browser->listOn(); }
void TForm20::DBLookupListBox1Click() { browser->listChosen(); }
void TForm20::BOTONCANCELARClick() { browser->listOff(); }
void TForm20::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
