// The select-set report: every alternative with its select set, clashing alternatives marked,
// and the LL(1) verdict.

#include "analysis/analysis.h"
#include "analysis/grammar_walk.h"
#include "engine.h"

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
      const int32_t code =
          m.IVLR(NameCharPool, m.IVLR(TerminalPool, r, TrmNameFirst), mv::CharCode);
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

void WriteCode(Output& out, int32_t c) { out.AppendLineCodes(&c, 1); }

// A code of a select set.
void WriteSelectForm(Output& out, int32_t c) {
  if (c == EndMarkerCode) {
    out.WriteText("finish");
  } else if (c == 32 || c == 34) {
    out.WriteText("'");
    WriteCode(out, c);
    out.WriteText("'");
  } else if (c != 39 && ((c >= 0 && c <= 31) || c == 127 || (c >= 145 && c <= 148))) {
    out.WriteText("''" + Output::Decimal(c) + "''");
  } else {
    out.WriteText("\"");
    WriteCode(out, c);
    out.WriteText("\"");
  }
}

// The character of a clashing terminal index.
void WriteClashForm(Output& out, const CodeTable& table, int32_t index) {
  if (index < 1 || size_t(index) + 1 >= table.CharOf.size()) {
    out.WriteText("finish");
    return;
  }
  const int32_t c = table.CharOf[size_t(index)];
  if ((c >= 0 && c <= 31) || c == 127) {
    out.WriteText("char(" + Output::Decimal(c) + ")");
  } else if (c == 34) {
    out.WriteText("'\"'");
  } else {
    out.WriteText("\"");
    WriteCode(out, c);
    out.WriteText("\"");
  }
}

// The select set of alternative r as runs of consecutive codes.
void WriteSelectSet(Output& out, const CodeTable& table, const std::vector<int32_t>& owners,
                    int32_t r) {
  bool any = false;
  size_t i = 0;
  const auto selected = [&](int32_t c) {
    return owners[size_t(table.IndexOfCode[size_t(c)])] == r;
  };
  while (i < table.Codes.size()) {
    const int32_t first = table.Codes[i];
    if (!selected(first)) {
      ++i;
      continue;
    }
    int32_t last = first;
    while (i + 1 < table.Codes.size() && table.Codes[i + 1] == last + 1 &&
           selected(table.Codes[i + 1]))
      last = table.Codes[++i];
    ++i;
    if (any) out.WriteText(" ");
    any = true;
    WriteSelectForm(out, first);
    if (last != first) {
      out.WriteText("-");
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
  int32_t previous = 0;
  WalkGrammar(m, st, [&](int32_t a) {
    int32_t flag = -1;
    SelectSetOfAlternative(a, owners, flag);
    verdict &= flag;
    if (previous >= 1) {
      out.ListingLineNumber =
          -m.IVLR(RulePool, m.IVLR(NonterminalPool, previous, NtmLastRule), RuleNumber);
      out.StartOutputLine(0);
      out.WriteText("'" + std::string(63, '~'));
    }
    previous = a;
    const std::vector<SelectCollision> clashes = SelectCollisions();
    WalkAlternatives(m, a, [&](int32_t rec) {
      const int32_t r = m.IVLR(RulePool, rec, RuleNumber);
      if (r <= 0) {
        m.VLW(RulePool, rec, RuleNumber, -r);
        return;
      }
      // Report lines carry no line number.
      if (out.ListingLineNumber >= 0)
        out.ListingLineNumber = out.ListingLineNumber == 0 ? -1 : -out.ListingLineNumber;
      out.StartOutputLine(0);
      bool clashed = false;
      for (const SelectCollision& c : clashes) clashed = clashed || c.Rule == r;
      out.WriteText(clashed ? "! " : "  ");
      out.WriteText(Output::Decimal(r) + "\t");
      out.PrintRule(r, a);
      if (clashed) {
        out.WriteText("\t\t\t");
        for (const SelectCollision& c : clashes) {
          if (c.Rule != r) continue;
          WriteClashForm(out, table, c.Index);
          out.WriteText(" ");
        }
        out.WriteText(clashes.size() == 1 ? "brings ambiguity" : "bring ambiguity");
      }
      out.WriteText("\t\t\t");
      WriteSelectSet(out, table, owners, r);
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
