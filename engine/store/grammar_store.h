#pragma once
// The grammar as records in the record memory, the three name tables and the store's global
// block (chain heads, the alternative being built, switches, option texts, file names).

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/name_key_index.h"

namespace mv {

class RecordMemory;

// Pools (declared record lengths) of the store's records.
inline constexpr int32_t NonterminalPool = 14;
inline constexpr int32_t RulePool = 7;
inline constexpr int32_t ElementPool = 4;
inline constexpr int32_t NameCharPool = 2;
inline constexpr int32_t TerminalPool = 7;
inline constexpr int32_t ActionPool = 9;
inline constexpr int32_t ActionLinePool = 4;
inline constexpr int32_t ActionCharPool = 2;
inline constexpr int32_t GroupContextPool = 7;

// NonterminalRecord fields.
enum NonterminalField : int32_t {
  NtmNext = 1,
  NtmBack = 2,
  NtmNameFirst = 3,
  NtmNameLast = 4,
  NtmBucketNext = 5,
  NtmBucketLast = 6,
  NtmNumber = 7,
  NtmFirstRule = 8,
  NtmLastRule = 9,
  NtmNullNext = 10,
  NtmNullBack = 11,
  NtmNullFirstRule = 12,
  NtmNullLastRule = 13,
  NtmNullable = 14,
};
// RuleRecord fields.
enum RuleField : int32_t {
  RuleNext = 1,
  RuleBack = 2,
  RuleNullNext = 3,
  RuleNullBack = 4,
  RuleFirstElement = 5,
  RuleLastElement = 6,
  RuleNumber = 7,
};
// ElementRecord fields.
enum ElementField : int32_t { ElemNext = 1, ElemBack = 2, ElemReferent = 3, ElemKind = 4 };
// ElementKind values.
enum ElementKind : int32_t {
  KindNonterminal = 1,
  KindTerminal = 2,
  KindEmpty = 3,
  KindAction = 4,
};
// NameCharRecord and ActionCharRecord fields.
enum CharField : int32_t { CharNext = 1, CharCode = 2 };
// TerminalRecord fields.
enum TerminalField : int32_t {
  TrmNext = 1,
  TrmBack = 2,
  TrmNameFirst = 3,
  TrmNameLast = 4,
  TrmBucketNext = 5,
  TrmBucketLast = 6,
  TrmNumber = 7,
};
// ActionRecord fields.
enum ActionField : int32_t {
  ActNext = 1,
  ActBack = 2,
  ActNameFirst = 3,
  ActNameLast = 4,
  ActBucketNext = 5,
  ActBucketLast = 6,
  ActFirstLine = 8,
  ActLastLine = 9,
};
// ActionLineRecord fields.
enum ActionLineField : int32_t {
  LineNext = 1,
  LineBack = 2,
  LineFirstChar = 3,
  LineLastChar = 4,
};
// GroupContextRecord fields.
enum GroupContextField : int32_t {
  GrpNext = 1,
  GrpNumber = 2,
  GrpRule = 3,
  GrpFirstElement = 4,
  GrpLastElement = 5,
  GrpHeadFirst = 6,
  GrpHeadLast = 7,
};

// Name tables: one bucket array, 255 buckets per table.
inline constexpr int32_t NameHashModulus = 255;
inline constexpr int32_t NonterminalBuckets = 1;
inline constexpr int32_t TerminalBuckets = 256;
inline constexpr int32_t ActionBuckets = 511;
inline constexpr int32_t NameTableSize = 765;

// Fixed text lengths.
inline constexpr int32_t FileNameLength = 80;
inline constexpr int32_t OptionTextLength = 1024;
inline constexpr int32_t OptionLines = 100;

// First and last record of a chain (a name, a list).
struct Chain {
  int32_t First = 0;
  int32_t Last = 0;
  bool operator==(const Chain&) const = default;
};

// The alternative being read: its rule and the first and last element of its right part.
struct AlternativeState {
  int32_t Rule = 0;
  int32_t First = 0;
  int32_t Last = 0;
};

// Counts that the numbering sets; not reset by a run start.
struct SymbolCounts {
  int32_t N = 0;  // nonterminals
  int32_t T = 0;  // terminals
  int32_t S = 0;  // N + T
  int32_t R = 0;  // rules
};

// The field numbers through which walks over a whole list follow the nonterminal links and the
// alternative chains: the grammar's links, unless the nullable search points them at its own.
struct ChainFields {
  int32_t NtmNext = mv::NtmNext;
  int32_t NtmBack = mv::NtmBack;
  int32_t NtmFirstRule = mv::NtmFirstRule;
  int32_t NtmLastRule = mv::NtmLastRule;
  int32_t RuleNext = mv::RuleNext;
  int32_t RuleBack = mv::RuleBack;
};

// The index key of a name being spelled: its bytes with the end mark after them, grown a byte
// at a time without a general string's checks on every byte.
class ProbeKey {
public:
  void Clear() { Size = 0; }
  // The key with its end mark; empty while no byte was added.
  std::string_view View() const {
    return Size == 0 ? std::string_view() : std::string_view(Data.get(), Size + 1);
  }
  void Push(char byte) {
    if (Size + 2 > Capacity) Reserve(Size + 2);
    Data[Size++] = byte;
    Data[Size] = 'L';
  }

private:
  void Reserve(size_t n) {
    if (n <= Capacity) return;
    const size_t capacity = std::max<size_t>(n, Capacity * 2 < 32 ? 32 : Capacity * 2);
    std::unique_ptr<char[]> data(new char[capacity]);
    if (Size > 0) std::memcpy(data.get(), Data.get(), Size + 1);
    Data = std::move(data);
    Capacity = capacity;
  }
  std::unique_ptr<char[]> Data;
  size_t Size = 0;
  size_t Capacity = 0;
};

// A name's bucket sum and index key, gathered while its chain is built, so that looking the
// chain up does not walk it again. It stands for its chain only while the name tables'
// epoch is the one it was begun in.
struct NameProbe {
  Chain Of;
  uint64_t Epoch = 0;
  int64_t Sum = 0;
  ProbeKey Key;                           // the index key
  uint64_t KeyHash = NameKeyIndex::Seed;  // the key's hash before its last byte
};

// What a record's name depends on: the name tables' epoch and how often records of the
// record's size class and of the name characters' class were given back. While all three stay,
// every record in use keeps the name it was found or added under.
struct NameStamp {
  uint64_t Epoch = 0;
  uint64_t RecordGiveBacks = 0;
  uint64_t CharGiveBacks = 0;
  bool operator==(const NameStamp&) const = default;
};

// A name looked up lately and the record it led to, under the stamp of then.
struct NameLookup {
  Chain Name;
  int32_t Record = 0;
  NameStamp Stamp;
};

class GrammarStore {
public:
  explicit GrammarStore(RecordMemory& mem);

