#pragma once
// The data-entry notice: numbered steps for filling in a record, shown by the
// "?" button of the record browsers, the card file and the help screen.

#include <QDialog>
#include <memory>

namespace Ui {
class TForm100;
}

class TForm100 : public QDialog {
    Q_OBJECT
public:
    explicit TForm100(QWidget* parent = nullptr);
    ~TForm100() override;

public slots:
    void Button1111Click();

private:
    std::unique_ptr<Ui::TForm100> ui;
};

extern TForm100* Form100;
