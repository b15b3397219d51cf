#include "codegen/code_output.h"

#include <algorithm>
#include <array>

#include "output/output.h"

namespace mv {

// Where the pending line stands in a statement text: inside a literal, or in a comment.
struct CodeOutput::Lexer {
  explicit Lexer(CodeFamily family) : Family(family == CodeFamily::Java ? CodeFamily::CLike : family) {}
  CodeFamily Family;
  char Quote = 0;       // the open literal's quote, 0 outside
  bool Escape = false;  // the previous character was a backslash inside a C literal
  bool Comment = false;

  // Steps over text[i].
  void Step(std::string_view text, size_t i) {
    char ch = text[i];
    if (Comment) return;
    if (Quote) {
      if (Family == CodeFamily::CLike) {
        if (Escape) Escape = false;
        else if (ch == '\\') Escape = true;
        else if (ch == Quote) Quote = 0;
      } else if (ch == Quote) {
        Quote = 0;  // a doubled quote reopens at once
      }
      return;
    }
    switch (Family) {
      case CodeFamily::CLike:
      case CodeFamily::Java:
        if (ch == '"' || ch == '\'') Quote = ch;
        else if (ch == '/' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '*'))
          Comment = true;
        break;
      case CodeFamily::Basic:
        if (ch == '"') Quote = ch;
        else if (ch == '\'') Comment = true;
        break;
      case CodeFamily::FreeFortran:
      case CodeFamily::FixedFortran:
        if (ch == '"' || ch == '\'') Quote = ch;
        else if (ch == '!') Comment = true;
        break;
      case CodeFamily::Pascal:
        if (ch == '\'') Quote = ch;
        else if (ch == '/' && i + 1 < text.size() && text[i + 1] == '/') Comment = true;
        break;
    }
  }
};

namespace {

// The form in which the engine writes a control code (two apostrophes, its decimal value and
// two apostrophes). Spelling it so before the line is measured keeps lines within their width.
// The text itself when it holds no such code, else its spelling in `spelt`.
std::string_view Rendered(std::string_view text, std::string& spelt) {
  if (PlainBytes(text) == text.size()) return text;
  spelt.clear();
  AppendSpelt(spelt, text);
  return spelt;
}

// The bytes that Lexer::Step or a piece's end looks at outside literals, in any family.
constexpr std::array<bool, 256> PieceMarks = [] {
  std::array<bool, 256> marks{};
  for (unsigned char ch : std::string_view("\"'/! \t,")) marks[ch] = true;
  return marks;
}();

}  // namespace

CodeOutput::CodeOutput(Output& out, CodeFamily family, int32_t width)
    : Eng{out}, Family(family), Width(width) {}

int32_t CodeOutput::Column() const { return Eng.out.Column; }

void CodeOutput::Comment(const std::string& text) {
  Eng.out.StartOutputLine(Output::CommentLabel);
  AppendRaw(text);
}

void CodeOutput::Statement(int tabs, const std::string& text) {
  static constexpr std::string_view Tabs = "\t\t\t\t\t\t\t\t";
  Eng.out.StartOutputLine(0);
  if (tabs > int(Tabs.size())) Put(std::string(size_t(tabs), '\t'));
  else if (tabs > 0) Put(Tabs.substr(0, size_t(tabs)));
  Append(text);
}

void CodeOutput::BlankLine() { Statement(0, " "); }

void CodeOutput::Put(std::string_view rendered) {
  if (!rendered.empty()) Eng.out.WriteSpeltText(rendered);
}

void CodeOutput::AppendRaw(const std::string& text) {
  std::string spelt;
  Put(Rendered(text, spelt));
}

void CodeOutput::CommentTail(const std::string& text) {
  Eng.out.SetCommentState();
  AppendRaw(text);
}

void CodeOutput::Flush() { Eng.out.FlushOutputLine(); }

void CodeOutput::BreakStatement() {
  if (Family == CodeFamily::Basic) AppendRaw(" _");
  if (Family == CodeFamily::FreeFortran) AppendRaw(" &");
  Eng.out.FlushOutputLine();
  Eng.out.StartOutputLine(0);
  // Fixed form: the label field of the new line holds the continuation mark in column 6.
  if (Family == CodeFamily::FixedFortran) {
    Eng.out.DropPendingLine();
    AppendRaw("     &");
  }
}

