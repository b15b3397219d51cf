// Printing grammars: rule listings, grammar comments of generated parsers, the grammar file,
// and the result-file exports' common frame.
#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "output/output.h"
#include "store/chain_walk.h"
#include "store/grammar_store.h"

namespace mv {

namespace {

// First characters that make a printed terminal quoted (the tab only where tabQuoted is set).
bool IsSpecialFirst(int32_t code, bool tabQuoted) {
  switch (code) {
    case ' ':
    case '-':
    case '|':
    case '}':
    case '\'':
    case '{':
    case '<':
    case '~':
    case '[':
    case ']':
    case '`':
      return true;
    case '\t':
      return tabQuoted;
    default:
      return false;
  }
}

// Whether codes[i..] begins with "chr(", one to three digits of a value up to 255 and ")": the
// Typical reader takes such a text inside a name back as the one code. Its length, else 0.
size_t CodeSpellingAt(const std::vector<int32_t>& codes, size_t i) {
  static constexpr std::string_view open = "chr(";
  if (i + open.size() >= codes.size()) return 0;
  for (size_t k = 0; k < open.size(); ++k)
    if (codes[i + k] != open[k]) return 0;
  size_t at = i + open.size();
  int value = 0, digits = 0;
  while (at < codes.size() && digits < 3 && codes[at] >= '0' && codes[at] <= '9') {
    value = value * 10 + (codes[at++] - '0');
    ++digits;
  }
  if (digits == 0 || value > 255 || at >= codes.size() || codes[at] != ')') return 0;
  return at + 1 - i;
}

// The codes of a name as printed: a code that cannot stand between its brackets (the closing
// bracket, a code the line would show escaped) is spelt chr(NN), and so is the "c" of a text
// that reads as such a spelling.
template <class Sink>
void SpellName(const std::vector<int32_t>& codes, int32_t close, bool escapeTab, Sink& out) {
  using Code = typename Sink::value_type;
  for (size_t i = 0; i < codes.size(); ++i) {
    const int32_t k = codes[i];
    if (k == close || (k < 256 && IsEscaped(k, escapeTab)) || CodeSpellingAt(codes, i) > 0) {
      for (char c : "chr(" + Output::Decimal(k) + ")") out.push_back(Code(c));
    } else {
      out.push_back(Code(k));
    }
  }
}

}  // namespace

void Output::WriteName(int32_t pool, int32_t record) {
  const RecordMemory& mem = Eng.mem;
  // Nonterminal, terminal and action records keep their name chain in fields 3 and 4.
  const int32_t first = mem.IVLR(pool, record, NtmNameFirst);
  const int32_t last = mem.IVLR(pool, record, NtmNameLast);
  if (pool == TerminalPool) {
    WriteNameChain(NameCharPool, first, last, CharField::CharNext, CharField::CharCode);
    return;
  }
  if (first == 0 || last == 0) return;
  SpeltName* spelt = SpeltNameOf(pool, record);
  const NameStamp stamp = spelt ? Eng.store.StampOf(pool) : NameStamp{};
  if (spelt && spelt->First == first && spelt->Last == last && spelt->FileMode == GrammarFileMode &&
      spelt->Stamp == stamp) {
    WriteSpeltText(spelt->Bytes);
    return;
  }
  // A nonterminal or action name is printed so that the Typical reader takes it back whole.
  std::vector<int32_t>& codes = NameCodes;
  codes.clear();
  WalkChain(mem, NameCharPool, CharField::CharNext, first, last,
            [&](int32_t r) { codes.push_back(CharCode(mem.IVLR(NameCharPool, r, CharField::CharCode))); });
  const int32_t close = pool == ActionPool ? '`' : '>';
  // Codes 0..255 go on as bytes; only the code 256 needs the name in codes.
  if (std::find(codes.begin(), codes.end(), 256) == codes.end()) {
    NameBytes.clear();
    SpellName(codes, close, GrammarFileMode, NameBytes);
    // Spelling leaves no code that the line would escape.
    WriteSpeltText(NameBytes);
    if (spelt) *spelt = SpeltName{stamp, first, last, GrammarFileMode, NameBytes};
  } else {
    std::vector<int32_t> wide;
    SpellName(codes, close, GrammarFileMode, wide);
    AppendLineCodes(wide.data(), int32_t(wide.size()));
  }
}

Output::SpeltName* Output::SpeltNameOf(int32_t pool, int32_t record) {
  if ((pool != NonterminalPool && pool != ActionPool) || record < 1) return nullptr;
  // Bounded: a grammar of more names than this respells the rest.
  if (SpeltNames.size() >= (size_t(1) << 20)) SpeltNames.clear();
  return &SpeltNames[int64_t(pool) << 32 | record];
}

void Output::WriteElements(int32_t rule, bool tabQuoted, bool showActions) {
  const RecordMemory& mem = Eng.mem;
  WalkChain(mem, ElementPool, ElemNext, mem.IVLR(RulePool, rule, RuleFirstElement),
            mem.IVLR(RulePool, rule, RuleLastElement), [&](int32_t element) {
              int32_t referent = mem.IVLR(ElementPool, element, ElemReferent);
              switch (mem.IVLR(ElementPool, element, ElemKind)) {
                case KindNonterminal:
                  WriteText("<");
                  WriteName(NonterminalPool, referent);
                  WriteText(">");
                  break;
                case KindTerminal: {
                  int32_t first = mem.IVLR(TerminalPool, referent, TrmNameFirst);
                  int32_t code = mem.IVLR(NameCharPool, first, CharField::CharCode);
                  // In the grammar file a code written as ''NN'' stands bare: that is how a
                  // reader takes it back as one terminal, and quoted it would be five.
                  const bool escapedFirst = GrammarFileMode && IsEscaped(code, true);
                  const char* quote = escapedFirst                      ? ""
                                      : IsSpecialFirst(code, tabQuoted) ? "\""
                                      : code == '"'                     ? "'"
                                                                        : "";
                  WriteText(quote);
                  WriteName(TerminalPool, referent);
                  WriteText(quote);
                  break;
                }
                case KindAction:
                  if (showActions) {
                    WriteText("`");
                    WriteName(ActionPool, referent);
                    WriteText("`");
                  }
                  break;
                default:  // an empty element prints nothing
                  break;
              }
            });
}

void Output::WriteRuleHead(int32_t nonterminal) {
  WriteText("<");
  WriteName(NonterminalPool, nonterminal);
  WriteText(">::=");
}

void Output::WriteActionHead(int32_t action) {
  WriteText("`");
  WriteName(ActionPool, action);
  WriteText("`::=");
}

void Output::WriteActionLine(int32_t line) {
  const RecordMemory& mem = Eng.mem;
  WriteNameChain(ActionCharPool, mem.IVLR(ActionLinePool, line, LineFirstChar),
                 mem.IVLR(ActionLinePool, line, LineLastChar), CharField::CharNext, CharField::CharCode);
}

void Output::PrintRules(std::string_view /*title*/, int32_t head, int32_t tail) {
  const RecordMemory& mem = Eng.mem;
  const ChainFields& f = Eng.store.Fields;
  if (head == 0) {
    StartOutputLine(0);
    WriteText("  LIST OF NONTERMINALS IS EMPTY");
  } else {
    WalkChain(mem, NonterminalPool, f.NtmNext, head, tail, [&](int32_t ntm) {
      WalkChain(mem, RulePool, f.RuleNext, mem.IVLR(NonterminalPool, ntm, f.NtmFirstRule),
                mem.IVLR(NonterminalPool, ntm, f.NtmLastRule), [&](int32_t rule) {
                  StartOutputLine(0);
                  WriteRuleHead(ntm);
                  WriteElements(rule, true, false);
                });
    });
  }
  FlushOutputLine();
}

void Output::PrintRule(int32_t ruleNumber, int32_t nonterminal) {
  const RecordMemory& mem = Eng.mem;
  WalkChain(mem, RulePool, RuleNext, mem.IVLR(NonterminalPool, nonterminal, NtmFirstRule),
            mem.IVLR(NonterminalPool, nonterminal, NtmLastRule), [&](int32_t rule) {
              if (mem.IVLR(RulePool, rule, RuleNumber) == ruleNumber) PrintRuleRecord(rule, nonterminal);
            });
}

void Output::PrintRuleRecord(int32_t rule, int32_t nonterminal) {
  // The listing line that holds the printed rule carries no number.
  if (ListingLineNumber > 0) ListingLineNumber = -ListingLineNumber;
  WriteRuleHead(nonterminal);
  WriteElements(rule, false, false);
}

void Output::PrintGrammarComment(std::string_view text, int32_t count, int32_t head, int32_t tail) {
  const RecordMemory& mem = Eng.mem;
  StartOutputLine(CommentLabel);
  WriteText(text, count);
  if (head == 0) {
    WriteText(": LIST OF NONTERMINALS IS EMPTY");
  } else {
    WalkChain(mem, NonterminalPool, NtmNext, head, tail, [&](int32_t ntm) {
      StartOutputLine(CommentLabel);
      WriteRuleHead(ntm);
      bool first = true;
      WalkChain(mem, RulePool, RuleNext, mem.IVLR(NonterminalPool, ntm, NtmFirstRule),
                mem.IVLR(NonterminalPool, ntm, NtmLastRule), [&](int32_t rule) {
                  if (!first) WriteText("|");
                  first = false;
                  WriteElements(rule, true, true);
                });
    });
  }
  const Chain& actions = Eng.store.Actions;
  WalkChain(mem, ActionPool, ActNext, actions.First, actions.Last, [&](int32_t action) {
    StartOutputLine(CommentLabel);
    WriteActionHead(action);
    WalkChain(mem, ActionLinePool, LineNext, mem.IVLR(ActionPool, action, ActFirstLine),
              mem.IVLR(ActionPool, action, ActLastLine), [&](int32_t line) { WriteActionLine(line); });
  });
  // Left pending: the generator's next line writes the block's closing comment marker.
  StartOutputLine(CommentLabel);
}

void Output::PrintGrammar(std::string_view /*title*/, int32_t head, int32_t tail) {
  const RecordMemory& mem = Eng.mem;
  WalkChain(mem, NonterminalPool, NtmNext, head, tail, [&](int32_t ntm) {
    bool first = true;
    WalkChain(mem, RulePool, RuleNext, mem.IVLR(NonterminalPool, ntm, NtmFirstRule),
              mem.IVLR(NonterminalPool, ntm, NtmLastRule), [&](int32_t rule) {
                StartOutputLine(0);
                if (first) WriteRuleHead(ntm);
                else WriteText("      |");
                first = false;
                WriteElements(rule, true, true);
              });
  });
  // One definition line per text line: a second definition of a name adds its line to the
  // same action, so the printed grammar reads back with the same lines. The actions go in the
  // order a reader of this text meets them (first those of the rules above, in order of use,
  // then the others), so that the text printed after reading it back is this one.
  const Chain& actions = Eng.store.Actions;
  std::unordered_set<int32_t> defined, listed;
  WalkChain(mem, ActionPool, ActNext, actions.First, actions.Last,
            [&](int32_t action) { defined.insert(action); });
  std::vector<int32_t> order;
  WalkChain(mem, NonterminalPool, NtmNext, head, tail, [&](int32_t ntm) {
    WalkChain(mem, RulePool, RuleNext, mem.IVLR(NonterminalPool, ntm, NtmFirstRule),
              mem.IVLR(NonterminalPool, ntm, NtmLastRule), [&](int32_t rule) {
                WalkChain(mem, ElementPool, ElemNext, mem.IVLR(RulePool, rule, RuleFirstElement),
                          mem.IVLR(RulePool, rule, RuleLastElement), [&](int32_t e) {
                            int32_t a = mem.IVLR(ElementPool, e, ElemReferent);
                            if (mem.IVLR(ElementPool, e, ElemKind) == KindAction && defined.count(a) &&
                                listed.insert(a).second)
                              order.push_back(a);
                          });
              });
  });
  WalkChain(mem, ActionPool, ActNext, actions.First, actions.Last, [&](int32_t action) {
    if (listed.insert(action).second) order.push_back(action);
  });
  for (int32_t action : order) {
    int32_t firstLine = mem.IVLR(ActionPool, action, ActFirstLine);
    if (firstLine < 1) {
      StartOutputLine(0);
      WriteActionHead(action);
      continue;
    }
    WalkChain(mem, ActionLinePool, LineNext, firstLine, mem.IVLR(ActionPool, action, ActLastLine),
              [&](int32_t line) {
                StartOutputLine(0);
                WriteActionHead(action);
                WriteActionLine(line);
              });
  }
  const GrammarStore& s = Eng.store;
  auto optionLine = [&](const char* head, const std::string& text) {
    std::string trimmed = TrimmedRight(text);
    if (trimmed.empty()) return;
    StartOutputLine(0);
    WriteText(head);
    WriteText(trimmed);
  };
  for (const std::string& line : s.UserDeclarations) optionLine("$declare::=", line);
  optionLine("$title::=", s.UserTitle);
  for (const std::string& line : s.UserPreParse) optionLine("$pre-step::=", line);
  for (const std::string& line : s.UserPostParse) optionLine("$post-step::=", line);
  optionLine("$next::=", s.UserScanner);
  optionLine("$errjob::=", s.UserErrorReaction);
  FlushOutputLine();
}

bool Output::WriteResultFile(ResultFileKind kind, int32_t head, int32_t tail, std::string_view title,
                             std::string_view extension) {
  if (!OpenResultFile(std::string(extension))) return false;
  std::string cutTitle = TrimmedRight(std::string(title));
  if (head == 0) {
    ListingLineNumber = -1;
    std::string message =
        kind == ResultFileKind::Nonterminals ? "List of nonterminals is empty" : "List of rules is empty";
    WriteListingLine(message);
  } else if (kind == ResultFileKind::Rules) {
    ListingLineNumber = 0;
    PrintRules(cutTitle, head, tail);
  } else if (kind == ResultFileKind::Grammar) {
    bool saved = GrammarFileMode;
    GrammarFileMode = true;
    ListingLineNumber = 0;
    PrintGrammar(cutTitle, head, tail);
    GrammarFileMode = saved;
  } else {
    StartListing(cutTitle);
    WalkChain(Eng.mem, NonterminalPool, NtmNext, head, tail, [&](int32_t ntm) {
      WriteText("<");
      WriteName(NonterminalPool, ntm);
      WriteText(">");
      FlushOutputLine();
    });
  }
  ResultUnit.Close();
  return true;
}

}  // namespace mv
