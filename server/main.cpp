#include "server/Api.h"
#include "server/HttpServer.h"
#include "server/PostgresStore.h"
#include "server/ServerOptions.h"
#include "server/SqliteStore.h"

#include <boost/asio/ip/address.hpp>
#include <boost/asio/signal_set.hpp>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

constexpr int kUsageError = 2;
constexpr int kCannotServe = 1;
// Rounds waiting for a verifier, for each verifier.
constexpr int kQueuePerVerifier = 8;
constexpr int kMaxConnections = 256;

std::unique_ptr<RoundStore> openStore(const std::string& database)
{
    if (database.starts_with("postgresql://") || database.starts_with("postgres://"))
        return std::make_unique<PostgresStore>(database);
    return std::make_unique<SqliteStore>(database);
}

int serve(const ServerOptions& options)
{
    // A client gone, or an output nobody reads, is an error to handle, not a reason to end.
    std::signal(SIGPIPE, SIG_IGN);
    // First made, last gone: a verifier's thread may let go of a connection after run()
    // has returned, and the connection's end still needs the context.
    boost::asio::io_context io;
    std::unique_ptr<RoundStore> store = openStore(options.database);
    VerifierPool verifiers(options.verifiers, options.verifiers * kQueuePerVerifier);
    Api api(*store, verifiers, options.web.empty() ? std::nullopt : std::optional<StaticFiles>(options.web),
            options.roundsPerMinute);
    HttpServer server(io, {boost::asio::ip::make_address(options.address), options.port}, api, kMaxConnections);
    boost::asio::signal_set signals(io, SIGTERM, SIGINT);
    signals.async_wait([&server](boost::system::error_code error, int) {
        if (!error)
            server.stop();
    });
    server.start();
    const auto at = server.endpoint();
    std::printf("tessaro-server: listening on http://%s:%u/ with the ranking in %s%s%s\n",
                at.address().to_string().c_str(), at.port(), store->name().c_str(),
                options.web.empty() ? "" : " and the page from ", options.web.c_str());
    std::fflush(stdout);
    io.run();
    std::printf("tessaro-server: stopped\n");
    return 0;
}

}  // namespace

// tessaro-server: the world ranking, which ranks only rounds it has played again itself.
int main(int argc, char** argv)
{
    ServerOptions options;
    const std::string error = options.parse(argc, argv);
    if (options.help) {
        ServerOptions::printHelp();
        return 0;
    }
    if (!error.empty()) {
        std::fprintf(stderr, "tessaro-server: %s\n%s", error.c_str(), ServerOptions::kUsage);
        return kUsageError;
    }
    try {
        return serve(options);
    } catch (const RoundStore::Refused& e) {
        std::fprintf(stderr, "tessaro-server: cannot use the ranking's database: %s\n", e.what());
    } catch (const boost::system::system_error& e) {
        std::fprintf(stderr, "tessaro-server: cannot listen on %s:%u: %s\n", options.address.c_str(), options.port,
                     e.code().message().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tessaro-server: %s\n", e.what());
    }
    return kCannotServe;
}
