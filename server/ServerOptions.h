#pragma once

#include <string>

// What tessaro-server is told on its command line.
struct ServerOptions {
    static constexpr const char* kUsage =
        "usage: tessaro-server [--listen ADDR:PORT] [--database FILE|postgresql://...] [--web DIR] [--verifiers N]\n"
        "                      [--rounds-per-minute N]\n";

    std::string address = "127.0.0.1";
    unsigned short port = 8080;
    std::string database = "tessaro-ranking.sqlite";
    // The page's folder; empty: the interface only.
    std::string web;
    int verifiers = 0;
    // Submissions one sender may make in a minute.
    int roundsPerMinute = 30;
    bool help = false;

    // Empty when every argument was understood, otherwise what was not.
    std::string parse(int argc, char** argv);
    static void printHelp();
};