  // Defaults of a new run; the name tables are left as they are (BKSACT clears them).
  void InitGrammarStore();
  void ClearNameTables();
  int32_t NameHash(int32_t modulus, int32_t first, int32_t last) const;
  // A probe made new for a chain about to be built (the key keeps its buffer), and a code
  // appended to the chain as record.
  void ResetProbe(NameProbe& probe) const {
    probe.Of = Chain{};
    probe.Epoch = NameEpoch;
    probe.Sum = 0;
    probe.Key.Clear();
    probe.KeyHash = NameKeyIndex::Seed;
  }
  static void AddToProbe(NameProbe& probe, int32_t record, int32_t code) {
    if (probe.Of.First < 1) probe.Of.First = record;
    probe.Of.Last = record;
    // A byte code, the usual case, is one byte of the key, where the end mark was.
    if (code < 0 || code >= 255) return AddWideCodeToProbe(probe, code);
    probe.Sum += code + 1;
    probe.Key.Push(char(code));
    probe.KeyHash = NameKeyIndex::Step(probe.KeyHash, uint8_t(code));
  }
  // The name being spelled and the name built last, as probes.
  NameProbe Spelled, Built;
  // Finds the record named by the chain in one table or adds it at the chain's tail;
  // extraFields are zeroed on a new record. Sets Found.
  int32_t FindOrAddName(int32_t pool, int32_t first, int32_t last, int32_t firstBucket, int32_t modulus,
                        int32_t& head, int32_t& tail, const std::vector<int32_t>& extraFields);
  // The three tables' lookups.
  int32_t FindOrAddNonterminal(int32_t first, int32_t last);
  int32_t FindOrAddTerminal(int32_t first, int32_t last);
  int32_t FindOrAddAction(int32_t first, int32_t last);
  // True when two character chains spell the same codes.
  bool SameName(int32_t first1, int32_t last1, int32_t first2, int32_t last2) const;
  // True when a character chain has the index key (what SameName with the key's chain says).
  bool ChainHasKey(int32_t first, int32_t last, std::string_view key) const;
  // Takes a record out of its table's bucket chain, so that no later look-up reaches it.
  void RemoveName(int32_t pool, int32_t firstBucket, int32_t record);
  // Whether a name chain is the name of a record already; a new record never shares it.
  bool NameTaken(int32_t first) const {
    return first >= 1 && (size_t(first) >> 6) < TakenNames.size() &&
           (TakenNames[size_t(first) >> 6] & TakenBit(first));
  }
  // A name chain given back: it names nothing any more.
  void NameReleased(int32_t first);
  // While the stamp of a record's pool stays, a record in use keeps the name it had.
  NameStamp StampOf(int32_t pool) const;
  // A fresh chain with the codes of another.
  Chain CopyName(int32_t first, int32_t last);
  // The characters of a name chain as bytes (codes above 255 cut to their low 8 bits).
  std::string NameText(int32_t first, int32_t last) const;

  void OpenRuleAlternative(int32_t first, int32_t last);
  void CloseAlternative();
  void AddNonterminalElement(int32_t first, int32_t last);
  void EnterNamedRecord(int32_t first, int32_t last);
  void AddActionElement(int32_t first, int32_t last);
  void AddEmptyElement();
  void AppendElement(int32_t kind, int32_t referent);

