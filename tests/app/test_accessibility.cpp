// What assistive technology sees of the screens: every control that the user
// can focus or press has a name, and the names come from what the screens
// show (labels, tooltips, the navigator's hints, the roles of the clocks and
// the total).

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "app/Registry.h"
#include "controls/DBNavigator.h"
#include "shell/Accessibility.h"
#include "shell/Application.h"
#include "store/Database.h"

namespace {

QWidget* screenNamed(const QString& name)
{
    for (QWidget* s : yb::createdScreens())
        if (s->objectName() == name)
            return s;
    return nullptr;
}

QString nameOf(QWidget* screen, const char* control)
{
    auto* w = screen ? screen->findChild<QWidget*>(QLatin1String(control)) : nullptr;
    return w ? yb::accessibleNameOf(w) : QStringLiteral("<no such control>");
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    QTemporaryDir dataDir;

private slots:
    void initTestCase();
    void cleanupTestCase() { yb::destroyScreens(); }
    void everyOperableControlIsNamed();
    void namesComeFromWhatTheScreenShows();
    void navigatorButtonsAreNamedAndPressable();
    void gridsCanBeLeftByKeyboard();
};

void AccessibilityTest::initTestCase()
{
    QVERIFY(dataDir.isValid());
    const QString dir = dataDir.path() + QStringLiteral("/Yerba1");
    qputenv("YERBALIS_DATA_DIR", dir.toLocal8Bit());
    yb::Database::prepare(dir);
    yb::Database::setDirectory(dir);
    yb::StartupFailure failure;
    QVERIFY2(yb::createScreens(&failure), qPrintable(failure.message));
    QCOMPARE(yb::createdScreens().size(), 25);
}

void AccessibilityTest::everyOperableControlIsNamed()
{
    const bool dump = qEnvironmentVariableIsSet("YERBALIS_A11Y_DUMP");
    QStringList offenders;
    int checked = 0;
    for (QWidget* screen : yb::createdScreens()) {
        for (QWidget* w : screen->findChildren<QWidget*>()) {
            if (w->window() != screen || !yb::isOperable(w))
                continue;
            const QString name = yb::accessibleNameOf(w);
            if (dump)
                qInfo("%s/%s (%s) focus=%d%s: \"%s\"", qPrintable(screen->objectName()), qPrintable(w->objectName()),
                      w->metaObject()->className(), int(w->focusPolicy()), w->isVisibleTo(screen) ? "" : " hidden",
                      qPrintable(name));
            if (!w->isVisibleTo(screen))
                continue;
            ++checked;
            if (name.isEmpty())
                offenders << screen->objectName() + QLatin1Char('/') + w->objectName() + QStringLiteral(" (") +
                        QLatin1String(w->metaObject()->className()) + QLatin1Char(')');
        }
    }
    if (dump) {
        for (QWidget* screen : yb::createdScreens()) {
            QStringList order;
            QWidget* w = screen;
            do {
                w = w->nextInFocusChain();
                if (w->window() == screen && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(screen) &&
                    w->isEnabled())
                    order << w->objectName();
            } while (w != screen);
            qInfo("tab %s: %s", qPrintable(screen->objectName()), qPrintable(order.join(QStringLiteral(", "))));
        }
    }
    QVERIFY(checked > 100);
    QVERIFY2(offenders.isEmpty(),
             qPrintable(QStringLiteral("controls without a name: ") + offenders.join(QStringLiteral(", "))));
}

void AccessibilityTest::namesComeFromWhatTheScreenShows()
{
    // Picture buttons: their tooltip.
    QCOMPARE(nameOf(screenNamed(QStringLiteral("Form12")), "BitBtn1"), QStringLiteral("Volver al Menú"));
    QCOMPARE(nameOf(screenNamed(QStringLiteral("TERMINAL")), "BitBtn1"), QStringLiteral("Volver al Menú"));
    // Bound and plain edit boxes: the caption of the label above them.
    QWidget* terminal = screenNamed(QStringLiteral("TERMINAL"));
    QVERIFY(nameOf(terminal, "edCodigo").startsWith(QStringLiteral("Nº de Código")));
    QVERIFY(nameOf(terminal, "dbDescripcion").startsWith(QStringLiteral("Descripción")));
    QVERIFY(nameOf(terminal, "dbPrecio").startsWith(QStringLiteral("Precio")));
    // The customer's list stands below the row of boxes, not under a caption.
    QVERIFY(!nameOf(terminal, "lbAcumulado").contains(QStringLiteral("Código")));
    // Captioned buttons: the caption without the accelerator mark.
    QCOMPARE(nameOf(terminal, "btnAnotar"), QStringLiteral("Registrar la Venta"));
    // Value labels: their role; the value stays readable as the description.
    auto* total = terminal->findChild<QLabel*>(QStringLiteral("lbImporte"));
    QVERIFY(total);
    QCOMPARE(yb::accessibleNameOf(total), QStringLiteral("Total"));
    QCOMPARE(total->accessibleDescription(), total->text());
    terminal->show();
    QVERIFY(QTest::qWaitForWindowExposed(terminal));
    total->setText(QStringLiteral("1234"));
    total->repaint();
    QCOMPARE(total->accessibleDescription(), QStringLiteral("1234"));
    QCOMPARE(total->text(), QStringLiteral("1234")); // the caption itself is left alone
    terminal->hide();
    QWidget* menu = screenNamed(QStringLiteral("Form1"));
    QCOMPARE(nameOf(menu, "Label1"), QStringLiteral("Fecha"));
    QCOMPARE(nameOf(menu, "Label2"), QStringLiteral("Hora"));
    // The caption of a label without an accelerator serves through the buddy
    // link, which adds no shortcut.
    auto* codeCaption = terminal->findChild<QLabel*>(QStringLiteral("Label2"));
    QVERIFY(codeCaption);
    QCOMPARE(codeCaption->buddy(), terminal->findChild<QWidget*>(QStringLiteral("edCodigo")));
    QCOMPARE(codeCaption->text(), QStringLiteral("Nº de Código:"));
    // A picture button with neither caption nor tooltip: its status hint.
    QCOMPARE(nameOf(menu, "BitBtn1"), QStringLiteral("Salir del Programa"));
    // The key memo of a record browser: the caption above its row.
    QCOMPARE(nameOf(screenNamed(QStringLiteral("Form12")), "MEMO2"), QStringLiteral("Nombre del Producto Cosmético:"));
}

void AccessibilityTest::navigatorButtonsAreNamedAndPressable()
{
    int navigators = 0;
    for (QWidget* screen : yb::createdScreens()) {
        for (DBNavigator* bar : screen->findChildren<DBNavigator*>()) {
            ++navigators;
            for (int i = 0; i < DBNavigator::ButtonCount; ++i) {
                const auto b = DBNavigator::buttonAt(i);
                QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(bar->button(b));
                QVERIFY(iface);
                QCOMPARE(iface->role(), QAccessible::Button);
                QCOMPARE(iface->text(QAccessible::Name), bar->hint(b));
                QVERIFY2(!bar->hint(b).isEmpty(), qPrintable(screen->objectName()));
                QCOMPARE(iface->state().disabled, !bar->isButtonEnabled(b));
            }
            // Pressing through the accessibility interface clicks like the mouse.
            QSignalSpy clicks(bar, &DBNavigator::clicked);
            QAccessibleInterface* refresh = QAccessible::queryAccessibleInterface(bar->button(DBNavigator::Refresh));
            QVERIFY(refresh->actionInterface());
            if (bar->isButtonEnabled(DBNavigator::Refresh)) {
                refresh->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                QCOMPARE(clicks.size(), 1);
                QCOMPARE(clicks.at(0).at(0).value<DBNavigator::NavigateButton>(), DBNavigator::Refresh);
            }
        }
    }
    QVERIFY(navigators >= 2);
}

void AccessibilityTest::gridsCanBeLeftByKeyboard()
{
    QWidget* balance = screenNamed(QStringLiteral("Form44315"));
    QVERIFY(balance);
    balance->show();
    QVERIFY(QTest::qWaitForWindowExposed(balance));
    balance->activateWindow();
    QWidget* grid = balance->findChild<QWidget*>(QStringLiteral("TEXTO1"));
    grid->setFocus();
    QTRY_VERIFY(grid->hasFocus());
    // Tab moves between the grid's cells; Ctrl+Tab leaves the grid.
    QTest::keyClick(grid, Qt::Key_Tab);
    QVERIFY(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), balance->findChild<QWidget*>(QStringLiteral("IMPRIMIR")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), balance->findChild<QWidget*>(QStringLiteral("SALIDA")));
    balance->hide();
}

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    AccessibilityTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_accessibility.moc"
