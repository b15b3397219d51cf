// Recording stand-ins for the windows the hooks act on.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "readers.h"

namespace readers_test {

using readers::FontRec;
using readers::Pos;

// Fonts told apart by colour; the map letters are x N T A C E (texts, nonterminals, terminals,
// actions, comments, errors) and '.' for a character no hook styled.
readers::FontSet DistinctFonts();

// A rich text of n characters that keeps one font record per character.
class FakeRichText final : public readers::RichTextTarget {
public:
    explicit FakeRichText(std::size_t length, const FontRec& initial = FontRec{"Initial", 9});

    std::vector<FontRec> chars;
    Pos selStart = 0;
    Pos selLength = 0;
    int writes = 0;           // attribute writes
    int holdChanges = 0;      // times bHoldUnChanged was set
    bool hold = false;

    // One letter per character (see DistinctFonts).
    std::string Map(const readers::FontSet& fonts) const;

    Pos SelStart() const override { return selStart; }
    void SetSelStart(Pos start) override
    {
        selStart = start;
        selLength = 0;
    }
    void SetSelLength(Pos length) override { selLength = length; }
    std::optional<std::string> SelFontName() const override { return common(&FontRec::FontName); }
    std::optional<std::int32_t> SelFontSize() const override { return common(&FontRec::FontSize); }
    std::optional<std::int32_t> SelColor() const override { return common(&FontRec::FontColor); }
    std::optional<bool> SelBold() const override { return common(&FontRec::FontBold); }
    std::optional<bool> SelItalic() const override { return common(&FontRec::FontItalic); }
    std::optional<bool> SelUnderline() const override { return common(&FontRec::FontUnderline); }
    std::optional<bool> SelStrikeThru() const override { return common(&FontRec::FontStrikethru); }
    void SetSelFontName(const std::string& v) override { set(&FontRec::FontName, v); }
    void SetSelFontSize(std::int32_t v) override { set(&FontRec::FontSize, v); }
    void SetSelColor(std::int32_t v) override { set(&FontRec::FontColor, v); }
    void SetSelBold(bool v) override { set(&FontRec::FontBold, v); }
    void SetSelItalic(bool v) override { set(&FontRec::FontItalic, v); }
    void SetSelUnderline(bool v) override { set(&FontRec::FontUnderline, v); }
    void SetSelStrikeThru(bool v) override { set(&FontRec::FontStrikethru, v); }
    void SetHoldUnchanged(bool on) override
    {
        hold = on;
        if (on) ++holdChanges;
    }

private:
    template <class T>
    std::optional<T> common(T FontRec::*field) const
    {
        if (selLength <= 0 || selStart < 0 || selStart + selLength > static_cast<Pos>(chars.size()))
            return std::nullopt;
        const T& first = chars[static_cast<std::size_t>(selStart)].*field;
        for (Pos i = selStart; i < selStart + selLength; ++i)
            if (!(chars[static_cast<std::size_t>(i)].*field == first)) return std::nullopt;
        return first;
    }
    template <class T>
    void set(T FontRec::*field, const T& value)
    {
        ++writes;
        for (Pos i = selStart; i < selStart + selLength && i < static_cast<Pos>(chars.size()); ++i)
            if (i >= 0) chars[static_cast<std::size_t>(i)].*field = value;
    }
};

// A grammar window with its tree window, and the main window's bars.
class FakeTreeHost final : public readers::TreeHost {
public:
    struct Node {
        NodeId parent;
        std::string key, text, tag;
        bool expanded = false;
        std::int32_t colour = -1;
    };

    bool treeBuilding = true;
    bool treeAllowed = true;
    bool treeForm = false;
    std::string grammarName = "G";
    int windowNumber = 1;
    Pos textLength = 1000;
    double progressMax = 100;
    std::vector<double> progressValues;
    int progressHidden = 0;
    std::vector<std::string> statusTexts;
    int eventRuns = 0;
    int loadTreeCalls = 0;
    std::vector<Node> nodes;

    // The tree as indented lines: two blanks per level, the node's text, and "=tag" when set.
    std::string Outline() const;
    std::vector<int> Children(NodeId parent) const;

    bool TreeBuilding() const override { return treeBuilding; }
    void SetTreeBuilding(bool on) override { treeBuilding = on; }
    void SetTreeAllowed(bool on) override { treeAllowed = on; }
    bool HasTreeForm() const override { return treeForm; }
    std::string GrammarName() const override { return grammarName; }
    void LoadTree(const std::string&) override
    {
        treeForm = true;
        ++loadTreeCalls;
    }
    int WindowNumber() const override { return windowNumber; }
    Pos TextLength() const override { return textLength; }
    int NodeCount() const override { return static_cast<int>(nodes.size()); }
    NodeId AddNode(NodeId parent, const std::string& key, const std::string& text) override
    {
        nodes.push_back({parent, key, text, "", false, -1});
        return static_cast<NodeId>(nodes.size() - 1);
    }
    void SetExpanded(NodeId node) override { nodes.at(static_cast<std::size_t>(node)).expanded = true; }
    void SetForeColor(NodeId node, std::int32_t colour) override
    {
        nodes.at(static_cast<std::size_t>(node)).colour = colour;
    }
    void SetTag(NodeId node, const std::string& tag) override { nodes.at(static_cast<std::size_t>(node)).tag = tag; }
    double ProgressBarMax() const override { return progressMax; }
    void SetProgressValue(double value) override { progressValues.push_back(value); }
    void HideProgressBar() override { ++progressHidden; }
    void SetStatusText(const std::string& text) override { statusTexts.push_back(text); }
    void ProcessEvents() override { ++eventRuns; }
    std::int32_t TrmFontColor() const override { return 0x00AA00; }
};

// The recorded trace with the "BKS" prefixes dropped: "ACT NAI SYM(65) NLI ...".
std::string Short(const readers::RecordingBuilder& b);
// BKSNAI and one BKSSYM per character, in the short form: "NAI SYM(65) SYM(66)".
std::string Name(const std::string& text);

// Reads a Typical text and gives (error text, short trace).
struct Reading {
    std::string error;
    std::string trace;
};
Reading ReadTypical(const std::string& text);
// The same through the reader of any notation.
Reading ReadNotation(int notation, const std::string& text);
// The style map (see FakeRichText::Map) of a reading of the text in a notation.
std::string StyleMap(int notation, const std::string& text, std::string* error = nullptr);

} // namespace readers_test
