#include "app/Ayuda.h"

#include "ui_Ayuda.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QPixmap>

#include "controls/ControlSupport.h"
#include "controls/DataSource.h"
#include "shell/Pictures.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "store/TableCursor.h"

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
    setWindowState(Qt::WindowMaximized);
    ui->BitBtn1->setIcon(yb::pictures::back());
    ui->BitBtn2->setIcon(yb::pictures::print());
    ui->BitBtn2000->setIcon(yb::pictures::search());
    ui->SpeedButton1->setIcon(yb::pictures::list());

    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("Ayuda"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    Table1->open();
    DataSource1 = new DataSource(Table1, QStringLiteral("DataSource1"), this);

    yb::useRecordScreenColours(this, ui->DBLookupListBox1);

    for (QWidget* w : {static_cast<QWidget*>(ui->n1), static_cast<QWidget*>(ui->n2),
                       static_cast<QWidget*>(ui->DBLookupListBox1), ui->UpDown1})
        shareSentence(w);
    yb::attachHintLine(this, ui->Panel1);
    hideList();
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

void TFORM777::FormActivate()
{
    yb::guard([&] {
        hideList();
        Table1->first();
        ui->n1->setFocus();
        yb::setHint(this, QString());
    });
}

void TFORM777::BitBtn1Click()
{
    close();
}

QList<yb::printing::Block> TFORM777::printBlocks() const
{
    return {yb::printing::blockOf(ui->Memo123), yb::printing::blockOf(ui->n1), yb::printing::blockOf(ui->Memo1),
            yb::printing::blockOf(ui->n2)};
}

void TFORM777::BitBtn2Click()
{
    yb::guard([&] {
        if (!yb::printing::askPrinter(this))
            return;
        yb::printing::PrinterTarget target(yb::printing::printer());
        yb::printing::printBlocks(target, printBlocks());
    });
}

// A demonstration only: whatever is typed, and on Cancel too, the
// not-found notice follows; nothing is searched.
void TFORM777::BitBtn2000Click()
{
    yb::inputQuery(QStringLiteral("Entrada"), QStringLiteral("Introduce el nombre:"));
    yb::noticeBox(notFoundText());
}

void TFORM777::SpButton200Click()
{
    if (Form100)
        yb::showModal(Form100);
}

void TFORM777::SpeedButton1Click()
{
    ui->DBLookupListBox1->show();
    ui->BOTONCANCELAR->show();
    ui->BOTONCANCELAR->raise();
}

// The cursor has moved to the chosen record; nothing here shows it.
void TFORM777::DBLookupListBox1Click()
{
    hideList();
}

void TFORM777::BOTONCANCELARClick()
{
    hideList();
}

void TFORM777::hideList()
{
    ui->DBLookupListBox1->hide();
    ui->BOTONCANCELAR->hide();
}
