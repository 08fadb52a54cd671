// The server's request path on any bytes a client can send: read with the server's own
// limits, screened by its header, answered; every answer a well-formed HTTP response.
#include "server/Api.h"
#include "server/SqliteStore.h"

#include <boost/asio/buffer.hpp>

#include <cstddef>
#include <cstdint>
#include <future>
#include <sstream>

namespace {

using Parser = http::request_parser<http::string_body>;

// Feeds the parser until `done` says so or the bytes run out; false on a broken request.
template <class Done>
bool feed(Parser& parser, std::string_view& bytes, Done done)
{
    boost::beast::error_code error;
    while (!bytes.empty() && !done()) {
        const std::size_t used = parser.put(boost::asio::buffer(bytes.data(), bytes.size()), error);
        if (error || used == 0)
            return false;
        bytes.remove_prefix(used);
    }
    return done();
}

// What a request read whole is answered with; what the session answers a broken one is its own.
std::optional<Response> answerTo(Api& api, Parser& parser, std::string_view bytes)
{
    if (!feed(parser, bytes, [&parser] { return parser.is_header_done(); }))
        return std::nullopt;
    if (std::optional<Response> early = api.screen(parser.get().base(), "127.0.0.1"))
        return early;
    if (!feed(parser, bytes, [&parser] { return parser.is_done(); }))
        return std::nullopt;
    std::promise<Response> answered;
    api.handle(parser.get(), "127.0.0.1", [&answered](Response response) { answered.set_value(std::move(response)); });
    return answered.get_future().get();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static SqliteStore store(":memory:");
    static VerifierPool verifiers(1, 1);
    static Api api(store, verifiers, std::nullopt, 1 << 30);
    Parser parser;
    parser.header_limit(http_limits::kMaxHeader);
    parser.body_limit(http_limits::kMaxBody);
    parser.eager(true);
    std::optional<Response> response = answerTo(api, parser, {reinterpret_cast<const char*>(data), size});
    if (!response)
        return 0;
    Api::secure(*response);
    std::ostringstream written;
    written << *response;
    const std::string text = written.str();
    if (text.rfind("HTTP/1.1 ", 0) != 0 || text.find("\r\n\r\n") == std::string::npos)
        __builtin_trap();
    return 0;
}
