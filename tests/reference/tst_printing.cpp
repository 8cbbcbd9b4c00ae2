// The printing convention: the printer text channel's rules through a
// recording page target, the block order of every browser, and one print
// command end to end to a real PDF file.

#include "ReferenceSupport.h"

#include "PrintRecorder.h"
#include "controls/DBMemo.h"
#include "printing/Printing.h"
#include "reference/RecordBrowser.h"
#include "store/TableCursor.h"

#include <QAbstractButton>
#include <QFontDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace reftest;
using yb::printing::Block;
using yb::printing::PrinterError;
using yb::printing::PrintRecorder;
using yb::printing::TextChannel;

namespace {

QFont mono(int points)
{
    QFont f(QStringLiteral("Liberation Mono"));
    f.setPointSize(points);
    return f;
}

// The drawn texts, with the spacers' full stops and blanks kept as they are.
QStringList texts(const PrintRecorder& rec)
{
    QStringList out;
    for (const auto& p : rec.pieces())
        out << p.text;
    return out;
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;

    // Metrics of a font on the recorder, as the channel sees them.
    struct M {
        int h, asc, avg;
        QFontMetrics fm;
    };
    static M metrics(const QFont& f, PrintRecorder& rec)
    {
        QFontMetrics fm(f, &rec);
        return {fm.height(), fm.ascent(), fm.averageCharWidth(), fm};
    }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        QVERIFY(browsers().isEmpty());
        createScreens(dir.path() + QStringLiteral("/db"));
    }
    void cleanupTestCase() { destroyScreens(); }

    void linesAdvanceByTextHeightPlusTwoAndEmptyLinesByCharacterHeight()
    {
        PrintRecorder rec;
        const M m = metrics(mono(10), rec);
        {
            TextChannel ch(rec);
            ch.setFont(mono(10), Qt::blue);
            QCOMPARE(ch.pageWidth(), 4760);
            ch.writeLine(QStringLiteral("abc"));
            QCOMPARE(ch.y(), m.h + 2);
            ch.writeLine(QString());
            QCOMPARE(ch.y(), m.h + 2 + m.h);
            ch.write(QStringLiteral("d\re")); // CR has no effect of its own
            ch.write(QStringLiteral("\r\n"));
            ch.close();
        }
        QCOMPARE(texts(rec), (QStringList{"abc", "d", "e"}));
        const auto& p = rec.pieces();
        QCOMPARE(p[0].baseline, QPointF(0, m.asc));
        QCOMPARE(p[1].baseline, QPointF(0, m.h + 2 + m.h + m.asc));
        QCOMPARE(p[2].baseline, QPointF(m.fm.horizontalAdvance(QStringLiteral("d")), p[1].baseline.y()));
        QCOMPARE(p[0].font.pointSize(), 10);
        QCOMPARE(p[0].colour, QColor(Qt::blue));
        QCOMPARE(rec.documents(), 1);
    }

    void aPieceThatDoesNotFitIsCutAtTheLastCharacterThatFits()
    {
        PrintRecorder probe;
        const M m = metrics(mono(10), probe);
        const int w = m.fm.horizontalAdvance(QStringLiteral("abcde"));
        PrintRecorder rec(QSize(w + 3, 6000));
        {
            TextChannel ch(rec);
            ch.setFont(mono(10));
            ch.writeLine(QStringLiteral("abcdefghijkl"));
            ch.write(QStringLiteral("xyz"));
            ch.write(QStringLiteral("1234")); // continues the line: two fit
            ch.writeLine(QString());
            // A character wider than the whole page is drawn alone at the left edge.
            ch.setFont(mono(72));
            ch.writeLine(QStringLiteral("WW"));
            ch.close();
        }
        QCOMPARE(texts(rec), (QStringList{"abcde", "fghij", "kl", "xyz", "12", "34", "W", "W"}));
        const auto& p = rec.pieces();
        const int line = m.h + 2;
        QCOMPARE(p[1].baseline, QPointF(0, line + m.asc));
        QCOMPARE(p[2].baseline, QPointF(0, 2 * line + m.asc));
        QCOMPARE(p[4].baseline, QPointF(m.fm.horizontalAdvance(QStringLiteral("xyz")), 3 * line + m.asc));
        QCOMPARE(p[5].baseline, QPointF(0, 4 * line + m.asc));
        QCOMPARE(p[7].baseline.x(), 0.0);
        QVERIFY(p[7].baseline.y() > p[6].baseline.y());
    }

