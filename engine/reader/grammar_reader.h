#pragma once
// The engine's own grammar notation, read in one call: a recursive-descent reader over the
// bytes of the text that builds the grammar through the builder entries and, when the text had
// no syntax error, runs the batch processing. Lists are read with loops, so a long text cannot
// exhaust the stack.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace mv {

class BatchRun;
class Builder;
class Output;

class GrammarReader {
public:
  // The current character past the last byte.
  static constexpr int32_t EndMark = 4096;

  GrammarReader(Builder& builder, Output& out, BatchRun& batch);

  void Morvantelisk(const std::string& text);

  // Every builder entry the reader calls, in order, with the code of BKSSYM and BKSS; unset
  // in the library, set by tests.
  std::function<void(std::string_view entry, int32_t code)> Trace;
  // Where the error lines go besides standard output; unset in the library.
  std::function<void(const std::string& line)> Echo;
  bool ErrorMark() const { return Error; }

private:
  void Read();
  void Call(const char* name, const std::function<void()>& entry);
  void Symbol(int32_t code);
  void Text(int32_t code);
  // A single expected character: reported when it is not there, passed over in any case.
  void Expect(int32_t code);
  void Report(const std::string& expecting);
  void ErrorOf(std::string_view nonterminal, std::string_view expected);

  void ItemList();
  void Blanks();
  void Rule();
  void NameCharacters();
  void ActionCharacters();
  void RightPart();
  void GrammaticalSymbol();
  void QuotedTerminal();
  void Number();
  void ActionDefinition();
  void Statement();
  void Comment();
  void Option();
  void Definition();

  // What it uses of the engine, by the engine's own names.
  struct Parts {
    Builder& builder;
    Output& out;
    BatchRun& batch;
  } Eng;
  std::string Source;
  int64_t Position = 0;
  int32_t Current = EndMark;
  int32_t Previous = 0;
  bool LowerCase = false;
  bool Error = false;
  int32_t Value = 0;
};

}  // namespace mv
