#pragma once

#include "server/RoundStore.h"

#include <pqxx/connection>
#include <pqxx/transaction_base>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The ranking in a PostgreSQL database that several servers may share. Each call is one
// transaction on a connection from a small pool; a call whose connection breaks fails
// with Unavailable, and the next one connects again.
class PostgresStore : public RoundStore {
public:
    // Takes a postgresql:// URL or a libpq connection string, connects, and creates the
    // tables or checks their schema. Throws Refused with the reason, naming the database
    // but never its password.
    explicit PostgresStore(const std::string& address);
    PostgresStore(const PostgresStore&) = delete;
    PostgresStore& operator=(const PostgresStore&) = delete;

    Added add(const StoredRound& round) override;
    Placing placing(std::int64_t id) override;
    std::vector<StoredRound> ranking(std::int64_t offset, int limit) override;
    std::optional<StoredRound> round(std::int64_t id, bool withReplay) override;
    std::int64_t count() override;
    std::string salt() override { return salt_; }
    std::string name() const override { return name_; }

private:
    using Connection = std::unique_ptr<pqxx::connection>;

    // Runs `body` in one transaction and commits it; libpqxx's failures leave as Unavailable.
    void transact(const std::function<void(pqxx::transaction_base&)>& body);
    Connection connect() const;
    Connection take();
    void giveBack(Connection connection);
    // Creates the tables on an empty database, refuses a newer schema; the salt either way.
    void migrate(pqxx::transaction_base& work);

    std::string connectionString_;
    // The database as messages name it: never with its password.
    std::string name_;
    std::mutex mutex_;
    std::vector<Connection> idle_;
    std::string salt_;
};
