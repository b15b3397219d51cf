// The shape shared by every reader: module state, Scan, ErrH and the nonterminal procedure
// protocol with its tree-hook calls.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "builder.h"
#include "style_hooks.h"
#include "tree_hooks.h"

// Code 255 in expected-set texts.
#define READERS_YA "\xFF"

namespace readers {

// Where a reader sends what it finds. Any member left null acts as the null implementation.
struct ReaderHooks {
    Builder* builder = nullptr;
    StyleHooks* style = nullptr;
    TreeHooks* tree = nullptr;
};

// A reading that could not go on for a reason other than a syntax error.
class ReaderFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Lower case by the code page's rules (Latin and Cyrillic letters of CP1251).
int LowerCode(int code);
// LowerCode of every code, for the scanner.
extern const std::array<unsigned char, 256> kLowerCodes;

// LF-only or mixed line ends made CR LF, as the readers expect.
std::string ToCrLf(std::string_view text);

// A set of codes 0..255.
struct CharSet {
    std::array<std::uint64_t, 4> w{};
    constexpr bool has(int c) const
    {
        return c >= 0 && c < 256 && ((w[static_cast<unsigned>(c) >> 6] >> (c & 63)) & 1u);
    }
    constexpr bool hasAll(int lo, int hi) const
    {
        for (int c = lo; c <= hi; ++c)
            if (!has(c)) return false;
        return true;
    }
    constexpr CharSet& add(int lo, int hi)
    {
        for (int c = lo; c <= hi; ++c) w[static_cast<unsigned>(c) >> 6] |= std::uint64_t{1} << (c & 63);
        return *this;
    }
    constexpr CharSet& remove(int c)
    {
        w[static_cast<unsigned>(c) >> 6] &= ~(std::uint64_t{1} << (c & 63));
        return *this;
    }
};

constexpr CharSet Codes(std::initializer_list<std::pair<int, int>> ranges)
{
    CharSet s;
    for (auto [lo, hi] : ranges) s.add(lo, hi);
    return s;
}
constexpr CharSet AllBut(std::initializer_list<int> codes)
{
    CharSet s;
    s.add(0, 255);
    for (int c : codes) s.remove(c);
    return s;
}

// A procedure that consumes one character of a fixed range, such as "<chr0-chr8>".
struct RangeProc {
    int lo, hi;
    std::string_view name;
};

// How a code number ends in a notation: the characters that may follow its digits, and the
// expected sets after a digit.
struct CodeForm {
    CharSet ends;
    std::string_view decMore, hexMore;
    bool hexDigitNestsDigit; // "<Hex digit>" reads 0-9 through "<Digit>"
};

// Never inlined into a caller: keeps the frames of the recursive procedures small, so that deep
// nesting fits a small stack.
#define READERS_NOINLINE [[gnu::noinline]]

// The nodes of unrolled right recursions that still wait for CompleteNode, innermost last, for
// every level of one reading on one stack. A node takes two bytes as long as it begins fewer
// than 255 characters after the node below it: a long line costs a few bytes a character.
class NodeStack {
public:
    using Mark = std::size_t;
    Mark Top() const { return bytes_.size(); }
    void Clear() { bytes_.clear(); }
    // Inline: a list pushes one node per character.
    void Push(Pos index, std::string_view name)
    {
        // Nodes are pushed in reading order, so a node never begins before the one below it.
        const std::uint64_t delta = static_cast<std::uint64_t>(index - (bytes_.empty() ? 0 : top_));
        if (name.data() != lastName_) NameNumber(name);
        if (delta < 255) {
            bytes_.push_back(static_cast<unsigned char>(delta));
        } else {
            PushWide(delta);
        }
        bytes_.push_back(lastId_);
        top_ = index;
    }
    // The node on top, taken off.
    std::pair<Pos, std::string_view> Pop();
    // The nodes above `m` taken off unseen.
    void DropTo(Mark m)
    {
        while (Top() > m) Pop();
    }

private:
    void NameNumber(std::string_view name);
    void PushWide(std::uint64_t delta);

    std::vector<unsigned char> bytes_;
    std::vector<std::string_view> names_; // a node's name is stored as its number here
    Pos top_ = 0; // index of the node on top
    const char* lastName_ = nullptr; // the name pushed last and its number
    unsigned char lastId_ = 0;
};

class ReaderFrame {
public:
    static constexpr int fin = -1;

    int LL1 = 0;
    int LL0 = 0;
    bool bad = false;
    std::string ErrMsg;
    std::string_view Src;
    Pos indSrc = 0;
    Pos LenSrc = 0;
    bool LowCase = false;
    std::int32_t CodeValue = 0;
    int DigitValue = 0;

    // Inline: every consumed character passes here.
    void Scan()
    {
        LL0 = LL1;
        ++indSrc;
        if (indSrc >= 1 && indSrc <= LenSrc && indSrc <= static_cast<Pos>(Src.size())) [[likely]] {
            const unsigned char c = static_cast<unsigned char>(Src[static_cast<std::size_t>(indSrc - 1)]);
            LL1 = LowCase ? kLowerCodes[c] : c;
        } else {
            LL1 = fin;
        }
    }
    void ErrH(int ErrNum, std::string_view GramSymb, std::string_view ExpectedSet);
    // The same, with `found` in place of the character at indSrc (a whole number as written).
    void ErrH(int ErrNum, std::string_view GramSymb, std::string_view ExpectedSet, std::string_view found);

protected:
    explicit ReaderFrame(const ReaderHooks& hooks, std::span<const RangeProc> rangeProcs = {});

