#pragma once
// Navigator bar: ten buttons that move through the records of a data source
// and insert, delete, edit, post, cancel and re-read them.

#include "controls/DataSource.h"

#include <QStringList>
#include <QWidget>

class NavButton;

class DBNavigator : public QWidget, public DataLink {
    Q_OBJECT
    Q_PROPERTY(QString dataSource READ dataSourceName WRITE setDataSource)
    Q_PROPERTY(NavigateButtons visibleButtons READ visibleButtons WRITE setVisibleButtons)
    Q_PROPERTY(bool confirmDelete READ confirmDelete WRITE setConfirmDelete)
    Q_PROPERTY(bool showHint READ showHint WRITE setShowHint)
    Q_PROPERTY(QStringList hints READ hints WRITE setHints)

public:
    // In bar order.
    enum NavigateButton {
        First = 0x1,
        Prior = 0x2,
        Next = 0x4,
        Last = 0x8,
        Insert = 0x10,
        Delete = 0x20,
        Edit = 0x40,
        Post = 0x80,
        Cancel = 0x100,
        Refresh = 0x200,
    };
    Q_DECLARE_FLAGS(NavigateButtons, NavigateButton)
    Q_FLAG(NavigateButtons)
    static constexpr int ButtonCount = 10;
    static NavigateButton buttonAt(int index) { return NavigateButton(1 << index); }
    static int indexOf(NavigateButton b);
    static QString defaultHint(NavigateButton b);

    explicit DBNavigator(QWidget* parent = nullptr);
    ~DBNavigator() override;

    void setDataSource(const QString& name) { setDataSourceName(name); }
    void setDataSource(DataSource* source) { setDataSourceObject(source); }

    NavigateButtons visibleButtons() const { return visible_; }
    void setVisibleButtons(NavigateButtons buttons);
    bool confirmDelete() const { return confirmDelete_; }
    void setConfirmDelete(bool on) { confirmDelete_ = on; }
    bool showHint() const { return showHint_; }
    void setShowHint(bool on);
    // One text per button in bar order; an empty entry keeps the button's own hint.
    QStringList hints() const { return hints_; }
    void setHints(const QStringList& hints);
    QString hint(NavigateButton b) const;

    bool isButtonEnabled(NavigateButton b) const;
    QWidget* button(NavigateButton b) const;

    // Performs the button's action (when the bar is active and the button
    // enabled), then reports the click.
    void click(NavigateButton b);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // After every click on an enabled button, whether or not an action took place.
    void clicked(DBNavigator::NavigateButton button);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void showEvent(QShowEvent* e) override;

    void recordChanged() override;
    void stateChanged() override;
    void linkChanged() override;

private:
    friend class NavButton;
    void updateButtons();
    void layoutButtons();
    void updateHints();
    void moveFocusButton(int step);
    void announceFocusButton();

    NavButton* buttons_[ButtonCount] = {};
    NavigateButtons visible_ = NavigateButtons(0x3ff);
    bool confirmDelete_ = true;
    bool showHint_ = false;
    QStringList hints_;
    int focusIndex_ = 0; // button pressed by Enter or Space while the bar has the focus
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DBNavigator::NavigateButtons)
