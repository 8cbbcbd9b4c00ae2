#pragma once
// Bound edit: a one-line box that shows and changes one field of its data
// source's current record.

#include "controls/FieldLink.h"

#include <QLineEdit>

class DBEdit : public QLineEdit, public FieldLink {
    Q_OBJECT
    Q_PROPERTY(QString dataSource READ dataSourceName WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)

public:
    explicit DBEdit(QWidget* parent = nullptr);

    void setDataSource(const QString& name) { setDataSourceName(name); }
    void setDataSource(DataSource* source) { setDataSourceObject(source); }

    // The attachment's read-only flag: a read-only control never edits nor writes.
    bool isReadOnly() const { return isLinkReadOnly(); }
    void setReadOnly(bool on) { setLinkReadOnly(on); }
    // Length given by the screen; a text field replaces it by its size.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);

    bool isTextModified() const { return modified_; }
    void writeField() override;

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
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void display() override;
    void updateEditable() override;

    int maxLength_ = 0;
    bool modified_ = false;
};
