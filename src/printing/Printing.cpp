#include "printing/Printing.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <cmath>

namespace yb::printing {

namespace {
// The messages of this unit, in the catalogue's context yb::Printing.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(yb::Printing)
};
} // namespace

namespace {

// The lines of a document as laid out at its current width.
QStringList laidOutLines(QTextDocument* doc)
{
    auto* plainLayout = qobject_cast<QPlainTextDocumentLayout*>(doc->documentLayout());
    if (!plainLayout)
        doc->documentLayout()->documentSize(); // a rich-text layout lays out everything on asking
    QStringList out;
    QTextBlock block = doc->begin();
    bool lastWasEmptyBlock = false;
    for (; block.isValid(); block = block.next()) {
        if (plainLayout)
            plainLayout->ensureBlockLayout(block);
        const QString text = block.text();
        const QTextLayout* layout = block.layout();
        const int n = layout ? layout->lineCount() : 0;
        if (n == 0) {
            out << text;
        } else {
            for (int i = 0; i < n; ++i) {
                const QTextLine line = layout->lineAt(i);
                out << text.mid(line.textStart(), line.textLength());
            }
        }
        lastWasEmptyBlock = text.isEmpty();
    }
    // The empty line after a final line break is not a line of the text (and
    // an empty control has none).
    if (lastWasEmptyBlock && !out.isEmpty())
        out.removeLast();
    for (QString& line : out)
        if (line.size() > MaxLineLength)
            line.truncate(MaxLineLength);
    return out;
}

// A copy of the control's font with a point size: a font given in pixels
// becomes points at the control's screen resolution (at least 1 point).
QFont printFont(const QWidget* control)
{
    QFont f = control->font();
    if (f.pointSizeF() <= 0 && f.pixelSize() > 0) {
        const int dpi = control->logicalDpiY() > 0 ? control->logicalDpiY() : 96;
        f.setPointSize(std::max(1, int(std::lround(f.pixelSize() * 72.0 / dpi))));
    }
    return f;
}

Block blockFrom(const QWidget* control, QTextDocument* doc)
{
    Block b;
    b.lines = laidOutLines(doc);
    b.font = printFont(control);
    b.colour = control->palette().color(QPalette::Text);
    return b;
}

} // namespace

Block blockOf(const QPlainTextEdit* control) { return blockFrom(control, control->document()); }

Block blockOf(const QTextEdit* control) { return blockFrom(control, control->document()); }

Block blockOfWidget(const QWidget* control)
{
    if (auto* p = qobject_cast<const QPlainTextEdit*>(control))
        return blockOf(p);
    if (auto* t = qobject_cast<const QTextEdit*>(control))
        return blockOf(t);
    Block b;
    if (control) {
        b.font = printFont(control);
        b.colour = control->palette().color(QPalette::WindowText);
    }
    return b;
}

// ---- the printer

PrinterTarget::PrinterTarget(QPrinter& printer) : printer_(printer) { printer_.setDocName(QString()); }

QPaintDevice* PrinterTarget::device() { return &printer_; }

void PrinterTarget::newPage()
{
    if (!printer_.newPage())
        throw PrinterError(Text::tr("Printer is not currently printing"));
}

void PrinterTarget::checkError()
{
    if (printer_.printerState() == QPrinter::Error)
        throw PrinterError(
            Text::tr("Printer error on '%1'")
                .arg(printer_.outputFileName().isEmpty() ? printer_.printerName() : printer_.outputFileName()));
}

QString PageTarget::beginFailure() const { return Text::tr("Printer selected is not valid"); }

QString PrinterTarget::beginFailure() const
{
    if (printer_.outputFormat() == QPrinter::PdfFormat) {
        if (printer_.outputFileName().isEmpty())
            return QStringLiteral("There is no default printer currently selected");
        return Text::tr("Cannot write the printer file '%1'").arg(printer_.outputFileName());
    }
    return Text::tr("Printer selected is not valid");
}

// ---- the text channel

TextChannel::TextChannel(PageTarget& target) : target_(target)
{
    QPaintDevice* device = target_.device();
    if (device->paintingActive())
        throw PrinterError(Text::tr("Printing in progress"));
    if (!painter_.begin(device))
        throw PrinterError(target_.beginFailure());
    open_ = true;
    right_ = device->width();
    bottom_ = device->height();
}

TextChannel::~TextChannel()
{
    if (open_)
        painter_.end();
}

void TextChannel::setFont(const QFont& font, const QColor& colour)
{
    painter_.setFont(font);
    painter_.setPen(colour);
}

void TextChannel::write(const QString& text)
{
    qsizetype runStart = 0;
    auto flush = [&](qsizetype end) {
        if (end > runStart)
            drawPiece(text.mid(runStart, end - runStart));
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n' && c != u'\t' && c != u'\f')
            continue;
        flush(i);
        runStart = i + 1;
        if (c == u'\n')
            lineEnd();
        else if (c == u'\t')
            tab();
        else if (c == u'\f')
            newPage();
        // '\r' has no effect of its own
    }
    flush(text.size());
}

void TextChannel::writeLine(const QString& text) { write(text + QStringLiteral("\r\n")); }

