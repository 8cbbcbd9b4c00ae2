#pragma once
// Trace-element therapies database.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm16;
}
namespace yb {
class TableCursor;
}

class TForm16 : public QWidget {
    Q_OBJECT
public:
    explicit TForm16(QWidget* parent = nullptr);
    ~TForm16() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm16> ui;
};

extern TForm16* Form16;
