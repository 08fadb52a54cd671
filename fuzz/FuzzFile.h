#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file of the fuzz target's own, in a private temporary folder, for the readers
// that take a path: each input is written to it before it is read.
class FuzzFile {
public:
    explicit FuzzFile(const std::string& name);
    const std::string& path() const { return path_; }
    void write(const std::uint8_t* data, std::size_t size) const;
    std::string read() const;

private:
    std::string path_;
};
