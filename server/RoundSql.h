#pragma once

#include "server/StoredRound.h"

#include <cstdint>

// The statements both databases run, written once; parameters are $1, $2, ... in the
// order they first appear, which SQLite binds by position as PostgreSQL does.
namespace round_sql {

// The table's columns after its key, in the order of kInsert's parameters.
inline constexpr const char* kInsert =
    "INSERT INTO rounds (name, total, score, combo_bonus, clear_bonus, end_kind, steps, game_version, "
    "sha256, received_at, sender_hash, replay) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11, $12) "
    "ON CONFLICT (sha256) DO NOTHING RETURNING id";
inline constexpr const char* kIdOfBytes = "SELECT id FROM rounds WHERE sha256 = $1";

// Columns 0 to 10 of every read; the replay, where asked for, is column 11.
#define TESSARO_ROUND_COLUMNS \
    "id, name, total, score, combo_bonus, clear_bonus, end_kind, steps, game_version, sha256, received_at"
inline constexpr const char* kRanking =
    "SELECT " TESSARO_ROUND_COLUMNS " FROM rounds ORDER BY total DESC, id ASC LIMIT $1 OFFSET $2";
inline constexpr const char* kRound = "SELECT " TESSARO_ROUND_COLUMNS " FROM rounds WHERE id = $1";
inline constexpr const char* kRoundWithReplay =
    "SELECT " TESSARO_ROUND_COLUMNS ", replay FROM rounds WHERE id = $1";
#undef TESSARO_ROUND_COLUMNS

// Rounds ahead of round $1, and all rounds.
inline constexpr const char* kPlacing =
    "SELECT (SELECT COUNT(*) FROM rounds r, rounds me WHERE me.id = $1 AND "
    "(r.total > me.total OR (r.total = me.total AND r.id < me.id))), (SELECT COUNT(*) FROM rounds)";
inline constexpr const char* kCount = "SELECT COUNT(*) FROM rounds";

inline constexpr const char* kSetting = "SELECT value FROM settings WHERE key = $1";
inline constexpr const char* kPutSetting = "INSERT INTO settings (key, value) VALUES ($1, $2) ON CONFLICT (key) DO NOTHING";

inline constexpr const char* kSchemaKey = "schema";
inline constexpr const char* kSaltKey = "salt";

// A read row as a round: columns 0 to 10 as above, the replay at 11 where it was asked for.
// Row gives integer(column), text(column) and blob(column).
template <class Row>
StoredRound roundFromRow(const Row& row, bool withReplay)
{
    StoredRound round;
    round.id = row.integer(0);
    round.name = row.text(1);
    round.total = static_cast<int>(row.integer(2));
    round.score = static_cast<int>(row.integer(3));
    round.comboBonus = static_cast<int>(row.integer(4));
    round.clearBonus = static_cast<int>(row.integer(5));
    round.endKind = static_cast<int>(row.integer(6));
    round.steps = static_cast<int>(row.integer(7));
    round.gameVersion = row.text(8);
    round.sha256 = row.text(9);
    round.receivedAt = row.integer(10);
    if (withReplay)
        round.replay = row.blob(11);
    return round;
}

// kInsert's parameters in order. Statement gives bind(integer), bind(text) and bindBlob(bytes).
template <class Statement>
void bindRound(Statement& statement, const StoredRound& round)
{
    statement.bind(round.name).bind(std::int64_t{round.total}).bind(std::int64_t{round.score});
    statement.bind(std::int64_t{round.comboBonus}).bind(std::int64_t{round.clearBonus});
    statement.bind(std::int64_t{round.endKind}).bind(std::int64_t{round.steps}).bind(round.gameVersion);
    statement.bind(round.sha256).bind(round.receivedAt).bind(round.senderHash).bindBlob(round.replay);
}

}  // namespace round_sql
