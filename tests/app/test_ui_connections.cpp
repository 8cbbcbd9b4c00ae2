// The forms' connections by name: uic connects a form's <connections> by
// their signal and slot signatures, and a name that does not exist only
// prints a warning when the form is built. Building every screen of the
// registry and the controls' test screen here turns each such warning into a
// failure that names it.

#include <QApplication>
#include <QMutex>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <utility>

#include "TestScreen.h"
#include "app/Registry.h"
#include "shell/Application.h"
#include "store/Database.h"

namespace {

QMutex seenLock;
QStringList seen;
QtMessageHandler previousHandler = nullptr;

// Keeps Qt's warnings about connections that could not be made; lets every
// message through as before.
void collectConnectWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QObject::connect"))) {
        QMutexLocker lock(&seenLock);
        seen << message;
    }
    if (previousHandler)
        previousHandler(type, context, message);
}

QStringList takeSeen()
{
    QMutexLocker lock(&seenLock);
    return std::exchange(seen, {});
}

} // namespace

class UiConnectionsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dataDir;

private slots:
    void initTestCase()
    {
        QVERIFY(dataDir.isValid());
        const QString dir = dataDir.path() + QStringLiteral("/Yerba1");
        yb::Database::prepare(dir);
        yb::Database::setDirectory(dir);
        previousHandler = qInstallMessageHandler(collectConnectWarnings);
    }
    void cleanupTestCase() { qInstallMessageHandler(previousHandler); }

    void init() { takeSeen(); }

    // The collector sees the warning that a missing slot gives.
    void aMissingSlotIsSeen()
    {
        QObject sender;
        QObject::connect(&sender, SIGNAL(destroyed()), &sender, SLOT(noSuchHandler()));
        const QStringList warnings = takeSeen();
        QVERIFY2(!warnings.isEmpty() && warnings.join(u'\n').contains(QLatin1String("noSuchHandler")),
                 qPrintable(warnings.join(u'\n')));
    }

    void everyScreenOfTheRegistry()
    {
        yb::StartupFailure failure;
        QVERIFY2(yb::createScreens(&failure), qPrintable(failure.message));
        const int screens = int(yb::createdScreens().size());
        yb::destroyScreens();
        QCOMPARE(screens, int(yb::screenRegistry().size()));
        const QStringList warnings = takeSeen();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    }

    void theControlsTestScreen()
    {
        {
            TestScreen screen;
        }
        const QStringList warnings = takeSeen();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(u'\n')));
    }
};

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    UiConnectionsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_ui_connections.moc"
