#include "app/Menu.h"

#include "ui_Menu.h"

#include <QCloseEvent>
#include <QDate>
#include <QTime>
#include <QTimer>

#include "shell/Pictures.h"
#include "shell/Shell.h"
#include "store/Conversions.h"

#include "app/Acerca.h"
#include "app/Ayuda.h"
#include "app/Catalogo.h"
#include "app/Leame.h"
#include "app/Pedidos.h"
#include "app/Present.h"
#include "app/Salir.h"
#include "people/Datos.h"
#include "reference/Abuela.h"
#include "reference/Alternat.h"
#include "reference/Cosmetic.h"
#include "reference/Diagnost.h"
#include "reference/Dietas.h"
#include "reference/Editor.h"
#include "reference/Glosario.h"
#include "reference/Guiapro.h"
#include "reference/Informac.h"
#include "reference/Informd.h"
#include "reference/Tnatural.h"
#include "shop/REGISTR1.h"
#include "shop/REGISTR2.h"
#include "shop/VENTAS.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::TForm1>())
{
    ui->setupUi(this);
    setWindowState(Qt::WindowMaximized);

    ui->BitBtn33->setIcon(yb::pictures::orderSheet());
    ui->CATALOGO->setIcon(yb::pictures::catalogue());
    ui->BitBtn35->setIcon(yb::pictures::notes());
    ui->BitBtn34->setIcon(yb::pictures::about());
    ui->BitBtn3333->setIcon(yb::pictures::help());
    ui->BitBtn1->setIcon(yb::pictures::exitDoor());

    yb::attachHintLine(this, ui->Panel3);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    Timer1->start();
    Timer2->start();
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormActivate()
{
    yb::beep();
    yb::showModal(Form400);
}

void TForm1::Timer1Timer() { ui->Label2->setText(yb::timeText(QTime::currentTime())); }

void TForm1::Timer2Timer() { ui->Label1->setText(yb::dateText(QDate::currentDate())); }

void TForm1::open(QWidget* screen)
{
    yb::beep();
    yb::showModal(screen);
    yb::beep();
}

void TForm1::BitBtn22Click() { open(Form12); }
void TForm1::BitBtn20Click() { open(Form18); }
void TForm1::BitBtn21Click() { open(Form20); }
void TForm1::BitBtn19Click() { open(Form11); }
void TForm1::BitBtn23Click() { open(Form17); }
void TForm1::BitBtn24Click() { open(Form21); }
void TForm1::BitBtn28Click() { open(Form6); }
void TForm1::BitBtn26Click() { open(Form16); }
void TForm1::BitBtn27Click() { open(Form8); }
void TForm1::BitBtn25Click() { open(Form14); }
void TForm1::BitBtn29Click() { open(Form13); }
void TForm1::BitBtn30Click() { open(Form15); }
void TForm1::BOTONEDITARClick() { open(EDITORTABLA); }
void TForm1::BitBtn2Click() { open(TERMINAL); }
void TForm1::VENTASDIARIASClick() { open(Form44315); }
void TForm1::BitBtn33Click() { open(Form3); }
void TForm1::CATALOGOClick() { open(Form5); }
void TForm1::BitBtn35Click() { open(Form19); }
void TForm1::BitBtn34Click() { open(Form2); }
void TForm1::BitBtn3333Click() { open(FORM777); }
void TForm1::BitBtn1Click() { open(Form99); }

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing the main window ends the program at once, without asking.
    event->accept();
    yb::terminate();
}
