#pragma once
// About screen: the maker, the distributor and how to order. Moving the
// mouse over its parts explains them on the status hint line and shows or
// hides the second about box.

#include "printing/Printing.h"

#include <QHash>
#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class TForm2;
}

class TForm2 : public QWidget {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // The sentences of the status hint line.
    static QString noticeLine();  // the maker's notice
    static QString addressLine(); // the distributor's name and postal address
    static QString phoneLine();   // the numbers for information and orders
    static QString sloganLine();  // the maker's specialities
    // The about picture: 640 by 480, 256 colours.
    static QImage picture();

    // What the print command prints: the about text.
    QList<yb::printing::Block> printBlocks() const;

public slots:
    void FormActivate();
    void BitBtn3Click();
    void BitBtn4Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Mouse-move handlers, one per element (shared where elements act alike).
    void FormMouseMove();
    void Panel2MouseMove();  // also Panel1, Panel4 and Memo6
    void Image2MouseMove();  // also Panel3
    void Label2MouseMove();  // also Label1 and Label5
    void Label99MouseMove(); // also Label6
    void botondre3MouseMove();
    void BitBtn4MouseMove();
    void BitBtn3MouseMove();

    void watch(QWidget* element, void (TForm2::*handler)(), bool withParts = false);
    void setHint(const QString& sentence);
    void showBox();
    void hideBox();

    std::unique_ptr<Ui::TForm2> ui;
    QHash<QObject*, void (TForm2::*)()> moveHandlers_;
};

extern TForm2* Form2;
