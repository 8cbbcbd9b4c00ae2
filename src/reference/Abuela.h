#pragma once
// Grandmother's remedies database.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm17;
}
namespace yb {
class TableCursor;
}

class TForm17 : public QWidget {
    Q_OBJECT
public:
    explicit TForm17(QWidget* parent = nullptr);
    ~TForm17() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm17> ui;
};

extern TForm17* Form17;