    void tabsGoToTheNextStopOfEightAverageWidths()
    {
        PrintRecorder probe;
        const M m = metrics(mono(10), probe);
        const int tab = 8 * m.avg;
        PrintRecorder rec(QSize(10 * m.avg + 2, 6000));
        {
            TextChannel ch(rec);
            ch.setFont(mono(10));
            ch.write(QStringLiteral("a\tb"));
            const int xa = m.fm.horizontalAdvance(QStringLiteral("a"));
            QCOMPARE(rec.pieces()[1].baseline.x(), double(((xa + 1) / tab + 1) * tab));
            ch.writeLine(QString());
            ch.write(QStringLiteral("abcdefghi\tz")); // the stop lies beyond the right edge: line end
            ch.close();
        }
        const auto& p = rec.pieces();
        QCOMPARE(p.last().text, QStringLiteral("z"));
        QCOMPARE(p.last().baseline, QPointF(0, 2 * (m.h + 2) + m.asc));
    }

    void pagesBreakBelowBottomLessTwoLineHeightsAndOnFormFeed()
    {
        PrintRecorder probe;
        const M m = metrics(mono(10), probe);
        const int line = m.h + 2;
        PrintRecorder rec(QSize(4000, 10 * line));
        {
            TextChannel ch(rec);
            ch.setFont(mono(10));
            for (int i = 1; i <= 10; ++i)
                ch.writeLine(QString::number(i));
            ch.write(QStringLiteral("x\fy"));
            ch.close();
        }
        const auto& p = rec.pieces();
        // The ninth line end takes y to 9 lines, below 10 - 2: line 10 starts page 2 at its top.
        QCOMPARE(p[8].page, 1);
        QCOMPARE(p[8].baseline.y(), double(8 * line + m.asc));
        QCOMPARE(p[9].page, 2);
        QCOMPARE(p[9].baseline, QPointF(0, m.asc));
        QCOMPARE(p[10].text, QStringLiteral("x"));
        QCOMPARE(p[11].page, 3);
        QCOMPARE(p[11].baseline, QPointF(0, m.asc));
        QCOMPARE(rec.pageCount(), 3);

        // Empty lines (line height 0) break only below the bottom itself.
        PrintRecorder empty(QSize(4000, 10 * m.h));
        {
            TextChannel ch(empty);
            ch.setFont(mono(10));
            for (int i = 0; i < 10; ++i)
                ch.writeLine(QString());
            QCOMPARE(ch.page(), 1);
            ch.writeLine(QString());
            QCOMPARE(ch.page(), 2);
            QCOMPARE(ch.y(), 0);
        }
    }

    void aNewFontChangesTheLineHeightFromTheNextLineOn()
    {
        PrintRecorder rec;
        const M small = metrics(mono(10), rec);
        const M large = metrics(mono(20), rec);
        yb::printing::printBlocks(rec,
                                  {Block{{"a"}, mono(10), Qt::black}, Block{{"b", "c"}, mono(20), Qt::black},
                                   Block{{}, mono(40), Qt::black}});
        const auto& p = rec.pieces();
        QCOMPARE(texts(rec), (QStringList{"a", "b", "c"}));
        QCOMPARE(p[1].baseline.y(), double(small.h + 2 + large.asc));
        QCOMPARE(p[2].baseline.y(), double(small.h + 2 + large.h + 2 + large.asc));
        QCOMPARE(p[2].font.pointSize(), 20);
        QCOMPARE(rec.documents(), 1);
        // A second print is a document of its own, starting at the top of its first page.
        yb::printing::printBlocks(rec, {Block{{"d"}, mono(10), Qt::black}});
        QCOMPARE(rec.documents(), 2);
        QCOMPARE(rec.pieces().last().baseline, QPointF(0, small.asc));
        QCOMPARE(rec.pieces().last().page, 1);
    }