    struct Node {
        Pos index;
        std::string_view name;
    };

    // Entry: module state reset, first character read.
    void Start(std::string_view source);

    // Nodes are only seen by a tree sink: without one a node costs nothing but its index and
    // name (kept for the error text), and no level waits for its completion. With one, the
    // work is out of line: inlined it would swell the frame of every procedure on the path of
    // a deep nesting.
    Node Enter(const Node& parent, std::string_view name)
    {
        const Node n{indSrc, name};
        if (tracing_) [[unlikely]]
            TraceNode(parent, n);
        return n;
    }
    // The next level of a list: `n` becomes its own child, in place (a copy of a node built a
    // moment before stalls the loop).
    void Descend(Node& n, std::string_view name) { Descend(n, n, name); }
    // The same with a parent of its own: `n` becomes a child of `parent` (which may be `n`).
    void Descend(Node& n, const Node& parent, std::string_view name)
    {
        if (tracing_) [[unlikely]]
            TraceNode(parent, {indSrc, name});
        n.index = indSrc;
        n.name = name;
    }
    void Complete(const Node& n)
    {
        if (tracing_) [[unlikely]]
            TraceCompletion(n);
    }
    void Consume(const Node& n)
    {
        if (tracing_) [[unlikely]]
            TraceLeaf(n);
        Scan();
    }
    bool Tracing() const { return tracing_; }
    // Whether the tree sink takes this reading's nodes: asked once as a reading starts.
    void ListenToTree() { tracing_ = tree_->Listening(); }
    // A terminal item: false (after ErrH 2) when LL1 is not c.
    READERS_NOINLINE bool Match(const Node& n, int c);
    // No alternative opens on LL1: ErrH 1, and the procedure still completes.
    READERS_NOINLINE void Fail(const Node& n, std::string_view expected);
    // A procedure that consumes one character of `set`; the characters of a range procedure
    // of this reader whose range the set holds go through that procedure.
    void CharProc(const Node& parent, std::string_view name, const CharSet& set, std::string_view expected)
    {
        if (!tracing_ && set.has(LL1)) [[likely]] {
            Scan();
            return;
        }
        TracedCharProc(parent, name, set, expected);
    }
    // Without a tree sink, where nothing is seen of a run but its end: the characters of `set`
    // from LL1 on consumed at one go, as that many Scans would.
    void SkipRun(const CharSet& set)
    {
        if (!set.has(LL1)) return;
        const Pos last = std::min(LenSrc, static_cast<Pos>(Src.size()));
        Pos i = indSrc + 1;
        int code = LL1;
        for (; i <= last; ++i) {
            const unsigned char c = static_cast<unsigned char>(Src[static_cast<std::size_t>(i - 1)]);
            const int next = LowCase ? kLowerCodes[c] : c;
            if (!set.has(next)) break;
            code = next;
        }
        // The last character of the run as the current one: the Scan past it sets LL0 and LL1.
        LL1 = code;
        indSrc = i - 1;
        Scan();
    }
    // An unrolled right recursion: each level's node is pushed, and at the end the innermost
    // node and then those above `base` are completed, innermost first. Only a tree sink sees
    // them: without one nothing is pushed, so a reading never decides by the levels' count.
    void PushNested(const Node& n)
    {
        if (tracing_) [[unlikely]]
            nested_.Push(n.index, n.name);
    }
    void CompleteNested(const Node& innermost, NodeStack::Mark base)
    {
        if (tracing_) [[unlikely]]
            TraceNestedCompletion(innermost, base);
    }
    NodeStack::Mark NestedBase() const { return nested_.Top(); }

    // "x" or "d" and the number: BKSNAI, BKSSYM of the code.
    void Ascii(const Node& p, const CodeForm& form);
    void Number(const Node& p, bool hex, const CodeForm& form);
    void Digit(const Node& p);
    void HexDigit(const Node& p, const CodeForm& form);
    // A reading stopped by an error leaves its levels uncompleted.
    void DropNested(NodeStack::Mark base) { nested_.DropTo(base); }

    Builder& B() { return *builder_; }
    StyleHooks& S() { return *style_; }

private:
    void CodeAboveRange(const Node& n, Pos start, bool hex);
    READERS_NOINLINE void TraceNode(const Node& parent, const Node& n);
    READERS_NOINLINE void TraceCompletion(const Node& n);
    READERS_NOINLINE void TraceLeaf(const Node& n);
    READERS_NOINLINE void TracedCharProc(const Node& parent, std::string_view name, const CharSet& set,
                                         std::string_view expected);
    READERS_NOINLINE void TraceNestedCompletion(const Node& innermost, NodeStack::Mark base);

    Builder* builder_;
    StyleHooks* style_;
    TreeHooks* tree_;
    bool tracing_; // the tree sink takes the nodes of this reading
    std::span<const RangeProc> rangeProcs_;
    NodeStack nested_;
};

} // namespace readers
