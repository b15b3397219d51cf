// Grammars in the "MSDN" notation ("[ ]" optional, "{ }" one of, "..." repeats), with rules
// ended by the line end or, in its second form, by ";".
#pragma once

#include "line_notation.h"

namespace readers {

struct MsdnDialect;

class MsdnReader : public BracketNotationReader {
public:
    explicit MsdnReader(const ReaderHooks& hooks, bool semicolon = false);

    // ErrorMsg: "" when the text was read, else the text of the first syntax error.
    void BNF_multipoint(std::string_view SourceStr, std::string& ErrorMsg);
    void BNF_multipoint_commapoint(std::string_view SourceStr, std::string& ErrorMsg);

private:
    void Read(std::string_view SourceStr, std::string& ErrorMsg);
    void Notation(const Node& p);
    void Label(const Node& p);
    void Rule(const Node& p);
    void RightPart(const Node& p) override;
    void GrammaticalSymbols(const Node& p) override;
    void GrammaticalSymbol(const Node& p) override;
    void Repeater(const Node& p);
    void LeftBracket(const Node& p);
    void BracketsContent(const Node& p);
    void BracketsContentList(const Node& p);
    void RightBracket(const Node& p);
    void OptionalRepeater(const Node& p);
    // "<Blanks>", or "<Space>" where rules end with ";".
    void Gap(const Node& p) override;
    void Blanks(const Node& p);

    const MsdnDialect& d_;
};

} // namespace readers

namespace readers {

// The entries as the other readers have them.
void BNF_multipoint(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks);
void BNF_multipoint_commapoint(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks);

} // namespace readers
