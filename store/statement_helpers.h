#pragma once
// Small steps shared by the table operations: text in and out as UTF-8 and
// the result rules (insert -> new identifier, count -> first column).
#include <QByteArray>

#include "platform/cstring.h"
#include "store/sqlite_db.h"
#include "store/sqlite_statement.h"

// Binds UTF-8 bytes without their terminator. `utf8` must outlive the step.
inline int BindUtf8(SQLiteStatement& statement, int index, const QByteArray& utf8)
{
    return statement.BindText(index, utf8.constData(), static_cast<int>(utf8.size()));
}

// Text of a column; SQL NULL reads as an empty string.
CString ColumnString(const SQLiteStatement& statement, int column);

// Steps an insert: the new row's identifier (low 32 bits) or 0.
int StepInsert(SQLiteDB& db, SQLiteStatement& statement);

// Steps a count query: column 0 of the first row, or 0.
int StepCount(SQLiteStatement& statement);

// Steps an update or delete and applies the success test.
inline bool StepDone(SQLiteStatement& statement)
{
    return IsStepSuccess(statement.Step());
}

// Steps a statement run once per element of a bulk insert and makes it
// ready for the next element.
bool StepAndReset(SQLiteStatement& statement);