void CodeOutput::SplitLiteral(char quote) {
  const std::string q(1, quote);
  switch (Family) {
    case CodeFamily::Basic:
      AppendRaw(q + " &");
      BreakStatement();
      AppendRaw(q);
      break;
    case CodeFamily::FreeFortran:
      // A character context goes on after "&" at the end and "&" at the start of the next line.
      AppendRaw("&");
      Eng.out.FlushOutputLine();
      Eng.out.StartOutputLine(0);
      AppendRaw("&");
      break;
    case CodeFamily::FixedFortran:
      AppendRaw(q + "//");
      BreakStatement();
      AppendRaw(q);
      break;
    case CodeFamily::Pascal:
    case CodeFamily::Java:
      AppendRaw(q + " +");
      BreakStatement();
      AppendRaw(q);
      break;
    case CodeFamily::CLike:
      AppendRaw(q);
      BreakStatement();
      AppendRaw(q);
      break;
  }
}

int32_t CodeOutput::Reserve() const {
  switch (Family) {
    case CodeFamily::Basic:
      return 2;  // " _"
    case CodeFamily::FreeFortran:
      return 2;  // " &"
    case CodeFamily::FixedFortran:
      return 3;  // "'//" that closes a split literal
    default:
      return 0;
  }
}

void CodeOutput::Append(const std::string& raw) {
  std::string spelt;
  const std::string_view text = Rendered(raw, spelt);
  // Room is kept for the continuation mark.
  const int32_t limit = Width - Reserve();
  // Fortran statements hold long lists without blanks: a comma ends a piece too.
  const bool fortran = Family == CodeFamily::FreeFortran || Family == CodeFamily::FixedFortran;
  // Pieces that fit the line as it stands go out together: the line cannot break inside them.
  const int32_t together = std::min({limit, Eng.out.LineWidth(), Output::LineCapacity - 1});
  size_t batch = 0;  // where the pieces not yet put begin
  int32_t column = Column();
  const auto putBatch = [&](size_t upTo) {
    if (upTo > batch) Put(text.substr(batch, upTo - batch));
    batch = upTo;
  };
  // One pass of the lexer: each piece ends after a blank or tab outside literals.
  Lexer lex{Family};
  size_t pos = 0;
  while (pos < text.size()) {
    const Lexer atPiece = lex;
    size_t end = text.size();
    bool comment = false;
    for (size_t i = pos; i < text.size(); ++i) {
      // Outside literals only quotes, comment starts and piece ends change anything.
      if (!lex.Quote && !PieceMarks[static_cast<unsigned char>(text[i])]) continue;
      lex.Step(text, i);
      if (lex.Comment) {
        end = i;
        comment = true;
        break;
      }
      const char ch = text[i];
      if (!lex.Quote && (ch == ' ' || ch == '\t' || (fortran && ch == ','))) {
        end = i + 1;
        break;
      }
    }
    if (end > pos) {
      if (column + int32_t(end - pos) <= together) {
        column += int32_t(end - pos);
      } else {
        putBatch(pos);
        AppendPiece(text, pos, end, atPiece, limit);
        batch = end;
        column = Column();
      }
    }
    // A comment ends the code: it is continued as a comment, never as code.
    if (comment) {
      putBatch(end);
      Eng.out.SetCommentState();
      Put(text.substr(end));
      return;
    }
    pos = end;
  }
  putBatch(text.size());
}

void CodeOutput::AppendPiece(std::string_view text, size_t pos, size_t end, Lexer lex, int32_t limit) {
  const int32_t size = int32_t(end - pos);
  // A piece that would fit on a line of its own goes to the next line; a longer one is split
  // where it stands.
  if (Column() + size > limit && Column() > 0 && size <= limit) BreakStatement();
  if (Column() + size <= limit) {
    Put(text.substr(pos, size_t(size)));
    return;
  }
  // Too long for a line of its own: split it inside a literal, never inside a token.
  const bool cLike = Family == CodeFamily::CLike || Family == CodeFamily::Java;
  // A split needs room for what closes the line.
  const int32_t need = Family == CodeFamily::CLike || Family == CodeFamily::FreeFortran ? 1 : 3;
  for (size_t i = pos; i < end; ++i) {
    const bool inLiteral = lex.Quote != 0 && !lex.Escape && (!cLike || lex.Quote == '"');
    if (inLiteral && Column() + need >= limit && text[i] != lex.Quote) SplitLiteral(lex.Quote);
    Put(text.substr(i, 1));
    lex.Step(text, i);
  }
}

}  // namespace mv
