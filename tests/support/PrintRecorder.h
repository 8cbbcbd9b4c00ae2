#pragma once
// A page target that records what a print job draws instead of printing it:
// every piece of text with its page, position, font and colour. It is a real
// paint device (with a page size and a resolution of its own), so the text
// channel measures and lays out exactly as it does on a printer.

#include "printing/Printing.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPaintDevice>
#include <QPointF>
#include <QSize>
#include <QString>

#include <memory>

namespace yb::printing {

class PrintRecorder : public QPaintDevice, public PageTarget {
public:
    struct Piece {
        int page = 1;     // 1 for the first page
        QPointF baseline; // where the text was drawn (its base line)
        QString text;
        QFont font;
        QColor colour;
    };

    // A page of `pageSize` device pixels at `dpi` pixels per inch (by default
    // an A4 printable area at 600 dpi).
    explicit PrintRecorder(QSize pageSize = QSize(4760, 6814), int dpi = 600);
    ~PrintRecorder() override;

    const QList<Piece>& pieces() const { return pieces_; }
    int pageCount() const { return page_; }      // pages begun so far
    int documents() const { return documents_; } // documents begun and ended
    void clear();

    // Makes the next newPage() (or the output check after the n-th drawn
    // piece) fail as a printer would.
    void failNewPage(bool on) { failNewPage_ = on; }
    void failAfterPieces(int n) { failAfter_ = n; }

    // PageTarget
    QPaintDevice* device() override { return this; }
    void newPage() override;
    void checkError() override;

    // QPaintDevice
    QPaintEngine* paintEngine() const override;

protected:
    int metric(PaintDeviceMetric m) const override;

private:
    class Engine;
    friend class Engine;
    QSize size_;
    int dpi_;
    int page_ = 1;
    int documents_ = 0;
    bool failNewPage_ = false;
    int failAfter_ = -1;
    QList<Piece> pieces_;
    std::unique_ptr<Engine> engine_;
};

} // namespace yb::printing
