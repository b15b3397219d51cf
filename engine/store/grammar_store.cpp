#include "store/grammar_store.h"

#include <algorithm>
#include <cstdlib>

#include "store/record_memory.h"

namespace mv {

std::string Padded(std::string text, size_t length) {
  text.resize(length, ' ');
  return text;
}

std::string TrimmedRight(const std::string& text) {
  size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

GrammarStore::GrammarStore(RecordMemory& mem) : Eng{mem} { InitGrammarStore(); }

void GrammarStore::InitGrammarStore() {
  Grammar = Terminals = Actions = GrammarName = Chain{};
  GrammarNameOpen = true;
  CurrentAlternative = AlternativeState{};
  CurrentAction = 0;
  Found = false;
  GiveBackSwitch = true;
  Fields = ChainFields{};
  TakenNames.clear();
  ++NameEpoch;
  CollisionReportFlag = true;
  GenerationLogFlag = true;

  const std::string blank(OptionTextLength, ' ');
  UserTitle = UserScanner = UserErrorReaction = blank;
  UserExternal = Padded("EXTERNAL NEXT,ERRJOB", OptionTextLength);
  static const char* const templates[6] = {
      "$LOC=IVLOFF($NQURC)",
      "CALL VLW($NQURC,$LOC,$NFRET,$RETUR)",
      "CALL VLSPSH($NQURC,$LNKRC,$RCTOP,$LOC)",
      "$RETUR=IVLR($NQURC,$RCTOP,$NFRET)",
      "CALL VLSPOP($NQURC,$LNKRC,$RCTOP,$LOC)",
      "CALL VLON($NQURC,$LOC)",
  };
  for (size_t i = 0; i < 6; ++i) F77StackTemplates[i] = Padded(templates[i], OptionTextLength);
  UserDeclarations.assign(OptionLines, blank);
  UserPreParse.assign(OptionLines, blank);
  UserPostParse.assign(OptionLines, blank);

  GrammarFileName = Padded("GrammarTmp.grm", FileNameLength);
  OutputFileName = Padded("ResultTmp.for", FileNameLength);
  ResultBaseName = Padded("ListingTmp.lst", FileNameLength);
}

void GrammarStore::ClearNameTables() {
  ++NameEpoch;
  NameTable.fill(0);
  for (auto& index : NameIndex) index.Clear();
}

int64_t GrammarStore::HashTerm(int32_t code) { return std::llabs(int64_t(code) % 256) + 1; }

size_t GrammarStore::KeyBytes(int32_t code, char (&bytes)[5]) {
  bytes[0] = char(code);
  if (code >= 0 && code < 255) return 1;
  bytes[0] = char(255);
  size_t n = 1;
  for (int shift = 0; shift < 32; shift += 8) bytes[n++] = char(uint32_t(code) >> shift);
  return n;
}

void GrammarStore::AppendKeyCode(std::string& key, int32_t code) {
  char bytes[5];
  key.append(bytes, KeyBytes(code, bytes));
}

void GrammarStore::AddWideCodeToProbe(NameProbe& probe, int32_t code) {
  probe.Sum += HashTerm(code);
  char bytes[5];
  const size_t n = KeyBytes(code, bytes);
  for (size_t i = 0; i < n; ++i) {
    probe.Key.Push(bytes[i]);
    probe.KeyHash = NameKeyIndex::Step(probe.KeyHash, uint8_t(bytes[i]));
  }
}

const NameProbe* GrammarStore::ProbeOf(int32_t first, int32_t last) const {
  if (first < 1 || !NameIndexOn) return nullptr;
  for (const NameProbe* p : {&Spelled, &Built})
    if (p->Epoch == NameEpoch && p->Of.First == first && p->Of.Last == last) return p;
  return nullptr;
}

NameStamp GrammarStore::StampOf(int32_t pool) const {
  return NameStamp{NameEpoch, Eng.mem.GiveBacks(RecordMemory::SizeClass(pool)),
                   Eng.mem.GiveBacks(RecordMemory::SizeClass(NameCharPool))};
}

NameLookup GrammarStore::Remembered(int32_t first, int32_t last, int32_t record) const {
  return NameLookup{Chain{first, last}, record, StampOf(NonterminalPool)};
}

// The record was found under the same stamp, so it still carries the name; the chain looked
// up is the same records, whose codes nothing writes over while the stamp holds.
bool GrammarStore::StillLeads(const NameLookup& lookup, int32_t first, int32_t last) const {
  return first >= 1 && NameIndexOn && lookup.Record >= 1 && lookup.Name == Chain{first, last} &&
         lookup.Stamp == StampOf(NonterminalPool);
}

// Name chains are walked with a bound: a chain that runs into a loop ends there.
int32_t GrammarStore::NameHash(int32_t modulus, int32_t first, int32_t last) const {
  const RecordMemory& mem = Eng.mem;
  int64_t sum = 0;
  const int64_t limit = mem.StepLimit(NameCharPool);
  for (int64_t c = first, steps = 0; c >= 1 && steps < limit; ++steps) {
    int32_t code = mem.IVLR(NameCharPool, int32_t(c), CharCode);
    sum += HashTerm(code);
    if (c == last) break;
    c = mem.IVLR(NameCharPool, int32_t(c), CharNext);
  }
  return modulus < 1 ? 0 : int32_t(sum % modulus);
}

bool GrammarStore::SameName(int32_t first1, int32_t last1, int32_t first2, int32_t last2) const {
  const RecordMemory& mem = Eng.mem;
  int32_t a = first1, b = first2;
  for (int64_t steps = 0, limit = mem.StepLimit(NameCharPool); a >= 1 && b >= 1; ++steps) {
    if (steps >= limit) return false;
    if (mem.IVLR(NameCharPool, a, CharCode) != mem.IVLR(NameCharPool, b, CharCode)) return false;
    bool endA = a == last1, endB = b == last2;
    if (endA || endB) return endA && endB;
    a = mem.IVLR(NameCharPool, a, CharNext);
    b = mem.IVLR(NameCharPool, b, CharNext);
  }
  return a < 1 && b < 1;
}

bool GrammarStore::ChainHasKey(int32_t first, int32_t last, std::string_view key) const {
  const RecordMemory& mem = Eng.mem;
  char bytes[5];
  std::string_view rest = key;
  const int64_t limit = mem.StepLimit(NameCharPool);
  for (int64_t steps = 0; first >= 1; ++steps) {
    if (steps >= limit) return false;
    const size_t n = KeyBytes(mem.IVLR(NameCharPool, first, CharCode), bytes);
    if (rest.substr(0, n) != std::string_view(bytes, n)) return false;
    rest.remove_prefix(n);
    if (first == last) return rest == "L";
    first = mem.IVLR(NameCharPool, first, CharNext);
  }
  return rest == "R";
}

std::string GrammarStore::NameText(int32_t first, int32_t last) const {
  std::string text;
  const int64_t limit = Eng.mem.StepLimit(NameCharPool);
  for (int32_t c = first; c >= 1 && int64_t(text.size()) < limit;) {
    text.push_back(char(Eng.mem.IVLR(NameCharPool, c, CharCode) & 0xFF));
    if (c == last) break;
    c = Eng.mem.IVLR(NameCharPool, c, CharNext);
  }
  return text;
}

std::string GrammarStore::NameKey(int32_t first, int32_t last) const {
  const RecordMemory& mem = Eng.mem;
  std::string key;
  const int64_t limit = mem.StepLimit(NameCharPool);
  for (int64_t steps = 0; first >= 1; ++steps) {
    if (steps >= limit) return std::string();
    AppendKeyCode(key, mem.IVLR(NameCharPool, first, CharCode));
    if (first == last) return key.push_back('L'), key;
    first = mem.IVLR(NameCharPool, first, CharNext);
  }
  key.push_back('R');
  return key;
}

NameKeyIndex* GrammarStore::IndexOf(int32_t pool, int32_t firstBucket, int32_t modulus, bool& trusted) {
  trusted = false;
  if (!NameIndexOn || modulus != NameHashModulus) return nullptr;
  size_t table = 0;
  switch (firstBucket) {
    case NonterminalBuckets:
      table = 0;
      break;
    case TerminalBuckets:
      table = 1;
      break;
    case ActionBuckets:
      table = 2;
      break;
    default:
      return nullptr;
  }
  const NameStamp now = StampOf(pool);
  if (!(IndexStamp[table] == now)) {
    IndexStamp[table] = now;
    IndexTrusted[table] = NameIndex[table].IsEmpty();
  }
  trusted = IndexTrusted[table];
  return &NameIndex[table];
}

void GrammarStore::NameReleased(int32_t first) {
  ++NameEpoch;
  if (NameTaken(first)) TakenNames[size_t(first) >> 6] &= ~TakenBit(first);
}

Chain GrammarStore::CopyName(int32_t first, int32_t last) {
  RecordMemory& mem = Eng.mem;
  std::vector<int32_t> codes;
  for (int32_t c = first; c >= 1 && int64_t(codes.size()) < mem.StepLimit(NameCharPool);) {
    codes.push_back(mem.IVLR(NameCharPool, c, CharCode));
    if (c == last) break;
    c = mem.IVLR(NameCharPool, c, CharNext);
  }
  Chain copy;
  for (int32_t code : codes) mem.AppendRecord(NameCharPool, CharNext, copy.First, copy.Last, CharCode, code);
  return copy;
}

void GrammarStore::RemoveName(int32_t pool, int32_t firstBucket, int32_t record) {
  RecordMemory& mem = Eng.mem;
  ++NameEpoch;
  const int32_t nameFirst = mem.IVLR(pool, record, 3), nameLast = mem.IVLR(pool, record, 4);
  bool trusted = false;
  if (auto* index = IndexOf(pool, firstBucket, NameHashModulus, trusted)) {
    index->Remove(NameKey(nameFirst, nameLast), record);
  }
  const int32_t bucket = firstBucket + NameHash(NameHashModulus, nameFirst, nameLast);
  if (bucket < 1 || bucket > NameTableSize) return;
  const int32_t first = NameTable[size_t(bucket)];
  if (first < 1) return;
  const int32_t last = mem.IVLR(pool, first, 6);
  int32_t previous = 0;
  for (int32_t r = first, steps = 0; r >= 1 && steps < mem.StepLimit(pool); ++steps) {
    const int32_t next = mem.IVLR(pool, r, 5);
    if (r == record) {
      if (previous < 1) {
        const int32_t newFirst = r == last ? 0 : next;
        NameTable[size_t(bucket)] = newFirst;
        mem.VLW(pool, newFirst, 6, last);
      } else {
        mem.VLW(pool, previous, 5, next);
        if (r == last) mem.VLW(pool, first, 6, previous);
      }
      return;
    }
    if (r == last) return;
    previous = r;
    r = next;
  }
}

int32_t GrammarStore::FindOrAddName(int32_t pool, int32_t first, int32_t last, int32_t firstBucket,
                                    int32_t modulus, int32_t& head, int32_t& tail,
                                    const std::vector<int32_t>& extraFields) {
  RecordMemory& mem = Eng.mem;
  const NameProbe* probe = ProbeOf(first, last);
  bool trusted = false;
  auto* index = IndexOf(pool, firstBucket, modulus, trusted);
  const std::string walkedKey = index && !probe ? NameKey(first, last) : std::string();
  const std::string_view key = probe ? probe->Key.View() : walkedKey;
  if (key.empty()) index = nullptr;
  const uint64_t hash = !index  ? 0
                        : probe ? NameKeyIndex::Finish(NameKeyIndex::Step(probe->KeyHash, 'L'))
                                : NameKeyIndex::Hash(key);
  // The slot is mostly far away: on its way while the bucket is found.
  if (index) index->Prefetch(hash);
  const int32_t bucket = firstBucket + (!probe        ? NameHash(modulus, first, last)
                                        : modulus < 1 ? 0
                                                      : int32_t(probe->Sum % modulus));
  const bool bucketValid = bucket >= 1 && bucket <= NameTableSize;
  const int32_t bucketFirst = bucketValid ? NameTable[size_t(bucket)] : 0;
  if (!bucketValid) index = nullptr;
  NameKeyIndex::Spot spot;
  bool walk = bucketFirst >= 1;
  if (index) {
    spot = index->Seek(key, hash);
    if (const int32_t r = spot.Record) {
      if (trusted || ChainHasKey(mem.IVLR(pool, r, 3), mem.IVLR(pool, r, 4), key)) {
        Found = true;
        return r;
      }
      // The record's name changed under the index: the bucket decides.
      index->Remove(key);
      spot = index->Seek(key, hash);
    } else {
      walk = false;
    }
  }
  if (walk) {
    int32_t bucketLast = mem.IVLR(pool, bucketFirst, 6);
    // Bounded walk: a damaged bucket chain must not loop forever.
    for (int32_t r = bucketFirst, steps = 0; r >= 1 && steps < mem.StepLimit(pool); ++steps) {
      if (SameName(mem.IVLR(pool, r, 3), mem.IVLR(pool, r, 4), first, last)) {
        Found = true;
        if (index) index->Insert(spot, key, hash, r);
        return r;
      }
      if (r == bucketLast) break;
      r = mem.IVLR(pool, r, 5);
    }
  }
  // The chain becomes this record's name: a chain that names another record already is
  // copied, so that no two records ever share one (giving one back would free the other's).
  if (NameTaken(first)) {
    Chain copy = CopyName(first, last);
    first = copy.First;
    last = copy.Last;
  }
  if (first >= 1) {
    const size_t word = size_t(first) >> 6;
    if (word >= TakenNames.size()) TakenNames.resize(word * 2 + 1, 0);
    TakenNames[word] |= TakenBit(first);
  }
  int32_t r = mem.IVLOFF(pool);
  mem.LinkRecord(pool, 1, 2, head, tail, r);
  mem.VLW(pool, r, 3, first);
  mem.VLW(pool, r, 4, last);
  Found = false;
  mem.VLW(pool, r, 5, 0);
  mem.VLW(pool, r, 6, 0);
  for (int32_t f : extraFields) mem.VLW(pool, r, f, 0);
  if (index) index->Insert(spot, key, hash, r);
  if (bucketValid) {
    if (bucketFirst < 1) {
      NameTable[size_t(bucket)] = r;
      mem.VLW(pool, r, 6, r);
    } else {
      mem.VLW(pool, mem.IVLR(pool, bucketFirst, 6), 5, r);
      mem.VLW(pool, bucketFirst, 6, r);
    }
  }
  return r;
}

int32_t GrammarStore::FindOrAddNonterminal(int32_t first, int32_t last) {
  static const std::vector<int32_t> extra{NtmFirstRule, NtmLastRule};
  const int32_t r = FindOrAddName(NonterminalPool, first, last, NonterminalBuckets, NameHashModulus,
                                  Grammar.First, Grammar.Last, extra);
  LastNonterminal = Remembered(first, last, r);
  return r;
}

int32_t GrammarStore::FindOrAddTerminal(int32_t first, int32_t last) {
  static const std::vector<int32_t> extra;
  return FindOrAddName(TerminalPool, first, last, TerminalBuckets, NameHashModulus, Terminals.First,
                       Terminals.Last, extra);
}

int32_t GrammarStore::FindOrAddAction(int32_t first, int32_t last) {
  static const std::vector<int32_t> extra{ActFirstLine, ActLastLine};
  return FindOrAddName(ActionPool, first, last, ActionBuckets, NameHashModulus, Actions.First, Actions.Last,
                       extra);
}

void GrammarStore::OpenRuleAlternative(int32_t first, int32_t last) {
  RecordMemory& mem = Eng.mem;
  // Every alternative of a rule opens on the same head: the lookup is remembered.
  int32_t ntm = 0;
  size_t known = Heads.size() - 1;
  for (size_t k = 0; k < Heads.size(); ++k)
    if (StillLeads(Heads[k], first, last)) {
      ntm = Heads[k].Record;
      known = k;
      break;
    }
  if (ntm >= 1) {
    Found = true;
  } else if (StillLeads(LastNonterminal, first, last)) {
    ntm = LastNonterminal.Record;
    Found = true;
  } else {
    ntm = FindOrAddNonterminal(first, last);
  }
  std::move_backward(Heads.begin(), Heads.begin() + known, Heads.begin() + known + 1);
  Heads[0] = Remembered(first, last, ntm);
  int32_t rule = mem.IVLOFF(RulePool);
  int32_t lastRule = mem.IVLR(NonterminalPool, ntm, NtmLastRule);
  if (lastRule >= 1) mem.VLW(RulePool, lastRule, RuleNext, rule);
  mem.VLW(RulePool, rule, RuleBack, lastRule);
  if (mem.IVLR(NonterminalPool, ntm, NtmFirstRule) < 1) mem.VLW(NonterminalPool, ntm, NtmFirstRule, rule);
  mem.VLW(NonterminalPool, ntm, NtmLastRule, rule);
  mem.VLW(RulePool, rule, RuleFirstElement, 0);
  mem.VLW(RulePool, rule, RuleLastElement, 0);
  CurrentAlternative = AlternativeState{rule, 0, 0};
}

void GrammarStore::CloseAlternative() {
  Eng.mem.VLW(RulePool, CurrentAlternative.Rule, RuleFirstElement, CurrentAlternative.First);
  Eng.mem.VLW(RulePool, CurrentAlternative.Rule, RuleLastElement, CurrentAlternative.Last);
}

void GrammarStore::AppendElement(int32_t kind, int32_t referent) {
  RecordMemory& mem = Eng.mem;
  int32_t e = mem.AppendLinkedRecord(ElementPool, ElemNext, ElemBack, CurrentAlternative.First,
                                     CurrentAlternative.Last);
  mem.VLW(ElementPool, e, ElemKind, kind);
  if (kind != KindEmpty) mem.VLW(ElementPool, e, ElemReferent, referent);
}

void GrammarStore::AddNonterminalElement(int32_t first, int32_t last) {
  AppendElement(KindNonterminal, FindOrAddNonterminal(first, last));
}

void GrammarStore::EnterNamedRecord(int32_t first, int32_t last) {
  if (first < 1 || last < 1) return;
  AppendElement(KindTerminal, FindOrAddTerminal(first, last));
}

void GrammarStore::AddActionElement(int32_t first, int32_t last) {
  AppendElement(KindAction, FindOrAddAction(first, last));
}

void GrammarStore::AddEmptyElement() { AppendElement(KindEmpty, 0); }

bool GrammarStore::TakeGrammarName() {
  const Chain& name = GrammarName;
  if (name.First < 1 || name.Last < 1) return false;
  std::string text = NameText(name.First, name.Last);
  ResultBaseName = Padded(text.substr(0, FileNameLength), FileNameLength);
  return true;
}

}  // namespace mv
