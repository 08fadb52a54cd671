#pragma once

#include <array>
#include <filesystem>
#include <string>

// Where a file the game names "data/NAME" really is. When the working folder's data/
// holds the game's images (the source tree, an unzipped folder, the tests) it is that
// file, as it always was. An installed game started anywhere else, also beside a data/
// of somebody else's, reads its images from its installed folder and keeps the
// player's own files (ranking, replays) in the player's folder. Names that do not
// start with "data/" are left as they are.
class DataFiles {
public:
    // A folder that holds these is the game's image folder: the font and the title are
    // what the first frame needs. Any other data/ belongs to somebody else.
    static constexpr std::array<const char*, 2> kImagesThatMarkIt{"font.png", "title.png"};

    // With an empty folder, the names of that kind stay in the working folder.
    DataFiles(std::filesystem::path images, std::filesystem::path player);

    // This program's folders: the images where they are installed beside it, the
    // player's in $XDG_DATA_HOME/tessaro (by default ~/.local/share/tessaro).
    static DataFiles ofThisProgram();

    std::string image(const std::string& name) const;
    // Whether the images are where image() looks for them; the folder looked in.
    bool imagesPresent() const;
    std::string imagesFolder() const;
    // A folder of the player's that cannot be looked into is reported on standard error.
    std::string playerFile(const std::string& name) const;
    // The same, with the folders it goes in made first (for the owner alone); one that
    // cannot be made is reported, and writing the file then fails.
    std::string playerFileToWrite(const std::string& name) const;

private:
    // Where in the folder a "data/" name lies; empty when the working folder's data/
    // serves it, or when there is no such folder.
    static std::filesystem::path redirected(const std::filesystem::path& folder, const std::string& name);

    std::filesystem::path images_;
    std::filesystem::path player_;
};
