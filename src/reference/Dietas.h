#pragma once
// Natural diets database.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm20;
}
namespace yb {
class TableCursor;
}

class TForm20 : public QWidget {
    Q_OBJECT
public:
    explicit TForm20(QWidget* parent = nullptr);
    ~TForm20() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm20> ui;
};

extern TForm20* Form20;
