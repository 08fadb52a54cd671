#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file of the fuzz target's own, in a private temporary folder, for the readers
// that take a path: each input is written to it before it is read.
class FuzzFile {
public:
    explicit FuzzFile(const std::string& name);
    // The folder goes with it, so that runs leave nothing behind.
    ~FuzzFile();
    FuzzFile(const FuzzFile&) = delete;
    FuzzFile& operator=(const FuzzFile&) = delete;
    const std::string& path() const { return path_; }
    void write(const std::uint8_t* data, std::size_t size) const;
    std::string read() const;

private:
    std::string folder_;
    std::string path_;
};
