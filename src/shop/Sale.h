#pragma once
// The till of the sales terminal without its window: the product lookup by
// code, and the recording of a sale.
//
// A sale is checked whole before anything is written: the code box must hold
// the code of the product that the last lookup found, that product must still
// be the current one, and the total must stay within 32 bits. The sale record
// is then appended and posted (one durable transaction); only after the post
// does the caller show the line and the new total. A failure raises the
// error and leaves the sales table, the list and the total as they were,
// with no sale record pending.
//
// Every sale carries an id made here (stored hidden with the record, on a
// server): when the server's answer to the post is lost, the store asks the
// server whether it holds the sale before anything is said. When it cannot be
// asked, the error says that it is not known whether the sale was stored, and
// the same sale recorded again (same code, same product) carries the same id,
// so that a sale already stored is recognised and never stored twice.

#include "store/TableCursor.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

namespace yb {

// "%10s %-30s %10s": widths are minimums, a longer text is written whole.
QString saleLine(const QString& codeText, const QString& description, const QString& priceText);

// The number of this till, for the sales it records: YERBALIS_TILL (1 to 99)
// when it is set, else 1. Raises yb::Error naming the variable when it holds
// anything else, so that a till set up wrongly never records its sales under
// another till's number.
int tillNumber();
QString tillNumberText();

// The running total after adding `amount`; raises yb::Error when the sum
// leaves the 32-bit signed range.
int32_t addToTotal(int32_t total, int32_t amount);

class Till {
public:
    Till(yb::TableCursor* productos, yb::TableCursor* ventas) : productos_(productos), ventas_(ventas) {}

    // Moves the product cursor to its first record, converts `codeText` (which
    // may raise "'%s' is not a valid integer value") and locates the product
    // by Codigo. True when found: it is then the current product.
    bool lookup(const QString& codeText);
    // The last lookup no longer stands (the code was retyped, a sale was recorded).
    void forget()
    {
        found_.reset();
        missed_.clear();
    }
    bool hasProduct() const { return found_.has_value(); }

    struct Sale {
        QString line;      // the customer's list line
        int32_t total = 0; // the running total with this sale
        QString description;
        int32_t price = 0;
        // The sale had been stored by an earlier try whose answer was lost.
        bool alreadyRecorded = false;
    };
    // Records one unit of the found product. `codeText` is the code box as it
    // stands, `tillText` the till number box, `total` the customer's total so far.
    Sale record(const QString& codeText, const QString& tillText, int32_t total,
                const QDateTime& when = QDateTime::currentDateTime());

private:
    struct Found {
        QString codeText;
        yb::Bookmark bookmark;
    };
    yb::TableCursor* productos_;
    yb::TableCursor* ventas_;
    std::optional<Found> found_;
    QString missed_; // code text of the last lookup that found nothing
    // The sale whose storing is in doubt (its answer was lost, the server
    // could not be asked): its id goes with the same sale's next try.
    struct Pending {
        QString codeText;
        yb::Bookmark product;
        QString id;
    };
    std::optional<Pending> pending_;
};

} // namespace yb
