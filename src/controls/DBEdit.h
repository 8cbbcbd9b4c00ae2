#pragma once
// Bound edit: a one-line box that shows and changes one field of its data
// source's current record.

#include "DataSource.h"

#include <QLineEdit>

class DBEdit : public QLineEdit, public DataLink {
    Q_OBJECT
    Q_PROPERTY(QString dataSource READ dataSourceName WRITE setDataSource)
    Q_PROPERTY(QString dataField READ dataField WRITE setDataField)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)

public:
    explicit DBEdit(QWidget* parent = nullptr);

    void setDataSource(const QString& name) { setDataSourceName(name); }
    void setDataSource(DataSource* source) { setDataSourceObject(source); }
    QString dataField() const { return fieldName_; }
    void setDataField(const QString& name);
    yb::Field* field() const;

    // The attachment's read-only flag: a read-only control never edits nor writes.
    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool on);
    // Length given by the screen; a text field replaces it by its size.
    int maxLength() const { return maxLength_; }
    void setMaxLength(int length);

    bool isEditing() const;        // the cursor edits and this control may write
    bool isTextModified() const { return modified_; }

    // Asks the data source to edit; true when this control may now write.
    bool startEdit();
    // Writes typed text not yet written into the field (may raise the field's error).
    void writeField();
    // Shows the field's stored value again, dropping what was typed.
    void reset();

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

    void recordChanged() override;
    void fieldChanged(const QString& field) override;
    void stateChanged() override;
    void updateRecord() override;
    bool focusField(const QString& field) override;

private:
    void display();
    void updateEditable();
    bool filterChar(QChar c); // false (after a beep) when the field refuses it

    QString fieldName_;
    bool readOnly_ = false;
    int maxLength_ = 0;
    bool modified_ = false;
};
