#pragma once
// Order sheet: a form to print and fill in by hand; it stores nothing.

#include "printing/Printing.h"

#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class TForm3;
}

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    // What the print command prints, block after block.
    QList<yb::printing::Block> printBlocks() const;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

private:
    QList<const QWidget*> printedControls() const;
    std::unique_ptr<Ui::TForm3> ui;
};

extern TForm3* Form3;
