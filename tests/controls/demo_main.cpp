// Shows the controls' test screen over a database directory:
//   yerbalis-controls-demo [records]
// uses YERBALIS_DATA_DIR when set, else a temporary directory filled with
// sample records (or with `records` generated cosmetics).

#include "TestData.h"
#include "TestScreen.h"
#include "controls/ErrorSink.h"
#include "store/Database.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <tuple>

// Errors that handlers let through are shown in a box, as the program shows them.
class DemoApp : public QApplication {
public:
    DemoApp(int& argc, char** argv) : QApplication(argc, argv)
    {
        yb::setErrorSink([this](const QString& message) {
            QMessageBox::critical(activeWindow(), QStringLiteral("Yerbalis"), message + QLatin1Char('.'));
        });
    }
    ~DemoApp() override { yb::setErrorSink({}); }
    bool notify(QObject* o, QEvent* e) override
    {
        try {
            return QApplication::notify(o, e);
        } catch (...) {
            yb::passOn(std::current_exception());
        }
        return false;
    }
};

int main(int argc, char** argv)
{
    DemoApp app(argc, argv);
    QTemporaryDir tmp;
    QString dir = qEnvironmentVariable("YERBALIS_DATA_DIR");
    if (dir.isEmpty()) {
        dir = tmp.path() + QStringLiteral("/db");
        testdata::prepare(dir);
        const int n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
        if (n > 0) {
            testdata::bulkManyCosmetics(dir, n);
        } else {
            testdata::bulkCosmetics(
                dir,
                {{QStringLiteral("Aceite de rosa"), QStringLiteral("Piel seca."), QStringLiteral("Masajear.")},
                 {QStringLiteral("Bálsamo labial"), QStringLiteral("Labios agrietados."), QStringLiteral("Aplicar.")},
                 {QStringLiteral("Crema de manos"), QStringLiteral("Manos ásperas."),
                  QStringLiteral("Dos veces al día.")}});
        }
        testdata::bulkProducts(dir, {{1, QStringLiteral("Té verde"), 350}, {2, QStringLiteral("Miel"), 500}});
    } else {
        testdata::prepare(dir);
    }
    TestScreen screen;
    screen.show();
    return app.exec();
}
