#include "codegen/code_output.h"

#include "engine.h"

namespace mv {

namespace {

// Where the pending line stands in a statement text: inside a literal, or in a comment.
struct Lexer {
  Lexer(CodeFamily family) : Family(family == CodeFamily::Java ? CodeFamily::CLike : family) {}
  CodeFamily Family;
  char Quote = 0;       // the open literal's quote, 0 outside
  bool Escape = false;  // the previous character was a backslash inside a C literal
  bool Comment = false;

  // Steps over text[i].
  void Step(const std::string& text, size_t i) {
    char ch = text[i];
    if (Comment) return;
    if (Quote) {
      if (Family == CodeFamily::CLike) {
        if (Escape)
          Escape = false;
        else if (ch == '\\')
          Escape = true;
        else if (ch == Quote)
          Quote = 0;
      } else if (ch == Quote) {
        Quote = 0;  // a doubled quote reopens at once
      }
      return;
    }
    switch (Family) {
      case CodeFamily::CLike:
        if (ch == '"' || ch == '\'')
          Quote = ch;
        else if (ch == '/' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '*'))
          Comment = true;
        break;
      case CodeFamily::Basic:
        if (ch == '"')
          Quote = ch;
        else if (ch == '\'')
          Comment = true;
        break;
      case CodeFamily::FreeFortran:
      case CodeFamily::FixedFortran:
        if (ch == '"' || ch == '\'')
          Quote = ch;
        else if (ch == '!')
          Comment = true;
        break;
      case CodeFamily::Pascal:
        if (ch == '\'')
          Quote = ch;
        else if (ch == '/' && i + 1 < text.size() && text[i + 1] == '/')
          Comment = true;
        break;
    }
  }
};

// The form in which the engine writes a control code (two apostrophes, its decimal value and
// two apostrophes). Spelling it so before the line is measured keeps lines within their width.
std::string Rendered(const std::string& text) {
  std::string out;
  for (char ch : text) {
    int code = static_cast<unsigned char>(ch);
    bool escaped = (code <= 8) || (code >= 10 && code <= 31) || code == 127 || (code >= 145 && code <= 148);
    if (escaped)
      out += "''" + std::to_string(code) + "''";
    else
      out += ch;
  }
  return out;
}

}  // namespace

std::string::size_type NextBreak(const std::string& text, std::string::size_type from,
                                 CodeFamily family) {
  Lexer lex{family};
  for (size_t i = 0; i < from; ++i) lex.Step(text, i);
  for (size_t i = from; i < text.size(); ++i) {
    lex.Step(text, i);
    if (lex.Comment) return text.size();
    if (!lex.Quote && (text[i] == ' ' || text[i] == '\t')) return i + 1;
    // Fortran statements hold long lists without blanks: a comma ends a piece too.
    bool fortran = family == CodeFamily::FreeFortran || family == CodeFamily::FixedFortran;
    if (fortran && !lex.Quote && text[i] == ',') return i + 1;
  }
  return text.size();
}

CodeOutput::CodeOutput(Engine& engine, CodeFamily family, int32_t width)
    : Eng(engine), Family(family), Width(width) {}

int32_t CodeOutput::Column() const { return Eng.out.Column; }

void CodeOutput::Comment(const std::string& text) {
  Eng.out.StartOutputLine(Output::CommentLabel);
  AppendRaw(text);
}

void CodeOutput::Statement(int tabs, const std::string& text) {
  Eng.out.StartOutputLine(0);
  if (tabs > 0) AppendRaw(std::string(size_t(tabs), '\t'));
  Append(text);
}

void CodeOutput::BlankLine() { Statement(0, " "); }

void CodeOutput::AppendRaw(const std::string& text) {
  if (!text.empty()) Eng.out.WriteText(Rendered(text));
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
    case CodeFamily::Basic: return 2;         // " _"
    case CodeFamily::FreeFortran: return 2;   // " &"
    case CodeFamily::FixedFortran: return 3;  // "'//" that closes a split literal
    default: return 0;
  }
}

void CodeOutput::Append(const std::string& raw) {
  const std::string text = Rendered(raw);
  // Room is kept for the continuation mark.
  const int32_t limit = Width - Reserve();
  Lexer lex{Family};
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = NextBreak(text, pos, Family);
    // A comment ends the code: it is continued as a comment, never as code.
    Lexer ahead = lex;
    size_t commentAt = std::string::npos;
    for (size_t i = pos; i < end; ++i) {
      ahead.Step(text, i);
      if (ahead.Comment) {
        commentAt = i;
        break;
      }
    }
    if (commentAt != std::string::npos) {
      if (commentAt > pos) Append(text.substr(pos, commentAt - pos));
      CommentTail(text.substr(commentAt));
      return;
    }
    std::string piece = text.substr(pos, end - pos);
    // A piece that would fit on a line of its own goes to the next line; a longer one is split
    // where it stands.
    if (Column() + int32_t(piece.size()) > limit && Column() > 0 && int32_t(piece.size()) <= limit)
      BreakStatement();
    if (Column() + int32_t(piece.size()) <= limit) {
      AppendRaw(piece);
      for (size_t i = pos; i < end; ++i) lex.Step(text, i);
      pos = end;
      continue;
    }
    // Too long for a line of its own: split it inside a literal, never inside a token.
    for (size_t i = pos; i < end; ++i) {
      bool cLike = Family == CodeFamily::CLike || Family == CodeFamily::Java;
      bool inLiteral = lex.Quote != 0 && !lex.Escape && (!cLike || lex.Quote == '"');
      // A split needs room for what closes the line.
      int32_t need = Family == CodeFamily::CLike || Family == CodeFamily::FreeFortran ? 1 : 3;
      if (inLiteral && Column() + need >= limit && text[i] != lex.Quote) SplitLiteral(lex.Quote);
      AppendRaw(std::string(1, text[i]));
      lex.Step(text, i);
    }
    pos = end;
  }
}

}  // namespace mv
