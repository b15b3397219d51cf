// Groups and repetitions. Each construct becomes auxiliary nonterminals with plain
// alternatives; while a group is open RuleHeadName names the group's nonterminal, so the
// reader's BKSNL and BKSEND work inside it, and the enclosing alternative waits on the
// GroupStack until the close.
#include <charconv>

#include "store/builder.h"

#include "store/record_memory.h"

namespace mv {

namespace {
constexpr int32_t GroupPool = GroupContextPool;
}  // namespace

// A fresh chain spelling the codes, its probe gathered on the way.
template <class Codes>
Chain Builder::SpellNewChain(const Codes& codes) {
  Chain chain;
  NameProbe& probe = Eng.store.Built;
  Eng.store.ResetProbe(probe);
  for (const auto c : codes) {
    const int32_t code = int32_t(c);
    const int32_t r = Eng.mem.AppendRecord(NameCharPool, CharNext, chain.First, chain.Last, CharCode, code);
    GrammarStore::AddToProbe(probe, r, code);
  }
  return chain;
}

Chain Builder::NewNameChain(const std::vector<int32_t>& codes) { return SpellNewChain(codes); }

Chain Builder::NewNameChain(std::string_view text) {
  return SpellNewChain(std::basic_string_view<unsigned char>(
      reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

std::vector<int32_t> Builder::ChainCodes(const Chain& name) const {
  std::vector<int32_t> codes;
  for (int32_t c = name.First; c >= 1 && int64_t(codes.size()) < Eng.mem.StepLimit(NameCharPool);) {
    codes.push_back(Eng.mem.IVLR(NameCharPool, c, CharCode));
    if (c == name.Last) break;
    c = Eng.mem.IVLR(NameCharPool, c, CharNext);
  }
  return codes;
}

// Plain decimal of any length, so that groups past 9,999 keep distinct names.
Chain Builder::NumberedName(char open, int32_t number, const char* suffix) {
  const char close = open == '[' ? ']' : open == '{' ? '}' : ')';
  char digits[16];
  const char* end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  std::string text(1, open);
  text.append(digits, size_t(end - digits));
  text.push_back(close);
  return NewNameChain(text.append(suffix));
}

void Builder::PushGroup(int32_t number, GroupKind kind) {
  RecordMemory& mem = Eng.mem;
  const AlternativeState& alt = Eng.store.CurrentAlternative;
  int32_t r = mem.IVLOFF(GroupPool);
  // Written even when there is no number, so a close never reads a stale one.
  mem.VLW(GroupPool, r, GrpNumber, number);
  mem.VLW(GroupPool, r, GrpRule, alt.Rule);
  mem.VLW(GroupPool, r, GrpFirstElement, alt.First);
  mem.VLW(GroupPool, r, GrpLastElement, alt.Last);
  mem.VLW(GroupPool, r, GrpHeadFirst, RuleHeadName.First);
  mem.VLW(GroupPool, r, GrpHeadLast, RuleHeadName.Last);
  mem.VLSPSH(GroupPool, GrpNext, GroupStack, r);
  GroupFrames.push_back(GroupFrame{r, kind, 0});
}

bool Builder::PopGroup() {
  if (GroupStack < 1) return false;
  RecordMemory& mem = Eng.mem;
  int32_t r = 0;
  mem.VLSPOP(GroupPool, GrpNext, GroupStack, r);
  Eng.store.CurrentAlternative =
      AlternativeState{mem.IVLR(GroupPool, r, GrpRule), mem.IVLR(GroupPool, r, GrpFirstElement),
                       mem.IVLR(GroupPool, r, GrpLastElement)};
  RuleHeadName = Chain{mem.IVLR(GroupPool, r, GrpHeadFirst), mem.IVLR(GroupPool, r, GrpHeadLast)};
  mem.VLON(GroupPool, r);
  if (!GroupFrames.empty() && GroupFrames.back().Record == r) GroupFrames.pop_back();
  return true;
}

Builder::GroupFrame* Builder::TopFrame() {
  if (GroupStack < 1 || GroupFrames.empty() || GroupFrames.back().Record != GroupStack) return nullptr;
  return &GroupFrames.back();
}

void Builder::ClearGroupStack() {
  // A stack that a caller's calls left running round is popped no further than the pool has
  // records; what is left of it is dropped.
  for (int64_t steps = 0, limit = Eng.mem.StepLimit(GroupPool); GroupStack >= 1 && steps < limit; ++steps) {
    int32_t r = 0;
    Eng.mem.VLSPOP(GroupPool, GrpNext, GroupStack, r);
    Eng.mem.VLON(GroupPool, r);
  }
  GroupStack = 0;
  GroupFrames.clear();
}

void Builder::EnterGroup(const Chain& name) {
  RuleHeadName = name;
  AlternativeJustOpened = true;
  Eng.store.OpenRuleAlternative(name.First, name.Last);
  if (GroupFrame* frame = TopFrame()) frame->FirstRule = Eng.store.CurrentAlternative.Rule;
}

void Builder::AddEmptyAlternative(const Chain& name) {
  Eng.store.OpenRuleAlternative(name.First, name.Last);
  AlternativeJustOpened = false;
  Eng.store.AddEmptyElement();
  Eng.store.CloseAlternative();
}

void Builder::Place(const Chain& name) { Eng.store.AddNonterminalElement(name.First, name.Last); }

void Builder::BKSBRO() {
  SetCurrentChain(NumberedName('[', ++OptionalGroupCounter, ""));
  Place(CurrentName.Chars);
  PushGroup(0, GroupKind::Optional);
  EnterGroup(CurrentName.Chars);
}

void Builder::BKSBCR() {
  int32_t n = ++GroupCounter;
  SetCurrentChain(NumberedName('{', n, ""));
  Place(CurrentName.Chars);
  PushGroup(n, GroupKind::Choice);
  EnterGroup(CurrentName.Chars);
}

void Builder::BKSBRC() {
  if (GroupStack < 1) return;
  AddEmptyAlternative(RuleHeadName);
  SetCurrentChain(RuleHeadName);
  PopGroup();
}

void Builder::BKSBRT() {
  if (GroupStack < 1) return;
  GrammarStore& store = Eng.store;
  RecordMemory& mem = Eng.mem;
  // Every alternative of the group ends with the group itself, so each of them repeats. The
  // one closed last is the current alternative; the earlier ones are reopened one by one.
  const AlternativeState closedLast = store.CurrentAlternative;
  const GroupFrame* frame = TopFrame();
  int64_t steps = 0;
  for (int32_t rule = frame ? frame->FirstRule : closedLast.Rule;
       rule >= 1 && rule != closedLast.Rule && steps++ < mem.StepLimit(RulePool);) {
    int32_t next = mem.IVLR(RulePool, rule, RuleNext);
    store.CurrentAlternative = AlternativeState{rule, mem.IVLR(RulePool, rule, RuleFirstElement),
                                                mem.IVLR(RulePool, rule, RuleLastElement)};
    Place(RuleHeadName);
    store.CloseAlternative();
    rule = next;
  }
  store.CurrentAlternative = closedLast;
  Place(RuleHeadName);
  store.CloseAlternative();
  BKSBRC();
}

void Builder::BKSBCC() {
  if (GroupStack < 1) return;
  SetCurrentChain(RuleHeadName);
  PopGroup();
}

void Builder::BKSBCO() {
  GrammarStore& store = Eng.store;
  int32_t n = ++GroupCounter;
  Chain list = NumberedName('{', n, "-list");
  Place(list);
  PushGroup(n, GroupKind::Repetition);
  EnterGroup(list);
  Chain body = NumberedName('{', n, "");
  SetCurrentChain(body);
  Place(body);
  Chain right = NumberedName('{', n, "-right");
  Place(right);
  store.CloseAlternative();
  RuleHeadName = right;
  store.OpenRuleAlternative(right.First, right.Last);
  Place(body);
  Place(right);
  store.CloseAlternative();
  store.OpenRuleAlternative(right.First, right.Last);
  store.AddEmptyElement();
  store.CloseAlternative();
  EnterGroup(body);
}

void Builder::BKSBCN() {
  if (GroupStack < 1) return;
  // Only a group that holds a number has a list nonterminal to extend.
  int32_t n = Eng.mem.IVLR(GroupPool, GroupStack, GrpNumber);
  if (n >= 1) AddEmptyAlternative(NumberedName('{', n, "-list"));
  // Either way the close leaves no alternative waiting to be claimed.
  AlternativeJustOpened = false;
  PopGroup();
}

void Builder::BKSBC1() { PopGroup(); }

void Builder::BKSRPT() {
  Chain x = CurrentName.Chars;
  if (x.First < 1) return;  // nothing to repeat
  std::vector<int32_t> codes = ChainCodes(x);
  for (char c : std::string("-list")) codes.push_back(c);
  Chain list = NewNameChain(codes);
  Place(list);
  PushGroup(0, GroupKind::Plain);
  RuleHeadName = list;
  Eng.store.OpenRuleAlternative(list.First, list.Last);
  Place(x);
  Place(list);
  Eng.store.CloseAlternative();
  AddEmptyAlternative(list);
  PopGroup();
}

void Builder::BKSWBO() {
  int32_t n = ++GroupCounter;
  Chain name = NumberedName('(', n, "");
  PushGroup(n, GroupKind::Parenthesised);
  EnterGroup(name);
}

void Builder::BKSW3C() {
  if (GroupStack < 1) return;
  SetCurrentChain(RuleHeadName);
  PopGroup();
  Place(CurrentName.Chars);
}

void Builder::BKSWBR() {
  if (GroupStack < 1) return;
  SetCurrentChain(RuleHeadName);
  PopGroup();
}

void Builder::BKSWBQ() {
  if (GroupStack < 1) return;
  const GroupFrame* frame = TopFrame();
  if (frame && frame->Kind == GroupKind::Class) {
    // A class's nonterminal is shared by every use of the same class text: this use alone
    // becomes optional, through a group of its own around it.
    Chain cls = RuleHeadName;
    PopGroup();
    int32_t n = ++GroupCounter;
    Chain group = NumberedName('(', n, "");
    PushGroup(n, GroupKind::Parenthesised);
    EnterGroup(group);
    Place(cls);
    Eng.store.CloseAlternative();
    AddEmptyAlternative(group);
    SetCurrentChain(group);
    PopGroup();
    Place(group);
    return;
  }
  AddEmptyAlternative(RuleHeadName);
  SetCurrentChain(RuleHeadName);
  PopGroup();
  Place(CurrentName.Chars);
}

void Builder::BKSNEX() {
  BKSWBO();
  BKSNTM();
  BKSEND();
  // The group's only alternative is filled and closed: a following BKSNL of the enclosing
  // rule must open its next alternative.
  AlternativeJustOpened = false;
}

}  // namespace mv
