// The help screen and the information screens: sentences and tooltips, the
// disabled navigator, the search demonstration, the lookup list, the second
// about box that follows the mouse, and what each print command prints.

#include "PeopleSupport.h"

#include "PrintRecorder.h"
#include "app/Acerca.h"
#include "app/Acercad2.h"
#include "app/Ayuda.h"
#include "app/Catalogo.h"
#include "app/Leame.h"
#include "app/Pedidos.h"
#include "controls/DBLookupListBox.h"
#include "controls/DBNavigator.h"
#include "printing/Printing.h"
#include "shell/Shell.h"
#include "store/TableCursor.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace peopletest;
using yb::printing::PrintRecorder;

namespace {

const QString kHelpNotice = QStringLiteral(
    "Registro no encontrado.  -  Para buscar el nombre de la enfermedad, dolencia, producto, síntoma, etc..., "
    "deberá de escribir tal y como esté escrito en la base de datos, ya que la opción \"BUSCAR\" distingue "
    "mayúsculas y minúsculas.        ¡Pruebe de nuevo!");

QString hintLine(QWidget* screen) { return child<QLabel>(screen, "Panel1")->text(); }

// The texts drawn, in order, leaving out the 1-point specks of the spacers.
QStringList printedTexts(const QList<yb::printing::Block>& blocks)
{
    PrintRecorder rec;
    yb::printing::printBlocks(rec, blocks);
    QStringList out;
    for (const auto& piece : rec.pieces())
        if (piece.font.pointSize() > 1)
            out << piece.text;
    return out;
}

} // namespace

class InfoScreensTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        createScreens(dir.path() + QStringLiteral("/db"));
        addRecords(QStringLiteral("Ayuda"), {QStringLiteral("Dolencia/Enfermedad"), QStringLiteral("Explicacion")},
                   {{QStringLiteral("Acidez"), QStringLiteral("Ardor.")},
                    {QStringLiteral("Insomnio"), QStringLiteral("Sueño.")},
                    {QStringLiteral("Resfriado"), QStringLiteral("Catarro.")}});
    }
    void cleanupTestCase() { destroyScreens(); }
    void cleanup()
    {
        for (QWidget* w :
             {static_cast<QWidget*>(FORM777), static_cast<QWidget*>(Form2), static_cast<QWidget*>(FORMABOX),
              static_cast<QWidget*>(Form5), static_cast<QWidget*>(Form19), static_cast<QWidget*>(Form3)})
            w->hide();
    }

    // ---- help screen

    void helpSentencesAndTooltips()
    {
        QVERIFY(showActive(FORM777));
        QCOMPARE(FORM777->windowTitle(), QStringLiteral("Ayuda (Bases de Datos)"));
        const struct {
            const char *name, *tip, *sentence;
        } rows[] = {
            {"BitBtn1", "Volver al Menú", "Haga clic para cerrar la base de datos y volver al menú de opciones."},
            {"Label50", "Registro primero", "Se sitúa en el primer registro."},
            {"Label51", "Registro anterior", "Se sitúa en el registro anterior."},
            {"Label52", "Siguiente registro", "Se sitúa en el siguiente registro."},
            {"Label53", "Último registro", "Se sitúa en el último registro."},
            {"Label54", "Añadir registro", "Inserta un nuevo registo vacío en la tabla."},
            {"Label55", "Borrar registro", "Borra el registro actual."},
            {"Label56", "Grabar registro", "Graba las modificaciones efectuadas en el registro."},
            {"Label57", "Actualizar datos", "Vacía los buffers de visualización y actualiza los buffers de la tabla."},
            {"BitBtn2", "Imprimir", "Haga clic para imprimir la información que contiene el registro actual."},
            {"UpDown1", "", "Este es un ejemplo de como son los Botones de Desplazamiento."},
            {"n1", "Campo clave (índice)",
             "Campo clave (índice) - Escriba el Nombre del Síntoma, Producto, etc, y pulse el botón: GRABAR"},
            {"BitBtn2000", "Busca registros en el campo clave (índice)",
             "Haga clic para buscar un registro en la base de datos. (Distingue mayúsculas y minúsculas)."},
            {"SpButton200", "Ayuda", "Haga clic para visualizar una pequeña ayuda o información."},
            {"SpeedButton1", "Visualizar Lista", "Haga clic para visualizar la Lista con todos los registros"},
            {"n2", "Podrá escribir toda la información que usted desee.",
             "Haga uso de los botones de desplazamiento para visualizar todo el contenido del campo."},
        };
        for (const auto& r : rows) {
            QWidget* w = child(FORM777, r.name);
            QVERIFY2(w, r.name);
            QCOMPARE(w->toolTip(), QString::fromUtf8(r.tip));
            // Over the control itself, and for a memo over the text area where the mouse really is.
            auto* area = qobject_cast<QAbstractScrollArea*>(w);
            moveOver(area ? area->viewport() : w);
            QCOMPARE(hintLine(FORM777), QString::fromUtf8(r.sentence));
            // The bare panel clears the line.
            moveOver(child(FORM777, "Panel298765"), QPoint(3, 3));
            QVERIFY2(hintLine(FORM777).isEmpty(), r.name);
        }
        // The list and its button, while shown.
        child<QAbstractButton>(FORM777, "SpeedButton1")->click();
        moveOver(child<DBLookupListBox>(FORM777, "DBLookupListBox1")->viewport());
        QCOMPARE(hintLine(FORM777),
                 QStringLiteral(
                     "Haga uso de los botones de desplazamiento.  Después, haga clic sobre el registro deseado."));
        moveOver(child(FORM777, "BOTONCANCELAR"));
        QCOMPARE(hintLine(FORM777),
                 QStringLiteral("Haga clic para Cancelar la búsqueda de registros de la opción Lista"));
        QCOMPARE(child(FORM777, "BOTONCANCELAR")->toolTip(), QStringLiteral("Cancelar Lista"));
        // Label2 and Label3 leave the previous sentence in place.
        moveOver(child(FORM777, "Label2"));
        moveOver(child(FORM777, "Label3"));
        QCOMPARE(hintLine(FORM777),
                 QStringLiteral("Haga clic para Cancelar la búsqueda de registros de la opción Lista"));
        QCOMPARE(child(FORM777, "Label2")->toolTip(), QStringLiteral("Campo clave (índice)"));
        QCOMPARE(child(FORM777, "Panel1")->toolTip(), QStringLiteral("Panel de información"));
        QCOMPARE(child<QLabel>(FORM777, "Label3")->text(), QStringLiteral("AYUDA  -  BASE DE DATOS"));
        QCOMPARE(child<QPlainTextEdit>(FORM777, "n2")->document()->blockCount(), 22);
        QVERIFY(child<QPlainTextEdit>(FORM777, "n2")
                    ->toPlainText()
                    .startsWith(QStringLiteral("Esta pantalla es sólo de información ó de ayuda para el usuario. \n")));
        QCOMPARE(child<QPlainTextEdit>(FORM777, "n1")->toPlainText(),
                 QStringLiteral("En este campo se ha de escribir el Síntoma, Enfermedad, Producto, etc..."));
    }

    void helpNavigatorNeverActs()
    {
        QVERIFY(showActive(FORM777));
        QMetaObject::invokeMethod(FORM777, "FormActivate");
        auto* nav = child<DBNavigator>(FORM777, "DBNavigator1");
        const DBNavigator::NavigateButton shown[] = {DBNavigator::First, DBNavigator::Prior,  DBNavigator::Next,
                                                     DBNavigator::Last,  DBNavigator::Insert, DBNavigator::Delete,
                                                     DBNavigator::Post,  DBNavigator::Refresh};
        for (auto b : shown) {
            QVERIFY(nav->button(b)->isVisible());
            QVERIFY(!nav->isButtonEnabled(b));
            QCOMPARE(nav->button(b)->toolTip(), DBNavigator::defaultHint(b));
        }
        QCOMPARE(nav->button(DBNavigator::First)->toolTip(), QStringLiteral("First record"));
        const QString first = FORM777->Table1->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString();
        nav->click(DBNavigator::Next);
        QTest::mouseClick(nav->button(DBNavigator::Last), Qt::LeftButton);
        QCOMPARE(FORM777->Table1->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(), first);
        // The arrow pair acts on nothing either.
        const QString before = child<QPlainTextEdit>(FORM777, "n2")->toPlainText();
        for (auto* arrow : child(FORM777, "UpDown1")->findChildren<QToolButton*>())
            QTest::mouseClick(arrow, Qt::LeftButton);
        QCOMPARE(child<QPlainTextEdit>(FORM777, "n2")->toPlainText(), before);
        QCOMPARE(FORM777->Table1->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(), first);
    }

    // Whatever is typed, an existing name too, and on Cancel: the not-found notice.
    void helpSearchAlwaysShowsTheNotice()
    {
        QVERIFY(showActive(FORM777));
        QMetaObject::invokeMethod(FORM777, "FormActivate");
        for (bool cancel : {false, true}) {
            QString caption, label, title, text;
            QMessageBox::Icon icon = QMessageBox::Warning;
            int buttons = 0;
            answerModals({[&](QWidget* top) {
                              auto* d = qobject_cast<QInputDialog*>(top);
                              QVERIFY(d);
                              caption = d->windowTitle();
                              label = d->labelText();
                              QVERIFY(d->textValue().isEmpty());
                              d->setTextValue(QStringLiteral("Insomnio"));
                              cancel ? d->reject() : d->accept();
                          },
                          [&](QWidget* top) {
                              auto* b = qobject_cast<QMessageBox*>(top);
                              QVERIFY(b);
                              title = b->windowTitle();
                              text = b->text();
                              icon = b->icon();
                              buttons = int(b->buttons().size());
                              b->buttons().first()->click();
                          }});
            QTest::mouseClick(child<QAbstractButton>(FORM777, "BitBtn2000"), Qt::LeftButton);
            QTRY_VERIFY(modalsAnswered());
            QCOMPARE(caption, QStringLiteral("Entrada"));
            QCOMPARE(label, QStringLiteral("Introduce el nombre:"));
            QCOMPARE(title, QStringLiteral("Aviso"));
            QCOMPARE(text, kHelpNotice);
            QCOMPARE(icon, QMessageBox::NoIcon);
            QCOMPARE(buttons, 1);
            QCOMPARE(FORM777->Table1->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(),
                     QStringLiteral("Acidez"));
        }
    }

    void helpListAndActivation()
    {
        QVERIFY(showActive(FORM777));
        QMetaObject::invokeMethod(FORM777, "FormActivate");
        auto* list = child<DBLookupListBox>(FORM777, "DBLookupListBox1");
        QWidget* hide = child(FORM777, "BOTONCANCELAR");
        QVERIFY(!list->isVisible() && !hide->isVisible());
        child<QAbstractButton>(FORM777, "SpeedButton1")->click();
        QVERIFY(list->isVisible() && hide->isVisible());
        QCOMPARE(list->rowText(1), QStringLiteral("Insomnio"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(10, list->rowHeight() * 2 + list->rowHeight() / 2));
        QTRY_VERIFY(!list->isVisible());
        QVERIFY(!hide->isVisible());
        QCOMPARE(FORM777->Table1->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(),
                 QStringLiteral("Resfriado"));
        // Shown again, the chosen row is the selected one.
        child<QAbstractButton>(FORM777, "SpeedButton1")->click();
        QCOMPARE(list->rowText(list->selectedRow()), QStringLiteral("Resfriado"));
        child<QAbstractButton>(FORM777, "BOTONCANCELAR")->click();
        QVERIFY(!list->isVisible() && !hide->isVisible());

        // Each showing: list hidden, first record, focus in the key field, line empty.
        child<QAbstractButton>(FORM777, "SpeedButton1")->click();
        moveOver(child(FORM777, "BitBtn2"));
        QVERIFY(!hintLine(FORM777).isEmpty());
        FORM777->hide();
        QVERIFY(showActive(FORM777));
        QMetaObject::invokeMethod(FORM777, "FormActivate");
        QVERIFY(!list->isVisible() && !hide->isVisible());
        QCOMPARE(FORM777->Table1->fieldByName(QStringLiteral("Dolencia/Enfermedad")).asString(),
                 QStringLiteral("Acidez"));
        QCOMPARE(focusName(), QStringLiteral("n1"));
        QVERIFY(hintLine(FORM777).isEmpty());
    }

    // The page shares the browser's behaviour but edits and shows no record:
    // its example texts keep their colour and their Enter key, and a choice
    // in the list does not put the focus in the example key field.
    void helpPageIsNotARecord()
    {
        QVERIFY(showActive(FORM777));
        QMetaObject::invokeMethod(FORM777, "FormActivate");
        auto* n1 = child<QPlainTextEdit>(FORM777, "n1");
        QCOMPARE(focusName(), QStringLiteral("n1"));
        QCOMPARE(n1->palette().color(QPalette::Text), QApplication::palette(n1).color(QPalette::Text));
        const QString text = n1->toPlainText();
        QTest::keyClick(n1, Qt::Key_Return);
        QCOMPARE(focusName(), QStringLiteral("n1"));
        QCOMPARE(n1->toPlainText(), text);

        child<QAbstractButton>(FORM777, "SpeedButton1")->click();
        auto* list = child<DBLookupListBox>(FORM777, "DBLookupListBox1");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->rowHeight() + list->rowHeight() / 2));
        QTRY_VERIFY(!list->isVisible());
        QVERIFY(focusName() != QStringLiteral("n1"));
        QCOMPARE(n1->toPlainText(), text);
    }

    // The spacer "0", the key-field text, fifteen spacer lines, the help text.
    void helpPrintOrder()
    {
        QVERIFY(showActive(FORM777));
        const auto blocks = FORM777->printBlocks();
        QCOMPARE(blocks.size(), 4);
        QCOMPARE(blocks[0].lines, QStringList{QStringLiteral("0")});
        QCOMPARE(blocks[0].font.pointSize(), 1);
        QCOMPARE(blocks[2].lines.size(), 15);
        QCOMPARE(blocks[2].font.pointSize(), 1);
        QCOMPARE(blocks[1].font.family(), QStringLiteral("Arial"));
        const QStringList texts = printedTexts(blocks);
        QCOMPARE(texts.first(),
                 QStringLiteral("En este campo se ha de escribir el Síntoma, Enfermedad, Producto, etc..."));
        QCOMPARE(texts.at(1), QStringLiteral("Esta pantalla es sólo de información ó de ayuda para el usuario. "));
    }

    // ---- about screen and the second about box

    void aboutMouseRulesShowAndHideTheBox()
    {
        QVERIFY(showActive(Form2));
        QCOMPARE(Form2->windowTitle(), QStringLiteral("Acerca de..."));
        QMetaObject::invokeMethod(Form2, "FormActivate");
        QVERIFY(hintLine(Form2).isEmpty());
        enum Box { Shown, Hidden, Unchanged };
        const QString slogan = TForm2::sloganLine();
        const struct {
            const char* name;
            Box box;
            QString sentence;
            QPoint at = QPoint(-1, -1); // where the element itself is under the mouse
        } rows[] = {
            {"botondre3", Shown, slogan},
            {"Panel2", Hidden, QString(), QPoint(2, 2)},
            {"botondre3", Shown, slogan},
            {"Panel1", Hidden, QString()},
            {"botondre3", Shown, slogan},
            {"Panel4", Hidden, QString(), QPoint(2, 2)},
            {"botondre3", Shown, slogan},
            {"Memo6", Hidden, QString()},
            {"botondre3", Shown, slogan},
            {"Image2", Hidden, TForm2::noticeLine(), QPoint(2, 2)},
            {"botondre3", Shown, slogan},
            {"Panel3", Hidden, TForm2::noticeLine(), QPoint(2, 2)},
            {"botondre3", Shown, slogan},
            {"Label2", Hidden, TForm2::addressLine()},
            {"botondre3", Shown, slogan},
            {"Label1", Hidden, TForm2::addressLine()},
            {"botondre3", Shown, slogan},
            {"Label5", Hidden, TForm2::addressLine()},
            {"botondre3", Shown, slogan},
            {"Label99", Hidden, TForm2::phoneLine()},
            {"botondre3", Shown, slogan},
            {"Label6", Hidden, TForm2::phoneLine()},
            {"botondre3", Shown, slogan},
            {"BitBtn4", Unchanged,
             QStringLiteral("Haga clic para imprimir la Dirección, el Teléfono y el Fax del distribuidor de Quorvex.")},
            {"BitBtn3", Unchanged, QStringLiteral("Haga clic para cerrar la ficha actual.")},
            {"Label3", Unchanged, QStringLiteral("Haga clic para cerrar la ficha actual.")}, // does nothing
            {"Panel2", Hidden, QString(), QPoint(2, 2)},
            {"BitBtn4", Unchanged,
             QStringLiteral("Haga clic para imprimir la Dirección, el Teléfono y el Fax del distribuidor de Quorvex.")},
            {"Label3", Unchanged,
             QStringLiteral("Haga clic para imprimir la Dirección, el Teléfono y el Fax del distribuidor de Quorvex.")},
        };
        for (const auto& r : rows) {
            QWidget* w = child(Form2, r.name);
            QVERIFY2(w, r.name);
            const bool wasVisible = FORMABOX->isVisible();
            auto* area = qobject_cast<QAbstractScrollArea*>(w);
            moveOver(area ? area->viewport() : w, r.at);
            const bool expected = r.box == Shown ? true : r.box == Hidden ? false : wasVisible;
            QVERIFY2(FORMABOX->isVisible() == expected, r.name);
            QVERIFY2(hintLine(Form2) == r.sentence, r.name);
        }
        // The window's own background around the panel: the notice, the box left as it is.
        moveOver(child(Form2, "botondre3"));
        moveOver(Form2, QPoint(2, 2));
        QVERIFY(FORMABOX->isVisible());
        QCOMPARE(hintLine(Form2), TForm2::noticeLine());
        moveOver(child(Form2, "Image2"), QPoint(2, 2));
        QVERIFY(!FORMABOX->isVisible());
        moveOver(Form2, QPoint(2, 2));
        QVERIFY(!FORMABOX->isVisible());
    }

    // Shown over the about screen's modal run, the box becomes the active
    // window and beeps, each time it is shown again; closing the about screen
    // leaves it on screen.
    void aboutBoxBeepsEachTimeItIsShown()
    {
        int beepsWhenShown = -1, beepsAgain = -1, beepsBefore = -1;
        bool activeWhenShown = false, activeAgain = false, hiddenAfterImage = false;
        answerModals({[&](QWidget*) {
            beepsBefore = yb::beepCount();
            moveOver(child(Form2, "botondre3"));
            activeWhenShown = QTest::qWaitFor([] { return QApplication::activeWindow() == FORMABOX; }, 2000);
            beepsWhenShown = yb::beepCount() - beepsBefore;
            moveOver(child(Form2, "botondre3")); // still shown and active: no further beep
            moveOver(child(Form2, "Image2"), QPoint(3, 3));
            hiddenAfterImage = !FORMABOX->isVisible();
            moveOver(child(Form2, "botondre3"));
            activeAgain = QTest::qWaitFor([] { return QApplication::activeWindow() == FORMABOX; }, 2000);
            beepsAgain = yb::beepCount() - beepsBefore;
            child<QAbstractButton>(Form2, "BitBtn3")->click();
        }});
        yb::showModal(Form2);
        QVERIFY(modalsAnswered());
        QVERIFY(activeWhenShown);
        QCOMPARE(beepsWhenShown, 1);
        QVERIFY(hiddenAfterImage);
        QVERIFY(activeAgain);
        QCOMPARE(beepsAgain, 2);
        QVERIFY(!Form2->isVisible());
        QVERIFY(FORMABOX->isVisible());
        QCOMPARE(FORMABOX->windowTitle(), QStringLiteral("Quorvex"));
        // Its system menu's close hides it.
        FORMABOX->close();
        QVERIFY(!FORMABOX->isVisible());
    }

    // Captions, titles and the back and print buttons of the four screens.
    void informationScreensDesign()
    {
        const struct {
            QWidget* screen;
            const char *caption, *back, *print, *title, *titleText;
        } rows[] = {
            {Form2, "Acerca de...", "BitBtn3", "BitBtn4", "Label2", "YERBALIS "},
            {Form5, "Catálogo de Novedades Quorvex", "BitBtn1", "BitBtn3", "Panel3", "QUORVEX"},
            {Form19, "Notas Preliminares", "BitBtn1", "BitBtn2", "Panel3", "YERBALIS v1.0"},
            {Form3, "Hoja de Pedidos General", "BitBtn1", "BitBtn2", "Panel3", "YERBALIS v1.0"},
        };
        for (const auto& r : rows) {
            QCOMPARE(r.screen->windowTitle(), QString::fromUtf8(r.caption));
            QCOMPARE(child(r.screen, r.back)->toolTip(), QStringLiteral("Volver al Menú"));
            QCOMPARE(child(r.screen, r.print)->toolTip(), QStringLiteral("Imprimir"));
            QCOMPARE(child<QLabel>(r.screen, r.title)->text(), QString::fromUtf8(r.titleText));
            // The back button closes the screen.
            QVERIFY(showActive(r.screen));
            child<QAbstractButton>(r.screen, r.back)->click();
            QVERIFY(!r.screen->isVisible());
        }
        const struct {
            const char *name, *text;
        } labels[] = {{"Label5", "(Versión 1.0)"},
                      {"Label6", "Realizado por:"},
                      {"Label99", "QUORVEX"},
                      {"Label1", "Información y Pedidos a:"},
                      {"Label3", "Todos los productos los encontrará en Herbolarios y Tiendas de Dietética."}};
        for (const auto& l : labels)
            QCOMPARE(child<QLabel>(Form2, l.name)->text(), QString::fromUtf8(l.text));
        QVERIFY(child<QPlainTextEdit>(Form19, "Memo2")
                    ->toPlainText()
                    .startsWith(QStringLiteral(
                        "\nLas orientaciones de los productos que se indican para cada síntoma no son \n")));
        QVERIFY(child<QPlainTextEdit>(Form19, "Memo3")
                    ->toPlainText()
                    .startsWith(
                        QStringLiteral("\nEl Programa Yerbalis v1.0 ha sido creado, pensando en todas aquellas \n")));
        const QImage picture = TForm2::picture();
        QCOMPARE(picture.size(), QSize(640, 480));
        QVERIFY(picture.colorCount() > 0 && picture.colorCount() <= 256);
    }

    // ---- what each information screen prints

    void informationScreensPrintOrder()
    {
        // About: the 19 lines of the about text, in Arial.
        QVERIFY(showActive(Form2));
        auto about = Form2->printBlocks();
        QCOMPARE(about.size(), 1);
        QCOMPARE(about[0].font.family(), QStringLiteral("Arial"));
        QCOMPARE(child<QPlainTextEdit>(Form2, "Memo6")->document()->blockCount(), 19);
        QVERIFY(printedTexts(about).contains(QStringLiteral("QUORVEX")));

        // Catalogue: 362 lines, bold.
        QVERIFY(showActive(Form5));
        QCOMPARE(Form5->windowTitle(), QStringLiteral("Catálogo de Novedades Quorvex"));
        QCOMPARE(child<QPlainTextEdit>(Form5, "Memo2")->document()->blockCount(), 362);
        auto catalogue = Form5->printBlocks();
        QCOMPARE(catalogue.size(), 1);
        QVERIFY(catalogue[0].font.bold());
        QVERIFY(catalogue[0].lines.size() >= 362);

        // Order sheet: 50 unwrapped lines, bold Arial.
        QVERIFY(showActive(Form3));
        QCOMPARE(Form3->windowTitle(), QStringLiteral("Hoja de Pedidos General"));
        auto order = Form3->printBlocks();
        QCOMPARE(order.size(), 1);
        QCOMPARE(order[0].lines.size(), 50);
        QVERIFY(order[0].font.bold());
        QCOMPARE(order[0].font.family(), QStringLiteral("Arial"));

        // Notes: the 150-line spacer, the disclaimer, the 15-line spacer, the statement.
        QVERIFY(showActive(Form19));
        QCOMPARE(Form19->windowTitle(), QStringLiteral("Notas Preliminares"));
        auto notes = Form19->printBlocks();
        QCOMPARE(notes.size(), 4);
        QCOMPARE(notes[0].lines.size(), 150);
        QCOMPARE(notes[0].font.pointSize(), 1);
        QCOMPARE(notes[2].lines.size(), 15);
        QCOMPARE(notes[2].font.pointSize(), 1);
        QCOMPARE(child<QPlainTextEdit>(Form19, "Memo2")->document()->blockCount(), 8);
        QCOMPARE(child<QPlainTextEdit>(Form19, "Memo3")->document()->blockCount(), 11);
        PrintRecorder rec;
        yb::printing::printBlocks(rec, notes);
        qreal disclaimerY = -1, statementY = -1, lastSpeckY = -1;
        for (const auto& piece : rec.pieces()) {
            if (piece.text.startsWith(QStringLiteral("Las orientaciones de los productos")))
                disclaimerY = piece.baseline.y();
            if (piece.text.startsWith(QStringLiteral("El Programa Yerbalis v1.0 ha sido creado")))
                statementY = piece.baseline.y();
            if (piece.font.pointSize() == 1 && disclaimerY < 0)
                lastSpeckY = piece.baseline.y();
        }
        QVERIFY(disclaimerY > 0 && statementY > disclaimerY);
        // The disclaimer starts well down the page, below the top spacer.
        QVERIFY(lastSpeckY > 0 && disclaimerY > lastSpeckY);
        QVERIFY(disclaimerY > rec.height() / 20);
    }

    // The notes' dialog presets one copy and offers the selection; the about
    // screen's offers the whole document only. Both print on OK.
    void printDialogs()
    {
        QPrinter& printer = yb::printing::printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        const struct {
            QWidget* screen;
            const char* button;
            bool selection;
        } rows[] = {
            {Form19, "BitBtn2", true}, {Form2, "BitBtn4", false}, {Form5, "BitBtn3", false}, {Form3, "BitBtn2", false}};
        int n = 0;
        for (const auto& r : rows) {
            QVERIFY(showActive(r.screen));
            const QString pdf = dir.path() + QStringLiteral("/info%1.pdf").arg(++n);
            printer.setOutputFileName(pdf);
            printer.setCopyCount(3);
            bool selection = !r.selection;
            int copies = 0;
            answerModals({[&](QWidget* top) {
                auto* d = qobject_cast<QPrintDialog*>(top);
                QVERIFY(d);
                selection = d->testOption(QAbstractPrintDialog::PrintSelection);
                copies = d->printer()->copyCount();
                QVERIFY(!d->testOption(QAbstractPrintDialog::PrintPageRange));
                d->accept();
            }});
            child<QAbstractButton>(r.screen, r.button)->click();
            QTRY_VERIFY(modalsAnswered());
            QCOMPARE(selection, r.selection);
            if (r.selection)
                QCOMPARE(copies, 1);
            QVERIFY2(QFileInfo(pdf).size() > 0, r.button);
        }
        printer.setCopyCount(1);
    }
};

QObject* makeInfoScreensTest() { return new InfoScreensTest; }

#include "tst_info.moc"
