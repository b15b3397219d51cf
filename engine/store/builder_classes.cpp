// Character classes, character ranges and negated characters. Each becomes an auxiliary
// nonterminal with one alternative per member code, in ascending order; each alternative is
// the one-character terminal of that code, so a member and the same character written as a
// plain terminal are one terminal.
#include "store/builder.h"

#include <algorithm>

#include "store/record_memory.h"

namespace mv {

namespace {

bool IsCode(int32_t c) { return c >= 0 && c <= 255; }

// How a character is spelled inside an auxiliary name: printable characters stand for
// themselves, except those that would upset a listing or a generated string.
std::string CharacterText(int32_t c) {
  if (c >= 33 && c <= 126 && c != 34 && c != 39 && c != 62) return std::string(1, char(c));
  return "chr" + std::to_string(c);
}

// Codes 0..255 from lo to hi, the bounds taken in either order.
std::array<bool, 256> Interval(int32_t lo, int32_t hi) {
  std::array<bool, 256> marks{};
  int32_t from = std::max(std::min(lo, hi), 0), to = std::min(std::max(lo, hi), 255);
  for (int32_t k = from; k <= to; ++k) marks[size_t(k)] = true;
  return marks;
}

std::array<bool, 256> Complement(std::array<bool, 256> marks) {
  for (bool& m : marks) m = !m;
  return marks;
}

}  // namespace

// The character of the item just spelled. A code outside 0..255 does not become
// LastCharacter, so it is taken from the name's chain: it must not pass for the character
// spelled before it.
int32_t Builder::ItemCode() const {
  if (CurrentName.Chars.Last >= 1) {
    int32_t code = Eng.mem.IVLR(NameCharPool, CurrentName.Chars.Last, CharCode);
    if (!IsCode(code)) return code;
  }
  return LastCharacter;
}

void Builder::AppendToClassName(const std::string& text) {
  Chain& name = CharacterClass.Name;
  for (unsigned char c : text)
    Eng.mem.AppendRecord(NameCharPool, CharNext, name.First, name.Last, CharCode, c);
}

// One alternative of RuleHeadName per member, each holding the terminal of that code.
void Builder::BuildMemberAlternatives(const std::array<bool, 256>& members) {
  GrammarStore& store = Eng.store;
  for (int32_t k = 0; k < 256; ++k) {
    if (!members[size_t(k)]) continue;
    store.OpenRuleAlternative(RuleHeadName.First, RuleHeadName.Last);
    SetCurrentChain(NewNameChain(std::vector<int32_t>{k}));
    store.EnterNamedRecord(CurrentName.Chars.First, CurrentName.Chars.Last);
    store.CloseAlternative();
  }
}

void Builder::BKSTRB() { RangeLowerBound = ItemCode(); }

void Builder::BKSBRS() {
  CharacterClass.Members.fill(false);
  CharacterClass.Negated = false;
  CharacterClass.Name = NewNameChain("[");
}

void Builder::BKSNEG() {
  CharacterClass.Negated = true;
  AppendToClassName("^");
}

void Builder::BKSTRL() {
  int32_t c = ItemCode();
  AppendToClassName(CharacterText(c));
  if (IsCode(c)) CharacterClass.Members[size_t(c)] = true;
}

// A range item given high to low takes the same codes as low to high, as a range terminal
// does; its text keeps the order written.
void Builder::BKSTRF() {
  int32_t lo = RangeLowerBound, hi = ItemCode();
  AppendToClassName(CharacterText(lo) + "-" + CharacterText(hi));
  std::array<bool, 256> range = Interval(lo, hi);
  for (size_t k = 0; k < 256; ++k) CharacterClass.Members[k] = CharacterClass.Members[k] || range[k];
}

void Builder::BKSPOS() {
  AppendToClassName("]");
  PushGroup(0, GroupKind::Class);
  RuleHeadName = CharacterClass.Name;
  BuildMemberAlternatives(CharacterClass.Negated ? Complement(CharacterClass.Members)
                                                 : CharacterClass.Members);
  CharacterClass.Negated = false;
}

void Builder::BKSWBC() {
  if (GroupStack < 1) return;
  SetCurrentChain(RuleHeadName);
  PopGroup();
  Place(CurrentName.Chars);
  CurrentName = NameState{};
}

void Builder::BKSTRE() {
  int32_t lo = RangeLowerBound, hi = ItemCode();
  bool negated = CharacterClass.Negated;
  Chain name = NewNameChain(std::string(negated ? "^" : "") + CharacterText(lo) + "-" + CharacterText(hi));
  SetCurrentChain(name);
  Place(name);
  PushGroup(0, GroupKind::Plain);
  RuleHeadName = name;
  std::array<bool, 256> members = Interval(lo, hi);
  BuildMemberAlternatives(negated ? Complement(members) : members);
  PopGroup();
}

// BKSTRM inside a negated class: any character but the one just spelled.
void Builder::NegatedClassTerminal() {
  int32_t c = ItemCode();
  Chain name = NewNameChain("^" + CharacterText(c));
  SetCurrentChain(name);
  Place(name);
  PushGroup(0, GroupKind::Plain);
  RuleHeadName = name;
  std::array<bool, 256> members;
  members.fill(true);
  if (IsCode(c)) members[size_t(c)] = false;
  BuildMemberAlternatives(members);
  PopGroup();
}

}  // namespace mv
