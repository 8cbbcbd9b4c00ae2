#pragma once
// Personal records card file.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm6;
}
namespace yb {
class TableCursor;
}

class TForm6 : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    ~TForm6() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn3Click();

private:
    std::unique_ptr<Ui::TForm6> ui;
};

extern TForm6* Form6;
