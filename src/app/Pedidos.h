#pragma once
// Order sheet.

#include <QWidget>
#include <memory>

namespace Ui {
class TForm3;
}

class TForm3 : public QWidget {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;


public slots:
    void BitBtn1Click();

private:
    std::unique_ptr<Ui::TForm3> ui;
};

extern TForm3* Form3;
