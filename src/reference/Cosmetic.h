#pragma once
// Cosmetic products database.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm12;
}
namespace yb {
class TableCursor;
}

class TForm12 : public QWidget {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);
    ~TForm12() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm12> ui;
};

extern TForm12* Form12;
