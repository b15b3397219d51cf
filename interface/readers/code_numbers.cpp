// "#x41", "#d65" and "''65''": the code numbers that the terminal and W3C readers share. A code
// is at most 255, so a digit that would carry it past 255 ends the reading with one message.
#include "reader_frame.h"

namespace readers {

namespace {

constexpr CharSet kDigits = Codes({{'0', '9'}});
constexpr CharSet kUpperHex = Codes({{'A', 'F'}});
constexpr CharSet kLowerHex = Codes({{'a', 'f'}});
constexpr CharSet kHexDigits = Codes({{'0', '9'}, {'A', 'F'}, {'a', 'f'}});

} // namespace

void ReaderFrame::Ascii(const Node& p, const CodeForm& form)
{
    const Node n = Enter(p, "<ASCII>");
    if (LL1 != 'd' && LL1 != 'x') {
        Fail(n, "x d");
        return;
    }
    const bool hex = LL1 == 'x';
    Consume(n);
    S().ApplyTextsFont(indSrc);
    B().BKSNAI();
    CodeValue = 0;
    Number(n, hex, form);
    if (bad) return;
    B().BKSSYM(CodeValue);
    S().ApplyTrmFont(indSrc);
    Complete(n);
}

// "<Dec>" "<Dec*>"... or "<Hex>" "<Hex*>"...
void ReaderFrame::Number(const Node& p, bool hex, const CodeForm& form)
{
    const std::string_view more = hex ? "<Hex*>" : "<Dec*>";
    const std::string_view firstExpected = hex ? "0-9 A-F a-f" : "0-9";
    const CharSet& digits = hex ? kHexDigits : kDigits;
    const int radix = hex ? 16 : 10;

    Node n = Enter(p, hex ? "<Hex>" : "<Dec>");
    const NodeStack::Mark base = NestedBase();
    const Pos start = indSrc;
    bool isFirst = true;
    for (;;) {
        if (digits.has(LL1)) {
            const int d = LL1 <= '9' ? LL1 - '0' : LowerCode(LL1) - 'a' + 10;
            if (CodeValue * radix + d > 255) {
                CodeAboveRange(n, start, hex);
                return;
            }
            if (hex) HexDigit(n, form);
            else Digit(n);
            if (bad) return;
            CodeValue = CodeValue * radix + DigitValue;
            PushNested(n);
            Descend(n, more);
            isFirst = false;
            continue;
        }
        if (!isFirst && form.ends.has(LL1)) break;
        Fail(n, isFirst ? firstExpected : hex ? form.hexMore : form.decMore);
        return;
    }
    CompleteNested(n, base);
}

// The whole number, as written, is what was found, with the range a code may take; the "!"
// stands under its first digit.
void ReaderFrame::CodeAboveRange(const Node& n, Pos start, bool hex)
{
    const CharSet& digits = hex ? kHexDigits : kDigits;
    Pos end = start;
    while (end <= LenSrc && digits.has(static_cast<unsigned char>(Src[static_cast<std::size_t>(end - 1)]))) ++end;
    // The caller reports the error at indSrc: it stays at the number's start.
    indSrc = start;
    ErrH(1, hex ? "<Hex>" : "<Dec>", hex ? "0-FF" : "0-255",
         Src.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(end - start)));
    Complete(n);
}

void ReaderFrame::Digit(const Node& p)
{
    const Node n = Enter(p, "<Digit>");
    if (!kDigits.has(LL1)) {
        Fail(n, "0-9");
        return;
    }
    CharProc(n, "<0-9>", kDigits, "0-9");
    DigitValue = LL0 - '0';
    Complete(n);
}

void ReaderFrame::HexDigit(const Node& p, const CodeForm& form)
{
    const Node n = Enter(p, "<Hex digit>");
    if (kDigits.has(LL1)) {
        if (form.hexDigitNestsDigit) {
            Digit(n);
        } else {
            CharProc(n, "<0-9>", kDigits, "0-9");
            DigitValue = LL0 - '0';
        }
    } else if (kUpperHex.has(LL1)) {
        CharProc(n, "<A-F>", kUpperHex, "A-F");
        DigitValue = LL0 - 'A' + 10;
    } else if (kLowerHex.has(LL1)) {
        CharProc(n, "<a-f>", kLowerHex, "a-f");
        DigitValue = LL0 - 'a' + 10;
    } else {
        Fail(n, "0-9 A-F a-f");
        return;
    }
    Complete(n);
}

} // namespace readers
