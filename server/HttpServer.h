#pragma once

#include "server/Api.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/steady_timer.hpp>

#include <list>
#include <memory>

class HttpSession;

// Takes connections on one address, at most so many at once, until it is stopped.
class HttpServer {
public:
    // Throws boost::system::system_error when the address cannot be listened on.
    HttpServer(boost::asio::io_context& io, const boost::asio::ip::tcp::endpoint& at, Api& api, int maxConnections);
    // Where it listens: the port the system gave, when asked for port 0.
    boost::asio::ip::tcp::endpoint endpoint() const { return acceptor_.local_endpoint(); }
    void start();
    // Takes no more connections; each open one ends after the answer it is writing.
    void stop();

private:
    void accept();
    // Sessions still open, counted after the ended ones are forgotten.
    std::size_t openSessions();

    boost::asio::ip::tcp::acceptor acceptor_;
    boost::asio::steady_timer retry_;
    Api& api_;
    std::size_t maxConnections_;
    std::list<std::weak_ptr<HttpSession>> sessions_;
};
