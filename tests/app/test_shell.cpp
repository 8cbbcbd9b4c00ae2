// The shell in one process: the screen registry, modal showing from the main
// menu with its beeps, the presentation at start, the status hint line, the
// clocks, the message boxes, the general error report and the focus colours.

#include <QAbstractButton>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <QTranslator>

#include <sqlite3.h>
#include <stdexcept>

#include "TestSupport.h"
#include "app/Menu.h"
#include "app/Present.h"
#include "app/Registry.h"
#include "app/Salir.h"
#include "controls/ControlSupport.h"
#include "shell/Application.h"
#include "shell/Recordar.h"
#include "shell/Shell.h"
#include "shop/REGISTR1.h"
#include "shop/REGISTR2.h"
#include "store/Conversions.h"
#include "store/Database.h"
#include "store/Errors.h"
#include "store/TableCursor.h"

#include "app/Acerca.h"
#include "app/Acercad2.h"
#include "app/Ayuda.h"
#include "app/Catalogo.h"
#include "app/Leame.h"
#include "app/Pedidos.h"
#include "people/Datos.h"
#include "printing/Printing.h"
#include "reference/Cosmetic.h"
#include "shop/VENTAS.h"

using namespace testing;

namespace {

// Counts how often a widget is shown.
class ShowCounter : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

// A screen with an activation handler that counts its runs, and a button
// that opens the data-entry notice over it.
class ProbeScreen : public QWidget {
    Q_OBJECT
public:
    int activations = 0;
    QPushButton* help = nullptr;
    ProbeScreen()
    {
        help = new QPushButton(QStringLiteral("?"), this);
        connect(help, &QPushButton::clicked, this, [] { yb::showModal(Form100); });
    }
    bool failActivation = false;
public slots:
    void FormActivate()
    {
        ++activations;
        if (failActivation)
            throw yb::DatabaseError(QStringLiteral("Table is busy"));
    }
};

struct BoxSeen {
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next message box with OK, recording what it showed.
void answerNextBox(BoxSeen* seen)
{
    when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
         [seen] {
             auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
             seen->seen = true;
             seen->title = box->windowTitle();
             seen->text = box->text();
             seen->icon = box->icon();
             seen->buttons = box->standardButtons();
             box->button(QMessageBox::Ok)->click();
         });
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

