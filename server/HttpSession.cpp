#include "server/HttpSession.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/post.hpp>

#include <chrono>

namespace beast = boost::beast;

namespace {

// A slow client may take this long over a request, and over reading an answer.
constexpr auto kReadTimeout = std::chrono::seconds(10);
constexpr auto kWriteTimeout = std::chrono::seconds(30);

}  // namespace

HttpSession::HttpSession(boost::asio::ip::tcp::socket socket, Api& api) : stream_(std::move(socket)), api_(api)
{
    beast::error_code error;
    const auto peer = stream_.socket().remote_endpoint(error);
    address_ = error ? std::string("unknown") : peer.address().to_string();
}

void HttpSession::start() { readHeader(); }

void HttpSession::stop()
{
    stopping_ = true;
    if (!answering_) {
        beast::error_code ignored;
        stream_.socket().shutdown(boost::asio::ip::tcp::socket::shutdown_both, ignored);
        stream_.close();
    }
}

void HttpSession::readHeader()
{
    head_ = false;
    keepAlive_ = false;
    early_.reset();
    parser_.emplace();
    parser_->header_limit(http_limits::kMaxHeader);
    parser_->body_limit(http_limits::kMaxBody);
    stream_.expires_after(kReadTimeout);
    http::async_read_header(stream_, buffer_, *parser_,
                            [self = shared_from_this()](beast::error_code error, std::size_t) { self->onHeader(error); });
}

void HttpSession::onHeader(beast::error_code error)
{
    if (error)
        return refuse(error);
    answering_ = true;
    const RequestHeader& header = parser_->get().base();
    head_ = header.method() == http::verb::head;
    keepAlive_ = parser_->keep_alive();
    early_ = api_.screen(header, address_);
    // An answer the header decides is still written after the body, where the body is
    // one the limits let be read: a client writing it would otherwise meet a reset.
    if (early_ && (parser_->chunked() || !parser_->content_length()
                   || *parser_->content_length() > http_limits::kMaxBody))
        return write(std::move(*early_), true);
    if (parser_->is_done())
        return onBody({});
    stream_.expires_after(kReadTimeout);
    http::async_read(stream_, buffer_, *parser_,
                     [self = shared_from_this()](beast::error_code error, std::size_t) { self->onBody(error); });
}

void HttpSession::onBody(beast::error_code error)
{
    if (error)
        return refuse(error);
    stream_.expires_never();
    if (early_)
        return write(std::move(*early_), false);
    api_.handle(parser_->get(), address_, responder());
}

void HttpSession::refuse(beast::error_code error)
{
    answering_ = true;
    if (error == http::error::header_limit)
        return write(Api::failure(http::status::request_header_fields_too_large, "headers are at most 8 KiB"), true);
    if (error == http::error::body_limit)
        return write(Api::failure(http::status::payload_too_large, "a replay is at most 64 KiB"), true);
    // Anything else that is no request of HTTP/1.1, a client gone, or one too slow: the
    // connection ends; a malformed request still hears why.
    if (error.category() == http::make_error_code(http::error::bad_target).category() && error != http::error::end_of_stream
        && error != http::error::partial_message)
        return write(Api::failure(http::status::bad_request, "not a request this server reads"), true);
    beast::error_code ignored;
    stream_.socket().shutdown(boost::asio::ip::tcp::socket::shutdown_both, ignored);
    stream_.close();
}

Api::Respond HttpSession::responder()
{
    auto guard = std::make_shared<boost::asio::executor_work_guard<boost::asio::any_io_executor>>(stream_.get_executor());
    return [self = shared_from_this(), guard](Response response) {
        auto shared = std::make_shared<Response>(std::move(response));
        boost::asio::post(self->stream_.get_executor(), [self, shared, guard] { self->write(std::move(*shared), false); });
    };
}

void HttpSession::write(Response response, bool close)
{
    close = close || !keepAlive_ || stopping_;
    Api::secure(response);
    response.keep_alive(!close);
    if (head_)
        response.body().clear();
    written_ = std::make_shared<Response>(std::move(response));
    stream_.expires_after(kWriteTimeout);
    http::async_write(stream_, *written_, [self = shared_from_this(), close](beast::error_code error, std::size_t) {
        self->onWritten(error, close);
    });
}

void HttpSession::onWritten(beast::error_code error, bool close)
{
    written_.reset();
    answering_ = false;
    if (error || close || stopping_) {
        beast::error_code ignored;
        stream_.socket().shutdown(boost::asio::ip::tcp::socket::shutdown_send, ignored);
        stream_.close();
        return;
    }
    readHeader();
}
