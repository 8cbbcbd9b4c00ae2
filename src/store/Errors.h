#pragma once
// Errors raised by the table store and the conversions. Each carries the exact
// text that the general error report shows (the report adds the full stop).

#include <QString>
#include <exception>
#include <string>

namespace yb {

class Error : public std::exception {
public:
    explicit Error(QString message) : message_(std::move(message)), utf8_(message_.toStdString()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }
    // Name of the error's kind, as shown by the start-up failure box.
    virtual QString kind() const { return QStringLiteral("Error"); }

private:
    QString message_;
    std::string utf8_;
};

// Errors of the table cursor: states, required fields, field values.
class DatabaseError : public Error {
public:
    using Error::Error;
    QString kind() const override { return QStringLiteral("EDatabaseError"); }
};

// Errors reported by the table engine itself: files, writes, conflicts.
class EngineError : public DatabaseError {
public:
    explicit EngineError(QString message, int code = 0) : DatabaseError(std::move(message)), code_(code) {}
    int code() const { return code_; }
    QString kind() const override { return QStringLiteral("EDBEngineError"); }

private:
    int code_;
};

// A text that does not convert to a number or a date.
class ConversionError : public Error {
public:
    using Error::Error;
    QString kind() const override { return QStringLiteral("EConvertError"); }
};

} // namespace yb
