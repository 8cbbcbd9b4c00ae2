#include "reference/Editor.h"

#include "ui_Editor.h"

#include <QFontDialog>
#include <QFontInfo>

#include "reference/RecordBrowser.h"

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm8>())
{
    ui->setupUi(this);
    browser = new yb::RecordBrowser(this, yb::RecordBrowser::setupOf(u"Editor"));
    Table1 = browser->table();
    DataSource1 = browser->dataSource();
    // The font dialog starts from its own last confirmed font: the first time
    // the window font, System 10 points (13 pixels on screen), named by the
    // face it maps to here so that the dialog can offer it.
    FontDialog1 = new QFontDialog(this);
    FontDialog1->setObjectName(QStringLiteral("FontDialog1"));
    FontDialog1->setOption(QFontDialog::DontUseNativeDialog);
    fontDialogFont = QFont(QFontInfo(QFont(QStringLiteral("System"), 10)).family(), 10);
}

TForm8::~TForm8()
{
    if (Form8 == this)
        Form8 = nullptr;
}

void TForm8::FormActivate() { browser->activate(); }
void TForm8::BitBtn1Click() { browser->close(); }
void TForm8::BitBtn2Click() { browser->print(); }
void TForm8::BitBtn2000Click() { browser->search(); }
void TForm8::SpButton200Click() { browser->showNotice(); }
void TForm8::SpeedButton1Click() { browser->listOn(); }
void TForm8::DBLookupListBox1Click() { browser->listChosen(); }
void TForm8::BOTONCANCELARClick() { browser->listOff(); }
void TForm8::DBNavigator1Click(DBNavigator::NavigateButton) { browser->navigatorClicked(); }

// Font command: the chosen font for the text, for the life of the process.
void TForm8::SpeedButton2Click()
{
    FontDialog1->setCurrentFont(fontDialogFont);
    if (FontDialog1->exec() != QDialog::Accepted)
        return;
    fontDialogFont = FontDialog1->selectedFont();
    ui->Memo3->setFont(fontDialogFont);
}