    void printerFailuresStopThePrintWithThePrinterLayersMessage()
    {
        PrintRecorder probe;
        const M m = metrics(mono(10), probe);
        PrintRecorder rec(QSize(4000, 4 * (m.h + 2)));
        rec.failNewPage(true);
        QList<Block> blocks{Block{{"1", "2", "3", "4", "5"}, mono(10), Qt::black}};
        try {
            yb::printing::printBlocks(rec, blocks);
            QFAIL("no error");
        } catch (const PrinterError& e) {
            QCOMPARE(e.message(), QStringLiteral("Printer is not currently printing"));
        }
        QCOMPARE(texts(rec), (QStringList{"1", "2", "3"})); // the third line end asks for the page that fails

        PrintRecorder failing;
        failing.failAfterPieces(2);
        QVERIFY_THROWS_EXCEPTION(PrinterError, yb::printing::printBlocks(failing, blocks));
        QCOMPARE(failing.pieces().size(), 2); // stopped after the line that failed

        PrintRecorder busy;
        TextChannel first(busy);
        try {
            TextChannel second(busy);
            QFAIL("no error");
        } catch (const PrinterError& e) {
            QCOMPARE(e.message(), QStringLiteral("Printing in progress"));
        }
    }

    void aControlsLinesAreItsDisplayedLines()
    {
        QPlainTextEdit box;
        box.resize(220, 200);
        box.setFont(mono(10));
        const QString paragraph = QStringLiteral("una frase larga que el control parte en varias lineas al mostrarla");
        box.setPlainText(paragraph + QStringLiteral("\n\nfin\n"));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        Block b = yb::printing::blockOf(&box);
        QVERIFY(b.lines.size() > 3);
        QCOMPARE(b.lines.mid(b.lines.size() - 2),
                 (QStringList{"", "fin"})); // the empty line after "fin" is not counted
        QCOMPARE(b.lines.mid(0, b.lines.size() - 2).join(QString()), paragraph);
        const QFontMetrics fm(box.font());
        for (const QString& l : b.lines)
            QVERIFY(fm.horizontalAdvance(l.trimmed()) <= box.viewport()->width());
        QCOMPARE(b.font.pointSize(), 10);

        box.setPlainText(QString());
        QVERIFY(yb::printing::blockOf(&box).lines.isEmpty());
        box.setLineWrapMode(QPlainTextEdit::NoWrap);
        box.setPlainText(QString(5000, QLatin1Char('x')));
        QCOMPARE(yb::printing::blockOf(&box).lines, QStringList{QString(4096, QLatin1Char('x'))});

        QFont pixels(QStringLiteral("Liberation Sans"));
        pixels.setPixelSize(13);
        box.setFont(pixels);
        QCOMPARE(yb::printing::blockOf(&box).font.pointSize(), int(std::lround(13 * 72.0 / box.logicalDpiY())));
    }