    QTemporaryDir dataDir;
    ShowCounter presentationShows;

private slots:
    void init() { testing::beginScope(); }
    void cleanup() { testing::endScope(); }
    void initTestCase();
    void presentationAtStart();
    void registryOrderAndCaptions();
    void cursorsOpenInDeclaredOrder();
    void menuButtonsOpenTheirScreens_data();
    void menuButtonsOpenTheirScreens();
    void closeBoxReturnsWithSecondBeep();
    void exitScreenEnterAndEscReturn();
    void statusHintLine();
    void clocks();
    void notAgainActivatedAfterNotice();
    void returnFromAboutPastItsBox();
    void failingActivationIsReported();
    void editorActivationOnUnreadableTable();
    void dataEntryNoticeText();
    void generalErrorReport();
    void errorsReachTheInstalledSink();
    void messageBoxesAndPrompt();
    void focusColours();
    void printDialogsOfferTheirRanges();
    void hintLinesCentred();
    void oneDistributor();
    void programIcon();
    void boxesFitTheirCaption();
    void terminalHasFixedBorder();
    void cleanupTestCase();
};

void ShellTest::initTestCase()
{
    QVERIFY(dataDir.isValid());
    const QString dir = dataDir.path() + QStringLiteral("/yerba1");
    qputenv("YERBALIS_DATA_DIR", dir.toLocal8Bit());
    QVERIFY(yb::Database::prepare(dir));
    yb::Database::setDirectory(dir);
    yb::StartupFailure failure;
    QVERIFY2(yb::createScreens(&failure), qPrintable(failure.message));
    Form400->installEventFilter(&presentationShows);
}

void ShellTest::presentationAtStart()
{
    // The menu's first activation beeps and shows the presentation modally;
    // Enter presses its only focusable control, "&Inicio", which beeps again.
    struct {
        bool modal = false;
        int beeps = -1;
        QString focus;
    } seen;
    bool answered = false;
    when([] { return isModalTop(Form400); },
         [&] {
             seen.modal = true;
             seen.beeps = yb::beepCount();
             seen.focus = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
             answered = true;
         });
    Form1->show();
    QTRY_VERIFY(answered);
    QTRY_VERIFY(!Form400->isVisible());
    QVERIFY(seen.modal);
    QCOMPARE(seen.beeps, 1);
    QCOMPARE(seen.focus, QStringLiteral("Button1"));
    QCOMPARE(yb::beepCount(), 2);
    QCOMPARE(presentationShows.shows, 1);
    QTRY_COMPARE(yb::activeScreen(), static_cast<QWidget*>(Form1));
    QVERIFY(Form1->isVisible());
}

void ShellTest::registryOrderAndCaptions()
{
    struct Expected {
        const char* cls;
        const char* instance;
        const char* caption;
    };
    const Expected expected[] = {
        {"TForm1", "Form1", "Yerbalis v1.0 (Base de Datos)"},
        {"TForm44315", "Form44315", "Balande de las ventas diarias (Base de Datos)"},
        {"TForm2", "Form2", "Acerca de..."},
        {"TForm5", "Form5", "Catálogo de Novedades Quorvex"},
        {"TForm12", "Form12", "Productos Cosméticos (Base de Datos)"},
        {"TForm6", "Form6", "Datos Personales (Base de Datos)"},
        {"TForm13", "Form13", "Síntomas y Diagnósticos (Base de Datos)"},
        {"TForm20", "Form20", "Dietas Naturistas (Base de Datos)"},
        {"TForm8", "Form8", "Editor de Textos (Base de Datos)"},
        {"TForm21", "Form21", "Glosario Médico (Base de Datos)"},
        {"TForm15", "Form15", "Guía de Productos Dietéticos (Base de Datos)"},
        {"TForm11", "Form11", "Información General (Base de datos)"},
        {"TForm19", "Form19", "Notas Preliminares"},
        {"TForm3", "Form3", "Hoja de Pedidos General"},
        {"TForm99", "Form99", "-"},
        {"TForm18", "Form18", "Tratamientos Naturales (Base de Datos)"},
        {"TForm100", "Form100", "Aviso (Base de Datos)"},
        {"TForm14", "Form14", "Información Dietética (Base de Datos)"},
        {"TForm400", "Form400", "Yerbalis v1.0 (Base de Datos)"},
        {"TFORM777", "FORM777", "Ayuda (Bases de Datos)"},
        {"TForm17", "Form17", "Remedios de la Abuela (Base de Datos)"},
        {"TFORMABOX", "FORMABOX", "Quorvex"},
        {"TEDITORTABLA", "EDITORTABLA", "Edición de la Tabla de Productos (Base de Datos)"},
        {"TTERMINAL", "TERMINAL", "Sumar Productos (Base de Datos)"},
        {"TForm16", "Form16", "Terapias Alternativas con Oligoelementos (Base de Datos)"},
    };
    const QList<QWidget*> screens = yb::createdScreens();
    QCOMPARE(screens.size(), 25);
    QCOMPARE(yb::screenRegistry().size(), 25);
    for (int i = 0; i < 25; ++i) {
        QWidget* s = screens[i];
        QCOMPARE(QString::fromLatin1(s->metaObject()->className()), QString::fromLatin1(expected[i].cls));
        QCOMPARE(s->objectName(), QString::fromLatin1(expected[i].instance));
        QCOMPARE(s->windowTitle(), QString::fromUtf8(expected[i].caption));
        QVERIFY(s->isWindow());
        QCOMPARE(QString::fromLatin1(yb::screenRegistry()[i].instance), s->objectName());
    }
    // The process-wide references reach the screens.
    QCOMPARE(static_cast<QWidget*>(Form1), screens[0]);
    QCOMPARE(static_cast<QWidget*>(Form44315), screens[1]);
    QCOMPARE(static_cast<QWidget*>(Form12), screens[4]);
    QCOMPARE(static_cast<QWidget*>(Form99), screens[14]);
    QCOMPARE(static_cast<QWidget*>(Form100), screens[16]);
    QCOMPARE(static_cast<QWidget*>(Form400), screens[18]);
}

void ShellTest::cursorsOpenInDeclaredOrder()
{
    // Walking the screens in creation order gives the cursors in their
    // declared opening order, each open and named like its declaration.
    QStringList seen;
    for (QWidget* s : yb::createdScreens()) {
        const QString unit = QString::fromLatin1(yb::screenRegistry()[yb::createdScreens().indexOf(s)].unit);
        for (auto* c : s->findChildren<yb::TableCursor*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY2(c->isActive(), qPrintable(unit + QLatin1Char('.') + c->objectName()));
            seen << unit + QLatin1Char('.') + c->objectName();
        }
    }
    QStringList declared;
    for (const yb::CursorDecl& d : yb::cursorDecls())
        declared << d.unit + QLatin1Char('.') + d.cursor;
    QCOMPARE(seen, declared);
    QCOMPARE(seen.size(), 17);
}

void ShellTest::menuButtonsOpenTheirScreens_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("back");
    const char* rows[][3] = {
        {"BitBtn22", "Form12", "BitBtn1"},
        {"BitBtn20", "Form18", "BitBtn1"},
        {"BitBtn21", "Form20", "BitBtn3"},
        {"BitBtn19", "Form11", "BitBtn1"},
        {"BitBtn23", "Form17", "BitBtn1"},
        {"BitBtn24", "Form21", "BitBtn3"},
        {"BitBtn28", "Form6", "BitBtn3"},
        {"BitBtn26", "Form16", "BitBtn1"},
        {"BitBtn27", "Form8", "BitBtn1"},
        {"BitBtn25", "Form14", "BitBtn1"},
        {"BitBtn29", "Form13", "BitBtn1"},
        {"BitBtn30", "Form15", "BitBtn1"},
        {"BOTONEDITAR", "EDITORTABLA", "BitBtnFRAN"},
        {"BitBtn2", "TERMINAL", "BitBtn1"},
        {"VENTASDIARIAS", "Form44315", "SALIDA"},
        {"BitBtn33", "Form3", "BitBtn1"},
        {"CATALOGO", "Form5", "BitBtn1"},
        {"BitBtn35", "Form19", "BitBtn1"},
        {"BitBtn34", "Form2", "BitBtn3"},
        {"BitBtn3333", "FORM777", "BitBtn1"},
        {"BitBtn1", "Form99", "BitBtn2"},
    };
    for (const auto& r : rows)
        QTest::newRow(r[0]) << QString::fromLatin1(r[0]) << QString::fromLatin1(r[1]) << QString::fromLatin1(r[2]);
}

