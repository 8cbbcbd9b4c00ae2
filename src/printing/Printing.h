#pragma once
// The printing convention of the whole program: ask with the print dialog,
// then send the lines of on-screen text controls, block after block, each in
// the font and text colour of its control, to the printer as plain text lines.
//
// Typical use, in a screen's print command:
//
//     yb::printing::printControls(this, {ui->Memo123, ui->MEMO2, ui->Memo1, ui->Memo3});
//
// which shows the print dialog ("PrintDialog1") and, on OK, prints the blocks
// on the printer chosen there. A printer failure raises yb::printing::PrinterError
// (a yb::Error), which the application's event dispatch shows in the general
// error report; call it from an event handler and let it through.
//
// The pieces below it can be used on their own:
//  - blockOf(control): the lines of a text control as it lays them out on
//    screen now, with a copy of its font and its text colour;
//  - TextChannel: the printer text channel (position, line height, pieces cut
//    at the right edge, tabs, form feeds, page breaks) over a PageTarget;
//  - PrinterTarget: a PageTarget over a QPrinter (or a PDF file);
//  - the tests' PrintRecorder (tests/support): a PageTarget that records every drawn
//    piece of text with its position, font and page, for tests.

#include "store/Errors.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainter>
#include <QStringList>

#include <memory>

class QPaintDevice;
class QPlainTextEdit;
class QPrinter;
class QTextEdit;
class QWidget;

namespace yb::printing {

// An error of the printer layer (no usable printer, a document already being
// printed, an output error); its message is shown as it is.
class PrinterError : public yb::Error {
public:
    using Error::Error;
    QString kind() const override { return QStringLiteral("EPrinter"); }
};

// The lines of one text control, printed in its font and text colour.
struct Block {
    QStringList lines;
    QFont font; // point size set (a pixel-sized screen font is converted at the screen's resolution)
    QColor colour;
};

// A line is read up to this many characters.
inline constexpr int MaxLineLength = 4096;

// The control's lines as it lays them out on screen at this moment (one line
// per displayed line, wrapped where the control wraps), a final empty line not
// counted; an empty control gives no lines. Font and colour are copies of the
// control's.
Block blockOf(const QPlainTextEdit* control);
Block blockOf(const QTextEdit* control);
// Either of the two above, by the control's class; other widgets give no lines.
Block blockOfWidget(const QWidget* control);

// Where a print job's pages go.
class PageTarget {
public:
    virtual ~PageTarget() = default;
    // The device the channel paints on: its width and height are the
    // printable page in device pixels, its resolution scales the fonts.
    virtual QPaintDevice* device() = 0;
    // Ends the current page and begins the next. Raises PrinterError on failure.
    virtual void newPage() = 0;
    // Raises PrinterError when the device reports an output error.
    virtual void checkError() {}
    // Says what failed when painting could not begin on the device.
    virtual QString beginFailure() const;
};

// A PageTarget over a QPrinter, with an empty document title.
class PrinterTarget : public PageTarget {
public:
    explicit PrinterTarget(QPrinter& printer);
    QPaintDevice* device() override;
    void newPage() override;
    void checkError() override;
    QString beginFailure() const override;

private:
    QPrinter& printer_;
};

// The printer text channel of one print job. Opening it begins the document
// (first page, position at the top-left corner of the printable area, line
// height 0); close() ends the last page and the document.
class TextChannel {
public:
    explicit TextChannel(PageTarget& target); // raises PrinterError
    ~TextChannel();                           // ends the document if still open
    TextChannel(const TextChannel&) = delete;
    TextChannel& operator=(const TextChannel&) = delete;

    void setFont(const QFont& font, const QColor& colour = Qt::black);
    // Writes text at the current position. CR has no effect of its own, LF is
    // a line end, TAB moves to the next tab stop (8 average character widths),
    // FF begins a new page; other text is drawn in pieces, cut at the last
    // character that fits before the right edge.
    void write(const QString& text);
    // write(text + CR LF)
    void writeLine(const QString& text);
    void close();

    bool isOpen() const { return open_; }
    int x() const { return x_; }
    int y() const { return y_; }
    int lineHeight() const { return lineHeight_; }
    int pageWidth() const { return right_; }
    int pageHeight() const { return bottom_; }
    int page() const { return page_; } // 1 for the first page

private:
    void drawPiece(QString piece);
    void lineEnd();
    void tab();
    void newPage();

    PageTarget& target_;
    QPainter painter_;
    bool open_ = false;
    int x_ = 0, y_ = 0, lineHeight_ = 0;
    int right_ = 0, bottom_ = 0;
    int page_ = 1;
};

// Writes the blocks to an open channel: for each block, its font, then each
// line followed by a line end. Tests the target for an output error after
// each line.
void writeBlocks(TextChannel& channel, PageTarget& target, const QList<Block>& blocks);
// Opens a channel on the target, writes the blocks and closes it.
void printBlocks(PageTarget& target, const QList<Block>& blocks);

// The process's printer: the one the print dialog chose last (high resolution).
QPrinter& printer();

// The print ranges a print dialog offers.
enum class Ranges {
    AllAndSelection, // "all" and "selection"; one copy preset
    WholeDocument,   // "all" only
};

// Shows the print dialog "PrintDialog1" over `parent` for printer(): by
// default one copy preset, ranges "all" and "selection" offered; page numbers
// are never offered (their controls are neither shown nor enabled; the PDF
// file printer stays offered). True on OK; the settings chosen there stay in
// printer().
bool askPrinter(QWidget* parent, Ranges ranges = Ranges::AllAndSelection);

// The whole print command: askPrinter(), then the blocks of the controls, in
// the order given, on printer(). Nothing happens on Cancel.
void printControls(QWidget* parent, const QList<const QWidget*>& controls);

} // namespace yb::printing
