#pragma once
// The exit screen: asks whether to leave the program.

#include <QDialog>
#include <memory>

namespace Ui {
class TForm99;
}

class TForm99 : public QDialog {
    Q_OBJECT
public:
    explicit TForm99(QWidget* parent = nullptr);
    ~TForm99() override;

public slots:
    void BitBtn1Click();
    void BitBtn2Click();

private:
    std::unique_ptr<Ui::TForm99> ui;
};

extern TForm99* Form99;
