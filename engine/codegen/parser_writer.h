#pragma once
// The generation walk that every target shares: the code table, the select table of each
// nonterminal, the merging of alternatives that differ only in their first terminal, the code
// runs of a branch with their character list and expected-set text, the ambiguity notes, the
// walk over the elements of an alternative and the closing count line. A target derives from
// ParserWriter and supplies its own text through the virtual hooks.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "codegen/code_output.h"

namespace mv {

class CodeGen;
class GrammarStore;
class Output;
class RecordMemory;
struct RunSettings;

// The seven arguments every generator takes.
struct GeneratorArgs {
  const void* BeginsWith = nullptr;
  const void* IsFollowedBy = nullptr;
  int32_t N = 0, T = 0, S = 0, S1 = 0, R = 0;
};

// A run of consecutive character codes of a branch, or the end marker alone.
struct CodeItem {
  int32_t First = 0;
  int32_t Last = 0;
  bool End = false;
};

// One alternative of the nonterminal being written.
struct AlternativePlan {
  int32_t Rule = 0;        // RuleRecord
  int32_t Number = 0;      // rule number
  int32_t MergedInto = 0;  // rule number of the alternative that absorbed it, 0 when written
  std::vector<int32_t> MergedFirstTerminals;  // TerminalRecords of absorbed alternatives
  std::vector<CodeItem> Items;
  std::vector<int32_t> Conflicts;  // terminal indexes that clash on this alternative
};

struct NonterminalPlan {
  int32_t Record = 0;
  int32_t Number = 0;
  std::string Name;
  bool LL1 = true;
  std::vector<AlternativePlan> Alternatives;
  std::string ExpectedSet;  // with its leading and trailing blanks removed
};

class ParserWriter {
public:
  ParserWriter(CodeGen& gen, const GeneratorArgs& args, CodeFamily family, int32_t width);
  virtual ~ParserWriter() = default;

  // Writes every nonterminal procedure in grammar order; returns how many were written.
  int32_t WriteNonterminals();
  // The closing count line on the generation log (the count right-aligned in `width`
  // columns, then `tail`), the line naming the nonterminals whose choices clash when the
  // grammar is not LL(1), then the pending line is flushed.
  void WriteCountLine(int32_t count, int width = 4,
                      const std::string& tail = " recursive procedures have been generated.");
  // The longest procedure name taken from a symbol: a name must fit on a line with its call.
  static constexpr size_t MaxNameLength = 200;
  // Nesting depth past which every generated parser reports an error instead of recursing.
  static constexpr int32_t MaxDepth = 10000;

  // Texts shared by the targets.
  static std::string CharListText(const std::vector<CodeItem>& items);
  static std::string ExpectedSetPart(const std::vector<CodeItem>& items, bool doubleBackslash);
  std::string AmbiguityText(const std::vector<int32_t>& conflicts) const;
  // The test of a C-like branch: runs as ll1==c or ll1>=a && ll1<=b joined by " || ", the end
  // marker as ll1==fin; "false" for a branch that keeps no code. With `parentheses` a run
  // joined to others stands in parentheses.
  static std::string CLikeCondition(const std::vector<CodeItem>& items, bool parentheses = false);
  // A text as a C or Java string literal: quotes and backslashes escaped.
  static std::string CQuoted(const std::string& text);
  // Text for a /* */ block that no "*/" inside can close early.
  static std::string InsideBlockComment(std::string text);
  // A text between two `quote` characters, every quote inside doubled.
  static std::string DoubledQuotes(const std::string& text, char quote);
  // Option texts cut after their last non-blank; blank texts are empty.
  static std::string Cut(const std::string& text);
  std::string CodeListNumbers(const std::vector<CodeItem>& items, const std::string& sep,
                              const std::string& rangeWord, const std::string& endWord) const;

protected:
  // The expected-set items of a branch, each after one blank; targets spell characters their
  // own way.
  virtual std::string ExpectedSetItems(const std::vector<CodeItem>& items) const {
    return ExpectedSetPart(items, DoubleBackslash);
  }

