#include "store/statement_helpers.h"

CString ColumnString(const SQLiteStatement& statement, int column)
{
    const char* text = statement.ColumnText(column);
    if (!text) return {};
    return QString::fromUtf8(text, statement.ColumnBytes(column));
}

int StepInsert(SQLiteDB& db, SQLiteStatement& statement)
{
    if (!IsStepSuccess(statement.Step())) return 0;
    return static_cast<int>(db.LastInsertRowId());
}

int StepCount(SQLiteStatement& statement)
{
    if (statement.Step() != 100) return 0;
    return statement.ColumnInt(0);
}

bool StepAndReset(SQLiteStatement& statement)
{
    const bool ok = IsStepSuccess(statement.Step());
    statement.Reset();
    return ok;
}
