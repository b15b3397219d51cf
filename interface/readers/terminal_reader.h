// One terminal inside a grammar text, read from the caller's position and built in the engine.
#pragma once

#include "reader_frame.h"

namespace readers {

class TerminalReader : public ReaderFrame {
public:
    explicit TerminalReader(const ReaderHooks& hooks);

    // Index of the last character of the terminal read last; kept between runs.
    Pos TerminalEnd = 0;

    // callerInd: on entry the index of the terminal's first character; on return the index of
    // its last character, or after a syntax error the position of the error.
    void ParseTerminal(std::string_view callerSrc, Pos& callerInd, std::string& callerErrMsg, bool& callerBad,
                       Pos parentIndex, std::string_view parentNode);

    struct QuoteKind;

private:
    void Terminals(const Node& p);
    void Terminal(const Node& p);
    void TerminalRange(const Node& p);
    void QuoteContent(const Node& p, const QuoteKind& k);
    void StringList(const Node& p, const QuoteKind& k);
    void CodeContent(const Node& p, const QuoteKind& k);
    void TerminalList(const Node& p, const QuoteKind& k);
    void RegularTerminalList(const Node& p, const QuoteKind& k);
    void RegularTerminalFirst(const Node& p);
    void RegularTerminals(const Node& p, const QuoteKind& k);
    void RegularTerminal(const Node& p, const QuoteKind& k);
    void RegularTerminalRange(const Node& p);
    void RegularTerminalSecond(const Node& p);
    void AsciiTerminalList(const Node& p);
    void AsciiTerminal(const Node& p, bool second);
    void AsciiTerminalRange(const Node& p);
    void AsciiTerminals(const Node& p);
    // A character item of a terminal: styled as a terminal and named to the builder.
    void NamedChar(const Node& n, std::string_view name, const CharSet& set, std::string_view expected);
};

} // namespace readers