  // Target hooks, called in the order of the walk.
  virtual void BeginProcedure(const NonterminalPlan& nt) = 0;
  // An alternative that keeps no character can never be chosen. A target whose selection
  // cannot hold such a branch writes a note in its place and returns true.
  virtual bool OmitsUnchosenBranch(const NonterminalPlan& nt, const AlternativePlan& alt) {
    (void)nt;
    (void)alt;
    return false;
  }
  virtual void OpenBranch(const NonterminalPlan& nt, const AlternativePlan& alt, bool first) = 0;
  // The note line: the comment sign directly followed by the clashing characters.
  virtual void AmbiguityNote(const AlternativePlan& alt);
  virtual void RuleComment(const NonterminalPlan& nt, const AlternativePlan& alt) = 0;
  // Each text line on a line of its own; the first names the action in a comment.
  virtual void ActionElement(int32_t action);
  virtual void TerminalElement(int32_t terminal, int32_t code, bool first,
                               const std::vector<int32_t>& mergedFirst) = 0;
  virtual void NonterminalElement(int32_t nonterminal, int32_t element, bool last) = 0;
  // A tail self-call: a jump back to the start of the procedure. With `checkProgress` the
  // alternative may have read nothing since its pass began (PassStart), and a pass that read
  // nothing would go round for ever: the procedure reports the nesting error instead, as the
  // recursion would have.
  virtual void TailCall(const NonterminalPlan& nt, int32_t element, bool checkProgress) = 0;
  // Opens a pass of an alternative whose tail call checks the progress.
  virtual void PassStart() {}
  virtual void EmptyElement() {}
  virtual void CloseBranch(const NonterminalPlan& nt, const AlternativePlan& alt) {
    (void)nt;
    (void)alt;
  }
  virtual void ElseBranch(const NonterminalPlan& nt) = 0;
  virtual void EndProcedure(const NonterminalPlan& nt) = 0;

  // Where the end of the text sits in the code table (4,096, or T when that is larger).
  int32_t EndMarker() const { return EndCode; }
  // The select table of the nonterminal being written, after merging: terminal index 1..T+2
  // to the rule number of the alternative it selects, 0 for none.
  const std::vector<int32_t>& Selection() const { return SelectTable; }

  // The header comments of a file: `first` (when not empty), the name, author, date, version
  // and purpose lines, then the grammar.
  void HeaderComments(const std::string& first, const std::string& fileName);

  // Store access.
  int32_t Field(int32_t pool, int32_t record, int32_t field) const;
  // The most links a walk of one of pool's chains can take: a chain that runs round ends there.
  int64_t Steps(int32_t pool) const;
  std::string NameOf(int32_t pool, int32_t record) const;  // name chain in fields 3 and 4
  std::string GrammarName() const;
  // The code of a terminal's first character, -1 when it has none.
  int32_t TerminalCode(int32_t terminal) const;
  // The lines of an action's text.
  std::vector<std::string> ActionLines(int32_t action) const;
  static bool Blank(const std::string& text) { return Cut(text).empty(); }
  bool Has(const std::string& text, const std::string& what) const;

  // Code of the two-alternative loop form's tail element, 0 when the nonterminal does not take
  // that form.
  int32_t LoopTailElement(int32_t nonterminal) const;
  // The tail self-calls of a nonterminal: the elements that are jumps back, not calls.
  std::set<int32_t> TailsOf(int32_t nonterminal) const;
  // By nonterminal number 1..N: the procedure can be entered again while it runs, through
  // calls that are not tail self-calls; and the procedure makes such calls at all.
  struct CallShape {
    std::vector<bool> Recursive, Calls;
  };
  CallShape CallGraph() const;
  // Every element of every alternative, with its nonterminal, in grammar order.
  void ForEachElement(const std::function<void(int32_t nonterminal, int32_t element)>& visit) const;
  // A text of the grammar (actions, option texts) holds `word`.
  bool GrammarTextsHold(const std::string& word) const;
  // The procedure being written loops: it has tail self-calls.
  bool Loops() const { return !Tails.empty(); }
  // The alternative ends in a tail self-call.
  bool EndsInTail(const AlternativePlan& alt) const;
  // The alternative may reach its tail call without reading a character.
  bool MayReadNothing(const AlternativePlan& alt) const;

