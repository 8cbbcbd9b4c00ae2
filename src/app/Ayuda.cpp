#include "app/Ayuda.h"

#include "ui_Ayuda.h"

#include "reference/RecordBrowser.h"
#include "shell/Shell.h"

TFORM777* FORM777 = nullptr;

namespace {

// A control made of parts (a memo and its viewport and scroll bars, the
// arrow pair) gives its sentence to every part, so that the mouse over any
// of them sets it.
void shareSentence(QWidget* control)
{
    const QVariant sentence = control->property("statusHint");
    for (QWidget* part : control->findChildren<QWidget*>())
        if (!part->property("statusHint").isValid())
            part->setProperty("statusHint", sentence);
}

} // namespace

TFORM777::TFORM777(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TFORM777>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    yb::RecordBrowser::Setup setup;
    setup.unit = QStringLiteral("Ayuda");
    setup.keyMemo = QStringLiteral("n1");
    setup.contentMemos = {QStringLiteral("n2")};
    setup.enterChain = {};
    setup.printBlocks = {QStringLiteral("Memo123"), QStringLiteral("n1"), QStringLiteral("Memo1"),
                         QStringLiteral("n2")};
    // The search only shows what a search looks like; the typed name is discarded.
    setup.searchLocates = false;
    setup.notFound = notFoundText();
    // The list is there to be seen: the chosen record is shown nowhere.
    setup.listRefreshes = false;
    setup.listChoiceFocusesKey = false;
    browser = new yb::RecordBrowser(this, setup);
    Table1 = browser->table();
    DataSource1 = browser->dataSource();

    for (QWidget* w : {static_cast<QWidget*>(ui->n1), static_cast<QWidget*>(ui->n2),
                       static_cast<QWidget*>(ui->DBLookupListBox1), ui->UpDown1})
        shareSentence(w);
    yb::attachHintLine(this, ui->Panel1);
}

TFORM777::~TFORM777()
{
    if (FORM777 == this)
        FORM777 = nullptr;
}

QString TFORM777::notFoundText()
{
    return QStringLiteral("Registro no encontrado.  -  Para buscar el nombre de la enfermedad, dolencia, producto, "
                          "síntoma, etc..., deberá de escribir tal y como esté escrito en la base de datos, ya que "
                          "la opción \"BUSCAR\" distingue mayúsculas y minúsculas.        ¡Pruebe de nuevo!");
}

QList<yb::printing::Block> TFORM777::printBlocks() const { return browser->blocks(); }

void TFORM777::FormActivate() { browser->activate(); }
void TFORM777::BitBtn1Click() { browser->close(); }
void TFORM777::BitBtn2Click() { browser->print(); }
void TFORM777::BitBtn2000Click() { browser->search(); }
void TFORM777::SpButton200Click() { browser->showNotice(); }
void TFORM777::SpeedButton1Click() { browser->listOn(); }
void TFORM777::DBLookupListBox1Click() { browser->listChosen(); }
void TFORM777::BOTONCANCELARClick() { browser->listOff(); }
