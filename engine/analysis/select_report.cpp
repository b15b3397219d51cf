// The select-set report: every alternative with its select set, clashing alternatives marked,
// and the LL(1) verdict.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"
#include "output/output.h"

namespace mv {

namespace {

// Terminal characters as the report shows them: the code of a terminal's first character,
// EndMarkerCode for the end marker.
struct CodeTable {
  std::vector<int32_t> IndexOfCode;  // 0..EndMarkerCode, 0 = no terminal
  std::vector<int32_t> Codes;        // the codes in use, ascending
  std::vector<int32_t> CharOf;       // terminal index -> character code
};

CodeTable BuildCodeTable(const RecordMemory& m, const GrammarStore& st) {
  const int32_t t = st.Counts.T;
  CodeTable table;
  table.IndexOfCode.assign(size_t(EndMarkerCode) + 1, 0);
  table.CharOf.assign(size_t(t) + 2, 0);
  if (st.Terminals.Last >= 1)
    WalkChain(m, TerminalPool, TrmNext, st.Terminals.First, st.Terminals.Last, [&](int32_t r) {
      const int32_t number = m.IVLR(TerminalPool, r, TrmNumber);
      const int32_t code = m.IVLR(NameCharPool, m.IVLR(TerminalPool, r, TrmNameFirst), mv::CharCode);
      // A terminal that no alternative uses has no index, and a code beyond the table none
      // of its entries.
      if (number < 1 || number > t) return;
      table.CharOf[size_t(number)] = code;
      if (code >= 0 && code < EndMarkerCode) table.IndexOfCode[size_t(code)] = number;
    });
  table.IndexOfCode[size_t(EndMarkerCode)] = t + 1;
  for (int32_t c = 0; c <= EndMarkerCode; ++c)
    if (table.IndexOfCode[size_t(c)] != 0) table.Codes.push_back(c);
  return table;
}

// Report text gathered before it goes to the line, which breaks one text where it would break
// its parts: one write stands for many small ones.
struct ReportText {
  Output& Out;
  std::string Text;
  void Add(std::string_view text) { Text += text; }
  // A code as the line writes it: a byte for codes 0..255 (spelt there when escaped).
  void Code(int32_t c) {
    if (c >= 0 && c <= 255) {
      Text += char(c);
      return;
    }
    Write();
    Out.AppendLineCodes(&c, 1);
  }
  void Write() {
    if (!Text.empty()) Out.WriteText(Text);
    Text.clear();
  }
};

// A code of a select set.
void WriteSelectForm(ReportText& out, int32_t c) {
  if (c == EndMarkerCode) {
    out.Add("finish");
  } else if (c == 32 || c == 34) {
    out.Add("'");
    out.Code(c);
    out.Add("'");
  } else if (c != 39 && ((c >= 0 && c <= 31) || c == 127 || (c >= 145 && c <= 148))) {
    out.Add("''" + Output::Decimal(c) + "''");
  } else {
    out.Add("\"");
    out.Code(c);
    out.Add("\"");
  }
}

// The character of a clashing terminal index.
void WriteClashForm(ReportText& out, const CodeTable& table, int32_t index) {
  if (index < 1 || size_t(index) + 1 >= table.CharOf.size()) {
    out.Add("finish");
    return;
  }
  const int32_t c = table.CharOf[size_t(index)];
  if ((c >= 0 && c <= 31) || c == 127) {
    out.Add("char(" + Output::Decimal(c) + ")");
  } else if (c == 34) {
    out.Add("'\"'");
  } else {
    out.Add("\"");
    out.Code(c);
    out.Add("\"");
  }
}

// The select set of alternative r as runs of consecutive codes.
void WriteSelectSet(ReportText& out, const CodeTable& table, const std::vector<int32_t>& owners, int32_t r) {
  bool any = false;
  size_t i = 0;
  const auto selected = [&](int32_t c) { return owners[size_t(table.IndexOfCode[size_t(c)])] == r; };
  while (i < table.Codes.size()) {
    const int32_t first = table.Codes[i];
    if (!selected(first)) {
      ++i;
      continue;
    }
    int32_t last = first;
    while (i + 1 < table.Codes.size() && table.Codes[i + 1] == last + 1 && selected(table.Codes[i + 1]))
      last = table.Codes[++i];
    ++i;
    if (any) out.Add(" ");
    any = true;
    WriteSelectForm(out, first);
    if (last != first) {
      out.Add("-");
      WriteSelectForm(out, last);
    }
  }
}

}  // namespace

int32_t Analysis::CheckLL1() {
  RecordMemory& m = Eng.mem;
  Output& out = Eng.out;
  const GrammarStore& st = Eng.store;
  const CodeTable table = BuildCodeTable(m, st);
  int32_t verdict = -1;
  std::vector<int32_t> owners;
  ReportText text{out, {}};
  int32_t previous = 0;
  WalkGrammar(m, st, [&](int32_t a) {
    int32_t flag = -1;
    SelectSetOfAlternative(a, owners, flag);
    verdict &= flag;
    if (previous >= 1) {
      out.ListingLineNumber = -m.IVLR(RulePool, m.IVLR(NonterminalPool, previous, NtmLastRule), RuleNumber);
      out.StartOutputLine(0);
      out.WriteText("'" + std::string(63, '~'));
    }
    previous = a;
    const std::vector<SelectCollision>& clashes = Collisions;
    // The clashes of each alternative, in their order.
    std::unordered_map<int32_t, std::vector<int32_t>> clashesOf;
    for (const SelectCollision& c : clashes) clashesOf[c.Rule].push_back(c.Index);
    // How many alternatives carry each number: PrintRule prints every alternative of the
    // number it is given, so one that is alone with its number is printed without a walk over
    // all the others.
    std::unordered_map<int32_t, int32_t> numbered;
    WalkAlternatives(m, a, [&](int32_t rec) { ++numbered[m.IVLR(RulePool, rec, RuleNumber)]; });
    WalkAlternatives(m, a, [&](int32_t rec) {
      const int32_t r = m.IVLR(RulePool, rec, RuleNumber);
      if (r <= 0) {
        m.VLW(RulePool, rec, RuleNumber, -r);
        --numbered[r];
        ++numbered[-r];
        return;
      }
      // Report lines carry no line number.
      if (out.ListingLineNumber >= 0)
        out.ListingLineNumber = out.ListingLineNumber == 0 ? -1 : -out.ListingLineNumber;
      out.StartOutputLine(0);
      const auto own = clashesOf.find(r);
      const bool clashed = own != clashesOf.end();
      out.WriteText((clashed ? "! " : "  ") + Output::Decimal(r) + "\t");
      if (numbered[r] == 1) {
        // The nonterminal's chain narrowed to this alternative while it is printed.
        const int32_t first = m.IVLR(NonterminalPool, a, NtmFirstRule);
        const int32_t last = m.IVLR(NonterminalPool, a, NtmLastRule);
        m.VLW(NonterminalPool, a, NtmFirstRule, rec);
        m.VLW(NonterminalPool, a, NtmLastRule, rec);
        struct Restore {
          RecordMemory& M;
          int32_t A, First, Last;
          ~Restore() {
            M.VLW(NonterminalPool, A, NtmFirstRule, First);
            M.VLW(NonterminalPool, A, NtmLastRule, Last);
          }
        } restore{m, a, first, last};
        out.PrintRule(r, a);
      } else {
        out.PrintRule(r, a);
      }
      if (clashed) {
        text.Add("\t\t\t");
        for (int32_t index : own->second) {
          WriteClashForm(text, table, index);
          text.Add(" ");
        }
        text.Add(clashes.size() == 1 ? "brings ambiguity" : "bring ambiguity");
      }
      text.Add("\t\t\t");
      WriteSelectSet(text, table, owners, r);
      text.Write();
    });
  });
  out.FlushOutputLine();
  return verdict;
}

bool Analysis::FileSetOfSelect(const std::string& extension, int16_t& verdict) {
  Output& out = Eng.out;
  if (out.OpenResultFile(extension)) {
    out.LastError.clear();
    out.StartListing(" set of select");
    verdict = int16_t(CheckLL1());
    out.ResultUnit.Close();
    return true;
  }
  // No report, but the caller still learns whether the grammar is LL(1).
  int32_t all = -1;
  std::vector<int32_t> owners;
  WalkGrammar(Eng.mem, Eng.store, [&](int32_t a) {
    int32_t flag = -1;
    SelectSetOfAlternative(a, owners, flag);
    all &= flag;
  });
  verdict = int16_t(all);
  return false;
}

}  // namespace mv
