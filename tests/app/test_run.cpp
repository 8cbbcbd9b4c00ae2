// The program from start to end: start-up, the ways out, and a start-up that
// fails because a table is missing or there is no display.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "app/Menu.h"
#include "app/Present.h"
#include "app/Registry.h"
#include "app/Salir.h"
#include "app/Startup.h"
#include "shell/Application.h"
#include "shell/Shell.h"
#include "store/Database.h"

#include "reference/Cosmetic.h"

using namespace testing;

namespace {

QString tablePathIn(const QString& dir, const QString& file) { return yb::Database::tablePath(dir, file); }

// `env` in `locale`: the program's messages follow it.
QProcessEnvironment inLocale(QProcessEnvironment env, const QString& locale)
{
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LANG"), locale);
    env.insert(QStringLiteral("LC_ALL"), locale);
    return env;
}

// Leaves the presentation with "&Inicio", then runs `next` from the menu.
void afterPresentation(std::function<void()> next)
{
    when([] { return Form400 && isModalTop(Form400); },
         [next] {
             QTest::mouseClick(Form400->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
             when([] { return Form1 && !Form400->isVisible() && yb::activeScreen() == Form1; }, next);
         });
}

} // namespace

class RunTest : public QObject {
    Q_OBJECT

    QTemporaryDir dataDir;
    QString dir;

private slots:
    void init() { testing::beginScope(); }
    void cleanup() { testing::endScope(); }
    void initTestCase();
    void volverThenSalir();
    void menuCloseBoxEnds();
    void missingTableStopsStartup();
    void programReportsMissingTable();
    void programWithoutDisplay();
    void programReportsAServerItCannotReach();
    void catalogueIsComplete();
};

void RunTest::initTestCase()
{
    QVERIFY(dataDir.isValid());
    dir = dataDir.path() + QStringLiteral("/Yerba1");
    qputenv("YERBALIS_DATA_DIR", dir.toLocal8Bit());
}

void RunTest::volverThenSalir()
{
    // A fresh directory: the first run creates the fourteen tables.
    QVERIFY(!QFileInfo::exists(dir));
    const int before = yb::beepCount();
    struct {
        bool menuMaximized = false;
        bool stillRunningAfterVolver = false;
        int beepsAfterVolver = -1;
        int beepsBeforeSalir = -1;
    } seen;
    afterPresentation([&] {
        seen.menuMaximized = Form1->isMaximized();
        // "Volver" returns to the menu; the program keeps running.
        when([] { return isModalTop(Form99); },
             [] { QTest::mouseClick(Form99->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton); });
        QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
        seen.beepsAfterVolver = yb::beepCount();
        seen.stillRunningAfterVolver = Form1->isVisible() && !yb::isTerminating();
        // "Salir" ends it after the menu button's second beep.
        when([] { return isModalTop(Form99); },
             [&] {
                 seen.beepsBeforeSalir = yb::beepCount();
                 QTest::mouseClick(Form99->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
             });
        QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    });
    QCOMPARE(yb::runProgram(), 0);
    QVERIFY(seen.menuMaximized);
    QVERIFY(seen.stillRunningAfterVolver);
    // activation 1, "&Inicio" 1, exit screen twice 2 + 2
    QCOMPARE(seen.beepsAfterVolver, before + 4);
    QCOMPARE(seen.beepsBeforeSalir, before + 5);
    QCOMPARE(yb::beepCount(), before + 6);
    // Every screen was destroyed at the end.
    QVERIFY(Form1 == nullptr);
    QVERIFY(Form99 == nullptr);
    QVERIFY(yb::createdScreens().isEmpty());
    for (const QString& t : {QStringLiteral("Ventas.DB"), QStringLiteral("ALTERNAT.DB"), QStringLiteral("Producto.db")})
        QVERIFY2(QFileInfo::exists(tablePathIn(dir, t)), qPrintable(t));
}

void RunTest::menuCloseBoxEnds()
{
    bool exitScreenShown = false;
    bool cosmeticsReturned = false;
    afterPresentation([&] {
        when([] { return isModalTop(Form12); }, [] { Form12->close(); });
        QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("BitBtn22")), Qt::LeftButton);
        cosmeticsReturned = !Form12->isVisible();
        QCloseEvent ev;
        QApplication::sendEvent(Form1->windowHandle(), &ev);
        exitScreenShown = Form99->isVisible();
    });
    QCOMPARE(yb::runProgram(), 0);
    QVERIFY(cosmeticsReturned);
    QVERIFY(!exitScreenShown);
    QVERIFY(Form1 == nullptr);
}

