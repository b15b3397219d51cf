#pragma once
// Grammars written in a short text form, the analysis and generation steps run on them, and a
// harness that compiles a generated C++ parser with g++ and runs it over sentences.

#include <map>
#include <string>
#include <vector>

#include "engine/codegen/parser_harness.h"
#include "engine/support/grammar_fixture.h"

namespace mv::testing {

// Sums and products of numbers with brackets, in the short text form of Grammar().
extern const char* const ExpressionGrammar;

class CodegenFixture : public EngineFixture {
protected:
  // Rules one per line: "Head = alt | alt"; elements separated by blanks: <Name> a
  // nonterminal, 'c' a one-character terminal (''' is the apostrophe), #code a terminal
  // given by its code, "text" a terminal spelled by several characters, `name` an action,
  // ~ the empty element; groups: [ alt / alt ] optional, { alt / alt }* zero or more times,
  // { alt / alt }+ one or more times; as other notations close their groups: [ alt / alt ]...
  // every alternative repeated, {: alt / alt :}... and <Name>... one or more times, ( alt )*
  // and ( alt )+ (an element directly before "..." takes no blank); character classes: %[a-cx],
  // %[^a] (no blanks inside).
  void Grammar(const std::string& text);

  // The grammar name and the analysis steps that code generation needs.
  void Analyse();
  // The analysis steps and the generation in a language; the generator options are set first.
  void Generate(int32_t language, bool actions = false, bool tree = false, bool names = false);

  // The lines of a generated file from the line that equals `head` up to and including the
  // first later line that equals `end`.
  std::vector<std::string> Block(const std::string& file, const std::string& head,
                                 const std::string& end) const;
  static std::vector<std::string> Lines(const std::string& text);

  // Compiles the generated C++ parser (language 8 or 9) with a harness: tree hooks, the acts
  // class, `act(text)` for action texts (traces "A text"), an external error handler that
  // traces "E num symbol set" and a main. Fails the test when g++ fails.
  bool Compile(int32_t language, const std::string& extra = std::string());
  // Runs the compiled parser over the sentences.
  std::vector<ParseResult> Run(const std::vector<std::string>& sentences);

  std::string Base() const;  // ResultBaseName without trailing blanks
  std::string GrammarId;     // the grammar name as the generated identifiers spell it
  std::string CompileLog;
};

}  // namespace mv::testing
