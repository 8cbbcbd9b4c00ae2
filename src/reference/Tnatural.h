#pragma once
// Natural treatments database.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm18;
}
namespace yb {
class TableCursor;
}

class TForm18 : public QWidget {
    Q_OBJECT
public:
    explicit TForm18(QWidget* parent = nullptr);
    ~TForm18() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm18> ui;
};

extern TForm18* Form18;
