#include "server/PostgresStore.h"

#include "server/RoundSql.h"

#include <libpq-fe.h>
#include <pqxx/pqxx>

#include <cstring>
#include <string_view>

namespace {

// Long enough for a database across a network to answer, short enough that a caller
// waiting on one that never will is not left hanging.
constexpr const char* kConnectTimeoutSeconds = "3";
// How long a call may wait on the database: for sent data to be acknowledged, or for a
// statement to finish.
constexpr const char* kUnansweredMs = "10000";
// Connections kept open between calls; more are opened while more calls overlap.
constexpr std::size_t kIdleConnections = 4;
// The advisory lock every tessaro-server holds while it creates or checks the tables.
constexpr std::int64_t kSchemaLock = 0x7e55a20;

constexpr const char* kCreate =
    "CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL);"
    "CREATE TABLE rounds (id BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY, name TEXT NOT NULL,"
    " total INTEGER NOT NULL, score INTEGER NOT NULL, combo_bonus INTEGER NOT NULL,"
    " clear_bonus INTEGER NOT NULL, end_kind INTEGER NOT NULL, steps INTEGER NOT NULL,"
    " game_version TEXT NOT NULL, sha256 TEXT NOT NULL UNIQUE, received_at BIGINT NOT NULL,"
    " sender_hash TEXT NOT NULL, replay BYTEA NOT NULL);"
    "CREATE INDEX rounds_by_rank ON rounds (total DESC, id ASC);";

using Options = std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)>;

std::string valueOf(const PQconninfoOption* options, std::string_view keyword)
{
    for (const PQconninfoOption* option = options; option->keyword; ++option)
        if (keyword == option->keyword)
            return option->val ? option->val : "";
    return {};
}

// libpq's reasons end in a line break.
std::string trimmed(std::string text)
{
    text.erase(text.find_last_not_of(" \t\r\n") + 1);
    return text;
}

std::string hidden(std::string text, const std::string& secret)
{
    if (secret.empty())
        return text;
    for (std::size_t at = text.find(secret); at != std::string::npos; at = text.find(secret, at))
        text.replace(at, secret.size(), "***");
    return text;
}

// The password as a URL writes it, where libpq would read one: its reasons for not
// reading a URL may quote all of it. A connection string's reasons quote only keywords.
std::string writtenPassword(const std::string& address)
{
    const std::size_t scheme = address.find("://");
    if (scheme == std::string::npos)
        return {};
    const std::size_t start = scheme + std::strlen("://");
    const std::size_t credentialsEnd = address.find_first_of("@/", start);
    if (credentialsEnd == std::string::npos || address[credentialsEnd] != '@')
        return {};
    const std::size_t colon = address.find(':', start);
    return colon < credentialsEnd ? address.substr(colon + 1, credentialsEnd - colon - 1) : std::string();
}

// The options the address gives, a URL's or a connection string's alike.
Options parsed(const std::string& address)
{
    char* error = nullptr;
    Options options(PQconninfoParse(address.c_str(), &error), PQconninfoFree);
    if (!options) {
        const std::string why = error ? trimmed(error) : "out of memory";
        PQfreemem(error);
        throw RoundStore::Refused("PostgreSQL: the database's address cannot be read: "
                                  + hidden(why, writtenPassword(address)));
    }
    return options;
}

std::string quoted(std::string_view value)
{
    std::string text = "'";
    for (const char c : value) {
        if (c == '\'' || c == '\\')
            text += '\\';
        text += c;
    }
    return text + "'";
}

// The given options as a connection string, with a time limit on connecting unless
// the address sets its own.
std::string connectionString(const PQconninfoOption* given)
{
    std::string text;
    for (const PQconninfoOption* option = given; option->keyword; ++option)
        if (option->val)
            text += std::string(option->keyword) + "=" + quoted(option->val) + " ";
    if (valueOf(given, "connect_timeout").empty())
        text += std::string("connect_timeout=") + kConnectTimeoutSeconds + " ";
    // A database gone without a word must not hold a call for as long as TCP would wait.
    if (valueOf(given, "tcp_user_timeout").empty())
        text += std::string("tcp_user_timeout=") + kUnansweredMs + " ";
    // Nor a database that answers the network but not the statement.
    if (valueOf(given, "options").empty())
        text += std::string("options='-c statement_timeout=") + kUnansweredMs + "'";
    return text;
}

// Which database, where and as whom, as libpq will connect: what the address leaves
// out comes from the environment or libpq's defaults.
std::string databaseName(const PQconninfoOption* given)
{
    const Options defaults(PQconndefaults(), PQconninfoFree);
    const auto value = [&](std::string_view keyword) {
        const std::string value = valueOf(given, keyword);
        return value.empty() && defaults ? valueOf(defaults.get(), keyword) : value;
    };
    const std::string user = value("user");
    const std::string database = value("dbname").empty() ? user : value("dbname");
    const std::string host = value("host").empty() ? "the local socket" : value("host");
    const std::string port = value("port").empty() ? "" : ":" + value("port");
    return "PostgreSQL database \"" + database + "\" on " + host + port + " as \"" + user + "\"";
}

// kInsert's parameters for libpqxx, which takes a list of one kind at a time: the text
// ones, then the replay as binary, which kInsert has last.
struct InsertParameters {
    std::vector<std::string> texts;
    std::string replay;
    bool replayBound = false;

