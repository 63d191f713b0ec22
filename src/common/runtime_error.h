#pragma once

#include <QString>

#include <stdexcept>

// The run-time error numbers the program reports and reacts to. Handlers
// decide what to do by these numbers, and the general error box prints them,
// so they keep the values operators and the order-entry product know.
enum class ErrorCode : int {
    Overflow = 6,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    ObjectNotSet = 91,
    InvalidUseOfNull = 94,
    InvalidPropertyValue = 380,
    InvalidArrayIndex = 381,
    NoCurrentRecord = 3021,
    DatabaseFileNotFound = 3024,
    InvalidDatabasePath = 3044,
    TableNotFound = 3078,
    FieldNotFound = 3265,
    UnreadableDatabase = 3343,
    DialogCancelled = 32755,
};

// What failed: the run-time error number the program reports and reacts to,
// and for the operator what failed (for a file, its path and the reason).
struct Failure
{
    ErrorCode code;
    QString detail;

    int number() const { return static_cast<int>(code); }
};

// A failure carrying its run-time error number, thrown by the steps of a
// read or write; attempt() (common/result.h) turns it into a value.
class RuntimeError : public std::runtime_error
{
public:
    explicit RuntimeError(ErrorCode code, const QString& detail = {});

    ErrorCode code() const { return m_code; }
    int number() const { return static_cast<int>(m_code); }
    // What failed, for the operator: for a file, its path and the reason.
    const QString& detail() const { return m_detail; }
    // The failure as a value.
    Failure failure() const;

private:
    ErrorCode m_code;
    QString m_detail;
};
