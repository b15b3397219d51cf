// Right-recursive lists of the generated readers ("<X> ::= <element> <X> | ..."), read as
// loops so that a long list cannot exhaust the stack; the tree still shows one node per level.
#pragma once

#include <vector>

#include "reader_frame.h"

namespace readers {

class ListFrame : public ReaderFrame {
protected:
    using ReaderFrame::ReaderFrame;

    enum class Next { More, Done };

    // Entry: module state reset, first character read, no list level left from a reading
    // that stopped early.
    void Start(std::string_view source)
    {
        steps_.clear();
        ReaderFrame::Start(source);
    }

    // `element` reads one round on the node it is given and answers More when a further level
    // of the list follows, Done when the list ends here. After an error (bad set, the failing
    // node completed by Fail) the list returns at once. Levels after the first are named
    // `more`.
    template <class F>
    void List(const Node& p, std::string_view first, std::string_view more, F&& element)
    {
        // A level waiting for its completion is only the step from its start to the next
        // level's, one byte on a stack shared by all lists of a reading: a list as long as
        // the text costs about a byte a character and no allocation of its own. Only a tree
        // sink sees the completions; without one no level waits.
        const std::size_t base = steps_.size();
        Node n = Enter(p, first);
        for (;;) {
            const Next next = element(n);
            if (bad) {
                steps_.resize(base);
                return;
            }
            if (next == Next::Done) break;
            const Pos from = n.index;
            Descend(n, more);
            if (Tracing()) [[unlikely]]
                PushStep(static_cast<std::uint64_t>(n.index - from));
        }
        if (!Tracing()) [[likely]]
            return;
        Complete(n);
        Pos index = n.index;
        while (steps_.size() > base) {
            index -= static_cast<Pos>(PopStep());
            Complete({index, steps_.size() == base ? first : more});
        }
    }
    template <class F>
    void List(const Node& p, std::string_view name, F&& element)
    {
        List(p, name, name, static_cast<F&&>(element));
    }

    // A list of single characters: those of `set` are consumed, one per level; the list ends
    // on a character of `end` and fails with `expected` on any other.
    void CharList(const Node& p, std::string_view name, const CharSet& set, const CharSet& end, bool endOnFin,
                  std::string_view expected)
    {
        if (!Tracing()) [[likely]] {
            const Node n = Enter(p, name);
            SkipRun(set);
            if (!end.has(LL1) && !(endOnFin && LL1 == fin)) Fail(n, expected);
            return;
        }
        List(p, name, [&](const Node& n) {
            if (set.has(LL1)) {
                Consume(n);
                return Next::More;
            }
            if (!end.has(LL1) && !(endOnFin && LL1 == fin)) Fail(n, expected);
            return Next::Done;
        });
    }

private:
    // A step below 255 takes a byte; a longer one its eight bytes and the mark 255 on top.
    [[gnu::always_inline]] void PushStep(std::uint64_t step)
    {
        if (step < 255) [[likely]]
            steps_.push_back(static_cast<unsigned char>(step));
        else PushWideStep(step);
    }
    [[gnu::always_inline]] std::uint64_t PopStep()
    {
        const std::uint64_t step = steps_.back();
        steps_.pop_back();
        return step != 255 ? step : PopWideStep();
    }
    [[gnu::noinline]] void PushWideStep(std::uint64_t step)
    {
        for (int shift = 0; shift < 64; shift += 8) steps_.push_back(static_cast<unsigned char>(step >> shift));
        steps_.push_back(255);
    }
    [[gnu::noinline]] std::uint64_t PopWideStep()
    {
        std::uint64_t step = 0;
        for (int i = 0; i < 8; ++i) {
            step = (step << 8) | steps_.back();
            steps_.pop_back();
        }
        return step;
    }

    std::vector<unsigned char> steps_;
};

} // namespace readers
