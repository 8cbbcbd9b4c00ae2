#pragma once
// The shop's data is its owner's alone: the database directories the program
// and its companion create are readable by their owner only (0700), and so
// are the table, backup and export files (0600), whatever the umask. A
// directory or a table file that already exists keeps its permissions.

#include <QFileDevice>
#include <QString>

namespace yb {

// Creates the directory `path` and any missing directory above it, each one
// 0700. True when `path` is a directory at the end (also when it was one).
bool makePrivateDirectory(const QString& path);

// Creates the empty file `path`, which must not exist, as 0600, so that what
// opens it next keeps it private (SQLite gives its journal and log files the
// permissions of their table file). False when it cannot.
bool createPrivateFile(const QString& path);

// Opens `file` (a QFile or a QSaveFile) for writing and makes it 0600: a file
// it creates is never readable by others, even for a moment.
bool openPrivateFile(QFileDevice& file, QIODevice::OpenMode mode = QIODevice::WriteOnly);

// True when the group or other users of the computer may read or enter the
// directory `path`.
bool readableByOthers(const QString& path);

} // namespace yb
