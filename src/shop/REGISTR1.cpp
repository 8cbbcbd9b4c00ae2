#include "shop/REGISTR1.h"

#include "ui_REGISTR1.h"

#include "controls/DataSource.h"
#include "shell/Pictures.h"
#include "shop/KeyPress.h"
#include "store/TableCursor.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>

TEDITORTABLA* EDITORTABLA = nullptr;

TEDITORTABLA::TEDITORTABLA(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TEDITORTABLA>())
{
    Table1 = new yb::TableCursor(yb::cursorDecl(QStringLiteral("REGISTR1"), QStringLiteral("Table1")), this);
    Table1->setObjectName(QStringLiteral("Table1"));
    DataSource1 = new DataSource(Table1, QStringLiteral("DataSource1"), this);

    Table1->open();

    ui->setupUi(this);
    // Restored, the window stands in the middle of the screen.
    if (QScreen* sc = screen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), sc->availableGeometry()));
    setWindowState(Qt::WindowMaximized);
    ui->BitBtnFRAN->setIcon(yb::pictures::back());
    ui->Speed1->setIcon(yb::pictures::help());

    yb::onKeyPress(ui->DBEdit1, [this](QChar& k) { DBEdit1KeyPress(k); });
    yb::onKeyPress(ui->DBEdit2, [this](QChar& k) { DBEdit2KeyPress(k); });
    yb::onKeyPress(ui->DBEdit3, [this](QChar& k) { DBEdit3KeyPress(k); });
}

TEDITORTABLA::~TEDITORTABLA()
{
    if (EDITORTABLA == this)
        EDITORTABLA = nullptr;
}

void TEDITORTABLA::FormActivate()
{
    Table1->refresh();
    ui->DBGrid2->show();
    ui->CANCELAR->show();
    ui->Botonver->hide();
    ui->OCULTAR->hide();
    ui->Memo10->hide();
    ui->Speed1->show();
    setCoveredByHelp(false);
    Table1->first();
    ui->DBEdit1->setFocus();
    // The window may take the focus only after this handler: the box is
    // entered now all the same.
    setTextColour(ui->DBEdit1, QColor(255, 0, 0));
}

void TEDITORTABLA::setTextColour(QWidget* box, const QColor& colour)
{
    QPalette p = box->palette();
    p.setColor(QPalette::Text, colour);
    box->setPalette(p);
}

// The three boxes share the focus colours: red while typed into.
void TEDITORTABLA::DBEdit1Enter()
{
    if (auto* box = qobject_cast<QWidget*>(sender()))
        setTextColour(box, QColor(255, 0, 0));
}

void TEDITORTABLA::DBEdit1Exit()
{
    if (auto* box = qobject_cast<QWidget*>(sender()))
        setTextColour(box, QApplication::palette(box).color(QPalette::Text));
}

// Enter goes round code, description, price; it never posts.
void TEDITORTABLA::DBEdit1KeyPress(QChar& Key)
{
    if (Key == QChar(13)) {
        ui->DBEdit2->setFocus(Qt::TabFocusReason);
        Key = QChar();
    }
}

void TEDITORTABLA::DBEdit2KeyPress(QChar& Key)
{
    if (Key == QChar(13)) {
        ui->DBEdit3->setFocus(Qt::TabFocusReason);
        Key = QChar();
    }
}

void TEDITORTABLA::DBEdit3KeyPress(QChar& Key)
{
    if (Key == QChar(13)) {
        ui->DBEdit1->setFocus(Qt::TabFocusReason);
        Key = QChar();
    }
}

void TEDITORTABLA::DBNavigator2Click(DBNavigator::NavigateButton) { ui->DBEdit1->setFocus(); }

void TEDITORTABLA::BotonverClick()
{
    ui->DBGrid2->show();
    ui->CANCELAR->show();
    ui->Botonver->hide();
    ui->DBEdit1->setFocus();
}

void TEDITORTABLA::CANCELARClick()
{
    ui->DBGrid2->hide();
    ui->CANCELAR->hide();
    ui->Botonver->show();
    ui->DBEdit1->setFocus();
}

void TEDITORTABLA::Speed1Click()
{
    ui->Memo10->show();
    ui->Memo10->raise();
    ui->OCULTAR->show();
    ui->OCULTAR->raise();
    ui->Speed1->hide();
    setCoveredByHelp(true);
}

// What the help covers takes neither keys nor Alt+letter while it is open
// ("&Ocultar la Lista" under "&Ocultar la Ayuda" would share Alt+O).
void TEDITORTABLA::setCoveredByHelp(bool covered)
{
    ui->DBGrid2->setEnabled(!covered);
    ui->Botonver->setEnabled(!covered);
    ui->CANCELAR->setEnabled(!covered);
}

void TEDITORTABLA::OCULTARClick()
{
    ui->Memo10->hide();
    ui->OCULTAR->hide();
    ui->Speed1->show();
    setCoveredByHelp(false);
    ui->DBEdit1->setFocus();
}

void TEDITORTABLA::BitBtnFRANClick() { close(); }
