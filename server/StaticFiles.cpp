#include "server/StaticFiles.h"

#include "platform/WholeFile.h"
#include "replay/RoundAddress.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kTypes = {{
    {".html", "text/html; charset=utf-8"},
    {".js", "text/javascript; charset=utf-8"},
    {".wasm", "application/wasm"},
    {".css", "text/css; charset=utf-8"},
    {".png", "image/png"},
    {".json", "application/json"},
    {".svg", "image/svg+xml"},
    {".ico", "image/x-icon"},
}};

constexpr std::string_view kIndex = "/index.html";
// A ranked round's own address opens the page, which plays it.
constexpr std::string_view kRoundPages = "/rounds/";

bool endsWith(std::string_view text, std::string_view end)
{
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Only plain names: no parent folders, hidden files, escapes or separators of other systems.
bool safe(std::string_view path)
{
    if (path.empty() || path.front() != '/')
        return false;
    for (const char c : path)
        if (c == '\\' || c == '%' || c == '\0' || static_cast<unsigned char>(c) < ' ')
            return false;
    return path.find("/.") == std::string_view::npos && path.find("//") == std::string_view::npos;
}

}  // namespace

std::string_view StaticFiles::typeOf(std::string_view path)
{
    for (const auto& [suffix, type] : kTypes)
        if (endsWith(path, suffix))
            return type;
    return "application/octet-stream";
}

std::string StaticFiles::fileOf(std::string_view target) const
{
    std::string_view path = target.substr(0, target.find_first_of("?#"));
    if (path.substr(0, kRoundPages.size()) == kRoundPages) {
        // The round's page, and the files it names relative to its own address.
        const std::string_view rest = path.substr(kRoundPages.size() - 1);
        path = RoundAddress::parse(path) ? kIndex : rest;
    }
    if (path == "/")
        path = kIndex;
    return safe(path) ? folder_ + std::string(path) : std::string();
}

std::optional<Response> StaticFiles::serve(const Request& request) const
{
    const std::string file = fileOf(request.target());
    std::string bytes;
    std::string why;
    if (file.empty() || readWholeFile(file, bytes, why) != WholeFile::Read)
        return std::nullopt;
    Response response(http::status::ok, request.version());
    response.set(http::field::content_type, typeOf(file));
    response.set(http::field::cache_control, "no-cache");
    response.body() = std::move(bytes);
    response.prepare_payload();
    return response;
}
