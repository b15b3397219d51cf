#pragma once
// Whether the cycles of the transformation to LL(1) still lead anywhere. A printed grammar that
// has grown past ten times the alternatives the cycles began with, or whose shape repeats an
// earlier cycle's up to the names the transformations made (all begin with "$"), ends them:
// corner substitution followed by the elimination of left recursion can go on making $S, $$S,
// ... without end, each cycle with a grammar of new names.

#include <QString>
#include <map>
#include <string>

class CycleWatch {
public:
    // The reason to stop after the grammar (Typical notation) that a cycle printed, or "".
    QString Check(int cycle, const std::string& printed);
    // The cycles ended on a grammar past the bound of its size.
    bool Grown() const { return grown_; }

private:
    int start_ = 0, bound_ = 0;
    bool grown_ = false;
    std::map<std::string, int> shapes_; // the shape of each cycle's grammar, and the cycle
};
