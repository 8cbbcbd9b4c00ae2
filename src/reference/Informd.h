#pragma once
// Dietetic information database.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm14;
}
namespace yb {
class TableCursor;
}

class TForm14 : public QWidget {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);
    ~TForm14() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm14> ui;
};

extern TForm14* Form14;
