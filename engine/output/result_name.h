// The names of the files a run leaves in its work folder. The engine writes them and the
// window program opens them by these same functions, so the two can never disagree.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "output/identifier_spelling.h"
#include "store/targets.h"

namespace mv::names {

inline constexpr std::size_t BaseLength = 80;

inline std::string TrimRight(std::string_view text) {
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ') --end;
  return std::string(text.substr(0, end));
}

// The base of every result file: the grammar name's first 80 characters, trailing blanks off.
inline std::string ResultBase(std::string_view grammarName) {
  return TrimRight(grammarName.substr(0, grammarName.size() < BaseLength ? grammarName.size() : BaseLength));
}

// A result file: the base and the extension, which is never cut.
inline std::string ResultFileName(std::string_view grammarName, std::string_view extension) {
  return TrimRight(ResultBase(grammarName) + std::string(extension));
}

// The C++ targets name their files in lower case (Latin and Windows Cyrillic capitals).
inline std::string LowerCaseBase(std::string_view base) {
  std::string text(base);
  for (char& ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 65 && c <= 90) || (c >= 192 && c <= 223)) ch = static_cast<char>(c + 32);
  }
  return text;
}

// The parser source of a language code (of the C++ class target its implementation; the
// header is ParserHeaderName).
inline std::string ParserFileName(std::string_view grammarName, int language) {
  const TargetRow& row = WrittenTarget(language);
  const std::string base = ResultBase(grammarName);
  // An Object Pascal unit stands in the file of its own name, where the compiler looks for it.
  if (row.Flag == &TargetLanguageFlags::Pascal) return PascalUnitName(base) + row.ParserSuffix;
  return (row.LowerCaseNames ? LowerCaseBase(base) : base) + row.ParserSuffix;
}

// The file a target's generator opens first: the parser file, or the class target's header.
inline std::string FirstParserFileName(std::string_view grammarName, int language) {
  const TargetRow& row = WrittenTarget(language);
  if (!row.FirstSuffix) return ParserFileName(grammarName, language);
  const std::string base = ResultBase(grammarName);
  return (row.LowerCaseNames ? LowerCaseBase(base) : base) + row.FirstSuffix;
}

// A name with its control codes spelled out (ESC as "\\x1B"), for a message or a terminal: a
// name cannot clear the screen.
inline std::string Printable(std::string_view name) {
  static const char* const hex = "0123456789ABCDEF";
  std::string text;
  for (char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 32 || c == 127) {
      text += "\\x";
      text += hex[c >> 4];
      text += hex[c & 15];
    } else {
      text += ch;
    }
  }
  return text;
}

// Why a grammar name may not name files, empty when it may: a name that would reach out of
// the work folder names nothing. The engine and the window program ask the same question.
inline std::string GrammarNameFault(std::string_view base) {
  auto refused = [&](const char* why) {
    return "The grammar name \"" + Printable(base) + "\" is refused as a file name: " + why;
  };
  if (base.find('/') != std::string_view::npos || base.find("..") != std::string_view::npos)
    return refused("it may not contain \"/\" or \"..\".");
  for (char ch : base)
    if (static_cast<unsigned char>(ch) < 32 || ch == 127)
      return refused("it may not contain a control code.");
  if (base == ".") return refused("the file would not be in the work folder.");
  return {};
}

inline std::string ParserHeaderName(std::string_view grammarName) {
  return FirstParserFileName(grammarName, 9);
}

}  // namespace mv::names
