#include "send/HttpClient.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace beast = boost::beast;
namespace http = beast::http;
using tcp = boost::asio::ip::tcp;

namespace {

// Runs the operation started on the context until it is done; the stream's expiry,
// set before, closes it when the server takes too long, and the wait ends with an error.
template <class Start>
void finish(boost::asio::io_context& io, Start&& start)
{
    beast::error_code failed;
    start([&failed](beast::error_code error, auto&&...) { failed = error; });
    io.restart();
    io.run();
    if (failed)
        throw boost::system::system_error(failed);
}

// The answer on a connected stream.
HttpClient::Reply readReply(boost::asio::io_context& io, beast::tcp_stream& stream)
{
    beast::flat_buffer buffer;
    http::response_parser<http::string_body> parser;
    parser.body_limit(HttpClient::kMaxReply);
    finish(io, [&](auto handler) { http::async_read(stream, buffer, parser, handler); });
    HttpClient::Reply reply;
    reply.status = parser.get().result_int();
    reply.body = std::move(parser.get().body());
    for (const auto& field : parser.get())
        reply.headers[std::string(field.name_string())] = std::string(field.value());
    return reply;
}

template <class Exchange>
HttpClient::Reply exchange(const std::string& host, const std::string& port, std::chrono::seconds timeout,
                           Exchange&& writeRequest)
{
    boost::asio::io_context io;
    beast::tcp_stream stream(io);
    try {
        tcp::resolver resolver(io);
        const auto addresses = resolver.resolve(host, port);
        stream.expires_after(timeout);
        finish(io, [&](auto handler) { stream.async_connect(addresses, handler); });
        writeRequest(io, stream);
        HttpClient::Reply reply = readReply(io, stream);
        beast::error_code ignored;
        stream.socket().shutdown(tcp::socket::shutdown_both, ignored);
        return reply;
    } catch (const boost::system::system_error& e) {
        const bool late = e.code() == beast::error::timeout;
        throw HttpClient::Unreachable(host + ":" + port + ": "
                                      + (late ? "no answer in " + std::to_string(timeout.count()) + " seconds"
                                              : e.code().message()));
    }
}

}  // namespace

HttpClient::Reply HttpClient::request(const std::string& method, const std::string& target, const std::string& body,
                                      const std::map<std::string, std::string>& fields) const
{
    return exchange(host_, port_, timeout_, [&](boost::asio::io_context& io, beast::tcp_stream& stream) {
        http::request<http::string_body> request(http::string_to_verb(method), target, 11);
        request.set(http::field::host, host_ + ":" + port_);
        request.set(http::field::user_agent, "tessaro-send");
        request.set(http::field::connection, "close");
        request.body() = body;
        if (method == "POST" || !body.empty())
            request.prepare_payload();
        for (const auto& [name, value] : fields)
            request.set(name, value);
        finish(io, [&](auto handler) { http::async_write(stream, request, handler); });
    });
}

HttpClient::Reply HttpClient::raw(const std::string& bytes) const
{
    return exchange(host_, port_, timeout_, [&](boost::asio::io_context& io, beast::tcp_stream& stream) {
        finish(io, [&](auto handler) { boost::asio::async_write(stream, boost::asio::buffer(bytes), handler); });
    });
}
