#include "codegen/parser_writer.h"

#include <algorithm>
#include <ctime>
#include <unordered_map>

#include "codegen/codegen.h"
#include "output/output.h"
#include "store/grammar_store.h"
#include "store/record_memory.h"
#include "store/run_settings.h"
#include "output/result_name.h"

namespace mv {

namespace {

constexpr int32_t ExpectedSetLimit = 2048;

// Character-list form of a code (a run's last code uses LastInRun).
std::string ListChar(int32_t c) {
  if (c == 39) return "\"'\"";
  if (c == 32) return "' '";
  if (c == 34 || (c >= 0 && c <= 31)) return "chr(" + std::to_string(c) + ")";
  return std::string("'") + char(c) + "'";
}

// Expected-set form of a code.
std::string ExpectedChar(int32_t c, bool doubleBackslash) {
  if (c == 39) return "'";
  if (c == 32) return "' '";
  if (c == 34 || (c >= 0 && c <= 31)) return "chr(" + std::to_string(c) + ")";
  if (c == 92 && doubleBackslash) return "\\\\";
  return std::string(1, char(c));
}

// The last code of a run whose first code is a control code is spelled as chr(..) too,
// except the apostrophe and the blank.
bool ChrForLast(const CodeItem& item) {
  return item.First >= 0 && item.First <= 31 && item.Last != 39 && item.Last != 32;
}

}  // namespace

ParserWriter::ParserWriter(CodeGen& gen, const GeneratorArgs& args, CodeFamily family, int32_t width)
    : Eng{gen.Eng.mem, gen.Eng.store, gen.Eng.out, gen.Eng.run, gen},
      Args(args),
      Out(gen.Eng.out, family, width) {}

int32_t ParserWriter::Field(int32_t pool, int32_t record, int32_t field) const {
  return Eng.mem.IVLR(pool, record, field);
}

int64_t ParserWriter::Steps(int32_t pool) const { return Eng.mem.StepLimit(pool); }

std::string ParserWriter::NameOf(int32_t pool, int32_t record) const {
  return Eng.store.NameText(Field(pool, record, 3), Field(pool, record, 4));
}

std::string ParserWriter::GrammarName() const {
  return Eng.store.NameText(Eng.store.GrammarName.First, Eng.store.GrammarName.Last);
}

int32_t ParserWriter::TerminalCode(int32_t terminal) const {
  int32_t first = Field(TerminalPool, terminal, TrmNameFirst);
  if (first < 1) return -1;
  return Field(NameCharPool, first, CharCode);
}

std::vector<std::string> ParserWriter::ActionLines(int32_t action) const {
  std::vector<std::string> lines;
  int32_t line = Field(ActionPool, action, ActFirstLine);
  int32_t last = Field(ActionPool, action, ActLastLine);
  // The chain is bounded by the memory's size; a broken link ends it.
  for (int32_t guard = 0; line >= 1 && guard < Steps(ActionLinePool); ++guard) {
    lines.push_back(Eng.store.NameText(Field(ActionLinePool, line, LineFirstChar),
                                       Field(ActionLinePool, line, LineLastChar)));
    if (line == last) break;
    line = Field(ActionLinePool, line, LineNext);
  }
  return lines;
}

std::string ParserWriter::Cut(const std::string& text) {
  auto end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

bool ParserWriter::Has(const std::string& text, const std::string& what) const {
  return text.find(what) != std::string::npos;
}

void ParserWriter::BuildCodeTable() {
  const int32_t T = Args.T;
  EndCode = std::max<int32_t>(Eng.codegen.EndMarkerCode, T);
  Eng.codegen.EndMarkerCode = EndCode;
  CodeTable.assign(size_t(EndCode) + 1, T + 2);
  CodeOfNumber.assign(size_t(std::max(T, 0)) + 1, -1);
  std::vector<bool> named(CodeOfNumber.size(), false);
  int32_t terminal = Eng.store.Terminals.First;
  for (int32_t guard = 0; terminal >= 1 && guard < Steps(TerminalPool); ++guard) {
    int32_t code = TerminalCode(terminal);
    int32_t number = Field(TerminalPool, terminal, TrmNumber);
    // The first terminal of a number names it.
    if (number >= 1 && number <= T && !named[size_t(number)]) {
      named[size_t(number)] = true;
      CodeOfNumber[size_t(number)] = code;
    }
    // Codes outside the table and unnumbered terminals are left out.
    if (code >= 0 && code < EndCode && number >= 1 && number <= T) CodeTable[size_t(code)] = number;
    if (terminal == Eng.store.Terminals.Last) break;
    terminal = Field(TerminalPool, terminal, TrmNext);
  }
  CodeTable[size_t(EndCode)] = T + 1;
}

bool ParserWriter::TakesPartInMerge(int32_t rule) const {
  int32_t element = Field(RulePool, rule, RuleFirstElement);
  int32_t last = Field(RulePool, rule, RuleLastElement);
  for (int32_t guard = 0; element >= 1 && guard < Steps(ElementPool); ++guard) {
    int32_t kind = Field(ElementPool, element, ElemKind);
    if (kind == KindTerminal) return true;
    if (kind == KindNonterminal) return false;
    if (element == last) break;
    element = Field(ElementPool, element, ElemNext);
  }
  return false;
}

std::string ParserWriter::ShapeKey(int32_t rule) const {
  // The kind of every element and its referent, but for an empty element (whose referent is
  // not written) and the first terminal (which the branch test tells apart).
  std::string key;
  bool firstTerminalSeen = false;
  auto put = [&](int32_t value) { key.append(reinterpret_cast<const char*>(&value), sizeof value); };
  int32_t element = Field(RulePool, rule, RuleFirstElement);
  int32_t last = Field(RulePool, rule, RuleLastElement);
  for (int32_t guard = 0; element >= 1 && guard < Steps(ElementPool); ++guard) {
    const int32_t kind = Field(ElementPool, element, ElemKind);
    put(kind);
    if (kind == KindTerminal && !firstTerminalSeen) firstTerminalSeen = true;
    else if (kind != KindEmpty) put(Field(ElementPool, element, ElemReferent));
    if (element == last) break;
    element = Field(ElementPool, element, ElemNext);
  }
  return key;
}

NonterminalPlan ParserWriter::Plan(int32_t nonterminal) {
  const int32_t T = Args.T;
  NonterminalPlan plan;
  plan.Record = nonterminal;
  plan.Number = Field(NonterminalPool, nonterminal, NtmNumber);
  plan.Name = NameOf(NonterminalPool, nonterminal);

  std::vector<int32_t> owners;
  std::vector<std::pair<int32_t, int32_t>> conflicts;
  plan.LL1 = Eng.codegen.SelectSets(nonterminal, Args, owners, conflicts);
  SelectTable.assign(size_t(T) + 3, 0);
  for (int32_t i = 1; i <= T + 1 && size_t(i) < owners.size(); ++i)
    SelectTable[size_t(i)] = owners[size_t(i)];

  int32_t rule = Field(NonterminalPool, nonterminal, NtmFirstRule);
  int32_t lastRule = Field(NonterminalPool, nonterminal, NtmLastRule);
  bool whole = false;  // the chain ended at its last rule
  for (int32_t guard = 0; rule >= 1 && guard < Steps(RulePool); ++guard) {
    AlternativePlan alt;
    alt.Rule = rule;
    alt.Number = Field(RulePool, rule, RuleNumber);
    plan.Alternatives.push_back(alt);
    if (rule == lastRule) {
      whole = true;
      break;
    }
    rule = Field(RulePool, rule, RuleNext);
  }
  auto& alts = plan.Alternatives;
  // Each alternative by its rule number, when the numbers tell them apart (they do after the
  // numbering; the steps below keep a slower form for any other state).
  std::unordered_map<int32_t, size_t> byNumber;
  for (size_t i = 0; i < alts.size(); ++i) byNumber.emplace(alts[i].Number, i);
  const bool distinct = byNumber.size() == alts.size();
  RuleOfNumber = whole && distinct;

  // Alternatives that differ only in their first terminal share one branch: the first of each
  // shape absorbs the later ones.
  std::unordered_map<std::string, size_t> firstOfShape;
  std::vector<std::pair<int32_t, int32_t>> absorbed;  // (number, number of the absorber)
  for (size_t q = 0; q < alts.size(); ++q) {
    if (!TakesPartInMerge(alts[q].Rule)) continue;
    auto [at, fresh] = firstOfShape.emplace(ShapeKey(alts[q].Rule), q);
    if (fresh) continue;
    AlternativePlan& p = alts[at->second];
    alts[q].MergedInto = p.Number;
    absorbed.emplace_back(alts[q].Number, p.Number);
    // The first terminal of the absorbed alternative is named in the branch's comment.
    int32_t element = Field(RulePool, alts[q].Rule, RuleFirstElement);
    for (int32_t guard = 0; element >= 1 && guard < Steps(ElementPool); ++guard) {
      if (Field(ElementPool, element, ElemKind) == KindTerminal) {
        p.MergedFirstTerminals.push_back(Field(ElementPool, element, ElemReferent));
        break;
      }
      element = Field(ElementPool, element, ElemNext);
    }
  }
  if (distinct) {
    std::unordered_map<int32_t, int32_t> absorber(absorbed.begin(), absorbed.end());
    for (int32_t i = 1; i <= T + 2; ++i)
      if (auto to = absorber.find(SelectTable[size_t(i)]); to != absorber.end())
        SelectTable[size_t(i)] = to->second;
  } else {
    for (auto [from, to] : absorbed)
      for (int32_t i = 1; i <= T + 2; ++i)
        if (SelectTable[size_t(i)] == from) SelectTable[size_t(i)] = to;
  }

  // The code runs of each branch (codes 0..255, then the end marker), and its clashes.
  auto owns = [&](int32_t c, int32_t number) {
    return c <= 255 && c < EndCode && SelectTable[size_t(CodeTable[size_t(c)])] == number;
  };
  const int32_t endOwner = SelectTable[size_t(CodeTable[size_t(EndCode)])];
  if (distinct) {
    auto branch = [&](int32_t number) -> AlternativePlan* {
      auto at = byNumber.find(number);
      return at == byNumber.end() || alts[at->second].MergedInto != 0 ? nullptr : &alts[at->second];
    };
    // One pass over the codes: each run of one owner goes to the owner's branch.
    auto owner = [&](int32_t c) { return SelectTable[size_t(CodeTable[size_t(c)])]; };
    int32_t runStart = 0;
    for (int32_t c = 1; c <= 256; ++c) {
      const int32_t number = owner(runStart);
      if (c <= 255 && owner(c) == number) continue;
      if (AlternativePlan* alt = branch(number)) alt->Items.push_back({runStart, c - 1, false});
      runStart = c;
    }
    if (AlternativePlan* alt = branch(endOwner)) alt->Items.push_back({0, 0, true});
    for (auto& [index, number] : conflicts)
      if (AlternativePlan* alt = branch(number)) alt->Conflicts.push_back(index);
  } else {
    for (auto& alt : alts) {
      if (alt.MergedInto != 0) continue;
      int32_t runStart = -1;
      for (int32_t c = 0; c <= 256; ++c) {
        bool in = owns(c, alt.Number);
        if (in && runStart < 0) runStart = c;
        if (!in && runStart >= 0) {
          alt.Items.push_back({runStart, c - 1, false});
          runStart = -1;
        }
      }
      if (endOwner == alt.Number) alt.Items.push_back({0, 0, true});
      for (auto& [index, number] : conflicts)
        if (number == alt.Number) alt.Conflicts.push_back(index);
    }
  }

  std::string expected;
  for (auto& alt : alts) {
    if (alt.MergedInto != 0) continue;
    expected += ExpectedSetItems(alt.Items);
    if (expected.size() > size_t(ExpectedSetLimit)) break;
  }
  if (expected.size() > size_t(ExpectedSetLimit)) expected.resize(size_t(ExpectedSetLimit));
  auto first = expected.find_first_not_of(' ');
  plan.ExpectedSet = first == std::string::npos ? std::string() : Cut(expected.substr(first));
  return plan;
}

std::string ParserWriter::CharListText(const std::vector<CodeItem>& items) {
  std::string text;
  for (auto& item : items) {
    if (!text.empty()) text += ' ';
    if (item.End) {
      text += "finish";
    } else if (item.First == item.Last) {
      text += ListChar(item.First);
    } else {
      text += ListChar(item.First) + "-";
      text += ChrForLast(item) ? "chr(" + std::to_string(item.Last) + ")" : ListChar(item.Last);
    }
  }
  return text;
}

std::string ParserWriter::ExpectedSetPart(const std::vector<CodeItem>& items, bool doubleBackslash) {
  std::string text;
  for (auto& item : items) {
    text += ' ';
    if (item.End) {
      text += "finish";
    } else if (item.First == item.Last) {
      text += ExpectedChar(item.First, doubleBackslash);
    } else {
      text += ExpectedChar(item.First, doubleBackslash) + "-";
      if (ChrForLast(item)) text += "chr(" + std::to_string(item.Last) + ")";
      else if (item.Last == 92 && doubleBackslash) text += " \\\\";
      else text += ExpectedChar(item.Last, doubleBackslash);
    }
  }
  return text;
}

std::string ParserWriter::AmbiguityText(const std::vector<int32_t>& conflicts) const {
  std::string text;
  // Long lists are usual in ambiguous grammars: each item goes straight onto the text.
  text.reserve(conflicts.size() * 4);
  for (int32_t index : conflicts) {
    const int32_t c = index >= 1 && index <= Args.T && size_t(index) < CodeOfNumber.size()
                          ? CodeOfNumber[size_t(index)]
                          : -1;
    if (c < 0) {
      text += "finish";  // the end of the text has no character
    } else if (c == 34) {
      text += "'\"'";
    } else if ((c >= 0 && c <= 31) || c == 127) {
      text += "char(";
      text += std::to_string(c);
      text += ')';
    } else {
      text += '"';
      text += char(c);
      text += '"';
    }
    text += ' ';
  }
  return text;
}

std::string ParserWriter::CLikeCondition(const std::vector<CodeItem>& items, bool parentheses) {
  if (items.empty()) return "false";
  const bool several = items.size() > 1;
  std::string text;
  for (auto& item : items) {
    if (!text.empty()) text += " || ";
    if (item.End) {
      text += "ll1==fin";
    } else if (item.First == item.Last) {
      text += "ll1==" + std::to_string(item.First);
    } else {
      std::string run = "ll1>=" + std::to_string(item.First) + " && ll1<=" + std::to_string(item.Last);
      text += parentheses && several ? "(" + run + ")" : run;
    }
  }
  return text;
}

std::string ParserWriter::CQuoted(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    out += ch;
  }
  return out + "\"";
}

std::string ParserWriter::InsideBlockComment(std::string text) {
  for (size_t at = text.find("*/"); at != std::string::npos; at = text.find("*/", at))
    text.insert(at + 1, " ");
  return text;
}

std::string ParserWriter::DoubledQuotes(const std::string& text, char quote) {
  std::string out(1, quote);
  for (char ch : text) {
    out += ch;
    if (ch == quote) out += quote;
  }
  return out + quote;
}

void ParserWriter::HeaderComments(const std::string& first, const std::string& fileName) {
  if (!first.empty()) Out.Comment(first);
  Out.Comment("Name: " + fileName);
  Out.Comment("Autor:");
  Out.Comment("Date: " + GenerationDate(Eng.codegen));
  Out.Comment("CVS-ID: ");
  Out.Comment("Purpose: the realization of LL1 algorithm for a grammar <" + GrammarName() + ">");
  Eng.codegen.GrammarComment();
}

std::string ParserWriter::CodeListNumbers(const std::vector<CodeItem>& items, const std::string& sep,
                                          const std::string& rangeWord, const std::string& endWord) const {
  std::string text;
  for (auto& item : items) {
    if (!text.empty()) text += sep;
    if (item.End) text += endWord;
    else if (item.First == item.Last) text += std::to_string(item.First);
    else text += std::to_string(item.First) + rangeWord + std::to_string(item.Last);
  }
  return text;
}

void ParserWriter::WriteAlternativeElements(const NonterminalPlan& nt, const AlternativePlan& alt) {
  bool firstTerminalState = true;
  int32_t element = Field(RulePool, alt.Rule, RuleFirstElement);
  int32_t last = Field(RulePool, alt.Rule, RuleLastElement);
  for (int32_t guard = 0; element >= 1 && guard < Steps(ElementPool); ++guard) {
    int32_t kind = Field(ElementPool, element, ElemKind);
    int32_t referent = Field(ElementPool, element, ElemReferent);
    switch (kind) {
      case KindAction:
        ActionElement(referent);
        break;
      case KindTerminal: {
        static const std::vector<int32_t> none;
        TerminalElement(referent, TerminalCode(referent), firstTerminalState,
                        firstTerminalState ? alt.MergedFirstTerminals : none);
        firstTerminalState = false;
        break;
      }
      case KindNonterminal:
        if (Tails.count(element)) TailCall(nt, element, MayReadNothing(alt));
        else NonterminalElement(referent, element, element == last);
        firstTerminalState = false;
        break;
      default:
        EmptyElement();
        break;
    }
    if (element == last) break;
    element = Field(ElementPool, element, ElemNext);
  }
}

void ParserWriter::AmbiguityNote(const AlternativePlan& alt) {
  Out.Statement(0, CommentSign + "!!!!!!!!!!! Ambiguous choice with: ");
  Out.AppendRaw(AmbiguityText(alt.Conflicts));
}

void ParserWriter::ActionElement(int32_t action) {
  if (!AlwaysActions && !IsTrue(Eng.run.BuildActions)) return;
  auto lines = ActionLines(action);
  for (size_t i = 0; i < lines.size(); ++i) {
    Out.Flush();
    Out.Statement(2, lines[i]);
    if (i == 0) Out.CommentTail(ActionCommentLead + "Action `" + NameOf(ActionPool, action) + "`");
  }
}

void ParserWriter::UnchosenNote(const NonterminalPlan& nt, const AlternativePlan& alt) {
  Out.Comment("never chosen, an earlier alternative takes its characters: ");
  PrintAlternative(nt, alt);
  Out.Flush();
}

void ParserWriter::PrintAlternative(const NonterminalPlan& nt, const AlternativePlan& alt) {
  // Numbers that tell the alternatives apart lead straight to the record: no walk of the
  // nonterminal's other alternatives per printed one.
  if (RuleOfNumber) Eng.out.PrintRuleRecord(alt.Rule, nt.Record);
  else Eng.codegen.PrintRuleInto(alt.Number, nt.Record);
}

void ParserWriter::WriteRuleComment(int tabs, const std::string& code, const std::string& lead,
                                    const NonterminalPlan& nt, const AlternativePlan& alt) {
  Out.Statement(tabs, code);
  Out.CommentTail(lead);
  PrintAlternative(nt, alt);
  Out.Flush();
}

std::string ParserWriter::TerminalComment(const std::string& lead, int32_t terminal,
                                          const std::vector<int32_t>& mergedFirst,
                                          std::string& lastName) const {
  lastName = NameOf(TerminalPool, terminal);
  std::string line = lead + lastName;
  for (int32_t other : mergedFirst) {
    lastName = NameOf(TerminalPool, other);
    line += "|" + lastName;
  }
  return line;
}

void ParserWriter::SlashTerminalComment(int32_t terminal, const std::vector<int32_t>& mergedFirst) {
  std::string lastName;
  std::string line = TerminalComment("//  ", terminal, mergedFirst, lastName);
  Out.Statement(0, "");
  Out.AppendRaw(line);
  if (!line.empty() && line.back() == '\\')
    Out.AppendRaw("\t\t\t\t\t\"this text prevents of a multi-line comment\"");
}

std::string ParserWriter::CCharLiteral(int32_t code) {
  if ((code >= 0 && code <= 31) || code > 255) return "\"chr(" + std::to_string(code) + ")\"";
  return CQuoted(std::string(1, char(code)));
}

std::string ParserWriter::GrammarIdentifier() const {
  std::string name = Eng.codegen.IdentifierText(Eng.store.GrammarName.First, Eng.store.GrammarName.Last);
  if (name.size() > MaxNameLength) name.resize(MaxNameLength);
  return name;
}

void ParserWriter::StatementLines(std::initializer_list<std::pair<int, const char*>> lines) {
  for (auto& [tabs, text] : lines) Out.Statement(tabs, text);
}

int32_t ParserWriter::WriteNonterminals() {
  BuildCodeTable();
  int32_t count = 0;
  int32_t nonterminal = Eng.store.Grammar.First;
  for (int32_t guard = 0; nonterminal >= 1 && guard < Steps(NonterminalPool); ++guard) {
    NonterminalPlan plan = Plan(nonterminal);
    if (!plan.LL1) Clashing.push_back(plan.Name);
    Tails = TailsOf(plan.Record);
    BeginProcedure(plan);
    bool first = true;
    for (auto& alt : plan.Alternatives) {
      if (alt.MergedInto != 0) continue;
      if (alt.Items.empty() && OmitsUnchosenBranch(plan, alt)) continue;
      OpenBranch(plan, alt, first);
      first = false;
      if (!alt.Conflicts.empty()) AmbiguityNote(alt);
      RuleComment(plan, alt);
      if (EndsInTail(alt) && MayReadNothing(alt)) PassStart();
      WriteAlternativeElements(plan, alt);
      CloseBranch(plan, alt);
    }
    ElseBranch(plan);
    EndProcedure(plan);
    ++count;
    if (nonterminal == Eng.store.Grammar.Last) break;
    nonterminal = Field(NonterminalPool, nonterminal, NtmNext);
  }
  return count;
}

void ParserWriter::WriteCountLine(int32_t count, int width, const std::string& tail) {
  Out.Flush();
  if (Eng.store.GenerationLogFlag) {
    std::string number = std::to_string(count);
    if (number.size() < size_t(width)) number.insert(0, size_t(width) - number.size(), ' ');
    Eng.codegen.LogLine(number + tail);
    // A parser of a grammar that is not LL(1) takes the first matching choice: say where.
    if (!Clashing.empty()) {
      std::string names;
      for (auto& name : Clashing) names += (names.empty() ? "<" : ", <") + name + ">";
      Eng.codegen.LogLine("The grammar is not LL(1): the choices of " + names + " clash.");
    }
  }
  Out.Flush();
}

std::string LowerCaseBase(const std::string& base) { return names::LowerCaseBase(base); }

std::string UpperCaseBase(const std::string& base) {
  std::string text = base;
  for (auto& ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c >= 97 && c <= 122) || c >= 224) ch = char(c - 32);
  }
  return text;
}

