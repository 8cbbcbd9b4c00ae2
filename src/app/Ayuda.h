#pragma once
// Help screen: explains the controls of the record browser.

#include <QWidget>
#include <memory>

namespace Ui {
class TFORM777;
}
namespace yb {
class TableCursor;
}

class TFORM777 : public QWidget {
    Q_OBJECT
public:
    explicit TFORM777(QWidget* parent = nullptr);
    ~TFORM777() override;

    yb::TableCursor* Table1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TFORM777> ui;
};

extern TFORM777* FORM777;
