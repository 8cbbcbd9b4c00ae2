#include "people/Datos.h"

#include "ui_Datos.h"

#include "reference/RecordBrowser.h"

TForm6* Form6 = nullptr;

namespace {

// The eleven boxes of a card, in the order Enter walks them and the print
// command prints them.
const QStringList kBoxes = {QStringLiteral("nombre"),     QStringLiteral("domicilio"),  QStringLiteral("postal"),
                            QStringLiteral("localidad"),  QStringLiteral("provincia"),  QStringLiteral("nacimiento"),
                            QStringLiteral("telefono"),   QStringLiteral("civil"),      QStringLiteral("patologia"),
                            QStringLiteral("Medicacion"), QStringLiteral("Observacion")};

yb::RecordBrowser::Setup cardFileSetup()
{
    yb::RecordBrowser::Setup setup;
    setup.unit = QStringLiteral("Datos");
    setup.closeButton = QStringLiteral("BitBtn3");
    setup.printButton = QStringLiteral("RELOJ");
    setup.keyMemo = kBoxes.first();
    setup.contentMemos = kBoxes.mid(1);
    // Enter walks the one-line boxes and ends in the pathology; the three
    // free texts take Enter as a line break.
    setup.enterChain = kBoxes.mid(0, kBoxes.indexOf(QStringLiteral("patologia")) + 1);
    setup.blueWhenFocused = {QStringLiteral("civil")};
    setup.searchField = QStringLiteral("NOMBRE/APELLIDOS");
    setup.printBlocks = {QStringLiteral("Memo123")};
    for (qsizetype i = 0; i < kBoxes.size(); ++i) {
        if (i > 0)
            setup.printBlocks << QStringLiteral("Memo1");
        setup.printBlocks << kBoxes[i];
    }
    return setup;
}

} // namespace

TForm6::TForm6(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm6>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, cardFileSetup());
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
}

TForm6::~TForm6()
{
    if (Form6 == this)
        Form6 = nullptr;
}

QList<yb::printing::Block> TForm6::printBlocks() const { return browser->blocks(); }

void TForm6::FormActivate() { browser->activate(); }
void TForm6::BitBtn3Click() { browser->close(); }
void TForm6::RELOJClick() { browser->print(); }
void TForm6::BitBtn2000Click() { browser->search(); }
void TForm6::SpButton200Click() { browser->showNotice(); }
void TForm6::SpeedButton1Click() { browser->listOn(); }
void TForm6::DBLookupListBox1Click() { browser->listChosen(); }
void TForm6::BOTONCANCELARClick() { browser->listOff(); }
void TForm6::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }
