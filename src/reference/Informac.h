#pragma once
// General product information.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm11;
}
namespace yb {
class TableCursor;
}

class TForm11 : public QWidget {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);
    ~TForm11() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm11> ui;
};

extern TForm11* Form11;