    InsertParameters& bind(std::int64_t value) { return bind(std::to_string(value)); }
    InsertParameters& bind(std::string_view text)
    {
        if (replayBound)
            throw std::logic_error("kInsert's replay is no longer its last parameter");
        // libpq sends text up to its first NUL, so the rest would be lost without a word.
        if (text.find('\0') != std::string_view::npos)
            throw RoundStore::Unavailable("PostgreSQL cannot keep text with a NUL byte in it");
        texts.emplace_back(text);
        return *this;
    }
    InsertParameters& bindBlob(std::string_view bytes)
    {
        replay = bytes;
        replayBound = true;
        return *this;
    }
};

struct RowReader {
    const pqxx::row& row;

    std::int64_t integer(int column) const { return row[column].as<std::int64_t>(); }
    std::string text(int column) const { return row[column].as<std::string>(); }
    std::string blob(int column) const { return pqxx::binarystring(row[column]).str(); }
};

std::string readSetting(pqxx::transaction_base& work, const char* key)
{
    const pqxx::result read = work.exec_params(round_sql::kSetting, key);
    return read.empty() ? std::string() : read[0][0].as<std::string>();
}

void putSetting(pqxx::transaction_base& work, const char* key, const std::string& value)
{
    work.exec_params(round_sql::kPutSetting, key, value);
}

}  // namespace

PostgresStore::PostgresStore(const std::string& address)
{
    const Options given = parsed(address);
    connectionString_ = connectionString(given.get());
    name_ = databaseName(given.get());
    try {
        transact([this](pqxx::transaction_base& work) { migrate(work); });
    } catch (const Refused& e) {
        throw Refused(name_ + ": " + e.what());
    } catch (const Unavailable& e) {
        throw Refused(hidden(e.what(), writtenPassword(address)));
    }
}

void PostgresStore::migrate(pqxx::transaction_base& work)
{
    // Two servers starting together on an empty database would both create the tables.
    work.exec_params("SELECT pg_advisory_xact_lock($1)", kSchemaLock);
    if (work.exec1("SELECT to_regclass('settings') IS NULL")[0].as<bool>()) {
        work.exec(kCreate);
        putSetting(work, round_sql::kSchemaKey, std::to_string(kSchemaVersion));
        putSetting(work, round_sql::kSaltKey, freshSalt());
    }
    checkSchema(readSetting(work, round_sql::kSchemaKey));
    salt_ = readSetting(work, round_sql::kSaltKey);
}

PostgresStore::Connection PostgresStore::connect() const
{
    try {
        return std::make_unique<pqxx::connection>(connectionString_);
    } catch (const pqxx::pqxx_exception& e) {
        throw Unavailable(name_ + ": " + trimmed(e.base().what()));
    }
}

PostgresStore::Connection PostgresStore::take()
{
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        if (!idle_.empty()) {
            Connection connection = std::move(idle_.back());
            idle_.pop_back();
            return connection;
        }
    }
    return connect();
}

void PostgresStore::giveBack(Connection connection)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if (idle_.size() < kIdleConnections)
        idle_.push_back(std::move(connection));
}

void PostgresStore::transact(const std::function<void(pqxx::transaction_base&)>& body)
{
    Connection connection = take();
    try {
        pqxx::work work(*connection);
        body(work);
        work.commit();
    } catch (const pqxx::pqxx_exception& e) {
        const std::string why = trimmed(e.base().what());
        if (connection->is_open())
            throw Unavailable(name_ + ": " + why);
        // A database that went away took the idle connections with it: the next call
        // connects afresh rather than failing on each of them in turn.
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            idle_.clear();
        }
        throw Unavailable(name_ + ": the connection broke: " + why);
    }
    giveBack(std::move(connection));
}

RoundStore::Added PostgresStore::add(const StoredRound& round)
{
    InsertParameters parameters;
    round_sql::bindRound(parameters, round);
    Added added;
    transact([&](pqxx::transaction_base& work) {
        const pqxx::result inserted = work.exec_params(round_sql::kInsert,
            pqxx::prepare::make_dynamic_params(parameters.texts), pqxx::binarystring(parameters.replay));
        added.isNew = !inserted.empty();
        const pqxx::row row = added.isNew ? inserted[0] : work.exec_params1(round_sql::kIdOfBytes, round.sha256);
        added.id = row[0].as<std::int64_t>();
    });
    return added;
}

RoundStore::Placing PostgresStore::placing(std::int64_t id)
{
    Placing placing;
    transact([&](pqxx::transaction_base& work) {
        const pqxx::row row = work.exec_params1(round_sql::kPlacing, id);
        placing = {row[0].as<std::int64_t>() + 1, row[1].as<std::int64_t>()};
    });
    return placing;
}

std::vector<StoredRound> PostgresStore::ranking(std::int64_t offset, int limit)
{
    std::vector<StoredRound> rounds;
    transact([&](pqxx::transaction_base& work) {
        for (const pqxx::row& row : work.exec_params(round_sql::kRanking, std::int64_t{limit}, offset))
            rounds.push_back(round_sql::roundFromRow(RowReader{row}, false));
    });
    return rounds;
}

std::optional<StoredRound> PostgresStore::round(std::int64_t id, bool withReplay)
{
    std::optional<StoredRound> found;
    transact([&](pqxx::transaction_base& work) {
        const pqxx::result read = work.exec_params(withReplay ? round_sql::kRoundWithReplay : round_sql::kRound, id);
        if (!read.empty())
            found = round_sql::roundFromRow(RowReader{read[0]}, withReplay);
    });
    return found;
}

std::int64_t PostgresStore::count()
{
    std::int64_t count = 0;
    transact([&](pqxx::transaction_base& work) { count = work.exec1(round_sql::kCount)[0].as<std::int64_t>(); });
    return count;
}
