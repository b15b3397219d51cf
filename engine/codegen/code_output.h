#pragma once
// How the generators put text into the engine's pending output line. Everything a generator
// writes goes through here, so statement lines are broken only between tokens of the target
// and never inside a string literal.

#include <cstdint>
#include <string>

namespace mv {

class Engine;

// Lexical family of a target, for deciding where a statement may be broken.
enum class CodeFamily { CLike, Basic };

class CodeOutput {
public:
  CodeOutput(Engine& engine, CodeFamily family, int32_t width);

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
  void BreakStatement();
  void AppendPiece(const std::string& piece);

  Engine& Eng;
  CodeFamily Family;
  int32_t Width;
};

// Splits a statement text into pieces after which the line may be broken: after a blank or
// tab outside literals, and nothing after a comment start.
std::string::size_type NextBreak(const std::string& text, std::string::size_type from,
                                 CodeFamily family);

}  // namespace mv
