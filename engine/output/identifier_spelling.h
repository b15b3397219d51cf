#pragma once
// The spelling of names as identifiers that both the engine and the window program need: the
// engine writes an Object Pascal unit to the file of the unit's name, and the window program
// opens it by the same name. Header-only, so the window program needs no engine code.

#include <set>
#include <string>

namespace mv {

namespace spelling {

inline const char* Word(unsigned char c) {
  switch (c) {
    case '[':
      return "square_";
    case ']':
      return "_square";
    case '{':
      return "brace_";
    case '}':
      return "_brace";
    case '-':
      return "_dash_";
    case '$':
      return "dollar_";
    case ' ':
      return "_space_";
    case '!':
      return "_exclamation_";
    case '"':
      return "_doublequote_";
    case '#':
      return "_number_";
    case '%':
      return "_percent_";
    case '&':
      return "_and_";
    case '\'':
      return "_quote_";
    case '(':
      return "bracket_";
    case ')':
      return "_bracket";
    case '*':
      return "_mult_";
    case '+':
      return "_plus_";
    case ',':
      return "_comma_";
    case '.':
      return "_point_";
    case '/':
      return "_slash_";
    case ':':
      return "_colon_";
    case ';':
      return "_commapoint_";
    case '<':
      return "_less_";
    case '=':
      return "_equal_";
    case '>':
      return "_more_";
    case '?':
      return "_question_";
    case '@':
      return "_etta_";
    case '\\':
      return "_backslash_";
    case '^':
      return "_power_";
    case '`':
      return "_apostrophe_";
    case '|':
      return "_or_";
    // No identifier of the targets may hold these either.
    case '~':
      return "_tilde_";
    default:
      return nullptr;
  }
}

inline std::string Lower(std::string text) {
  for (auto& ch : text)
    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
  return text;
}

inline bool IsProcedureName(const std::string& key) {
  return key.size() > 2 && key.compare(0, 2, "s_") == 0 &&
         key.find_first_not_of("0123456789", 2) == std::string::npos;
}

// Begins with a letter; "_" appended while the name (lower-cased when caseBlind) is taken.
inline std::string SuffixedIdentifier(std::string name, const std::set<std::string>& taken, bool caseBlind,
                                      size_t maxLength) {
  if (name.empty() || !((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
    name.insert(0, "L");
  if (name.size() > maxLength) name.resize(maxLength);
  auto key = [&] { return caseBlind ? Lower(name) : name; };
  while (taken.count(key()) || IsProcedureName(key())) {
    if (name.size() >= maxLength) name.pop_back();
    name += "_";
  }
  return name;
}

}  // namespace spelling

// The identifier spelling of a name's character codes (a leading digit gets "L").
inline std::string IdentifierSpelling(const std::string& name) {
  std::string text;
  if (name.empty()) return text;
  unsigned char first = static_cast<unsigned char>(name[0]);
  if (first >= '0' && first <= '9') text += 'L';
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (const char* word = spelling::Word(c)) text += word;
    else if (c < 32 || c >= 127)  // control codes and the upper half: spelled by their code
      text += "_" + std::to_string(c) + "_";
    else text += ch;
  }
  return text;
}

// An Object Pascal name: "_" appended while it is a keyword or one of the unit's own names.
inline std::string PascalIdentifier(const std::string& name) {
  static const std::set<std::string> taken = {"and",
                                              "array",
                                              "as",
                                              "asm",
                                              "begin",
                                              "case",
                                              "class",
                                              "const",
                                              "constructor",
                                              "destructor",
                                              "div",
                                              "do",
                                              "downto",
                                              "else",
                                              "end",
                                              "except",
                                              "exports",
                                              "file",
                                              "finalization",
                                              "finally",
                                              "for",
                                              "function",
                                              "goto",
                                              "if",
                                              "implementation",
                                              "in",
                                              "inherited",
                                              "initialization",
                                              "inline",
                                              "interface",
                                              "is",
                                              "label",
                                              "library",
                                              "mod",
                                              "nil",
                                              "not",
                                              "object",
                                              "of",
                                              "on",
                                              "operator",
                                              "or",
                                              "out",
                                              "packed",
                                              "procedure",
                                              "program",
                                              "property",
                                              "raise",
                                              "record",
                                              "repeat",
                                              "resourcestring",
                                              "set",
                                              "shl",
                                              "shr",
                                              "string",
                                              "then",
                                              "threadvar",
                                              "to",
                                              "try",
                                              "type",
                                              "unit",
                                              "until",
                                              "uses",
                                              "var",
                                              "while",
                                              "with",
                                              "xor",
                                              "self",
                                              "result",
                                              "exit",
                                              "true",
                                              "false",
                                              "integer",
                                              "boolean",
                                              "sysutils",
                                              "system",
                                              "tobject",
                                              "src",
                                              "indsrc",
                                              "lensrc",
                                              "ll0",
                                              "ll1",
                                              "err",
                                              "next",
                                              "errh",
                                              "nestingdepth",
                                              "maxnestingdepth",
                                              "ord",
                                              "chr",
                                              "length",
                                              "writeln",
                                              "write",
                                              "copy",
                                              "stringofchar",
                                              "linenum",
                                              "leftcontext",
                                              "rightcontext",
                                              "i",
                                              "errnum",
                                              "gramsymb",
                                              "expectedset",
                                              "found",
                                              "create",
                                              "free",
                                              "destroy"};
  return spelling::SuffixedIdentifier(name, taken, true, 200);
}

// The Object Pascal unit of a grammar: the identifier spelling of its base, a keyword or one of
// the unit's own names with "_" appended.
inline std::string PascalUnitName(const std::string& base) {
  std::string name = IdentifierSpelling(base);
  if (name.size() > 200) name.resize(200);
  return PascalIdentifier(name);
}

}  // namespace mv
