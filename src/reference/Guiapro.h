#pragma once
// Guide to dietetic products.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm15;
}
namespace yb {
class TableCursor;
}

class TForm15 : public QWidget {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
    ~TForm15() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm15> ui;
};

extern TForm15* Form15;
