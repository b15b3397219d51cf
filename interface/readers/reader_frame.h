// The shape shared by every reader: module state, Scan, ErrH and the nonterminal procedure
// protocol with its tree-hook calls.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

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

    void Scan();
    void ErrH(int ErrNum, std::string_view GramSymb, std::string_view ExpectedSet);

protected:
    explicit ReaderFrame(const ReaderHooks& hooks, std::span<const RangeProc> rangeProcs = {});

    struct Node {
        Pos index;
        std::string_view name;
    };

    // Entry: module state reset, first character read.
    void Start(std::string_view source);

    Node Enter(const Node& parent, std::string_view name)
    {
        Node n{indSrc, name};
        tree_->NewNode(parent.index, parent.name, n.index, n.name);
        return n;
    }
    void Complete(const Node& n) { tree_->CompleteNode(n.index, n.name, indSrc); }
    void Consume(const Node& n)
    {
        tree_->NewLeaf(n.index, n.name, indSrc, LL1);
        Scan();
    }
    // A terminal item: false (after ErrH 2) when LL1 is not c.
    bool Match(const Node& n, int c);
    // No alternative opens on LL1: ErrH 1, and the procedure still completes.
    void Fail(const Node& n, std::string_view expected)
    {
        ErrH(1, n.name, expected);
        Complete(n);
    }
    // A procedure that consumes one character of `set`; the characters of a range procedure
    // of this reader whose range the set holds go through that procedure.
    void CharProc(const Node& parent, std::string_view name, const CharSet& set,
                  std::string_view expected);
    // Completes the nodes of an unrolled right recursion, innermost first.
    template <class Vec>
    void CompleteNested(const Node& innermost, const Vec& outer)
    {
        Complete(innermost);
        for (auto it = outer.rbegin(); it != outer.rend(); ++it) Complete(*it);
    }

    Builder& B() { return *builder_; }
    StyleHooks& S() { return *style_; }

private:
    Builder* builder_;
    StyleHooks* style_;
    TreeHooks* tree_;
    std::span<const RangeProc> rangeProcs_;
};

} // namespace readers
