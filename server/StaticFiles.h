#pragma once

#include "server/Http.h"

#include <optional>
#include <string>
#include <string_view>

// The page's files from one folder: each with its type, nothing outside the folder.
class StaticFiles {
public:
    explicit StaticFiles(std::string folder) : folder_(std::move(folder)) {}

    // The file for a GET or HEAD of `target`; nullopt when there is none to serve.
    std::optional<Response> serve(const Request& request) const;

    static std::string_view typeOf(std::string_view path);

private:
    // The file under the folder that a target names, or empty when it names none safely.
    std::string fileOf(std::string_view target) const;

    std::string folder_;
};
