// Substitution of ambiguous corners: one cycle of the attempt to make a grammar LL(1). The
// alternatives whose select sets clash have their corner nonterminal replaced by its
// alternatives; the first symbols of every clash go into a history file that links the
// cycles, so that a clash coming back shows that the cycles repeat themselves.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"
#include "output/output.h"
#include "store/record_memory.h"
#include "transform/transform.h"

namespace mv {

namespace {

// The file holds names in fixed fields of this width; a longer (escaped) name widens its own.
constexpr size_t NameField = 255;
constexpr const char* HistoryExtension = ".temp";

// A name with no blank and no control byte in it, so that the fields can always be found.
std::string Escaped(const std::string& name) {
  static const char* const hex = "0123456789ABCDEF";
  std::string text;
  for (unsigned char c : name) {
    if (c <= 32 || c == 127 || c == '\\') {
      text.push_back('\\');
      text.push_back(hex[c >> 4]);
      text.push_back(hex[c & 15]);
    } else {
      text.push_back(char(c));
    }
  }
  return text;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool Unescaped(const std::string& text, std::string& name) {
  name.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      name.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size()) return false;
    int hi = HexValue(text[i + 1]), lo = HexValue(text[i + 2]);
    if (hi < 0 || lo < 0) return false;
    name.push_back(char(hi * 16 + lo));
    i += 2;
  }
  return true;
}

std::string Half(const ClashSymbol& s) {
  std::string name = s.Kind == KindNonterminal || s.Kind == KindTerminal ? Escaped(s.Name) : "";
  if (name.size() < NameField) name.resize(NameField, ' ');
  return " " + std::to_string(s.Kind) + name;
}

}  // namespace

std::string Transform::HistoryLine(const ClashRecord& clash) {
  return Half(clash.First) + Half(clash.Second);
}

bool Transform::ParseHistoryLine(const std::string& raw, ClashRecord& clash) {
  std::string line = raw;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  size_t at = 0;
  auto blanks = [&] {
    while (at < line.size() && line[at] == ' ') ++at;
  };
  auto kind = [&](int32_t& k) {
    blanks();
    if (at >= line.size() || line[at] < '0' || line[at] > '3') return false;
    k = line[at++] - '0';
    return true;
  };
  auto name = [&](const ClashSymbol& s, std::string& text) {
    size_t end = at;
    while (end < line.size() && line[end] != ' ') ++end;
    std::string token = line.substr(at, end - at);
    at = end;
    if (s.Kind != KindNonterminal && s.Kind != KindTerminal) return token.empty();
    return Unescaped(token, text);
  };
  ClashRecord c;
  if (line.size() < 2 || line[0] != ' ') return false;
  if (!kind(c.First.Kind) || !name(c.First, c.First.Name)) return false;
  if (!kind(c.Second.Kind) || !name(c.Second, c.Second.Name)) return false;
  blanks();
  if (at != line.size()) return false;
  clash = c;
  return true;
}

void Transform::ReadTempLists() {
  ClashList.clear();
  ClashHistory.clear();
  CornerList.clear();
  CornerRules.clear();
  std::string name;
  if (!Eng.out.ResultFileName(HistoryExtension, name)) return;
  std::ifstream in(name, std::ios::binary);
  std::string line;
  ClashRecord clash;
  while (in && std::getline(in, line) && ParseHistoryLine(line, clash)) ClashHistory.push_back(clash);
}

void Transform::WriteTempLists() {
  if (ClashHistory.empty()) return;
  std::string name;
  if (!Eng.out.ResultFileName(HistoryExtension, name)) return;
  // Written whole or not at all, as every file of the engine; a failure is the latest error.
  OutputUnit file;
  file.ReportTo(&Eng.out.LastError);
  if (!file.Open(name)) return;
  for (const ClashRecord& clash : ClashHistory) file.WriteLine(HistoryLine(clash));
  file.Close();
}

ClashSymbol Transform::FirstSymbol(int32_t rule) const {
  const RecordMemory& m = Eng.mem;
  const int32_t e = FirstNonAction(rule);
  if (e < 1) return ClashSymbol{0, ""};
  const int32_t kind = m.IVLR(ElementPool, e, ElemKind);
  const int32_t referent = m.IVLR(ElementPool, e, ElemReferent);
  if (kind == KindNonterminal) return ClashSymbol{kind, Name(NonterminalPool, referent)};
  if (kind == KindTerminal) return ClashSymbol{kind, Name(TerminalPool, referent)};
  return ClashSymbol{KindEmpty, ""};
}