void RunTest::missingTableStopsStartup()
{
    // The directory exists but one table is gone: no screen survives, no
    // window is shown, and the failure names the error's kind and message.
    QVERIFY(QFile::remove(tablePathIn(dir, QStringLiteral("TNATURAL.DB"))));
    yb::Database::setDirectory(dir);
    yb::StartupFailure failure;
    QVERIFY(!yb::createScreens(&failure));
    QVERIFY(yb::createdScreens().isEmpty());
    QVERIFY(Form1 == nullptr);
    QVERIFY(Form12 == nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QCOMPARE(failure.kind, QStringLiteral("EDBEngineError"));
    QVERIFY2(failure.message.contains(QStringLiteral("TNATURAL.DB"), Qt::CaseInsensitive), qPrintable(failure.message));
    QVERIFY(failure.address != nullptr);

    const QString text = yb::startupFailureText(failure, QStringLiteral("yerbalis"));
    QVERIFY(text.startsWith(QStringLiteral("Exception EDBEngineError in module yerbalis at ")));
    QVERIFY(text.contains(QStringLiteral(".\n") + failure.message));
    QVERIFY(text.endsWith(QLatin1Char('.')));
    QVERIFY(!text.endsWith(QStringLiteral("..")));
    // A message that already ends with a full stop gets none added.
    QVERIFY(
        yb::startupFailureText({QStringLiteral("EDatabaseError"), QStringLiteral("Bad."), nullptr}, QStringLiteral("m"))
            .endsWith(QStringLiteral("\nBad.")));

    // The box: "Application Error", stop icon, OK.
    struct {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    } box;
    when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
         [&] {
             auto* b = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
             box = {b->windowTitle(), b->text(), b->icon()};
             b->button(QMessageBox::Ok)->click();
         });
    yb::showStartupFailure(text);
    QCOMPARE(box.title, QStringLiteral("Application Error"));
    QCOMPARE(box.text, text);
    QCOMPARE(box.icon, QMessageBox::Critical);

    // The whole start-up ends with exit code 1.
    QCOMPARE(yb::runProgram(), 1);
    QVERIFY(yb::createdScreens().isEmpty());
}

void RunTest::programReportsMissingTable()
{
    QTemporaryDir other;
    const QString d = other.path() + QStringLiteral("/datos");
    QVERIFY(yb::Database::prepare(d));
    QVERIFY(QFile::remove(tablePathIn(d, QStringLiteral("Producto.db"))));

    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("YERBALIS_DATA_DIR"), d);
    p.setProcessEnvironment(inLocale(env, QStringLiteral("C.UTF-8")));
    p.start(QStringLiteral(YERBALIS_PROGRAM), {});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    const QRegularExpression re(QStringLiteral("Exception EDBEngineError in module yerbalis at "
                                               "[0-9A-F]{8,16}\\.\\n(Cannot open table [^\\n]*Producto\\.db[^\\n]*)"));
    const auto m = re.match(err);
    QVERIFY2(m.hasMatch(), qPrintable(err));
    QVERIFY(m.captured(1).endsWith(QLatin1Char('.')));
}

