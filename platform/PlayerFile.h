#pragma once

#include <string>

namespace platform {

// A file that belongs to the player, such as the ranking: read whole, and written so
// that what was there is never lost to a crash, a power cut or a refusal.
class PlayerFile {
public:
    enum class Read {
        Whole,    // every byte was read
        Missing,  // there is no such file: writing it creates it
        Failed,   // it exists but could not be read to the end: never write over it
    };

    // Read as every whole file is (WholeFile.h); one too large to read is Failed too.
    // On Failed, why says what went wrong.
    static Read read(const std::string& path, std::string& bytes, std::string& why);

    // Replaces the contents. A new file is renamed over the old one where that keeps
    // everything the old one had (owner, group, mode, links); otherwise the file is
    // written in place, flushed and synced. A file the player cannot write is left
    // alone. On failure the old contents stay whole and why says what went wrong.
    // In a browser the file is written in the page's memory, and what the page keeps
    // (the ranking) is written out to the browser's storage after the call returns;
    // false when the page refuses to keep it, though the page's memory holds the new
    // contents for this visit.
    static bool write(const std::string& path, const std::string& bytes, std::string& why);
};

}  // namespace platform
