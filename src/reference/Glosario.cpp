#include "reference/Glosario.h"

#include "ui_Glosario.h"

#include "reference/RecordBrowser.h"

TForm21* Form21 = nullptr;

TForm21::TForm21(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm21>())
{
    ui->setupUi(this);
    yb::RecordBrowser::Setup setup;
    setup.unit = QStringLiteral("Glosario");
    setup.closeButton = QStringLiteral("BitBtn3");
    setup.searchButton = QStringLiteral("BitBtn1");
    setup.searchPrompt = QStringLiteral("Introduce Nombre");
    setup.printBlocks = {QStringLiteral("Memo123"), QStringLiteral("MEMO2"), QStringLiteral("Memo1"), QStringLiteral("Memo3")};
    browser = new yb::RecordBrowser(this, setup);
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
