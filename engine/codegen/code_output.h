#pragma once
// How the generators put text into the engine's pending output line. Everything a generator
// writes goes through here, so statement lines are broken only between tokens of the target
// and never inside a string literal.

#include <cstdint>
#include <string>
#include <string_view>

namespace mv {

class Output;

// Lexical family of a target, for deciding where a statement may be broken.
// Free-form Fortran continues a statement with "&" at the end of the line; fixed-form Fortran
// with a mark in column 6 of the next line. Pascal literals are C-like for breaking purposes
// only in that they never hold a line break. Java is C-like, but adjacent literals do not join.
enum class CodeFamily { CLike, Java, Basic, FreeFortran, FixedFortran, Pascal };

class CodeOutput {
public:
  CodeOutput(Output& out, CodeFamily family, int32_t width);

  // A comment line holding the text.
  void Comment(const std::string& text);
  // A statement line: tabs, then the text (broken only where the target allows).
  void Statement(int tabs, const std::string& text);
  // Appends to the pending statement line, broken only between pieces of the text; a string
  // literal too long for a line is split into adjacent literals.
  void Append(const std::string& text);
  // Switches the pending line to the comment state and appends the comment text as is.
  void CommentTail(const std::string& text);
  // Appends raw text with no break logic (comment text of a comment line).
  void AppendRaw(const std::string& text);
  void Flush();
  // A statement line that holds one blank (the generators' separator lines).
  void BlankLine();

  int32_t Column() const;

private:
  struct Lexer;

  void BreakStatement();
  // Closes a literal at the end of the line and opens it again on the next.
  void SplitLiteral(char quote);
  // Columns kept free at the end of a line for the continuation.
  int32_t Reserve() const;
  // Text already in its written form, with no break logic.
  void Put(std::string_view rendered);
  // The piece text[pos, end) of a statement, where `lex` stands at its start.
  void AppendPiece(std::string_view text, size_t pos, size_t end, Lexer lex, int32_t limit);

  // What it uses of the engine, by the engine's own names.
  struct Parts {
    Output& out;
  } Eng;
  CodeFamily Family;
  int32_t Width;
};

}  // namespace mv
