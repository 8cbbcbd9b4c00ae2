#pragma once
// Free-text database.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm8;
}
namespace yb {
class TableCursor;
}

class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
    ~TForm8() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm8> ui;
};

extern TForm8* Form8;
