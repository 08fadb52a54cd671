#include "artgen/Lettering.h"

#include "artgen/Shapes.h"

#include <cstring>
#include <sstream>
#include <string>

namespace {

// Polylines separated by '|', points "x,y" separated by spaces.
const char* strokes(char ch)
{
    switch (ch) {
    case '0': case 'O': return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0";
    case '1': return "1,1.2 2.2,0 2.2,6|1,6 3.4,6";
    case '2': return "0,1 1,0 3,0 4,1 4,2.2 0,6 4,6";
    case '3': return "0,0 4,0 2,2.5 3,2.5 4,3.5 4,5 3,6 1,6 0,5";
    case '4': return "3,6 3,0 0,4 4,4";
    case '5': return "4,0 0,0 0,2.6 3,2.6 4,3.6 4,5 3,6 0,6";
    case '6': return "3.6,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3.6 3,2.6 0,2.6";
    case '7': return "0,0 4,0 1.4,6";
    case '8': return "1,0 3,0 4,1 4,2 3,3 1,3 0,2 0,1 1,0|1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3";
    case '9': return "4,3.4 1,3.4 0,2.4 0,1 1,0 3,0 4,1 4,5 3,6 0.4,6";
    case 'A': return "0,6 0,2 2,0 4,2 4,6|0,3.6 4,3.6";
    case 'B': return "0,0 0,6 3,6 4,5 4,4 3,3 0,3|0,0 3,0 4,1 4,2 3,3";
    case 'C': return "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5";
    case 'D': return "0,0 0,6 2.4,6 4,4.4 4,1.6 2.4,0 0,0";
    case 'E': return "4,0 0,0 0,6 4,6|0,3 3,3";
    case 'F': return "4,0 0,0 0,6|0,3 3,3";
    case 'G': return "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3.2 2.2,3.2";
    case 'H': return "0,0 0,6|4,0 4,6|0,3 4,3";
    case 'I': return "1,0 3,0|2,0 2,6|1,6 3,6";
    case 'J': return "4,0 4,5 3,6 1,6 0,5";
    case 'K': return "0,0 0,6|4,0 0,3.6|1.4,2.7 4,6";
    case 'L': return "0,0 0,6 4,6";
    case 'M': return "0,6 0,0 2,3 4,0 4,6";
    case 'N': return "0,6 0,0 4,6 4,0";
    case 'P': return "0,6 0,0 3,0 4,1 4,2.4 3,3.4 0,3.4";
    case 'Q': return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0|2.4,4.4 4,6";
    case 'R': return "0,6 0,0 3,0 4,1 4,2.4 3,3.4 0,3.4|2,3.4 4,6";
    case 'S': return "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5";
    case 'T': return "0,0 4,0|2,0 2,6";
    case 'U': return "0,0 0,5 1,6 3,6 4,5 4,0";
    case 'V': return "0,0 2,6 4,0";
    case 'W': return "0,0 1,6 2,2.4 3,6 4,0";
    case 'X': return "0,0 4,6|4,0 0,6";
    case 'Y': return "0,0 2,3 4,0|2,3 2,6";
    case 'Z': return "0,0 4,0 0,6 4,6";
    case '<': return "3.6,0.6 0.4,3 3.6,5.4|0.4,3 4,3";
    case '-': return "0.8,3 3.2,3";
    case '+': return "2,1.6 2,4.4|0.6,3 3.4,3";
    case '.': return "2,6 2,6";
    case '!': return "2,0 2,3.8|2,6 2,6";
    case ':': return "2,1.8 2,1.8|2,5 2,5";
    default: return nullptr;
    }
}

using Polyline = shapes::Points;

std::vector<Polyline> parse(const char* text)
{
    std::vector<Polyline> lines(1);
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        std::size_t bar = 0;
        while ((bar = word.find('|')) != std::string::npos) {
            if (bar > 0) {
                const std::string point = word.substr(0, bar);
                const std::size_t comma = point.find(',');
                lines.back().emplace_back(std::stof(point.substr(0, comma)), std::stof(point.substr(comma + 1)));
            }
            lines.emplace_back();
            word = word.substr(bar + 1);
        }
        const std::size_t comma = word.find(',');
        lines.back().emplace_back(std::stof(word.substr(0, comma)), std::stof(word.substr(comma + 1)));
    }
    return lines;
}

}  // namespace

bool Lettering::has(char ch) { return strokes(ch) != nullptr; }

void Lettering::glyph(Canvas& canvas, float x, float y, char ch, float unitX, float unitY, const Style& style)
{
    const char* data = strokes(ch);
    if (data == nullptr)
        return;
    std::vector<Polyline> lines = parse(data);
    for (Polyline& line : lines)
        for (auto& p : line)
            p = {x + p.first * unitX, y + p.second * unitY};
    const auto distance = [&lines](float px, float py) {
        float d = 1e9f;
        for (const Polyline& line : lines) {
            const std::size_t last = line.size() - 1;
            for (std::size_t i = 0; i < std::max<std::size_t>(last, 1); ++i) {
                const auto& a = line[i];
                const auto& b = line[std::min(i + 1, last)];
                d = std::min(d, shapes::segment(px, py, a.first, a.second, b.first, b.second, 0));
            }
        }
        return d;
    };
    const float reach = style.stroke + style.border + 2;
    const int left = static_cast<int>(x - reach);
    const int top = static_cast<int>(y - reach);
    const int right = static_cast<int>(x + 4 * unitX + reach) + 1;
    const int bottom = static_cast<int>(y + 6 * unitY + reach) + 1;
    const float outer = style.stroke + style.border;
    canvas.paint(left, top, right, bottom, [&](float px, float py) { return distance(px, py) - outer; },
                 [&](float, float) { return style.outline; });
    canvas.paint(left, top, right, bottom, [&](float px, float py) { return distance(px, py) - style.stroke; },
                 [&](float, float py) {
                     const float t = std::clamp((py - y) / (6 * unitY), 0.0f, 1.0f);
                     return style.top.mixed(style.bottom, t);
                 });
}

void Lettering::text(Canvas& canvas, float x, float y, const char* text, float unitX, float unitY, const Style& style)
{
    for (std::size_t i = 0; text[i] != '\0'; ++i)
        glyph(canvas, x + i * advance(unitX), y, text[i], unitX, unitY, style);
}

void Lettering::centred(Canvas& canvas, float cx, float y, const char* text, float unitX, float unitY,
                        const Style& style)
{
    const float width = (std::strlen(text) - 1) * advance(unitX) + 4 * unitX;
    Lettering::text(canvas, cx - width / 2, y, text, unitX, unitY, style);
}