void ShellTest::menuButtonsOpenTheirScreens()
{
    QFETCH(QString, button);
    QFETCH(QString, screen);
    QFETCH(QString, back);
    auto* menuButton = Form1->findChild<QPushButton*>(button);
    QVERIFY(menuButton);
    QWidget* target = nullptr;
    for (QWidget* s : yb::createdScreens())
        if (s->objectName() == screen)
            target = s;
    QVERIFY(target);
    auto* backButton = target->findChild<QPushButton*>(back);
    QVERIFY(backButton);
    if (back != QLatin1String("BitBtn2")) // the exit screen's "Volver" has its own tooltip
        QCOMPARE(backButton->toolTip(), QStringLiteral("Volver al Menú"));

    const int before = yb::beepCount();
    const int presentations = presentationShows.shows;
    struct {
        bool modal = false;
        int beeps = -1;
        bool menuBlocked = false;
    } seen;
    when([target] { return isModalTop(target); },
         [&] {
             seen.modal = true;
             seen.beeps = yb::beepCount();
             seen.menuBlocked = QApplication::activeModalWidget() == target && Form1->isVisible() &&
                 target->windowModality() == Qt::ApplicationModal;
             QTest::mouseClick(backButton, Qt::LeftButton);
         });
    QTest::mouseClick(menuButton, Qt::LeftButton);
    QVERIFY(seen.modal);
    QCOMPARE(seen.beeps, before + 1);
    QVERIFY(seen.menuBlocked);
    QCOMPARE(yb::beepCount(), before + 2);
    QVERIFY(!target->isVisible());
    QVERIFY(!yb::isTerminating());
    QTRY_COMPARE(yb::activeScreen(), static_cast<QWidget*>(Form1));
    QTRY_VERIFY(Form1->isActiveWindow());
    QCoreApplication::processEvents();                // what the menu's activation queued
    QCOMPARE(presentationShows.shows, presentations); // returning never shows the presentation again
}

void ShellTest::closeBoxReturnsWithSecondBeep()
{
    const int before = yb::beepCount();
    bool closed = false;
    when([] { return isModalTop(Form12); },
         [&] {
             // What the window's close box does: a close request to the window.
             QCloseEvent ev;
             QApplication::sendEvent(Form12->windowHandle(), &ev);
             closed = true;
         });
    QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("BitBtn22")), Qt::LeftButton);
    QVERIFY(closed);
    QVERIFY(!Form12->isVisible());
    QCOMPARE(yb::beepCount(), before + 2);
    QVERIFY(Form1->isVisible());
    QVERIFY(!yb::isTerminating());
}

void ShellTest::exitScreenEnterAndEscReturn()
{
    auto* exitButton = Form1->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        const int before = yb::beepCount();
        QString focus;
        when([] { return isModalTop(Form99); },
             [&] {
                 focus = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
                 QTest::keyClick(QApplication::focusWidget(), key);
             });
        QTest::mouseClick(exitButton, Qt::LeftButton);
        QCOMPARE(focus, QStringLiteral("BitBtn2"));
        QVERIFY(!Form99->isVisible());
        QCOMPARE(yb::beepCount(), before + 2);
        QVERIFY(!yb::isTerminating());
        QVERIFY(Form1->isVisible());
    }
    auto* salir = Form99->findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    QCOMPARE(salir->toolTip(), QStringLiteral("Salir"));
    QVERIFY(salir->isDefault());
    QCOMPARE(Form99->findChild<QLabel*>(QStringLiteral("Panel2"))->text(),
             QStringLiteral("¿Desea Salir del Programa?"));
}

void ShellTest::statusHintLine()
{
    auto* line = Form1->findChild<QLabel*>(QStringLiteral("Panel3"));
    QVERIFY(line);
    const struct {
        const char* control;
        const char* sentence;
    } rows[] = {
        {"BitBtn22", "Imformación sobre Productos Cosméticos (Base de Datos)."},
        {"BitBtn20", "Tratamientos Recomendados para cada enfermedad o dolencia (Base de Datos)."},
        {"BitBtn21", "Información sobre Dietas Naturistas (Base de Datos)."},
        {"BitBtn19", "Información General del Producto (Base de Datos)."},
        {"BitBtn23", "Tratamientos mediante los Remedios de la Abuela (Base de Datos)."},
        {"BitBtn24", "Diccionario de Términos Médicos (Base de Datos)."},
        {"BitBtn28", "Podrá Confeccionar la Ficha de sus clientes, familiares, amigos... (Base de Datos)."},
        {"BitBtn26", "Tratamientos mediante Oligoelementos (Base de Datos)."},
        {"BitBtn27", "Haga Clic para Editar el Texto que usted prefiera (Base de Datos)."},
        {"BitBtn25", "Información Dietética General (Base de Datos)."},
        {"BitBtn29", "Información sobre los Síntomas y Diagnóstico de enfermedades (Base de Datos)."},
        {"BitBtn30", "Encontrará una extensa Guía de Productos Dietéticos (Base de Datos)."},
        {"BOTONEDITAR", "Haga clic para poder Editar la Tabla de Productos (Código, Descripción y Precio)"},
        {"BitBtn2", "Podrá Sumar los productos que anteriormente haya introducido en: Editar Productos"},
        {"VENTASDIARIAS", "Podrá visualizar los datos que anteriormente haya registrado en: Sumar Productos"},
        {"BitBtn33", "Haga clic para para visualizar la Hoja de Pedidos."},
        {"CATALOGO", "Haga clic para visualizar el Catálogo de Programas de QUORVEX."},
        {"BitBtn35", "Haga clic para visualizar el Prólogo (Notas Preliminares)."},
        {"BitBtn34", "Haga clic para visualizar la ficha Acerca de..."},
        {"BitBtn3333", "Haga clic para visualizar la Ayuda sobre los distintos elementos de la Base de Datos"},
        {"BitBtn1", "Haga clic para Salir del Programa"},
        {"Label1", "Fecha obtenida del sistema."},
        {"Label2", "Hora obtenida del sistema."},
        {"Label3", "Todos los Productos mencionados, se venden en Herbolarios y Tiendas de Dietética."},
    };
    for (const auto& r : rows) {
        QWidget* w = child(Form1, r.control);
        QVERIFY2(w, r.control);
        line->clear();
        moveOver(w);
        QCOMPARE(line->text(), QString::fromUtf8(r.sentence));
    }

    // The lower panel's background: the distributor's contact sentence.
    QWidget* panel4 = child(Form1, "Panel4");
    moveOver(panel4, QPoint(3, 3));
    const QString contact = line->text();
    QVERIFY(contact.contains(QStringLiteral("Tel")));

    // Panel1 and Panel2 backgrounds clear the line.
    for (const char* name : {"Panel1", "Panel2"}) {
        moveOver(child(Form1, "BitBtn22"));
        QVERIFY(!line->text().isEmpty());
        moveOver(child(Form1, name), QPoint(2, 2));
        QVERIFY2(line->text().isEmpty(), name);
    }

    // The line itself, the frame panel and the window leave it unchanged,
    // although the line lies on the lower panel.
    moveOver(child(Form1, "BitBtn30"));
    const QString last = line->text();
    moveOver(line);
    QCOMPARE(line->text(), last);
    moveOver(child(Form1, "Panel5rde21"), QPoint(1, 1));
    QCOMPARE(line->text(), last);
    moveOver(Form1, QPoint(0, 0));
    QCOMPARE(line->text(), last);

    // Opening a screen and coming back leaves the last sentence in place.
    when([] { return isModalTop(Form5); },
         [] { QTest::mouseClick(Form5->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton); });
    QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("CATALOGO")), Qt::LeftButton);
    QVERIFY(!Form5->isVisible());
    QCOMPARE(line->text(), last);
}

