#include "artgen/IconFile.h"
#include "artgen/SheetArt.h"
#include "artgen/SpriteArt.h"
#include "platform/libpng/PngWriter.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

bool write(const std::string& folder, const std::string& name, const Canvas& image)
{
    const std::string path = folder + "/" + name + ".png";
    if (PngWriter::write(path, image.width(), image.height(), image.argb()))
        return true;
    std::fprintf(stderr, "artgen: cannot write %s\n", path.c_str());
    return false;
}

// The icon, compiled into the program the way a resource is.
bool writeIconHeader(const std::string& folder, const Canvas& icon)
{
    std::ofstream out(folder + "/WindowIcon.h");
    out << "#pragma once\n#include <cstdint>\n"
        << "constexpr int kWindowIconSize = " << icon.width() << ";\n"
        << "constexpr std::uint32_t kWindowIcon[] = {";
    const std::vector<std::uint32_t> pixels = icon.argb();
    for (std::size_t i = 0; i < pixels.size(); ++i)
        out << (i % 8 == 0 ? "\n    " : " ") << "0x" << std::hex << pixels[i] << "u,";
    out << "\n};\n";
    return static_cast<bool>(out);
}

}  // namespace

// artgen DATA_FOLDER BUILD_FOLDER: draws every image of the game, the window icon
// for the program itself and the icons the desktop shows for the installed game.
int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: artgen DATA_FOLDER HEADER_FOLDER\n");
        return 2;
    }
    const std::string data = argv[1];
    const std::vector<std::pair<const char*, std::function<Canvas()>>> images = {
        {"font", SheetArt::font},
        {"bg", SheetArt::background},
        {"enemy01", SpriteArt::walker},
        {"enemy02", SpriteArt::wanderer},
        {"enemy03", SpriteArt::runner},
        {"enemy04", SpriteArt::armoured},
        {"enemy05", SpriteArt::circler},
        {"bigenemy01", SpriteArt::bigEnemy},
        {"bigenemy02", SpriteArt::splitter},
        {"bigenemy02_c", SpriteArt::child},
        {"flash", SpriteArt::flash},
        {"cursor", SpriteArt::cursor},
        {"chain", SpriteArt::chain},
        {"bomb", SpriteArt::bomb},
        {"base", SpriteArt::base},
        {"gage", SpriteArt::gauge},
        {"information", SpriteArt::information},
        {"intro1", [] { return SheetArt::introPage(1); }},
        {"intro2", [] { return SheetArt::introPage(2); }},
        {"intro3", [] { return SheetArt::introPage(3); }},
        {"title", SheetArt::title},
        {"cursor2", SpriteArt::marker},
        {"icon", [] { return SheetArt::icon(SheetArt::kWindowIconSide); }},
    };
    bool ok = true;
    for (const auto& [name, draw] : images)
        ok = write(data, name, draw()) && ok;
    const Canvas windowIcon = SheetArt::icon(SheetArt::kWindowIconSide);
    ok = writeIconHeader(argv[2], windowIcon) && ok;
    ok = IconFile::write(std::string(argv[2]) + "/tessaro.ico", windowIcon) && ok;
    for (int side : SheetArt::kThemeIconSides)
        ok = write(argv[2], "icon-" + std::to_string(side), SheetArt::icon(side)) && ok;
    return ok ? 0 : 1;
}
