#pragma once
// Cleaning the grammar before it is analysed: identical alternatives, dead (unproductive) and
// unreachable nonterminals, and the deletion of a list of nonterminals with their rules.

#include <cstdint>
#include <optional>

#include "store/grammar_store.h"

namespace mv {

class Engine;

class Extraneous {
public:
  explicit Extraneous(Engine& engine);

  // The lists of a new run are empty.
  void InitRun();

  // Removes every alternative identical to an earlier one of the same nonterminal; returns
  // the grammar.
  Chain IdenticalRules();
  // Splits the grammar into the dead and the alive list and keeps both.
  void Alive(Chain& dead, Chain& alive);
  // Splits the alive list of the last Alive into unreachable and reachable nonterminals; the
  // reachable list becomes the grammar.
  void UnReachable(Chain& unreachable, Chain& reachable);
  // Gives back the listed nonterminals with their rules; a list that shares a member with
  // the grammar is refused.
  void DeleteNonterminals(int32_t head, int32_t tail);
  // Whether a list shares a member with the grammar (the alive list between Alive and
  // UnReachable).
  bool InGrammar(int32_t head, int32_t tail) const;

  // Moves the productive members of the work list to the alive list and prunes the alive
  // members' alternatives that refer to a nonterminal that is not alive. Follows the chains
  // through the store's current chain fields.
  void SplitAlive(int32_t& workHead, int32_t& workTail, int32_t& aliveHead, int32_t& aliveTail);
  // Moves the start record and every nonterminal reachable from it from the unreachable list
  // to the reachable list, in breadth-first order of discovery.
  void SplitReachable(int32_t start, int32_t& unreachableHead, int32_t& unreachableTail,
                      int32_t& reachableHead, int32_t& reachableTail);
  // Gives back the records of the listed nonterminals and of their rules.
  void DeleteRulesOf(int32_t head, int32_t tail);
  // Takes an alternative out of its chain; a nonterminal left without alternatives leaves its
  // list. Records are given back or only detached according to GiveBackSwitch.
  void RemoveAlternative(int32_t ruleNext, int32_t ruleBack, int32_t& ruleHead,
                         int32_t& ruleTail, int32_t rule, int32_t ntmNext, int32_t ntmBack,
                         int32_t& listHead, int32_t& listTail, int32_t firstRuleField,
                         int32_t lastRuleField, int32_t nonterminal);

  // Kept between the exports; empty at a run start.
  Chain DeadList;
  Chain AliveList;
  Chain UnreachableList;
  Chain ReachableList;
  // Alive was called and UnReachable has not followed yet.
  bool SplitPending = false;

private:
  bool SameAlternative(int32_t a, int32_t b) const;
  // Equal for alternatives that SameAlternative finds the same.
  // Empty when the alternative's element chain does not reach its last element.
  std::optional<uint64_t> AlternativeHash(int32_t rule) const;

  Engine& Eng;
};

}  // namespace mv