  // Takes an alternative out of its chain; a nonterminal left without alternatives leaves its
  // list. Records are given back or only detached according to GiveBackSwitch.
  void RemoveAlternative(int32_t ruleNext, int32_t ruleBack, int32_t& ruleHead, int32_t& ruleTail,
                         int32_t rule, int32_t ntmNext, int32_t ntmBack, int32_t& listHead, int32_t& listTail,
                         int32_t firstRuleField, int32_t lastRuleField, int32_t nonterminal);
  // Moves the productive members of the work list to the alive list and prunes the alive
  // members' alternatives that refer to a nonterminal that is not alive. Follows the chains
  // through the store's current chain fields.
  void SplitAlive(int32_t& workHead, int32_t& workTail, int32_t& aliveHead, int32_t& aliveTail);

  // The grammar name copied into ResultBaseName; false when no grammar name was taken.
  bool TakeGrammarName();

  // Store block.
  std::array<int32_t, NameTableSize + 1> NameTable{};  // index 0 unused
  Chain Grammar;                                       // NonterminalList of the grammar
  Chain Terminals;
  Chain Actions;
  Chain GrammarName;
  bool GrammarNameOpen = true;
  AlternativeState CurrentAlternative;
  int32_t CurrentAction = 0;
  bool Found = false;
  bool GiveBackSwitch = true;
  ChainFields Fields;
  // Off only in tests: every look-up walks its name and its bucket chain, as the index, the
  // probes and the remembered lookups must behave.
  bool NameIndexOn = true;
  bool CollisionReportFlag = true;
  bool GenerationLogFlag = true;
  SymbolCounts Counts;

  // Option texts, blank-padded to OptionTextLength.
  std::string UserTitle, UserExternal, UserScanner, UserErrorReaction;
  std::array<std::string, 6> F77StackTemplates;
  // Line arrays: OptionLines blank lines at a run start; a longer text adds lines.
  std::vector<std::string> UserDeclarations, UserPreParse, UserPostParse;

  // File names, blank-padded to FileNameLength.
  std::string GrammarFileName, OutputFileName, ResultBaseName;

private:
  // The codes of a name chain as one key: a code 0..254 is one byte, any other is 255 and its
  // four bytes; the last byte says how the chain ended ("L" at its last record, "R" at a link
  // below 1), since SameName tells the two apart. Empty when the walk found a loop.
  std::string NameKey(int32_t first, int32_t last) const;
  // Term of one code in the bucket sum, and a code appended to an index key.
  static int64_t HashTerm(int32_t code);
  static void AddWideCodeToProbe(NameProbe& probe, int32_t code);
  static void AppendKeyCode(std::string& key, int32_t code);
  // The key bytes of one code; how many.
  static size_t KeyBytes(int32_t code, char (&bytes)[5]);
  // The probe that stands for the chain first..last, or null.
  const NameProbe* ProbeOf(int32_t first, int32_t last) const;
  // Whether a lookup still leads from the chain first..last to its record.
  bool StillLeads(const NameLookup& lookup, int32_t first, int32_t last) const;
  NameLookup Remembered(int32_t first, int32_t last, int32_t record) const;
  // Moves on whenever a name may have left the tables or a chain may have been given back:
  // probes and remembered lookups of an earlier epoch are not trusted.
  uint64_t NameEpoch = 1;
  // The rule heads opened lately, the latest first: a rule's head is opened again after each
  // group inside it, whose own head comes between. And the nonterminal looked up last (a
  // group's name is placed and then opened as a rule head).
  std::array<NameLookup, 8> Heads;
  NameLookup LastNonterminal;
  // The index of the table whose buckets begin at firstBucket, or null. Trusted is set when
  // every record the index leads to has carried its key's name all along: the index was empty
  // under the stamp that holds now, so each was added or found under it.
  NameKeyIndex* IndexOf(int32_t pool, int32_t firstBucket, int32_t modulus, bool& trusted);

  // Beside the bucket chains, one index per table from a name's codes to its record: a
  // look-up costs one hash probe instead of a walk of a bucket that may hold hundreds of
  // names. Kept by FindOrAddName, RemoveName and ClearNameTables, the only steps that change
  // the buckets.
  std::array<NameKeyIndex, 3> NameIndex;
  // The stamp of each index's latest look-up, and whether the index was empty under it.
  std::array<NameStamp, 3> IndexStamp;
  std::array<bool, 3> IndexTrusted{};
  // First NameCharRecords of the chains that name a record, a bit each.
  std::vector<uint64_t> TakenNames;
  static uint64_t TakenBit(int32_t first) { return uint64_t(1) << (first & 63); }
  // What it uses of the engine, by the engine's own names.
  struct Parts {
    RecordMemory& mem;
  } Eng;
};

// A text blank-padded (or cut) to a length.
std::string Padded(std::string text, size_t length);
// A text without its trailing blanks.
std::string TrimmedRight(const std::string& text);

}  // namespace mv
