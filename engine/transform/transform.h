#pragma once
// Transformations towards LL(1): left factoring, left-recursion loops, immediate left recursion
// and the substitution of ambiguous corners. Each rewrites the grammar in the store in place and
// makes its new alternatives and nonterminals through the builder entries, as a reader would.

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "store/grammar_store.h"

namespace mv {

class Analysis;
class Builder;
class Extraneous;
class Output;
class RecordMemory;

// The first symbol of a clashing alternative as the clash history keeps it: its kind
// (0 actions only, 1 nonterminal, 2 terminal, 3 empty) and, for kinds 1 and 2, its name.
struct ClashSymbol {
  int32_t Kind = 0;
  std::string Name;
  bool operator==(const ClashSymbol&) const = default;
};

struct ClashRecord {
  ClashSymbol First, Second;
  // The same two symbols, in either order.
  bool SamePair(const ClashRecord& other) const {
    return (First == other.First && Second == other.Second) ||
           (First == other.Second && Second == other.First);
  }
};

struct CornerRecord {
  int32_t Nonterminal = 0;
  int32_t Rule = 0;
};

class Transform {
public:
  Transform(RecordMemory& mem, GrammarStore& store, Builder& builder, Analysis& an, Extraneous& extra,
            Output& out);

  // A new run has no clashes, no history and no corners.
  void InitRun();

  // Each returns false (and changes nothing) on an empty grammar.
  bool LeftFactoring();
  bool RecursiveLoops();
  bool SelfRecursion();
  // Needs the numbering, the nullable marks, BEGINS-WITH and IS-FOLLOWED-BY of the grammar.
  bool SubstOfAmbigCorner(int32_t& substitutions, int32_t& loops);

  // The clash history file: ResultBaseName + ".temp".
  void ReadTempLists();
  void WriteTempLists();
  // One line of the history file and its reading; false for a line that cannot be read.
  static std::string HistoryLine(const ClashRecord& clash);
  static bool ParseHistoryLine(const std::string& line, ClashRecord& clash);

  std::vector<ClashRecord> ClashList;
  std::vector<ClashRecord> ClashHistory;
  std::vector<CornerRecord> CornerList;

private:
  // The rules of CornerList, so that a clash does not search the list for its rule.
  std::unordered_set<int32_t> CornerRules;

  // The frame of every transformation: the give-back switch off, the builder out of any class,
  // and afterwards the nonterminals that the rewrite left unreachable taken out.
  void Run(const std::function<void()>& body);
  std::unordered_set<int32_t> Unreachable() const;
  void RemoveNewlyUnreachable(const std::unordered_set<int32_t>& before);

  // Left factoring.
  void FactorNonterminal(int32_t a);
  // Factors the prefix of k elements of r out of r and the later alternatives of its group.
  void FactorOut(int32_t a, int32_t r, int32_t k, const std::vector<int32_t>& group);
  std::string FactoredName(int32_t a, int32_t r, int32_t k) const;

  // Recursion.
  void SelfRecursionOf(int32_t a);

  // Corner substitution.
  void ScanSelectSets(int32_t a, std::vector<int32_t>& claims, bool& ll1);
  void RecordClash(int32_t a, int32_t ra, int32_t rb);
  ClashSymbol FirstSymbol(int32_t rule) const;

  // Shared steps.
  std::vector<int32_t> Alternatives(int32_t nonterminal) const;
  std::vector<int32_t> Elements(int32_t rule) const;
  // The first element that is not an action, 0 when there is none.
  int32_t FirstNonAction(int32_t rule) const;
  // The corner: the first non-action element when it is a nonterminal element, else 0.
  int32_t Corner(int32_t rule) const;
  std::vector<int32_t> NameCodes(int32_t pool, int32_t record) const;
  std::string Name(int32_t pool, int32_t record) const;
  void Spell(const std::vector<int32_t>& codes);
  void Spell(const std::string& text);
  // A nonterminal name that names nothing yet: the wanted one, or it with "_2", "_3", ...
  // The nonterminal is made at once (at the grammar's end), so the name stays taken.
  std::string NewNonterminalName(const std::string& wanted);
  // Opens a new alternative at the end of a nonterminal's chain.
  void OpenAlternative(int32_t nonterminal);
  void OpenAlternative(const std::string& name);
  // Appends a copy of an element, made by name; an empty element adds nothing. True when an
  // element was appended.
  bool CopyElement(int32_t element);
  void AppendNonterminal(const std::string& name);
  void Detach(int32_t nonterminal, int32_t rule);
  // Replaces the corner B of alternative r of A by B's alternatives, taken from a snapshot
  // of B's chain, so that a corner equal to A ends.
  void SubstituteCorner(int32_t a, int32_t r);

  // What it uses of the engine, by the engine's own names.
  struct Parts {
    RecordMemory& mem;
    GrammarStore& store;
    Builder& builder;
    Analysis& an;
    Extraneous& extra;
    Output& out;
  } Eng;
};

}  // namespace mv