  // What it uses of the engine, by the engine's own names.
  struct Parts {
    RecordMemory& mem;
    GrammarStore& store;
    Output& out;
    const RunSettings& run;
    CodeGen& codegen;
  } Eng;
  GeneratorArgs Args;
  CodeOutput Out;
  // The expected set stands between double quotes in C-like targets.
  bool DoubleBackslash = false;
  // Targets that write the actions whatever the option says.
  bool AlwaysActions = false;
  // The target's comment sign, and what opens the comment naming an action.
  std::string CommentSign;
  std::string ActionCommentLead;
  // The note that stands in place of a branch that can never be chosen.
  void UnchosenNote(const NonterminalPlan& nt, const AlternativePlan& alt);
  // The comment form of one alternative, as PrintRule prints the rules of its number.
  void PrintAlternative(const NonterminalPlan& nt, const AlternativePlan& alt);
  // The rule comment: a statement line holding `code`, then in the comment state the lead
  // and the alternative in the printed notation; the line is flushed.
  void WriteRuleComment(int tabs, const std::string& code, const std::string& lead, const NonterminalPlan& nt,
                        const AlternativePlan& alt);
  // The terminal comment: the lead, the terminal's name and, for a first terminal, "|" and the
  // first terminal of each absorbed alternative. lastName is the last name written.
  std::string TerminalComment(const std::string& lead, int32_t terminal,
                              const std::vector<int32_t>& mergedFirst, std::string& lastName) const;
  // The terminal comment of C-like targets ("//  " and the names), guarded against a
  // backslash at its end.
  void SlashTerminalComment(int32_t terminal, const std::vector<int32_t>& mergedFirst);
  // A terminal's character as a C or Java string literal ("chr(c)" for control codes).
  static std::string CCharLiteral(int32_t code);
  // The grammar name spelled as an identifier (before each target's own keyword rules).
  std::string GrammarIdentifier() const;
  // Statement lines given as (tabs, text).
  void StatementLines(std::initializer_list<std::pair<int, const char*>> lines);

private:
  void BuildCodeTable();
  NonterminalPlan Plan(int32_t nonterminal);
  void WriteAlternativeElements(const NonterminalPlan& nt, const AlternativePlan& alt);
  int32_t TailElementOf(const AlternativePlan& alt) const;
  bool TakesPartInMerge(int32_t rule) const;
  // Two alternatives share a branch when their keys are equal.
  std::string ShapeKey(int32_t rule) const;

  std::vector<int32_t> CodeTable;     // code 0..EndCode -> terminal index
  std::vector<int32_t> CodeOfNumber;  // terminal index -> its character code, -1 for none
  int32_t EndCode = 4096;
  std::vector<int32_t> SelectTable;
  // The plan's alternatives are the whole rule chain and no two share a rule number: a rule
  // comment can print the alternative's own rule.
  bool RuleOfNumber = false;
  std::vector<std::string> Clashing;  // names of the nonterminals that are not LL(1)
  // The tail self-calls of the procedure being written: the last element of an alternative
  // that calls its own nonterminal (no action after it). In the two-alternative loop form only
  // the form's own tail element.
  std::set<int32_t> Tails;
};

// The lower-cased copy of a base name (Latin and Windows Cyrillic capitals).
std::string LowerCaseBase(const std::string& base);
// The upper-cased copy (small Latin and Windows Cyrillic letters).
std::string UpperCaseBase(const std::string& base);
// Today as dd.mm.yy (or the date a test fixed).
std::string GenerationDate(const CodeGen& gen);

}  // namespace mv
