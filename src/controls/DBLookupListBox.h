#pragma once
// Lookup list: a list of the key texts of its list source's table that moves
// that table's cursor. It shows a window of consecutive records that always
// holds the current record, and never reads more of the table than it shows.

#include "controls/ControlAccessibility.h"
#include "controls/DataSource.h"
#include "controls/RecordWindow.h"

#include <QAbstractScrollArea>
#include <QTimer>
#include <QVariant>
#include <functional>

class DBLookupListBox : public QAbstractScrollArea, public DataLink {
    Q_OBJECT
    Q_PROPERTY(QString listSource READ dataSourceName WRITE setListSource)
    Q_PROPERTY(QString keyField READ keyField WRITE setKeyField)
    Q_PROPERTY(QString listField READ listField WRITE setListField)
    Q_PROPERTY(QVariant keyValue READ keyValue WRITE setKeyValue)

public:
    explicit DBLookupListBox(QWidget* parent = nullptr);

    void setListSource(const QString& name) { setDataSourceName(name); }
    void setListSource(DataSource* source) { setDataSourceObject(source); }
    QString keyField() const { return keyField_; }
    void setKeyField(const QString& name);
    QString listField() const { return listField_; }
    void setListField(const QString& name);

    // The key of the record last chosen in the list (null before any choice).
    QVariant keyValue() const { return keyValue_; }
    void setKeyValue(const QVariant& v);
    QString searchText() const { return searchText_; }

    int rowHeight() const;
    int rowCount() const; // whole rows that fit (at least one)
    const RecordWindow& window() const { return window_; }
    QString rowText(int row) const; // list field text of a shown row
    int selectedRow() const;        // shown row drawn as selected, or -1
    int focusRow() const;           // row that carries the focus rectangle, or -1
    QRect rowRect(int row) const;   // where a shown row is drawn in the viewport

    // Shared by every lookup list: the time of the last incremental-search key.
    static constexpr int SearchResetMs = 2000;
    static constexpr int MaxSearchLength = 32;
    // The clock of that pause, in milliseconds; an empty function restores
    // the steady clock. Tests set one of their own to pass the time.
    static void setSearchClock(std::function<qint64()> clock);

    QSize sizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void scrollContentsBy(int, int) override {}

    void recordChanged() override;
    void fieldChanged(const QString& field) override;
    void stateChanged() override;
    void linkChanged() override;

private:
    void setupFields();
    void refreshWindow();
    void updateScrollBar();
    void scrollAction(int action);
    void thumbReleased();
    void selectItemAt(int y);
    void selectCurrent();
    void timerScroll();
    void stopTracking();
    void processSearchKey(QChar c);
    yb::FieldType listType() const;
    int keyIndex() const { return 0; }
    int listIndex() const;
    int scrollPosition() const;

    QString keyField_;
    QString listField_;
    QVariant keyValue_;
    QString searchText_;
    RecordWindow window_;
    bool dirty_ = true;
    bool tracking_ = false;
    int mouseY_ = 0;
    QTimer scrollTimer_;
    yb::ShownRows told_;
};