std::string GenerationDate(const CodeGen& gen) {
  if (!gen.FixedDate.empty()) return gen.FixedDate;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[40];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d", local.tm_mday, local.tm_mon + 1, local.tm_year % 100);
  return text;
}

}  // namespace mv

namespace mv {

std::set<int32_t> ParserWriter::TailsOf(int32_t nonterminal) const {
  if (int32_t tail = LoopTailElement(nonterminal)) return {tail};
  std::set<int32_t> tails;
  int32_t rule = Field(NonterminalPool, nonterminal, NtmFirstRule);
  int32_t lastRule = Field(NonterminalPool, nonterminal, NtmLastRule);
  for (int32_t guard = 0; rule >= 1 && guard < Steps(RulePool); ++guard) {
    int32_t last = Field(RulePool, rule, RuleLastElement);
    if (last >= 1 && Field(ElementPool, last, ElemKind) == KindNonterminal &&
        Field(ElementPool, last, ElemReferent) == nonterminal)
      tails.insert(last);
    if (rule == lastRule) break;
    rule = Field(RulePool, rule, RuleNext);
  }
  return tails;
}

ParserWriter::CallShape ParserWriter::CallGraph() const {
  const int32_t n = Args.N;
  std::vector<std::vector<int32_t>> callees(size_t(n) + 1);
  CallShape shape;
  shape.Recursive.assign(size_t(n) + 1, false);
  shape.Calls.assign(size_t(n) + 1, false);
  int32_t current = 0;
  std::set<int32_t> tails;
  ForEachElement([&](int32_t nonterminal, int32_t element) {
    if (nonterminal != current) tails = TailsOf(current = nonterminal);
    int32_t from = Field(NonterminalPool, nonterminal, NtmNumber);
    int32_t to = Field(NonterminalPool, Field(ElementPool, element, ElemReferent), NtmNumber);
    if (Field(ElementPool, element, ElemKind) == KindNonterminal && !tails.count(element) && from >= 1 &&
        from <= n && to >= 1 && to <= n) {
      callees[size_t(from)].push_back(to);
      shape.Calls[size_t(from)] = true;
      if (to == from) shape.Recursive[size_t(from)] = true;
    }
  });
  // The strongly connected components (Tarjan's, without recursion): a component of two or
  // more procedures is recursive.
  std::vector<int32_t> index(size_t(n) + 1, -1), low(size_t(n) + 1, 0), stack;
  std::vector<bool> onStack(size_t(n) + 1, false);
  int32_t counter = 0;
  for (int32_t root = 1; root <= n; ++root) {
    if (index[size_t(root)] >= 0) continue;
    std::vector<std::pair<int32_t, size_t>> path{{root, 0}};
    index[size_t(root)] = low[size_t(root)] = counter++;
    stack.push_back(root);
    onStack[size_t(root)] = true;
    while (!path.empty()) {
      auto& [v, next] = path.back();
      if (next < callees[size_t(v)].size()) {
        int32_t w = callees[size_t(v)][next++];
        if (index[size_t(w)] < 0) {
          index[size_t(w)] = low[size_t(w)] = counter++;
          stack.push_back(w);
          onStack[size_t(w)] = true;
          path.push_back({w, 0});
        } else if (onStack[size_t(w)]) {
          low[size_t(v)] = std::min(low[size_t(v)], index[size_t(w)]);
        }
        continue;
      }
      int32_t done = v;
      path.pop_back();
      if (!path.empty())
        low[size_t(path.back().first)] = std::min(low[size_t(path.back().first)], low[size_t(done)]);
      if (low[size_t(done)] != index[size_t(done)]) continue;
      std::vector<int32_t> component;
      int32_t w = 0;
      do {
        w = stack.back();
        stack.pop_back();
        onStack[size_t(w)] = false;
        component.push_back(w);
      } while (w != done);
      if (component.size() > 1)
        for (int32_t c : component) shape.Recursive[size_t(c)] = true;
    }
  }
  return shape;
}

void ParserWriter::ForEachElement(const std::function<void(int32_t, int32_t)>& visit) const {
  int32_t nonterminal = Eng.store.Grammar.First;
  for (int32_t guard = 0; nonterminal >= 1 && guard < Steps(NonterminalPool); ++guard) {
    int32_t rule = Field(NonterminalPool, nonterminal, NtmFirstRule);
    int32_t lastRule = Field(NonterminalPool, nonterminal, NtmLastRule);
    for (int32_t g = 0; rule >= 1 && g < Steps(RulePool); ++g) {
      int32_t element = Field(RulePool, rule, RuleFirstElement);
      int32_t last = Field(RulePool, rule, RuleLastElement);
      for (int32_t k = 0; element >= 1 && k < Steps(ElementPool); ++k) {
        visit(nonterminal, element);
        if (element == last) break;
        element = Field(ElementPool, element, ElemNext);
      }
      if (rule == lastRule) break;
      rule = Field(RulePool, rule, RuleNext);
    }
    if (nonterminal == Eng.store.Grammar.Last) break;
    nonterminal = Field(NonterminalPool, nonterminal, NtmNext);
  }
}

bool ParserWriter::GrammarTextsHold(const std::string& word) const {
  const GrammarStore& st = Eng.store;
  for (const std::string* text : {&st.UserTitle, &st.UserScanner, &st.UserErrorReaction, &st.UserExternal})
    if (Has(*text, word)) return true;
  for (const auto* lines : {&st.UserDeclarations, &st.UserPreParse, &st.UserPostParse})
    for (auto& line : *lines)
      if (Has(line, word)) return true;
  int32_t action = st.Actions.First;
  for (int32_t guard = 0; action >= 1 && guard < Steps(ActionPool); ++guard) {
    for (auto& line : ActionLines(action))
      if (Has(line, word)) return true;
    if (action == st.Actions.Last) break;
    action = Field(ActionPool, action, ActNext);
  }
  return false;
}

int32_t ParserWriter::TailElementOf(const AlternativePlan& alt) const {
  int32_t element = Field(RulePool, alt.Rule, RuleFirstElement);
  int32_t last = Field(RulePool, alt.Rule, RuleLastElement);
  for (int32_t guard = 0; element >= 1 && guard < Steps(ElementPool); ++guard) {
    if (Tails.count(element)) return element;
    if (element == last) break;
    element = Field(ElementPool, element, ElemNext);
  }
  return 0;
}

bool ParserWriter::EndsInTail(const AlternativePlan& alt) const { return TailElementOf(alt) != 0; }

bool ParserWriter::MayReadNothing(const AlternativePlan& alt) const {
  int32_t tail = TailElementOf(alt);
  if (tail == 0) return false;
  // Every element before the tail call may derive nothing: the pass may read no character.
  for (int32_t element = Field(RulePool, alt.Rule, RuleFirstElement), guard = 0;
       element >= 1 && element != tail && guard < Steps(ElementPool); ++guard) {
    int32_t kind = Field(ElementPool, element, ElemKind);
    if (kind == KindTerminal) return false;
    if (kind == KindNonterminal &&
        Field(NonterminalPool, Field(ElementPool, element, ElemReferent), NtmNullable) != 1)
      return false;
    element = Field(ElementPool, element, ElemNext);
  }
  return true;
}

int32_t ParserWriter::LoopTailElement(int32_t nonterminal) const {
  int32_t rules[2] = {Field(NonterminalPool, nonterminal, NtmFirstRule), 0};
  if (rules[0] < 1 || rules[0] == Field(NonterminalPool, nonterminal, NtmLastRule)) return 0;
  rules[1] = Field(RulePool, rules[0], RuleNext);
  if (rules[1] < 1 || rules[1] != Field(NonterminalPool, nonterminal, NtmLastRule)) return 0;

  bool ending = false;  // one alternative holds an empty element or is a single action
  bool flag = false;
  int32_t tail = 0;
  bool actionAfterTail = false;
  for (int32_t rule : rules) {
    int32_t element = Field(RulePool, rule, RuleFirstElement);
    int32_t last = Field(RulePool, rule, RuleLastElement);
    int32_t count = 0, actions = 0, position = 0;
    bool tailHere = false;
    for (int32_t guard = 0; element >= 1 && guard < Steps(ElementPool); ++guard) {
      int32_t kind = Field(ElementPool, element, ElemKind);
      ++count;
      if (kind == KindAction) {
        ++actions;
        if (tailHere) actionAfterTail = true;
      } else {
        ++position;
        if (kind == KindEmpty) {
          ending = true;
        } else if (kind == KindTerminal) {
          flag = false;
        } else if (position >= 2) {
          flag = Field(ElementPool, element, ElemReferent) == nonterminal;
          tail = flag ? element : 0;
          tailHere = flag;
          actionAfterTail = false;
        }
      }
      if (element == last) break;
      element = Field(ElementPool, element, ElemNext);
    }
    if (count == 1 && actions == 1) ending = true;
  }
  // An action after the tail call must run after the recursion returns: no loop then.
  if (actionAfterTail) return 0;
  return ending && flag ? tail : 0;
}

}  // namespace mv
