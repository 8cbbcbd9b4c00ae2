#pragma once
// The main menu: the main window of the program. It opens every other screen,
// shows the system date and time and explains the control under the mouse
// on its status hint line.

#include <QWidget>
#include <memory>

class QTimer;

namespace Ui {
class TForm1;
}

class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    QTimer* Timer1 = nullptr; // time caption
    QTimer* Timer2 = nullptr; // date caption

public slots:
    void FormActivate();
    void Timer1Timer();
    void Timer2Timer();

    void BitBtn22Click();
    void BitBtn20Click();
    void BitBtn21Click();
    void BitBtn19Click();
    void BitBtn23Click();
    void BitBtn24Click();
    void BitBtn28Click();
    void BitBtn26Click();
    void BitBtn27Click();
    void BitBtn25Click();
    void BitBtn29Click();
    void BitBtn30Click();
    void BOTONEDITARClick();
    void BitBtn2Click();
    void VENTASDIARIASClick();
    void BitBtn33Click();
    void CATALOGOClick();
    void BitBtn35Click();
    void BitBtn34Click();
    void BitBtn3333Click();
    void BitBtn1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void open(QWidget* screen);
    std::unique_ptr<Ui::TForm1> ui;
};

extern TForm1* Form1;
