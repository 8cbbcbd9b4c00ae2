#include "reference/Informac.h"

#include "ui_Informac.h"

#include "reference/RecordBrowser.h"

TForm11* Form11 = nullptr;

TForm11::TForm11(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm11>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Informac"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm11::~TForm11()
{
    if (Form11 == this)
        Form11 = nullptr;
}

void TForm11::FormActivate() { browser->activate(); }
void TForm11::BitBtn1Click() { browser->close(); }
void TForm11::BitBtn2Click() { browser->print(); }
void TForm11::BitBtn2000Click() { browser->search(); }
void TForm11::SpButton200Click() { browser->showNotice(); }
void TForm11::SpeedButton1Click() { browser->listOn(); }
void TForm11::DBLookupListBox1Click() { browser->listChosen(); }
void TForm11::BOTONCANCELARClick() { browser->listOff(); }
void TForm11::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
