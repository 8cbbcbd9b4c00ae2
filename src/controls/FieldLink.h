#pragma once
// The attachment of a text box that shows and changes one field of its data
// source's current record (bound edit, bound memo): the field, the read-only
// flag, the keys that start an edit, and the answers to the notifications
// that both boxes give alike.

#include "controls/DataSource.h"

class QKeyEvent;

class FieldLink : public DataLink {
public:
    using DataLink::DataLink;

    QString dataField() const { return fieldName_; }
    void setDataField(const QString& name);
    yb::Field* field() const; // nullptr without an open cursor or a known field

    bool isEditing() const; // the cursor edits and this control may write

    // Asks the data source to edit; true when this control may now write.
    virtual bool startEdit();
    // Writes typed text not yet written into the field (may raise the field's error).
    virtual void writeField() = 0;
    // Shows the field's stored value again, dropping what was typed.
    void reset() { display(); }

protected:
    // The attachment's read-only flag: a read-only control never edits nor writes.
    bool isLinkReadOnly() const { return readOnly_; }
    void setLinkReadOnly(bool on);
    // Whether an edit could be started now (the context menu offers the edit commands).
    bool mayStartEdit() const;

    virtual void display() = 0;
    // Makes the box editable exactly while the control may write.
    virtual void updateEditable() = 0;
    // The stored value as text; empty without a record.
    QString storedText() const;

    // What a key means before the box handles it.
    enum class KeyRole {
        Ordinary,   // the box handles it as it likes
        Escape,     // restores the stored value
        Refused,    // a character the field does not take (the beep is given)
        StartsEdit, // types or deletes: the cursor must edit first
    };
    KeyRole keyRole(const QKeyEvent* e, bool enterStartsEdit) const;
    // Whether a committed input-method text may be typed: every character is
    // taken by the field (else a beep) and the edit started.
    bool mayType(const QString& text);
    // Beeps and answers false when the field refuses the character.
    bool filterChar(QChar c) const;

    void recordChanged() override;
    void fieldChanged(const QString& field) override;
    void stateChanged() override;
    void updateRecord() override;
    bool focusField(const QString& field) override;

private:
    QString fieldName_;
    bool readOnly_ = false;
};
