#include "reference/Glosario.h"

#include "ui_Glosario.h"

#include "reference/RecordBrowser.h"

TForm21* Form21 = nullptr;

TForm21::TForm21(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm21>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Glosario"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm21::~TForm21()
{
    if (Form21 == this)
        Form21 = nullptr;
}

void TForm21::FormActivate() { browser->activate(); }
void TForm21::BitBtn3Click() { browser->close(); }
void TForm21::BitBtn2Click() { browser->print(); }
void TForm21::BitBtn1Click() { browser->search(); }
void TForm21::SpButton200Click() { browser->showNotice(); }
void TForm21::SpeedButton1Click() { browser->listOn(); }
void TForm21::DBLookupListBox1Click() { browser->listChosen(); }
void TForm21::BOTONCANCELARClick() { browser->listOff(); }
void TForm21::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