    // Each browser prints its blocks in its own order; a full stop stands for
    // each end of a spacer block.
    void eachBrowserPrintsItsBlocksInOrder_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QString>("order"); // T top spacer, K key, S separator, 3..6 Memo3..Memo6
        QTest::newRow("Cosmetic") << "Cosmetic" << QStringList{"Producto Cosmetico", "Indicaciones", "Modo Empleo"}
                                  << "TKS3S4S";
        QTest::newRow("Diagnost") << "Diagnost" << QStringList{"Sintomas", "Diagnostico", "Obsevaciones"} << "TKS3S4";
        QTest::newRow("Dietas") << "Dietas" << QStringList{"Dieta", "Dasayuno-Comida-Cena", "ComplementosDieteticos"}
                                << "TKS3S4";
        QTest::newRow("Editor") << "Editor" << QStringList{"Nombre Ficha", "EditorTextos"} << "T3";
        QTest::newRow("Glosario") << "Glosario" << QStringList{"Término médico", "Definición:"} << "TKS3";
        QTest::newRow("Guiapro") << "Guiapro" << QStringList{"Producto", "Indicaciones", "ModoEmpleo"} << "TKS3S4";
        QTest::newRow("Informac") << "Informac"
                                  << QStringList{"Producto", "Ingredientes", "Propiedades", "Dosificacion"}
                                  << "TKSS3S4S5S";
        QTest::newRow("Abuela") << "Abuela" << QStringList{"Sintomas", "Indicaciones"} << "TKS3";
        QTest::newRow("Informd") << "Informd"
                                 << QStringList{"Información Dietética", "Funcion", "Sintomas", "Recomendacion",
                                                "Fuentes"}
                                 << "TKS3S4S5S6";
        QTest::newRow("Alternat") << "Alternat" << QStringList{"Sintomas", "Indicaciones"} << "TKS3";
        QTest::newRow("Tnatural") << "Tnatural" << QStringList{"Dolencia/Enfermedad", "Explicacion", "Tratamiento"}
                                  << "TKS3S4";
    }
    void eachBrowserPrintsItsBlocksInOrder()
    {
        QFETCH(QString, unit);
        QFETCH(QStringList, fields);
        QFETCH(QString, order);
        QStringList record{QStringLiteral("Clave ") + unit};
        for (int i = 1; i < fields.size(); ++i)
            record << QStringLiteral("Texto %1 de %2").arg(i).arg(unit);
        addRecords(unit, fields, {record});
        QWidget* s = browser(unit);
        QVERIFY(showActive(s));
        QMetaObject::invokeMethod(s, "FormActivate");
        child<QWidget>(s, QStringLiteral("BitBtn2"))->setFocus(); // as the click on the print button does
        auto* b = s->findChild<yb::RecordBrowser*>();
        PrintRecorder rec;
        yb::printing::printBlocks(rec, b->blocks());

        QStringList expected;
        for (QChar c : order) {
            if (c == u'T' || c == u'S')
                expected << QStringLiteral(".") << QStringLiteral(".");
            else if (c == u'K')
                expected << record[0];
            else
                expected << record[c.digitValue() - 2];
        }
        QStringList seen;
        for (const auto& p : rec.pieces()) {
            if (p.text.trimmed().isEmpty())
                continue; // Glosario's separator holds one blank line
            seen << p.text;
            if (p.text == QLatin1String(".")) {
                QCOMPARE(p.font.pointSize(), 1);
            } else {
                QCOMPARE(p.font.pointSize(), 10);
                QCOMPARE(p.colour, QApplication::palette().color(QPalette::Text)); // not the focus red
            }
        }
        QCOMPARE(seen, expected);
        QCOMPARE(rec.pageCount(), 1);
        QCOMPARE(yb::printing::blockOf(child<QPlainTextEdit>(s, QStringLiteral("Memo123"))).lines.size(), 150);
        const QStringList separator = yb::printing::blockOf(child<QPlainTextEdit>(s, QStringLiteral("Memo1"))).lines;
        QCOMPARE(separator.size(), 15);
        QCOMPARE(separator.count(QStringLiteral(" ")), unit == QLatin1String("Glosario") ? 1 : 0);
        s->hide();
    }

    void printingTypedTextOfANewRecordLeavesItUnsaved()
    {
        QWidget* s = browser(QStringLiteral("Abuela"));
        QVERIFY(showActive(s));
        QMetaObject::invokeMethod(s, "FormActivate");
        auto* t = s->findChild<yb::TableCursor*>(QStringLiteral("Table1"));
        t->insert();
        auto* name = child<DBMemo>(s, QStringLiteral("MEMO2"));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Resfriado"));
        PrintRecorder rec;
        yb::printing::printBlocks(rec, s->findChild<yb::RecordBrowser*>()->blocks());
        QVERIFY(texts(rec).contains(QStringLiteral("Resfriado")));
        QCOMPARE(t->state(), yb::CursorState::Insert);
        t->cancel();
        s->hide();
    }

    void longTextsContinueOnFurtherPagesWithTheTopSpacerOnlyOnTheFirst()
    {
        QWidget* s = browser(QStringLiteral("Editor"));
        QStringList many;
        for (int i = 1; i <= 200; ++i)
            many << QStringLiteral("linea %1").arg(i);
        addRecords(QStringLiteral("Editor"), {QStringLiteral("Nombre Ficha"), QStringLiteral("EditorTextos")},
                   {{QStringLiteral("AAA largo"), many.join(QLatin1Char('\n'))}});
        QVERIFY(showActive(s));
        QMetaObject::invokeMethod(s, "FormActivate");
        auto* text = child<DBMemo>(s, QStringLiteral("Memo3"));
        QCOMPARE(text->toPlainText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("linea 1"));
        PrintRecorder rec;
        yb::printing::printBlocks(rec, s->findChild<yb::RecordBrowser*>()->blocks());
        QVERIFY(rec.pageCount() >= 3);
        QStringList lines;
        int dotsAfterFirstPage = 0;
        for (const auto& p : rec.pieces()) {
            if (p.text == QLatin1String(".")) {
                dotsAfterFirstPage += p.page > 1;
                continue;
            }
            lines << p.text;
        }
        QCOMPARE(lines, many);
        QCOMPARE(dotsAfterFirstPage, 0);
        for (int i = 1; i < rec.pieces().size(); ++i) {
            const auto& prev = rec.pieces()[i - 1];
            const auto& p = rec.pieces()[i];
            if (p.page != prev.page) {
                const QFontMetrics fm(p.font, &rec);
                QCOMPARE(p.baseline.y(), double(fm.ascent())); // the next page starts at its very top
                // ... and the previous line's end went below the bottom less two line heights
                QVERIFY(prev.baseline.y() - fm.ascent() + 2 * (fm.height() + 2) + fm.height() + 2 > rec.height());
            }
        }
        s->hide();
    }

    // The print command end to end: the print dialog, then a real PDF file.
    void printCommandWritesAPdf()
    {
        QWidget* s = browser(QStringLiteral("Cosmetic"));
        yb::TableCursor* t = s->findChild<yb::TableCursor*>(QStringLiteral("Table1"));
        addRecords(QStringLiteral("Cosmetic"), {QStringLiteral("Producto Cosmetico"), QStringLiteral("Indicaciones")},
                   {{QStringLiteral("AAA Crema de árnica"), QStringLiteral("Golpes y contusiones.")}});
        QVERIFY(showActive(s));
        QMetaObject::invokeMethod(s, "FormActivate");
        QCOMPARE(child<DBMemo>(s, QStringLiteral("MEMO2"))->toPlainText(), QStringLiteral("AAA Crema de árnica"));
        QPrinter& printer = yb::printing::printer();
        const QString pdf = dir.path() + QStringLiteral("/record.pdf");
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        bool selection = false, pageRange = true;
        int copies = 0;
        answerModals({[&](QWidget* top) {
            auto* d = qobject_cast<QPrintDialog*>(top);
            QVERIFY(d);
            QCOMPARE(d->objectName(), QStringLiteral("PrintDialog1"));
            selection = d->testOption(QAbstractPrintDialog::PrintSelection);
            pageRange = d->testOption(QAbstractPrintDialog::PrintPageRange);
            copies = d->printer()->copyCount();
            d->accept();
        }});
        QTest::mouseClick(child<QAbstractButton>(s, QStringLiteral("BitBtn2")), Qt::LeftButton);
        QVERIFY(modalsAnswered());
        QVERIFY(selection);
        QVERIFY(!pageRange);
        QCOMPARE(copies, 1);
        QCOMPARE(t->state(), yb::CursorState::Browse);
        QVERIFY(QFileInfo(pdf).size() > 0);

        QProcess p;
        p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(20000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("AAA Crema de árnica")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Golpes y contusiones.")));
        QVERIFY(text.indexOf(QStringLiteral("AAA Crema")) < text.indexOf(QStringLiteral("Golpes")));

        // Cancel prints nothing; a file that cannot be written is reported in the printer layer's words.
        QFile::remove(pdf);
        answerModals({[](QWidget* top) { qobject_cast<QDialog*>(top)->reject(); }});
        QTest::mouseClick(child<QAbstractButton>(s, QStringLiteral("BitBtn2")), Qt::LeftButton);
        QVERIFY(modalsAnswered());
        QVERIFY(!QFile::exists(pdf));

        QString reported;
        const QString unwritable = dir.path() + QStringLiteral("/missing/record.pdf");
        answerModals({[&](QWidget* top) {
                          qobject_cast<QDialog*>(top)->accept();
                          printer.setOutputFileName(unwritable); // the file goes away meanwhile
                      },
                      [&](QWidget* top) {
                          auto* box = qobject_cast<QMessageBox*>(top);
                          QVERIFY(box);
                          reported = box->text();
                          box->accept();
                      }});
        QTest::mouseClick(child<QAbstractButton>(s, QStringLiteral("BitBtn2")), Qt::LeftButton);
        QTRY_VERIFY(modalsAnswered());
        QCOMPARE(reported, QStringLiteral("Cannot write the printer file '%1'.").arg(unwritable));
        printer.setOutputFileName(pdf);
        s->hide();
    }
};

QObject* makePrintingTest() { return new PrintingTest; }

#include "tst_printing.moc"
