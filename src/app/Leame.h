#pragma once
// Preliminary notes: the disclaimer and the statement of the program's purpose.

#include "printing/Printing.h"

#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class TForm19;
}

class TForm19 : public QWidget {
    Q_OBJECT
public:
    explicit TForm19(QWidget* parent = nullptr);
    ~TForm19() override;

    // What the print command prints, block after block.
    QList<yb::printing::Block> printBlocks() const;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

private:
    QList<const QWidget*> printedControls() const;
    std::unique_ptr<Ui::TForm19> ui;
};

extern TForm19* Form19;
