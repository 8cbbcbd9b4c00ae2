#pragma once
// Bound memo: a several-line box that wraps its lines and shows and changes
// one field (a memo or a text field) of its data source's current record.

#include "controls/FieldLink.h"

#include <QPlainTextEdit>

class DBMemo : public QPlainTextEdit, public FieldLink {
    Q_OBJECT
    Q_PROPERTY(QString dataSource READ dataSourceName WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(ScrollBars scrollBars READ scrollBars WRITE setScrollBars)

public:
    enum ScrollBars { ScrollNone, ScrollHorizontal, ScrollVertical, ScrollBoth };
    Q_ENUM(ScrollBars)

    explicit DBMemo(QWidget* parent = nullptr);

    void setDataSource(const QString& name) { setDataSourceName(name); }
    void setDataSource(DataSource* source) { setDataSourceObject(source); }

    bool isReadOnly() const { return isLinkReadOnly(); }
    void setReadOnly(bool on) { setLinkReadOnly(on); }
    int maxLength() const { return maxLength_; } // 0: unlimited
    void setMaxLength(int length) { maxLength_ = length; }
    ScrollBars scrollBars() const { return scrollBars_; }
    void setScrollBars(ScrollBars s);

    bool isTextModified() const { return modified_; }
    bool isMemoLoaded() const { return loaded_; }

    bool startEdit() override;
    void writeField() override;

    // Texts longer than this are not loaded: the box shows "(Memo too large)".
    static qsizetype loadCapacity();
    static void setLoadCapacity(qsizetype characters);

signals:
    // The focus came in from, or went out to, another control of the window
    // (after the typed text was written).
    void entered();
    void exited();

public slots:
    void cut();
    void paste();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void display() override;
    void updateEditable() override;
    qsizetype room() const; // characters that may still be typed over the selection
    QString storedForm() const;

    int maxLength_ = 0;
    ScrollBars scrollBars_ = ScrollNone;
    bool modified_ = false;
    bool loaded_ = true;
    bool displaying_ = false;
    bool crlf_ = false; // the stored text breaks its lines with CR LF
};
