#include "send/HttpClient.h"

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

namespace beast = boost::beast;
namespace http = beast::http;
using tcp = boost::asio::ip::tcp;

namespace {

// The answer on a connected stream.
HttpClient::Reply readReply(beast::tcp_stream& stream)
{
    beast::flat_buffer buffer;
    http::response_parser<http::string_body> parser;
    parser.body_limit(std::numeric_limits<std::uint64_t>::max());
    http::read(stream, buffer, parser);
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
        stream.expires_after(timeout);
        stream.connect(resolver.resolve(host, port));
        writeRequest(stream);
        HttpClient::Reply reply = readReply(stream);
        beast::error_code ignored;
        stream.socket().shutdown(tcp::socket::shutdown_both, ignored);
        return reply;
    } catch (const boost::system::system_error& e) {
        throw HttpClient::Unreachable(host + ":" + port + ": " + e.code().message());
    }
}

}  // namespace

HttpClient::Reply HttpClient::request(const std::string& method, const std::string& target, const std::string& body,
                                      const std::map<std::string, std::string>& fields) const
{
    return exchange(host_, port_, timeout_, [&](beast::tcp_stream& stream) {
        http::request<http::string_body> request(http::string_to_verb(method), target, 11);
        request.set(http::field::host, host_ + ":" + port_);
        request.set(http::field::user_agent, "tessaro-send");
        request.set(http::field::connection, "close");
        request.body() = body;
        if (method == "POST" || !body.empty())
            request.prepare_payload();
        for (const auto& [name, value] : fields)
            request.set(name, value);
        http::write(stream, request);
    });
}

HttpClient::Reply HttpClient::raw(const std::string& bytes) const
{
    return exchange(host_, port_, timeout_,
                    [&](beast::tcp_stream& stream) { boost::asio::write(stream, boost::asio::buffer(bytes)); });
}
