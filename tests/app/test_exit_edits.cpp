// Nothing typed is lost at the end of the program: a record left in editing
// on a hidden screen is posted (or reported when it cannot be written) when
// the program ends, through "Salir" and through the menu's close box.

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "app/Menu.h"
#include "app/Present.h"
#include "app/Registry.h"
#include "app/Salir.h"
#include "app/Startup.h"
#include "reference/Cosmetic.h"
#include "shell/Application.h"
#include "shell/Shell.h"
#include "store/Database.h"
#include "store/TableCursor.h"

using namespace testing;

namespace {

void afterPresentation(std::function<void()> next)
{
    when([] { return Form400 && isModalTop(Form400); },
         [next] {
             QTest::mouseClick(Form400->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
             when([] { return Form1 && !Form400->isVisible() && yb::activeScreen() == Form1; }, next);
         });
}

// Opens the cosmetics browser from the menu, types into `memo` and closes the browser.
void typeInCosmetics(const char* memo, const QString& text)
{
    when([] { return isModalTop(Form12); },
         [=] {
             auto* box = Form12->findChild<QPlainTextEdit*>(QString::fromLatin1(memo));
             box->setFocus();
             QTest::keyClicks(box, text);
             Form12->close();
         });
    QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("BitBtn22")), Qt::LeftButton);
}

void leaveThroughSalir()
{
    when([] { return isModalTop(Form99); },
         [] { QTest::mouseClick(Form99->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton); });
    QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
}

void leaveThroughCloseBox()
{
    QCloseEvent ev;
    QApplication::sendEvent(Form1->windowHandle(), &ev);
}

QStringList storedCosmetics(const QString& dir)
{
    yb::Database::setDirectory(dir);
    yb::TableCursor c(yb::cursorDecl(QStringLiteral("Cosmetic"), QStringLiteral("Table1")));
    c.open();
    QStringList keys;
    for (c.first(); !c.eof(); c.next())
        keys << c.fieldByName(QStringLiteral("Producto Cosmetico")).asString();
    return keys;
}

} // namespace

class ExitEditsTest : public QObject {
    Q_OBJECT
    QTemporaryDir tmp;
    int n = 0;

    QString freshDir()
    {
        const QString dir = tmp.path() + QStringLiteral("/db%1").arg(++n);
        qputenv("YERBALIS_DATA_DIR", dir.toLocal8Bit());
        return dir;
    }

private slots:
    void init() { testing::beginScope(); }
    void cleanup() { testing::endScope(); }

    void typedRecordIsPostedAtTheEnd_data()
    {
        QTest::addColumn<bool>("throughSalir");
        QTest::newRow("Salir") << true;
        QTest::newRow("menu close box") << false;
    }
    void typedRecordIsPostedAtTheEnd()
    {
        QFETCH(bool, throughSalir);
        const QString dir = freshDir();
        afterPresentation([=] {
            typeInCosmetics("MEMO2", QStringLiteral("Aceite de rosa mosqueta"));
            throughSalir ? leaveThroughSalir() : leaveThroughCloseBox();
        });
        QCOMPARE(yb::runProgram(), 0);
        QCOMPARE(storedCosmetics(dir), QStringList{QStringLiteral("Aceite de rosa mosqueta")});
    }

    void unwritableRecordIsReportedAndTheProgramStillEnds_data() { typedRecordIsPostedAtTheEnd_data(); }
    void unwritableRecordIsReportedAndTheProgramStillEnds()
    {
        QFETCH(bool, throughSalir);
        const QString dir = freshDir();
        QString reported;
        afterPresentation([&] {
            // Only the directions: the required name stays empty.
            typeInCosmetics("Memo3", QStringLiteral("Dos veces al dia"));
            when([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
                 [&] {
                     auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                     reported = box->windowTitle() + QLatin1Char('|') + box->text();
                     box->button(QMessageBox::Ok)->click();
                 });
            throughSalir ? leaveThroughSalir() : leaveThroughCloseBox();
        });
        QCOMPARE(yb::runProgram(), 0);
        QCOMPARE(reported,
                 QStringLiteral("Yerbalis (Base de Datos)|Productos Cosméticos (Base de Datos): "
                                "Field 'Producto Cosmetico' must have a value."));
        QVERIFY(storedCosmetics(dir).isEmpty());
    }

    void untouchedNewRecordIsDropped()
    {
        const QString dir = freshDir();
        afterPresentation([=] {
            when([] { return isModalTop(Form12); },
                 [] {
                     Form12->findChild<yb::TableCursor*>(QStringLiteral("Table1"))->insert();
                     Form12->close();
                 });
            QTest::mouseClick(Form1->findChild<QPushButton*>(QStringLiteral("BitBtn22")), Qt::LeftButton);
            leaveThroughCloseBox();
        });
        QCOMPARE(yb::runProgram(), 0);
        QVERIFY(storedCosmetics(dir).isEmpty());
    }
};

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    ExitEditsTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_exit_edits.moc"
