#pragma once
// Temporary databases for the controls' tests, demo and benchmark.

#include <QString>
#include <QStringList>

namespace testdata {

// Creates the fourteen empty tables in `dir` and points every cursor at it.
void prepare(const QString& dir);

// Writes records through the store's bulk insert in one transaction (fast
// enough for a million records). Cosmetics: key text, then the two memos.
void bulkCosmetics(const QString& dir, const QList<QStringList>& records);
// `count` cosmetics named "<syllable> <number>" in an order unrelated to their numbers.
void bulkManyCosmetics(const QString& dir, int count);
void bulkProducts(const QString& dir, const QList<std::tuple<int, QString, int>>& records);

QString manyName(int i);

// Resident and peak memory of this process in kB (Linux), -1 elsewhere.
qint64 residentKb();
qint64 peakKb();

} // namespace testdata
