#include "reference/Informd.h"

#include "ui_Informd.h"

#include "reference/RecordBrowser.h"

TForm14* Form14 = nullptr;

TForm14::TForm14(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm14>())
{
    ui->setupUi(this);
    yb::RecordBrowser::Setup setup;
    setup.unit = QStringLiteral("Informd");
    setup.printBlocks = {QStringLiteral("Memo123"), QStringLiteral("MEMO2"), QStringLiteral("Memo1"), QStringLiteral("Memo3"), QStringLiteral("Memo1"), QStringLiteral("Memo4"), QStringLiteral("Memo1"), QStringLiteral("Memo5"), QStringLiteral("Memo1"), QStringLiteral("Memo6")};
    browser = new yb::RecordBrowser(this, setup);
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