void ShellTest::clocks()
{
    // A menu fresh from its resources shows the design texts until the first tick.
    TForm1 fresh;
    auto* date = fresh.findChild<QLabel*>(QStringLiteral("Label1"));
    auto* time = fresh.findChild<QLabel*>(QStringLiteral("Label2"));
    QCOMPARE(date->text(), QStringLiteral("22/22/1998"));
    QCOMPARE(time->text(), QStringLiteral("22:22:22"));
    QCOMPARE(fresh.Timer1->interval(), 1000);
    QCOMPARE(fresh.Timer2->interval(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(time->text() != QStringLiteral("22:22:22"), 1500);
    QCOMPARE(date->text(), QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    QVERIFY2(!time->text().contains(QRegularExpression(QStringLiteral("[A-Z]{3,}|UTC|GMT"))), qPrintable(time->text()));
    QVERIFY(time->text().contains(QRegularExpression(QStringLiteral("\\d{1,2}\\D\\d{2}\\D\\d{2}"))));
    // Nothing of the zone part stays: no brackets, separators or blanks at the end.
    QVERIFY2(!time->text().contains(QRegularExpression(QStringLiteral("[()\\[\\],]|\\s$"))), qPrintable(time->text()));
    QVERIFY2(yb::textToDateTime(date->text() + QLatin1Char(' ') + time->text()).isValid(), qPrintable(time->text()));

    // The menu's clock keeps running while a modal screen covers it.
    auto* menuTime = Form1->findChild<QLabel*>(QStringLiteral("Label2"));
    QStringList seenWhileModal;
    when([] { return isModalTop(Form19); },
         [&] {
             seenWhileModal << menuTime->text();
             QTimer::singleShot(2100, [&] {
                 seenWhileModal << menuTime->text();
                 Form19->close();
             });
         });
    QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("BitBtn35")), Qt::LeftButton);
    QCOMPARE(seenWhileModal.size(), 2);
    QVERIFY(seenWhileModal[0] != seenWhileModal[1]);
}

void ShellTest::notAgainActivatedAfterNotice()
{
    // A screen shown modally runs its activation handler once; the notice
    // shown over it and closed with its close box hands the activation back
    // without running it again.
    ProbeScreen probe;
    yb::registerScreen(&probe);
    bool noticeWasModal = false;
    when([] { return isModalTop(Form100); },
         [&] {
             noticeWasModal = true;
             Form100->close();
         });
    when([&] { return isModalTop(&probe) && probe.activations == 1 && !noticeWasModal; },
         [&] {
             QTest::mouseClick(probe.help, Qt::LeftButton);
             QTimer::singleShot(50, &probe, [&] { probe.close(); });
         });
    yb::showModal(&probe);
    QVERIFY(noticeWasModal);
    QCOMPARE(probe.activations, 1);
    QVERIFY(!probe.isVisible());
    yb::unregisterScreen(&probe);
}

// The window system's way of handing the focus on when the about screen goes:
// to the box that floats above it, before the menu gets it.
class FocusToBoxOnHide : public QObject {
public:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Hide && FORMABOX->isVisible())
            FORMABOX->activateWindow();
        return false;
    }
};

