#pragma once
// The print command of the information screens (about, catalogue, order
// sheet): the print dialog offers the whole document only, then the memos are
// printed block after block by the program's printing convention.

#include "printing/Printing.h"

#include <QWidget>

namespace yb::info {

// Shows the print dialog "PrintDialog1" for printing::printer() with the
// whole document as the only range. True on OK.
inline bool askPrinterWholeDocument(QWidget* parent)
{
    return printing::askPrinter(parent, printing::Ranges::WholeDocument);
}

// The lines of the controls, block after block, each in its control's font.
inline QList<printing::Block> blocksOf(const QList<const QWidget*>& controls)
{
    QList<printing::Block> blocks;
    for (const QWidget* c : controls)
        blocks << printing::blockOfWidget(c);
    return blocks;
}

// The print command over the given controls: the dialog, then their blocks.
inline void printWholeDocument(QWidget* parent, const QList<const QWidget*>& controls)
{
    if (!askPrinterWholeDocument(parent))
        return;
    printing::PrinterTarget target(printing::printer());
    printing::printBlocks(target, blocksOf(controls));
}

} // namespace yb::info
