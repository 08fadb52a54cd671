#include "server/ServerOptions.h"

#include "base/WholeNumber.h"

#include <cstdio>
#include <thread>

namespace {

constexpr int kMaxVerifiers = 256;
constexpr int kMaxRoundsPerMinute = 1000000;

bool whole(const std::string& text, int low, int high, int& value)
{
    const std::optional<std::int64_t> number = wholeNumber(text);
    if (!number || *number < low || *number > high)
        return false;
    value = static_cast<int>(*number);
    return true;
}

// "127.0.0.1:8080", "[::1]:8080" or ":8080" (every IPv4 address).
bool splitListen(const std::string& text, std::string& address, unsigned short& port)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return false;
    address = text.substr(0, colon);
    if (address.size() >= 2 && address.front() == '[' && address.back() == ']')
        address = address.substr(1, address.size() - 2);
    if (address.empty())
        address = "0.0.0.0";
    int value = 0;
    if (!whole(text.substr(colon + 1), 0, 65535, value))
        return false;
    port = static_cast<unsigned short>(value);
    return true;
}

}  // namespace

std::string ServerOptions::parse(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--help") {
            help = true;
            continue;
        }
        if (i + 1 >= argc)
            return flag == "--listen" || flag == "--database" || flag == "--web" || flag == "--verifiers"
                           || flag == "--rounds-per-minute"
                       ? flag + " needs a value"
                       : "unknown argument " + flag;
        const std::string value = argv[++i];
        if (flag == "--listen") {
            if (!splitListen(value, address, port))
                return "--listen takes ADDR:PORT, not " + value;
        } else if (flag == "--database") {
            database = value;
        } else if (flag == "--web") {
            web = value;
        } else if (flag == "--verifiers") {
            if (!whole(value, 1, kMaxVerifiers, verifiers))
                return "--verifiers takes a number from 1 to " + std::to_string(kMaxVerifiers) + ", not " + value;
        } else if (flag == "--rounds-per-minute") {
            if (!whole(value, 1, kMaxRoundsPerMinute, roundsPerMinute))
                return "--rounds-per-minute takes a number from 1 to " + std::to_string(kMaxRoundsPerMinute) + ", not "
                       + value;
        } else {
            return "unknown argument " + flag;
        }
    }
    if (verifiers == 0)
        verifiers = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
    return {};
}

void ServerOptions::printHelp()
{
    std::printf("%s", kUsage);
    std::printf("Holds one ranking for everyone and ranks a round only after playing its replay again.\n\n"
                "  --listen ADDR:PORT  where to take requests (default 127.0.0.1:8080; port 0: any free one)\n"
                "  --database DB       an SQLite file (default tessaro-ranking.sqlite), or a postgresql:// URL\n"
                "  --web DIR           the page's folder to serve beside the interface (default: none)\n"
                "  --verifiers N       rounds played again at once (default: the machine's cores)\n"
                "  --rounds-per-minute N  rounds one address may send in a minute (default 30)\n\n"
                "SIGTERM or SIGINT: takes no more requests, answers those in hand, and exits with 0.\n");
}
