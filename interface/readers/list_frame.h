// Right-recursive lists of the generated readers ("<X> ::= <element> <X> | ..."), read as
// loops so that a long list cannot exhaust the stack; the tree still shows one node per level.
#pragma once

#include "reader_frame.h"

namespace readers {

class ListFrame : public ReaderFrame {
protected:
    using ReaderFrame::ReaderFrame;

    enum class Next { More, Done };

    // `element` reads one round on the node it is given and answers More when a further level
    // of the list follows, Done when the list ends here. After an error (bad set, the failing
    // node completed by Fail) the list returns at once. Levels after the first are named
    // `more`.
    template <class F>
    void List(const Node& p, std::string_view first, std::string_view more, F&& element)
    {
        // The levels wait on the reading's node stack, a few bytes a level, so that a list
        // as long as the text costs little more than the text.
        const NodeStack::Mark base = NestedBase();
        Node n = Enter(p, first);
        for (;;) {
            const Next next = element(n);
            if (bad) {
                DropNested(base);
                return;
            }
            if (next == Next::Done) break;
            PushNested(n);
            n = Enter(n, more);
        }
        CompleteNested(n, base);
    }
    template <class F>
    void List(const Node& p, std::string_view name, F&& element)
    {
        List(p, name, name, static_cast<F&&>(element));
    }

    // A list of single characters: those of `set` are consumed, one per level; the list ends
    // on a character of `end` and fails with `expected` on any other.
    void CharList(const Node& p, std::string_view name, const CharSet& set, const CharSet& end,
                  bool endOnFin, std::string_view expected)
    {
        List(p, name, [&](const Node& n) {
            if (set.has(LL1)) {
                Consume(n);
                return Next::More;
            }
            if (!end.has(LL1) && !(endOnFin && LL1 == fin)) Fail(n, expected);
            return Next::Done;
        });
    }
};

} // namespace readers