// A till whose server is down (or named wrongly) stops at start-up with the
// server named and the connection's own reason; so does a till number out of range.
void RunTest::programReportsAServerItCannotReach()
{
    QTemporaryDir nowhere;
    const QString uri = QStringLiteral("postgresql:///tienda?host=%1").arg(nowhere.path());
    auto run = [](const QProcessEnvironment& env) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(YERBALIS_PROGRAM), {});
        if (!p.waitForFinished(30000))
            return qMakePair(-1, QString());
        return qMakePair(p.exitCode(), QString::fromLocal8Bit(p.readAllStandardError()));
    };
    QProcessEnvironment env = inLocale(QProcessEnvironment::systemEnvironment(), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("YERBALIS_DATABASE"), uri);
    auto [code, err] = run(env);
    QCOMPARE(code, 1);
    QVERIFY2(err.contains(QStringLiteral("Application Error: Exception EDBEngineError in module yerbalis at ")),
             qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("Cannot connect to the PostgreSQL server ") + uri), qPrintable(err));
    QVERIFY2(err.contains(nowhere.path() + QStringLiteral("/.s.PGSQL")), qPrintable(err)); // libpq's own reason
    QVERIFY2(!err.contains(QStringLiteral("?.")), qPrintable(err));
    QVERIFY(yb::startupFailureText({QStringLiteral("E"), QStringLiteral("Running?"), nullptr}, QStringLiteral("m"))
                .endsWith(QStringLiteral("\nRunning?")));
    // Under a Spanish locale the program's words are Spanish too (libpq's are
    // its own); the box's fixed text stays as it is.
    const QProcessEnvironment spanish = inLocale(env, QStringLiteral("es_ES.UTF-8"));
    std::tie(code, err) = run(spanish);
    QCOMPARE(code, 1);
    QVERIFY2(err.contains(QStringLiteral("Application Error: Exception EDBEngineError in module yerbalis at ")),
             qPrintable(err));
    QVERIFY2(err.contains(QStringLiteral("No se puede conectar con el servidor PostgreSQL ") + uri), qPrintable(err));

    QTemporaryDir data;
    env.remove(QStringLiteral("YERBALIS_DATABASE"));
    env.insert(QStringLiteral("YERBALIS_DATA_DIR"), data.path() + QStringLiteral("/datos"));
    env.insert(QStringLiteral("YERBALIS_TILL"), QStringLiteral("100"));
    std::tie(code, err) = run(env);
    QCOMPARE(code, 1);
    QVERIFY2(err.contains(QStringLiteral("YERBALIS_TILL must be a till number from 1 to 99, not '100'.")),
             qPrintable(err));
    std::tie(code, err) = run(inLocale(env, QStringLiteral("es_ES.UTF-8")));
    QCOMPARE(code, 1);
    QVERIFY2(err.contains(QStringLiteral("YERBALIS_TILL debe ser un número de caja del 1 al 99, no «100».")),
             qPrintable(err));
}

void RunTest::programWithoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("YERBALIS_DATA_DIR"), dir);
    const QList<QPair<QString, QString>> said = {{QStringLiteral("C.UTF-8"), QStringLiteral("no display")},
                                                 {QStringLiteral("es_ES.UTF-8"), QStringLiteral("no hay pantalla")}};
    for (const auto& [locale, words] : said) {
        QProcess p;
        p.setProcessEnvironment(inLocale(env, locale));
        p.start(QStringLiteral(YERBALIS_PROGRAM), {});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(err.contains(words), qPrintable(err));
    }
}

// Every message of the Spanish catalogue has its translation.
void RunTest::catalogueIsComplete()
{
    QFile catalogue(QStringLiteral(YERBALIS_SOURCE_DIR "/translations/yerbalis_es.ts"));
    QVERIFY(catalogue.open(QIODevice::ReadOnly));
    const QByteArray ts = catalogue.readAll();
    QVERIFY(ts.contains("<translation>"));
    QVERIFY2(!ts.contains("type=\"unfinished\""), "translations/yerbalis_es.ts has unfinished entries");
}

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    RunTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_run.moc"