void ShellTest::returnFromAboutPastItsBox()
{
    // The second about box is the active window when the about screen's
    // "Volver al Menú" is clicked; the focus passes through the box on its way
    // back to the menu, and the presentation is not shown, however the focus
    // travels until the user acts.
    QTRY_VERIFY(Form1->isActiveWindow());
    QTRY_COMPARE(yb::activeScreen(), static_cast<QWidget*>(Form1));
    const int shows = presentationShows.shows;
    FocusToBoxOnHide focusToBox;
    Form2->installEventFilter(&focusToBox);
    bool clicked = false;
    when([] { return isModalTop(Form2); },
         [&] {
             moveOver(child(Form2, "botondre3"));
             // The click on the about screen makes it the active window first.
             when([] { return FORMABOX->isVisible() && FORMABOX->isActiveWindow(); },
                  [&] {
                      Form2->activateWindow();
                      when([] { return Form2->isActiveWindow() && FORMABOX->isVisible(); },
                           [&] {
                               clicked = true;
                               QTest::mouseClick(child<QAbstractButton>(Form2, "BitBtn3"), Qt::LeftButton);
                           });
                  });
         });
    QTimer::singleShot(10000, testing::scope().data(),
                       [] { Form2->close(); }); // a failed step ends the run all the same
    QTest::mouseClick(child<QAbstractButton>(Form1, "BitBtn34"), Qt::LeftButton);
    Form2->removeEventFilter(&focusToBox);
    QVERIFY(clicked);
    QVERIFY(FORMABOX->isVisible()); // left open over the menu
    QCOMPARE(FORMABOX->windowHandle()->transientParent(), Form1->windowHandle());
    // Should the presentation come, it is closed, and the count below fails.
    QTimer watch;
    watch.setInterval(10);
    connect(&watch, &QTimer::timeout, [] {
        if (isModalTop(Form400))
            child<QAbstractButton>(Form400, "Button1")->click();
    });
    watch.start();
    // Before the user does anything the window system may pass the focus
    // back and forth between the box and the menu: never an activation.
    for (QWidget* w : {static_cast<QWidget*>(Form1), static_cast<QWidget*>(FORMABOX), static_cast<QWidget*>(Form1)}) {
        w->activateWindow();
        QTRY_VERIFY(w->isActiveWindow());
    }
    QCoreApplication::processEvents(); // what the activations queued runs now
    watch.stop();
    QCOMPARE(presentationShows.shows, shows);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // Afterwards the user clicks the box, left open, and moves to the menu:
    // then the menu's activation shows the presentation.
    FORMABOX->activateWindow();
    QTRY_VERIFY(FORMABOX->isActiveWindow());
    QTest::mouseClick(FORMABOX, Qt::LeftButton);
    bool presented = false;
    when([] { return isModalTop(Form400); },
         [&] {
             presented = true;
             child<QAbstractButton>(Form400, "Button1")->click();
         });
    Form1->activateWindow();
    QTRY_VERIFY(presented);
    QTRY_VERIFY(!Form400->isVisible());
    QCOMPARE(presentationShows.shows, shows + 1);
    FORMABOX->hide();
    QTRY_VERIFY(Form1->isActiveWindow());
    QTRY_COMPARE(yb::activeScreen(), static_cast<QWidget*>(Form1));
}

void ShellTest::failingActivationIsReported()
{
    // An error in the activation handler is reported; the screen stays open
    // modally until it is closed, and then the caller carries on.
    ProbeScreen probe;
    probe.failActivation = true;
    yb::registerScreen(&probe);
    BoxSeen box;
    answerNextBox(&box);
    bool stillModal = false;
    when([&] { return box.seen && probe.isVisible() && QApplication::activeModalWidget() == &probe; },
         [&] {
             stillModal = true;
             probe.close();
         },
         20000);
    // Should the condition never hold, end the modal run anyway: the test then
    // fails on `stillModal` instead of waiting for ever.
    QTimer::singleShot(25000, &probe, [&] { probe.close(); });
    yb::showModal(&probe);
    QCOMPARE(box.text, QStringLiteral("Table is busy."));
    QVERIFY(stillModal);
    QCOMPARE(probe.activations, 1);
    QVERIFY(!probe.isVisible());
    yb::unregisterScreen(&probe);
}

void ShellTest::editorActivationOnUnreadableTable()
{
    // The product table is dropped from its file under the open editor: its
    // activation (refresh, then first) fails, the general error report shows
    // the store's message with a full stop, and the program carries on: the
    // editor stays open until it is closed and the menu gives its second beep.
    QTRY_VERIFY(Form1->isActiveWindow());
    const QDir dir(QString::fromLocal8Bit(qgetenv("YERBALIS_DATA_DIR")));
    const QStringList files = dir.entryList({QStringLiteral("producto.db")}, QDir::Files);
    QCOMPARE(files.size(), 1);
    sqlite3* other = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(dir.filePath(files.first())).constData(), &other), SQLITE_OK);
    QCOMPARE(sqlite3_exec(other, "ALTER TABLE records RENAME TO records_away", nullptr, nullptr, nullptr), SQLITE_OK);

    BoxSeen box;
    answerNextBox(&box);
    bool carriedOn = false;
    when([&] { return box.seen && QApplication::activeModalWidget() == EDITORTABLA; },
         [&] {
             carriedOn = EDITORTABLA->isVisible();
             EDITORTABLA->close();
         });
    QTimer::singleShot(10000, testing::scope().data(), [] { EDITORTABLA->close(); });
    const int beeps = yb::beepCount();
    QTest::mouseClick(child<QAbstractButton>(Form1, "BOTONEDITAR"), Qt::LeftButton);

    QCOMPARE(sqlite3_exec(other, "ALTER TABLE records_away RENAME TO records", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);

    QVERIFY(box.seen);
    QVERIFY2(box.text.size() > 1 && box.text.endsWith(QLatin1Char('.')), qPrintable(box.text));
    QCOMPARE(box.title, yb::applicationTitle());
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY(carriedOn);
    QVERIFY(!EDITORTABLA->isVisible());
    QCOMPARE(yb::beepCount(), beeps + 2);
    QVERIFY(!yb::isTerminating());
    QTRY_VERIFY(Form1->isActiveWindow());
}

void ShellTest::dataEntryNoticeText()
{
    const char* order[][2] = {
        {"Label1", "1º - Introduzca el dato primero que se le solicita."},
        {"Label2", "2º - Después, deberá pulsar el botón: GRABAR. "},
        {"Label7", "3º - Para pasar al siguiente campo, puede pulsar"},
        {"Label11", "la tecla: Intro."},
        {"Label3", "4º - A continuación escriba usted la información"},
        {"Label4", "que desea.  "},
        {"Label9", "    - Para  \"Cambiar de Linea\"  dentro del mismo"},
        {"Label10", "campo, ha de pulsar la tecla: Intro."},
        {"Label8", "    - Para \"Cambiar de Campo\" deberá de hacer"},
        {"Label5", "\"clic\"  con el puntero del mouse sobre el"},
        {"Label6", "campo deseado."},
    };
    Form100->adjustSize();
    int lastY = -1;
    for (const auto& r : order) {
        auto* l = Form100->findChild<QLabel*>(QString::fromLatin1(r[0]));
        QVERIFY2(l, r[0]);
        QCOMPARE(l->text(), QString::fromUtf8(r[1]));
        const int y = l->mapTo(Form100, QPoint(0, 0)).y();
        QVERIFY2(y > lastY, r[0]); // read from top to bottom
        lastY = y;
    }
    auto* close = Form100->findChild<QPushButton*>(QStringLiteral("Button1111"));
    QCOMPARE(close->text(), QStringLiteral("&Cerrar"));
    // Enter on the focused "&Cerrar" closes the notice.
    bool pressed = false;
    when([] { return isModalTop(Form100); },
         [&] {
             pressed = QApplication::focusWidget() == close;
             QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
         });
    yb::showModal(Form100);
    QVERIFY(pressed);
    QVERIFY(!Form100->isVisible());
}

