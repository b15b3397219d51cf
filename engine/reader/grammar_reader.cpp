// The engine's grammar-text reader: rules "<A> ::= ... | ... ;", action definitions
// "{a} ::= text", comments "'...", options "$title = ...", each statement line ended by CR LF.
// Syntax errors are written to standard output in the shape of the generated parsers' errors.
#include "reader/grammar_reader.h"

#include <cstdio>

#include "output/output.h"
#include "reader/batch_run.h"
#include "store/builder.h"

namespace mv {

namespace {

#define MV_YA "\xFF"
constexpr std::string_view BnfExpected = "char(9)-char(10) char(13) \" \" $ ' < { finish";
constexpr std::string_view ItemExpected = "< { $ ' finish";
constexpr std::string_view ParamExpected = "t d h e n";
constexpr std::string_view RightPartExpected = "char(0)-" MV_YA;
constexpr std::string_view SymbolsExpected =
    "char(0)-char(8) char(11)-char(12) char(14)-char(31) !-: <-{ }-" MV_YA " ; |";
constexpr std::string_view NameExpected =
    "char(0)-char(8) char(11)-char(12) char(14)-! #-& (-= ?-" MV_YA " >";
constexpr std::string_view ActionExpected = "char(0)-char(8) char(11)-char(12) char(14)-| ~-" MV_YA " }";
constexpr std::string_view StatementExpected = "char(0)-char(9) char(11)-" MV_YA;
constexpr std::string_view LineExpected = "char(0)-char(9) char(11)-char(12) char(14)-" MV_YA " char(13)";
constexpr std::string_view Quote1Expected = "char(0)-& (-" MV_YA " '";
constexpr std::string_view Quote2Expected = "char(0)-! #-" MV_YA " \"";
constexpr std::string_view IntegerExpected = "0-9 \" '";
#undef MV_YA

constexpr int32_t Tab = 9, LineFeed = 10, Return = 13;

bool IsBlank(int32_t c) { return c == Tab || c == LineFeed || c == Return || c == ' '; }

bool StartsItems(int32_t c) {
  return IsBlank(c) || c == '$' || c == '\'' || c == '<' || c == '{' || c == GrammarReader::EndMark;
}

// The option keywords by their first letter, with the selector each one calls.
struct Keyword {
  char First;
  const char* Rest;
  const char* Entry;
  void (*Select)(Builder&);
};
const Keyword Keywords[] = {
    {'t', "itle", "BKSPRG", [](Builder& b) { b.SelectText(TargetTitle); }},
    {'d', "eclare", "BKSDEC", [](Builder& b) { b.OpenOptionLine(TargetDeclarations); }},
    {'h', "eader", "BKSBEG", [](Builder& b) { b.OpenOptionLine(TargetPreParse); }},
    {'e', "rrjob", "BKSERJ", [](Builder& b) { b.SelectText(TargetErrorReaction); }},
    {'n', "ext", "BKSNXT", [](Builder& b) { b.SelectText(TargetScanner); }},
};

}  // namespace

GrammarReader::GrammarReader(Builder& builder, Output& out, BatchRun& batch) : Eng{builder, out, batch} {}

void GrammarReader::Read() {
  ++Position;
  Previous = Current;
  if (Position >= 1 && Position <= int64_t(Source.size())) {
    Current = static_cast<unsigned char>(Source[size_t(Position - 1)]);
    if (LowerCase && Current >= 'A' && Current <= 'Z') Current += 32;
  } else {
    Current = EndMark;
  }
}

void GrammarReader::Call(const char* name, const std::function<void()>& entry) {
  if (Trace) Trace(name, 0);
  entry();
}

void GrammarReader::Symbol(int32_t code) {
  if (Trace) Trace("BKSSYM", code);
  Eng.builder.BKSSYM(code);
}

void GrammarReader::Text(int32_t code) {
  if (Trace) Trace("BKSS", code);
  Eng.builder.BKSS(code);
}

void GrammarReader::Morvantelisk(const std::string& text) {
  // A failure of an earlier call is not this reading's.
  Eng.out.LastError.clear();
  Source = text;
  Position = 0;
  Current = EndMark;
  Error = false;
  LowerCase = false;
  Read();
  if (!StartsItems(Current)) {
    ErrorOf("<BNF>", BnfExpected);
    return;
  }
  Call("BKSACT", [&] { Eng.builder.BKSACT(); });
  ItemList();
  if (!Error) Call("BKSSYN", [&] { Eng.batch.ProcessGrammar(); });
}

void GrammarReader::ItemList() {
  for (;;) {
    if (!StartsItems(Current)) return ErrorOf("<Rules set>", BnfExpected);
    Blanks();
    switch (Current) {
      case '<':
        Rule();
        break;
      case '{':
        ActionDefinition();
        break;
      case '\'':
        Comment();
        break;
      case '$':
        Option();
        break;
      case EndMark:
        return;
      default:
        return ErrorOf("<Rules-Actions-Options set>", ItemExpected);
    }
    if (Error) return;
  }
}

void GrammarReader::Blanks() {
  while (IsBlank(Current)) Read();
}

void GrammarReader::Expect(int32_t code) {
  if (Current != code) Report("'" + std::string(1, char(code)) + "'");
  Read();
}

// "::=" with blanks between its characters.
void GrammarReader::Definition() {
  Blanks();
  if (Error) return;
  Expect(':');
  Blanks();
  if (Error) return;
  Expect(':');
  Blanks();
  if (Error) return;
  Expect('=');
}

void GrammarReader::Rule() {
  Read();
  Call("BKSNAI", [&] { Eng.builder.BKSNAI(); });
  NameCharacters();
  if (Error) return;
  Expect('>');
  Call("BKSNLI", [&] { Eng.builder.BKSNLI(); });
  Call("BKSGMN", [&] { Eng.builder.BKSGMN(); });
  Definition();
  if (Error) return;
  RightPart();
  if (Error) return;
  while (Current == '|') {
    Read();
    RightPart();
    if (Error) return;
  }
  Expect(';');
}

void GrammarReader::NameCharacters() {
  for (;;) {
    const int32_t c = Current;
    if (c == '>') return;
    if (c == EndMark || c == Tab || c == LineFeed || c == Return || c == '"' || c == '\'')
      return ErrorOf("<Nonterminal set-list>", NameExpected);
    Read();
    Symbol(Previous);
  }
}

void GrammarReader::ActionCharacters() {
  for (;;) {
    const int32_t c = Current;
    if (c == '}') return;
    if (c == EndMark || c == Tab || c == LineFeed || c == Return)
      return ErrorOf("<Action set-list>", ActionExpected);
    Read();
    Symbol(Previous);
  }
}

void GrammarReader::RightPart() {
  if (Current == EndMark) return ErrorOf("<Right part>", RightPartExpected);
  Call("BKSNL", [&] { Eng.builder.BKSNL(); });
  Blanks();
  if (Error) return;
  if (Current == ';' || Current == '|') {
    Call("BKSNUL", [&] { Eng.builder.BKSNUL(); });
  } else {
    for (bool first = true; Current != ';' && Current != '|'; first = false) {
      if (Current == EndMark)
        return ErrorOf(first ? "<Grammatical symbols>" : "<Blank-Grammatical symbols>", SymbolsExpected);
      GrammaticalSymbol();
      if (Error) return;
      Blanks();
      if (Error) return;
    }
  }
  Call("BKSEND", [&] { Eng.builder.BKSEND(); });
}

void GrammarReader::GrammaticalSymbol() {
  switch (Current) {
    case '<':
      Read();
      Call("BKSNAI", [&] { Eng.builder.BKSNAI(); });
      NameCharacters();
      if (Error) return;
      Expect('>');
      Call("BKSNTM", [&] { Eng.builder.BKSNTM(); });
      return;
    case '{':
      Read();
      Call("BKSNAI", [&] { Eng.builder.BKSNAI(); });
      ActionCharacters();
      if (Error) return;
      Expect('}');
      Call("BKSACR", [&] { Eng.builder.BKSACR(); });
      return;
    case '\'':
    case '"':
      QuotedTerminal();
      return;
    default:
      // Any other character is a terminal of its own.
      Call("BKSNAI", [&] { Eng.builder.BKSNAI(); });
      Read();
      Symbol(Previous);
      Call("BKSTRM", [&] { Eng.builder.BKSTRM(); });
      return;
  }
}

void GrammarReader::QuotedTerminal() {
  const int32_t quote = Current;
  Read();
  if (Current == EndMark)
    return ErrorOf(quote == '\'' ? "<Terminal-right1>" : "<Terminal-right2>",
                   quote == '\'' ? Quote1Expected : Quote2Expected);
  if (Current != quote) {
    Call("BKSNAI", [&] { Eng.builder.BKSNAI(); });
    Read();
    Symbol(Previous);
    Call("BKSTRM", [&] { Eng.builder.BKSTRM(); });
    Expect(quote);
    return;
  }
  // A doubled quote opens a decimal code, closed by two quotes.
  Read();
  Call("BKSNAI", [&] { Eng.builder.BKSNAI(); });
  Number();
  if (Error) return;
  // A value above 255 is no character: the terminal's name stays empty, so none is made.
  if (Value <= 255) Symbol(Value);
  Call("BKSTRM", [&] { Eng.builder.BKSTRM(); });
  Expect(quote);
  Expect(quote);
}

void GrammarReader::Number() {
  Value = 0;
  for (;;) {
    if (Current >= '0' && Current <= '9') {
      // Held at 256 once past 255, so that no count of digits can overflow it.
      Value = Value * 10 + (Current - '0');
      if (Value > 255) Value = 256;
      Read();
    } else if (Current == '\'' || Current == '"') {
      return;
    } else {
      return ErrorOf("<Integer>", IntegerExpected);
    }
  }
}

void GrammarReader::ActionDefinition() {
  Read();
  Call("BKSNAI", [&] { Eng.builder.BKSNAI(); });
  ActionCharacters();
  if (Error) return;
  Expect('}');
  Call("BKSACL", [&] { Eng.builder.BKSACL(); });
  Definition();
  if (Error) return;
  Call("BKSACB", [&] { Eng.builder.BKSACB(); });
  Statement();
  if (Error) return;
  Call("BKSSTM", [&] { Eng.builder.BKSSTM(); });
}

void GrammarReader::Statement() {
  for (bool first = true; Current != Return; first = false) {
    if (Current == LineFeed || Current == EndMark)
      return first ? ErrorOf("<Statement>", StatementExpected)
                   : ErrorOf("<Statement set-list>", LineExpected);
    Read();
    Text(Previous);
  }
  Expect(Return);
  Expect(LineFeed);
}

void GrammarReader::Comment() {
  Read();
  while (Current != Return) {
    if (Current == LineFeed || Current == EndMark) return ErrorOf("<Comment set-list>", LineExpected);
    Read();
  }
  Expect(Return);
  Expect(LineFeed);
}

void GrammarReader::Option() {
  LowerCase = true;
  Read();
  Blanks();
  if (Error) return;
  const Keyword* keyword = nullptr;
  for (const Keyword& k : Keywords)
    if (Current == k.First) keyword = &k;
  if (!keyword) return ErrorOf("<Param>", ParamExpected);
  Read();
  for (const char* c = keyword->Rest; *c; ++c) Expect(*c);
  Blanks();
  if (Error) return;
  LowerCase = false;
  Expect('=');
  Call(keyword->Entry, [&] { keyword->Select(Eng.builder); });
  Statement();
}

void GrammarReader::ErrorOf(std::string_view nonterminal, std::string_view expected) {
  Report(std::string(nonterminal) + " with one of: " + std::string(expected));
}

void GrammarReader::Report(const std::string& expecting) {
  Error = true;
  // The line of the read position.
  const int64_t size = int64_t(Source.size());
  int64_t line = 1, start = 1;
  for (int64_t i = 1; i < Position && i <= size; ++i)
    if (Source[size_t(i - 1)] == '\n') {
      ++line;
      start = i + 1;
    }
  // Up to the next line feed; without one, up to the read position, within the text.
  int64_t end = Position < size ? Position : size;
  for (int64_t i = Position > 1 ? Position : 1; i <= size; ++i)
    if (Source[size_t(i - 1)] == '\n') {
      end = i - 1;
      break;
    }
  std::string number = std::to_string(line);
  if (number.size() < 6) number.insert(0, 6 - number.size(), ' ');
  const char found = Current == EndMark ? '\0' : char(Current & 0xFF);
  const std::string lines[3] = {
      "  Line" + number + ", syntax error, found '" + std::string(1, found) + "' when expecting " + expecting,
      " " + (end >= start ? Source.substr(size_t(start - 1), size_t(end - start + 1)) : ""),
      " " + std::string(size_t(Position - start > 0 ? Position - start : 0), ' ') + "!",
  };
  for (const std::string& l : lines) {
    std::fwrite(l.data(), 1, l.size(), stdout);
    std::fputs(LineEnd, stdout);
    if (Echo) Echo(l);
  }
  std::fflush(stdout);
  if (Eng.out.LastError.empty()) Eng.out.LastError = lines[0].substr(2);
}

}  // namespace mv
