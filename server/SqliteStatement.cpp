#include "server/SqliteStatement.h"

#include "server/RoundStore.h"

#include <sqlite3.h>

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql) : db_(db)
{
    check(sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr));
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

void SqliteStatement::check(int code) const
{
    if (code != SQLITE_OK)
        throw RoundStore::Unavailable(std::string("SQLite: ") + sqlite3_errmsg(db_));
}

SqliteStatement& SqliteStatement::bind(std::int64_t value)
{
    check(sqlite3_bind_int64(statement_, ++bound_, value));
    return *this;
}

SqliteStatement& SqliteStatement::bind(std::string_view text)
{
    check(sqlite3_bind_text(statement_, ++bound_, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
    return *this;
}

SqliteStatement& SqliteStatement::bindBlob(std::string_view bytes)
{
    check(sqlite3_bind_blob(statement_, ++bound_, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT));
    return *this;
}

bool SqliteStatement::step()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        throw RoundStore::Unavailable(std::string("SQLite: ") + sqlite3_errmsg(db_));
    return false;
}

std::int64_t SqliteStatement::integer(int column) const { return sqlite3_column_int64(statement_, column); }

std::string SqliteStatement::text(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    return text ? std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))) : std::string();
}

std::string SqliteStatement::blob(int column) const
{
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement_, column));
    return bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement_, column))) : std::string();
}
