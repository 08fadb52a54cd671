#include "server/HttpServer.h"

#include "server/HttpSession.h"

#include <chrono>
#include <cstdio>

namespace {
// How long the server waits to take connections again after the system refused one.
constexpr auto kAcceptRetry = std::chrono::milliseconds(200);
}  // namespace

HttpServer::HttpServer(boost::asio::io_context& io, const boost::asio::ip::tcp::endpoint& at, Api& api,
                       int maxConnections)
    : acceptor_(io), retry_(io), api_(api), maxConnections_(static_cast<std::size_t>(maxConnections))
{
    acceptor_.open(at.protocol());
    acceptor_.set_option(boost::asio::socket_base::reuse_address(true));
    acceptor_.bind(at);
    acceptor_.listen();
}

void HttpServer::start() { accept(); }

void HttpServer::stop()
{
    boost::system::error_code ignored;
    acceptor_.close(ignored);
    retry_.cancel();
    for (const std::weak_ptr<HttpSession>& weak : sessions_)
        if (const std::shared_ptr<HttpSession> session = weak.lock())
            session->stop();
}

std::size_t HttpServer::openSessions()
{
    sessions_.remove_if([](const std::weak_ptr<HttpSession>& session) { return session.expired(); });
    return sessions_.size();
}

void HttpServer::accept()
{
    acceptor_.async_accept([this](boost::system::error_code error, boost::asio::ip::tcp::socket socket) {
        if (error == boost::asio::error::operation_aborted || !acceptor_.is_open())
            return;
        if (!error) {
            if (openSessions() < maxConnections_) {
                auto session = std::make_shared<HttpSession>(std::move(socket), api_);
                sessions_.push_back(session);
                session->start();
            }
            // Over the bound, the connection is closed as it was taken.
        } else {
            // Out of descriptors, say: taking the next one at once would only spin.
            std::fprintf(stderr, "tessaro-server: a connection could not be taken: %s\n", error.message().c_str());
            retry_.expires_after(kAcceptRetry);
            retry_.async_wait([this](boost::system::error_code waited) {
                if (!waited)
                    accept();
            });
            return;
        }
        accept();
    });
}
