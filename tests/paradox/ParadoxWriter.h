#pragma once
// A small writer of Paradox tables, for the tests only: it makes the old
// files that the reader and the migration are tested on (field types,
// code pages, memos in the record and in the .MB file, several blocks).

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

namespace yb::paradox::testing {

struct WField {
    QString name;
    quint8 type; // the format's type byte (0x01 alpha, 0x0C memo …)
    int size;    // as the descriptor gives it (memo: in-record part + 10; BCD: decimals)
};

struct WOptions {
    int version = 12;    // version byte
    int codePage = 1252; // 0: none in the header
    int blockKb = 2;
    quint32 encryption = 0;
};

class ParadoxWriter {
public:
    ParadoxWriter(QList<WField> fields, WOptions options = {});
    // Values: QString for alpha and memo, integers, double, bool, QDate, QTime, QDateTime, the 17 bytes
    // of a BCD field as QByteArray; null for empty.
    void add(const QList<QVariant>& values);
    // Writes `path` and, when a memo needs it, the .MB beside it (named `mbName`, default the base name + ".MB").
    void write(const QString& path, const QString& mbName = {}) const;

private:
    QByteArray encode(const QString& text) const;
    QList<WField> fields_;
    WOptions options_;
    QList<QList<QVariant>> records_;
};

} // namespace yb::paradox::testing