void Transform::RecordClash(int32_t a, int32_t ra, int32_t rb) {
  for (int32_t r : {ra, rb}) {
    if (Corner(r) < 1) continue;
    if (CornerRules.insert(r).second) CornerList.push_back(CornerRecord{a, r});
  }
  ClashList.push_back(ClashRecord{FirstSymbol(ra), FirstSymbol(rb)});
}

namespace {

// One key for a clash and for the same two symbols in the other order.
std::string PairKey(const ClashRecord& clash) {
  auto symbol = [](const ClashSymbol& s) {
    std::string key(8, '\0');
    const uint32_t kind = uint32_t(s.Kind), size = uint32_t(s.Name.size());
    std::memcpy(key.data(), &kind, 4);
    std::memcpy(key.data() + 4, &size, 4);
    return key + s.Name;
  };
  std::string first = symbol(clash.First), second = symbol(clash.Second);
  if (second < first) first.swap(second);
  return first + second;
}

}  // namespace

void Transform::ScanSelectSets(int32_t a, std::vector<int32_t>& claims, bool& ll1) {
  const RecordMemory& m = Eng.mem;
  const Analysis& an = Eng.an;
  const int32_t n = Eng.store.Counts.N, t = Eng.store.Counts.T;
  // One entry per terminal and the end marker, however many terminals there are.
  claims.assign(size_t(t) + 2, 0);
  const std::vector<int32_t> alternatives = Alternatives(a);
  // The alternatives of each number in their order: a clash finds its owners without a walk
  // over all of them, which made one nonterminal of many clashing alternatives quadratic.
  std::unordered_map<int32_t, std::vector<int32_t>> numbered;
  for (int32_t r : alternatives) numbered[m.IVLR(RulePool, r, RuleNumber)].push_back(r);
  for (int32_t r : alternatives) {
    const int32_t number = m.IVLR(RulePool, r, RuleNumber);
    auto claim = [&](int32_t index) {
      if (index < 1 || index > t + 1) return;
      const int32_t owner = claims[size_t(index)];
      if (owner != 0 && owner != number) {
        ll1 = false;
        for (int32_t r2 : numbered[owner]) RecordClash(a, r2, r);
      }
      claims[size_t(index)] = number;
    };
    bool ended = false;
    for (int32_t e : Elements(r)) {
      const int32_t kind = m.IVLR(ElementPool, e, ElemKind);
      const int32_t referent = m.IVLR(ElementPool, e, ElemReferent);
      if (kind == KindTerminal) {
        claim(m.IVLR(TerminalPool, referent, TrmNumber));
        ended = true;
      } else if (kind == KindNonterminal) {
        const int32_t k = m.IVLR(NonterminalPool, referent, NtmNumber);
        for (int32_t i = 1; i <= t; ++i)
          if (an.BeginsWithHolds(n + i, k)) claim(i);
        ended = m.IVLR(NonterminalPool, referent, NtmNullable) != 1;
      }
      if (ended) break;
    }
    if (!ended) {
      const int32_t column = m.IVLR(NonterminalPool, a, NtmNumber);
      for (int32_t i = 1; i <= t + 1; ++i)
        if (an.FollowedByHolds(n + i, column)) claim(i);
    }
  }
}

bool Transform::SubstOfAmbigCorner(int32_t& substitutions, int32_t& loops) {
  if (Eng.store.Grammar.First < 1) return false;
  substitutions = 0;
  loops = 0;
  Run([&] {
    ReadTempLists();
    bool ll1 = true;
    std::vector<int32_t> claims;
    WalkGrammar(Eng.mem, Eng.store, [&](int32_t a) { ScanSelectSets(a, claims, ll1); });
    if (ll1) return;
    std::unordered_set<std::string> earlier;
    for (const ClashRecord& clash : ClashHistory) earlier.insert(PairKey(clash));
    for (const ClashRecord& now : ClashList)
      if (earlier.count(PairKey(now)) != 0) {
        loops = 1;
        break;
      }
    ClashHistory.insert(ClashHistory.end(), ClashList.begin(), ClashList.end());
    WriteTempLists();
    for (const CornerRecord& c : CornerList) {
      if (Corner(c.Rule) < 1) continue;
      ++substitutions;
      SubstituteCorner(c.Nonterminal, c.Rule);
    }
  });
  return true;
}

}  // namespace mv
