#pragma once

#include "server/Api.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/beast/core.hpp>

#include <memory>
#include <optional>

// One client's connection: requests read one at a time within limits of size and time,
// each answered before the next is read.
class HttpSession : public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(boost::asio::ip::tcp::socket socket, Api& api);
    void start();
    // The server is stopping: closes now when waiting for a request, else after the answer.
    void stop();

private:
    void readHeader();
    void onHeader(boost::beast::error_code error);
    void onBody(boost::beast::error_code error);
    // Answers what could not be read as a request, then closes.
    void refuse(boost::beast::error_code error);
    // From any thread: the answer is written on the connection's own.
    Api::Respond responder();
    void write(Response response, bool close);
    void onWritten(boost::beast::error_code error, bool close);

    boost::beast::tcp_stream stream_;
    boost::beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    Api& api_;
    std::string address_;
    bool head_ = false;
    bool keepAlive_ = false;
    bool answering_ = false;
    bool stopping_ = false;
    // What the header alone decided, written once the body is read.
    std::optional<Response> early_;
    std::shared_ptr<Response> written_;
};