void ShellTest::generalErrorReport()
{
    // A required field left empty: the store's error, raised inside a click
    // handler, stops the handler and is reported; the program carries on.
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Grabar"), &window);
    yb::TableCursor sales(yb::cursorDecl(QStringLiteral("REGISTR2"), QStringLiteral("tblVentas")));
    sales.open();
    int reached = 0;
    // Screen handlers run their work through yb::guard, which hands the error
    // to the error sink (the general error report, which the application
    // object installs) instead of unwinding it through the toolkit's own
    // frames (built without unwinding support, they would leak).
    QObject::connect(button, &QPushButton::clicked, [&] {
        yb::guard([&] {
            reached = 1;
            sales.append();
            sales.post();
            reached = 2;
        });
    });
    window.show();
    BoxSeen box;
    answerNextBox(&box);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(box.seen);
    QCOMPARE(box.text, QStringLiteral("Field 'Caja' must have a value."));
    QCOMPARE(box.title, QStringLiteral("Yerbalis (Base de Datos)"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(reached, 1);
    QCOMPARE(sales.state(), yb::CursorState::Insert); // what the handler did stays done
    sales.cancel();

    // The full stop is added even after one; other exceptions are reported too.
    QObject::disconnect(button, nullptr, nullptr, nullptr);
    QObject::connect(button, &QPushButton::clicked,
                     [] { yb::guard([] { throw yb::ConversionError(QStringLiteral("Fin.")); }); });
    BoxSeen second;
    answerNextBox(&second);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(second.text, QStringLiteral("Fin.."));

    QObject::disconnect(button, nullptr, nullptr, nullptr);
    QObject::connect(button, &QPushButton::clicked,
                     [] { yb::guard([] { throw std::runtime_error("out of range"); }); });
    BoxSeen third;
    answerNextBox(&third);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(third.text, QStringLiteral("out of range."));

    // A handler that lets an error through unguarded (a timer's tick here) is
    // caught by the application's dispatch and reported all the same.
    BoxSeen fourth;
    answerNextBox(&fourth);
    QTimer::singleShot(0, &window,
                       [] { throw yb::DatabaseError(QStringLiteral("Dataset not in edit or insert mode")); });
    QTRY_VERIFY(fourth.seen);
    QCOMPARE(fourth.text, QStringLiteral("Dataset not in edit or insert mode."));
    QVERIFY(!yb::isTerminating());
}

void ShellTest::errorsReachTheInstalledSink()
{
    // With a recorder in place of the report, a guarded handler's error
    // reaches it once, with the error's own text, and no box is shown.
    QStringList recorded;
    const yb::ErrorSink previous = yb::setErrorSink([&](const QString& m) { recorded << m; });
    QWidget window;
    auto* button = new QPushButton(QStringLiteral("Grabar"), &window);
    int steps = 0;
    bool restRan = false;
    QObject::connect(button, &QPushButton::clicked, [&] {
        yb::guard([&] {
            ++steps;
            yb::textToInt(QStringLiteral("diez"));
            restRan = true;
        });
    });
    window.show();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(recorded, QStringList{QStringLiteral("'diez' is not a valid integer value")});
    QCOMPARE(steps, 1);
    QVERIFY(!restRan);
    QVERIFY(!QApplication::activeModalWidget());

    // An error escaping an unguarded handler goes to the same sink.
    recorded.clear();
    QTimer::singleShot(0, &window, [] { throw std::runtime_error("out of range"); });
    QTRY_COMPARE(recorded, QStringList{QStringLiteral("out of range")});

    // Putting the report back shows the box again.
    yb::setErrorSink(previous);
    BoxSeen box;
    answerNextBox(&box);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(box.text, QStringLiteral("'diez' is not a valid integer value."));
    QCOMPARE(recorded.size(), 1);
}

void ShellTest::messageBoxesAndPrompt()
{
    BoxSeen notice;
    answerNextBox(&notice);
    yb::noticeBox(QStringLiteral("No se ha encontrado"));
    QCOMPARE(notice.title, QStringLiteral("Aviso"));
    QCOMPARE(notice.text, QStringLiteral("No se ha encontrado"));
    QCOMPARE(notice.icon, QMessageBox::NoIcon);

    BoxSeen plain;
    answerNextBox(&plain);
    yb::messageBox(QStringLiteral("Código inexistente"));
    QCOMPARE(plain.title, QStringLiteral("Yerbalis (Base de Datos)"));
    QCOMPARE(plain.icon, QMessageBox::NoIcon);
    QCOMPARE(plain.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));

    // The prompt: OK returns the typed text, Cancel the default.
    QString caption;
    when([] { return qobject_cast<QInputDialog*>(QApplication::activeModalWidget()) != nullptr; },
         [&] {
             auto* d = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
             caption = d->windowTitle();
             d->setTextValue(QStringLiteral("Manzanilla"));
             d->accept();
         });
    QCOMPARE(yb::inputQuery(QStringLiteral("Entrada"), QStringLiteral("Buscar:")), QStringLiteral("Manzanilla"));
    QCOMPARE(caption, QStringLiteral("Entrada"));
    when([] { return qobject_cast<QInputDialog*>(QApplication::activeModalWidget()) != nullptr; },
         [] {
             auto* d = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
             d->setTextValue(QStringLiteral("Romero"));
             d->reject();
         });
    QCOMPARE(yb::inputQuery(QStringLiteral("Entrada"), QStringLiteral("Buscar:")), QString());

    // Qt's Spanish catalogue, as the program installs it under a Spanish
    // locale, translates Qt's own buttons but never the boxes' "OK" and "Cancel".
    QTranslator qt;
    if (!qt.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QSKIP("Qt's Spanish translations (qt6-translations-l10n) are not installed");
    QCoreApplication::installTranslator(&qt);
    // The program installs it before any window exists: the windows of the
    // tests before have their change of language now.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("Aceptar"));
    QStringList buttons;
    auto modal = [] {
        QWidget* top = QApplication::activeModalWidget();
        return qobject_cast<QMessageBox*>(top) || qobject_cast<QInputDialog*>(top);
    };
    auto answer = [&] {
        QWidget* top = QApplication::activeModalWidget();
        for (const QPushButton* b : top->findChildren<QPushButton*>())
            buttons << b->text();
        if (auto* box = qobject_cast<QMessageBox*>(top))
            box->buttons().first()->click();
        else
            qobject_cast<QDialog*>(top)->reject();
    };
    when(modal, answer);
    yb::noticeBox(QStringLiteral("No se ha encontrado"));
    when(modal, answer);
    yb::reportError(QStringLiteral("Fallo"));
    when(modal, answer);
    yb::inputQuery(QStringLiteral("Entrada"), QStringLiteral("Buscar:"));
    when(modal, answer);
    yb::confirmDelete(nullptr);
    QCoreApplication::removeTranslator(&qt);
    buttons.removeDuplicates();
    buttons.sort();
    QCOMPARE(buttons.join(QLatin1Char('|')), QStringLiteral("Cancel|OK"));
}

void ShellTest::focusColours()
{
    QWidget window;
    auto* a = new QLineEdit(&window);
    auto* b = new QLineEdit(&window);
    a->move(0, 0);
    b->move(0, 40);
    yb::useFocusColours(a);
    yb::useFocusColours(b, yb::focusBlue);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const QColor normal = QApplication::palette(a).color(QPalette::Text);
    a->setFocus();
    QTRY_COMPARE(a->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(b->palette().color(QPalette::Text), normal);
    b->setFocus();
    QTRY_COMPARE(b->palette().color(QPalette::Text), QColor(0, 0, 255));
    QCOMPARE(a->palette().color(QPalette::Text), normal);
}

void ShellTest::printDialogsOfferTheirRanges()
{
    // The real dialog of every print command, with its options shown: page
    // numbers are offered nowhere; the record printing (notes, help, record
    // browsers, card file) offers "all" and "selection", the about, catalogue
    // and order screens the whole document only.
    struct Row {
        QWidget* screen;
        const char* button;
        bool selection;
    } rows[] = {{Form19, "BitBtn2", true}, {FORM777, "BitBtn2", true}, {Form12, "BitBtn2", true},
                {Form6, "RELOJ", true},    {Form2, "BitBtn4", false},  {Form5, "BitBtn3", false},
                {Form3, "BitBtn2", false}};
    const char* pageControls[] = {"printRange",       "from",          "label_3",         "to",
                                  "pagesRadioButton", "pagesLineEdit", "printCurrentPage"};
    for (const Row& r : rows) {
        const QString where = r.screen->objectName() + QLatin1Char('.') + QLatin1String(r.button);
        QVERIFY2(screentest::showActive(r.screen), qPrintable(where));
        QStringList offered, pageOffered;
        bool seen = false;
        screentest::answerModals({[&](QWidget* top) {
            auto* d = qobject_cast<QPrintDialog*>(top);
            if (!d)
                return;
            seen = true;
            // "Options >>" shows the range group.
            for (auto* b : d->findChildren<QPushButton*>())
                if (b->text().contains(QStringLiteral("Options")))
                    b->click();
            // The names are those of the range group's own controls (the
            // dialog has other widgets of the same names elsewhere).
            auto* group = d->findChild<QWidget*>(QStringLiteral("gbPrintRange"));
            QVERIFY(group);
            for (const char* n : {"printAll", "printSelection"})
                if (auto* w = group->findChild<QWidget*>(QLatin1String(n)); w && w->isVisible() && w->isEnabled())
                    offered << QLatin1String(n);
            for (const char* n : pageControls)
                if (auto* w = group->findChild<QWidget*>(QLatin1String(n)); w && (w->isVisible() || w->isEnabled()))
                    pageOffered << QLatin1String(n);
            d->reject();
        }});
        QTest::mouseClick(child<QAbstractButton>(r.screen, r.button), Qt::LeftButton);
        QTRY_VERIFY2(screentest::modalsAnswered(), qPrintable(where));
        r.screen->hide();
        QVERIFY2(seen, qPrintable(where));
        QCOMPARE(pageOffered, QStringList());
        QStringList expected{QStringLiteral("printAll")};
        if (r.selection)
            expected << QStringLiteral("printSelection");
        QCOMPARE(offered, expected);
    }
}

void ShellTest::hintLinesCentred()
{
    // The three status hint lines: one line, centred.
    const std::pair<QWidget*, const char*> lines[] = {{Form1, "Panel3"}, {Form2, "Panel1"}, {FORM777, "Panel1"}};
    for (const auto& [screen, name] : lines) {
        auto* line = child<QLabel>(screen, name);
        QVERIFY2(line, name);
        QCOMPARE(line->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(!line->wordWrap());
    }
}

void ShellTest::oneDistributor()
{
    // The distributor named by the second about box is the one of the menu's
    // lower panel, the about text, the order sheet and the catalogue, with the
    // same numbers.
    const QString name = child<QLabel>(FORMABOX, "Label6")->text();
    QVERIFY(!name.isEmpty());
    const QRegularExpression number(QStringLiteral("\\d{3} \\d{3} \\d{3}"));
    auto numbers = [&](const QString& text) {
        QStringList out;
        for (auto it = number.globalMatch(text); it.hasNext();)
            out << it.next().captured();
        return out;
    };
    QStringList boxNumbers;
    for (auto* l : FORMABOX->findChildren<QLabel*>())
        boxNumbers << numbers(l->text());
    QVERIFY(boxNumbers.size() >= 2);
    const std::pair<QString, QString> texts[] = {
        {QStringLiteral("menu Panel4"), child(Form1, "Panel4")->property("statusHint").toString()},
        {QStringLiteral("about Memo6"), child<QPlainTextEdit>(Form2, "Memo6")->toPlainText()},
        {QStringLiteral("about lines"), TForm2::addressLine() + TForm2::phoneLine()},
        {QStringLiteral("order Memo2"), child<QPlainTextEdit>(Form3, "Memo2")->toPlainText()},
        {QStringLiteral("catalogue Memo2"), child<QPlainTextEdit>(Form5, "Memo2")->toPlainText()},
    };
    for (const auto& [where, text] : texts) {
        QVERIFY2(text.contains(name), qPrintable(where));
        const QStringList found = numbers(text);
        QVERIFY2(!found.isEmpty(), qPrintable(where));
        for (const QString& n : found)
            QVERIFY2(boxNumbers.contains(n), qPrintable(where + QStringLiteral(": ") + n));
    }
}

void ShellTest::programIcon()
{
    // Every window carries the program's own icon, drawn from its SVG: the
    // green tile with the pale leaf, at the sizes a title bar and a task bar use.
    const QIcon icon = QApplication::windowIcon();
    QVERIFY(!icon.isNull());
    for (int side : {16, 32, 48}) {
        const QImage img = icon.pixmap(side, side).toImage();
        QCOMPARE(img.width(), side);
        const QColor tile = img.pixelColor(side / 10 + 1, side / 2);
        QVERIFY2(tile.green() > 100 && tile.red() < 80 && tile.blue() < 80, qPrintable(tile.name()));
        QCOMPARE(img.pixelColor(0, 0).alpha(), 0); // rounded corner
    }
    for (QWidget* screen : yb::createdScreens())
        QVERIFY2(screen->windowIcon().cacheKey() == icon.cacheKey(), qPrintable(screen->objectName()));
}

void ShellTest::boxesFitTheirCaption()
{
    // Every box the program shows is wide enough for its caption in the
    // title bar: notice, plain message, error report, prompt, and the
    // data-bound controls' delete confirmation.
    QMap<QString, std::pair<int, int>> seen; // caption -> width, needed
    auto record = [&](QWidget* top) {
        seen.insert(top->windowTitle(), {top->width(), yb::captionMinimumWidth(top->windowTitle())});
    };
    auto answerBox = [&](QWidget* top) {
        record(top);
        if (auto* box = qobject_cast<QMessageBox*>(top))
            box->buttons().first()->click();
        else if (auto* d = qobject_cast<QDialog*>(top))
            d->reject();
    };
    screentest::answerModals({answerBox});
    yb::noticeBox(QStringLiteral("Ok"));
    screentest::answerModals({answerBox});
    yb::messageBox(QStringLiteral("Ok"));
    screentest::answerModals({answerBox});
    yb::reportError(QStringLiteral("Ok"));
    screentest::answerModals({answerBox});
    yb::inputQuery(QStringLiteral("Entrada"), QStringLiteral("Nombre:"));
    screentest::answerModals({answerBox});
    yb::confirmDelete(Form1);
    QVERIFY(screentest::modalsAnswered());
    QCOMPARE(seen.keys(),
             QStringList({QStringLiteral("Aviso"), QStringLiteral("Confirm"), QStringLiteral("Entrada"),
                          yb::applicationTitle()}));
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        QVERIFY2(it->first >= it->second,
                 qPrintable(it.key() + QStringLiteral(": %1 < %2").arg(it->first).arg(it->second)));
    // The application title with the frame's buttons needs more than a short
    // text's box would have.
    QVERIFY(seen.value(yb::applicationTitle()).second > 200);
}

void ShellTest::terminalHasFixedBorder()
{
    // The sales terminal: restored, a fixed size, its design client area,
    // which no resize changes, centred on the screen each time; maximized,
    // the window system's size.
    const QPoint centre = TERMINAL->screen()->availableGeometry().center();
    QVERIFY(TERMINAL->windowState() & Qt::WindowMaximized);
    QVERIFY(TERMINAL->maximumSize().width() > 640);
    TERMINAL->setWindowState(Qt::WindowNoState);
    QCOMPARE(TERMINAL->minimumSize(), QSize(640, 461));
    QCOMPARE(TERMINAL->maximumSize(), QSize(640, 461));
    QCOMPARE(TERMINAL->geometry().center(), centre);
    TERMINAL->resize(900, 700);
    QCOMPARE(TERMINAL->size(), QSize(640, 461));
    TERMINAL->move(0, 0);
    TERMINAL->setWindowState(Qt::WindowMaximized);
    QVERIFY(TERMINAL->maximumSize().width() > 640);
    TERMINAL->setWindowState(Qt::WindowNoState);
    QCOMPARE(TERMINAL->maximumSize(), QSize(640, 461));
    QCOMPARE(TERMINAL->geometry().center(), centre);
    TERMINAL->setWindowState(Qt::WindowMaximized);
}

void ShellTest::cleanupTestCase()
{
    yb::destroyScreens();
    QVERIFY(Form1 == nullptr);
    QVERIFY(Form12 == nullptr);
}

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    ShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_shell.moc"
