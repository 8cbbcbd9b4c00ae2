#pragma once
// Catalogue of the maker's new programs.

#include "printing/Printing.h"

#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class TForm5;
}

class TForm5 : public QWidget {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    ~TForm5() override;

    // What the print command prints, block after block.
    QList<yb::printing::Block> printBlocks() const;

public slots:
    void BitBtn1Click();
    void BitBtn3Click();

private:
    QList<const QWidget*> printedControls() const;
    std::unique_ptr<Ui::TForm5> ui;
};

extern TForm5* Form5;
