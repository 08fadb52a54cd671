#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, bound by position from 1 and stepped row by row.
// Failures throw RoundStore::Unavailable with SQLite's message.
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    SqliteStatement& bind(std::int64_t value);
    SqliteStatement& bind(std::string_view text);
    SqliteStatement& bindBlob(std::string_view bytes);
    // True while there is a row to read.
    bool step();
    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::string blob(int column) const;

private:
    void check(int code) const;

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    int bound_ = 0;
};
