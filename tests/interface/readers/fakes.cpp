#include "fakes.h"

#include <functional>

namespace readers_test {

readers::FontSet DistinctFonts()
{
    readers::FontSet f;
    auto rec = [](const char* name, std::int32_t colour, bool bold = false) {
        FontRec r;
        r.FontName = name;
        r.FontSize = 10;
        r.FontColor = colour;
        r.FontBold = bold;
        return r;
    };
    f.TextsFont = rec("Courier", 0x000000);
    f.MatrixFont = rec("Courier", 0x111111);
    f.NtmFont = rec("Courier", 0x0000FF, true);
    f.TrmFont = rec("Courier", 0x00AA00);
    f.ActFont = rec("Courier", 0xAA00AA);
    f.CnsFont = rec("Times", 0x888888);
    f.ErrorFont = rec("Courier", 0xFF0000, true);
    return f;
}

FakeRichText::FakeRichText(std::size_t length, const FontRec& initial) : chars(length, initial) {}

std::string FakeRichText::Map(const readers::FontSet& f) const
{
    std::string map;
    for (const FontRec& c : chars) {
        char letter = '.';
        if (c == f.TextsFont) letter = 'x';
        else if (c == f.NtmFont) letter = 'N';
        else if (c == f.TrmFont) letter = 'T';
        else if (c == f.ActFont) letter = 'A';
        else if (c == f.CnsFont) letter = 'C';
        else if (c == f.ErrorFont) letter = 'E';
        map += letter;
    }
    return map;
}

std::vector<int> FakeTreeHost::Children(NodeId parent) const
{
    std::vector<int> out;
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].parent == parent) out.push_back(static_cast<int>(i));
    return out;
}

std::string FakeTreeHost::Outline() const
{
    std::string out;
    std::function<void(NodeId, int)> walk = [&](NodeId parent, int depth) {
        for (int child : Children(parent)) {
            const Node& n = nodes[static_cast<std::size_t>(child)];
            out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + n.text;
            if (!n.tag.empty()) out += "=" + n.tag;
            out += "\n";
            walk(child, depth + 1);
        }
    };
    walk(NoNode, 0);
    return out;
}

std::string Short(const readers::RecordingBuilder& b)
{
    std::string out;
    const std::string& t = b.trace;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if ((i == 0 || t[i - 1] == ' ') && t.compare(i, 3, "BKS") == 0) {
            i += 2;
            continue;
        }
        out += t[i];
    }
    return out;
}

std::string Name(const std::string& text)
{
    std::string out = "NAI";
    for (unsigned char c : text) out += " SYM(" + std::to_string(c) + ")";
    return out;
}

Reading ReadTypical(const std::string& text) { return ReadNotation(readers::Typical, text); }

Reading ReadNotation(int notation, const std::string& text)
{
    readers::RecordingBuilder b;
    Reading r;
    readers::ParseGrammarByNotation(notation, text, r.error, {&b, nullptr, nullptr});
    r.trace = Short(b);
    return r;
}

std::string StyleMap(int notation, const std::string& text, std::string* error)
{
    const readers::FontSet fonts = DistinctFonts();
    FakeRichText rich(text.size());
    readers::TextStyler styler(fonts, &rich);
    std::string e;
    readers::ColourGrammarText(notation, text, e, styler);
    if (error) *error = e;
    return rich.Map(fonts);
}

} // namespace readers_test