void TextChannel::drawPiece(QString piece)
{
    const QFontMetrics fm = painter_.fontMetrics();
    while (!piece.isEmpty()) {
        qsizetype n = piece.size();
        int width = fm.horizontalAdvance(piece);
        // The longest beginning that fits between x and the right edge.
        while (n > 0 && x_ + width > right_) {
            --n;
            if (n > 0 && piece.at(n).isLowSurrogate() && piece.at(n - 1).isHighSurrogate())
                --n;
            width = fm.horizontalAdvance(piece.left(n));
        }
        // At the left edge at least one character is drawn, or a character
        // wider than the page would never leave the line.
        if (n == 0 && x_ == 0) {
            n = (piece.size() > 1 && piece.at(0).isHighSurrogate()) ? 2 : 1;
            width = fm.horizontalAdvance(piece.left(n));
        }
        if (n > 0) {
            const int h = fm.height();
            if (h > lineHeight_)
                lineHeight_ = h + 2;
            painter_.drawText(QPoint(x_, y_ + fm.ascent()), piece.left(n));
            x_ += width;
        }
        piece.remove(0, n);
        if (!piece.isEmpty())
            lineEnd();
    }
}

void TextChannel::lineEnd()
{
    x_ = 0;
    y_ += lineHeight_ > 0 ? lineHeight_ : painter_.fontMetrics().height();
    if (y_ > bottom_ - lineHeight_ * 2)
        newPage();
    lineHeight_ = 0;
}

void TextChannel::tab()
{
    const int tabWidth = std::max(1, painter_.fontMetrics().averageCharWidth() * 8);
    x_ = ((x_ + 1) / tabWidth + 1) * tabWidth;
    if (x_ > right_)
        lineEnd();
}

void TextChannel::newPage()
{
    target_.newPage();
    ++page_;
    x_ = 0;
    y_ = 0;
}

void TextChannel::close()
{
    if (!open_)
        return;
    open_ = false;
    painter_.end();
}

void writeBlocks(TextChannel& channel, PageTarget& target, const QList<Block>& blocks)
{
    for (const Block& block : blocks) {
        channel.setFont(block.font, block.colour);
        for (const QString& line : block.lines) {
            channel.writeLine(line);
            target.checkError();
        }
    }
}

void printBlocks(PageTarget& target, const QList<Block>& blocks)
{
    TextChannel channel(target);
    target.checkError();
    writeBlocks(channel, target, blocks);
    channel.close();
    target.checkError();
}

QPrinter& printer()
{
    static QPrinter* p = nullptr;
    if (!p) {
        p = new QPrinter(QPrinter::HighResolution);
        p->setCopyCount(1);
    }
    return *p;
}

namespace {

// The toolkit's dialog shows its page-number controls ("Pages from", the
// page boxes, the page list) even when page ranges are switched off, and
// lays them out again on each showing: they are taken away once it is shown.
class RangeTrimmer : public QObject {
public:
    RangeTrimmer(Ranges ranges, QObject* parent) : QObject(parent), ranges_(ranges) {}
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && o == parent())
            trim(static_cast<QWidget*>(o));
        return false;
    }
    void trim(QWidget* dialog) const
    {
        QStringList offered{QStringLiteral("printAll")};
        if (ranges_ == Ranges::AllAndSelection)
            offered << QStringLiteral("printSelection");
        const QStringList ranged{QStringLiteral("printRange"),       QStringLiteral("from"),
                                 QStringLiteral("label_3"),          QStringLiteral("to"),
                                 QStringLiteral("pagesRadioButton"), QStringLiteral("pagesLineEdit"),
                                 QStringLiteral("printCurrentPage"), QStringLiteral("printSelection")};
        // The range group's own controls: other parts of the dialog have
        // widgets of the same names.
        QWidget* group = dialog->findChild<QWidget*>(QStringLiteral("gbPrintRange"));
        if (!group)
            return;
        for (const QString& name : ranged) {
            if (offered.contains(name))
                continue;
            if (auto* w = group->findChild<QWidget*>(name)) {
                w->setEnabled(false);
                w->hide();
            }
        }
        if (auto* all = group->findChild<QAbstractButton*>(QStringLiteral("printAll")))
            if (ranges_ == Ranges::WholeDocument)
                all->setChecked(true);
    }

private:
    Ranges ranges_;
};

} // namespace

bool askPrinter(QWidget* parent, Ranges ranges)
{
    QPrinter& p = printer();
    if (ranges == Ranges::AllAndSelection)
        p.setCopyCount(1);
    p.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&p, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, ranges == Ranges::AllAndSelection);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // On this platform the PDF file printer is the way to print without a
    // physical printer: it stays offered.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* trimmer = new RangeTrimmer(ranges, &dialog);
    dialog.installEventFilter(trimmer);
    return dialog.exec() == QDialog::Accepted;
}

void printControls(QWidget* parent, const QList<const QWidget*>& controls)
{
    if (!askPrinter(parent))
        return;
    QList<Block> blocks;
    for (const QWidget* c : controls)
        blocks << blockOfWidget(c);
    PrinterTarget target(printer());
    printBlocks(target, blocks);
}

} // namespace yb::printing
