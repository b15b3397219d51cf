#include "codegen/identifiers.h"

#include "codegen/codegen.h"
#include "engine.h"

namespace mv {

namespace {

const char* Word(unsigned char c) {
  switch (c) {
    case '[': return "square_";
    case ']': return "_square";
    case '{': return "brace_";
    case '}': return "_brace";
    case '-': return "_dash_";
    case '$': return "dollar_";
    case ' ': return "_space_";
    case '!': return "_exclamation_";
    case '"': return "_doublequote_";
    case '#': return "_number_";
    case '%': return "_percent_";
    case '&': return "_and_";
    case '\'': return "_quote_";
    case '(': return "bracket_";
    case ')': return "_bracket";
    case '*': return "_mult_";
    case '+': return "_plus_";
    case ',': return "_comma_";
    case '.': return "_point_";
    case '/': return "_slash_";
    case ':': return "_colon_";
    case ';': return "_commapoint_";
    case '<': return "_less_";
    case '=': return "_equal_";
    case '>': return "_more_";
    case '?': return "_question_";
    case '@': return "_etta_";
    case '\\': return "_backslash_";
    case '^': return "_power_";
    case '`': return "_apostrophe_";
    case '|': return "_or_";
    // No identifier of the targets may hold these either.
    case '~': return "_tilde_";
    default: return nullptr;
  }
}

}  // namespace

std::string IdentifierSpelling(const std::string& name) {
  std::string text;
  if (name.empty()) return text;
  unsigned char first = static_cast<unsigned char>(name[0]);
  if (first >= '0' && first <= '9') text += 'L';
  for (char ch : name) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (const char* word = Word(c))
      text += word;
    else if (c < 32 || c >= 127)  // control codes and the upper half: spelled by their code
      text += "_" + std::to_string(c) + "_";
    else
      text += ch;
  }
  return text;
}

std::string IdentifierFromBytes(const std::string& text) {
  std::string out;
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    out += keep ? ch : '_';
  }
  if (out.empty() || (out[0] >= '0' && out[0] <= '9')) out.insert(0, "L");
  return out;
}

const std::set<std::string>& CppReservedNames() {
  static const std::set<std::string> names = {
      "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break",
      "case", "catch", "char", "char8_t", "char16_t", "char32_t", "class", "compl", "concept",
      "const", "consteval", "constexpr", "constinit", "const_cast", "continue", "co_await",
      "co_return", "co_yield", "decltype", "default", "delete", "do", "double", "dynamic_cast",
      "else", "enum", "explicit", "export", "extern", "false", "float", "for", "friend", "goto",
      "if", "inline", "int", "long", "mutable", "namespace", "new", "noexcept", "not", "not_eq",
      "nullptr", "operator", "or", "or_eq", "private", "protected", "public", "register",
      "reinterpret_cast", "requires", "return", "short", "signed", "sizeof", "static",
      "static_assert", "static_cast", "struct", "switch", "template", "this", "thread_local",
      "throw", "true", "try", "typedef", "typeid", "typename", "union", "unsigned", "using",
      "virtual", "void", "volatile", "wchar_t", "while", "xor", "xor_eq", "NULL", "main",
      // the parser's own names
      "next", "errh", "parse", "src", "indSrc", "lenSrc", "ll1", "ll0", "bad", "errMsg", "fin",
      "lowCase", "thisNode", "thisIndex", "parentIndex", "parentNode", "sourceStr", "errorMsg",
      "append",
      // what <string.h> and <stdio.h> declare at file scope (functions, types and macros,
      // with the extensions g++ enables), since a procedure of the same name does not compile
      "memcpy", "memmove", "memccpy", "memset", "memcmp", "memchr", "memrchr", "rawmemchr",
      "mempcpy", "memmem", "memfrob", "strcpy", "strncpy", "strcat", "strncat", "strcmp",
      "strncmp", "strcoll", "strxfrm", "strcoll_l", "strxfrm_l", "strdup", "strndup", "strchr",
      "strrchr", "strchrnul", "strcspn", "strspn", "strpbrk", "strstr", "strcasestr", "strtok",
      "strtok_r", "strlen", "strnlen", "strerror", "strerror_r", "strerror_l", "strerrordesc_np",
      "strerrorname_np", "strsignal", "sigabbrev_np", "sigdescr_np", "stpcpy", "stpncpy",
      "strcasecmp", "strncasecmp", "strcasecmp_l", "strncasecmp_l", "strsep", "strverscmp",
      "strfry", "strlcpy", "strlcat", "basename", "bcopy", "bzero", "bcmp", "explicit_bzero",
      "index", "rindex", "ffs", "ffsl", "ffsll", "remove", "rename", "renameat", "renameat2",
      "tmpfile", "tmpfile64", "tmpnam", "tmpnam_r", "tempnam", "fclose", "fcloseall", "fflush",
      "fflush_unlocked", "fopen", "fopen64", "freopen", "freopen64", "fdopen", "fopencookie",
      "fmemopen", "open_memstream", "setbuf", "setvbuf", "setbuffer", "setlinebuf", "fprintf",
      "printf", "sprintf", "vfprintf", "vprintf", "vsprintf", "snprintf", "vsnprintf", "vasprintf",
      "asprintf", "vdprintf", "dprintf", "obstack_printf", "obstack_vprintf", "fscanf", "scanf",
      "sscanf", "vfscanf", "vscanf", "vsscanf", "fgetc", "getc", "getchar", "getc_unlocked",
      "getchar_unlocked", "fgetc_unlocked", "fputc", "putc", "putchar", "fputc_unlocked",
      "putc_unlocked", "putchar_unlocked", "getw", "putw", "fgets", "fgets_unlocked", "gets",
      "getdelim", "getline", "fputs", "fputs_unlocked", "puts", "ungetc", "fread", "fwrite",
      "fread_unlocked", "fwrite_unlocked", "fseek", "ftell", "rewind", "fseeko", "ftello",
      "fseeko64", "ftello64", "fgetpos", "fsetpos", "fgetpos64", "fsetpos64", "clearerr", "feof",
      "ferror", "clearerr_unlocked", "feof_unlocked", "ferror_unlocked", "perror", "fileno",
      "fileno_unlocked", "popen", "pclose", "ctermid", "cuserid", "flockfile", "ftrylockfile",
      "funlockfile", "size_t", "fpos_t", "fpos64_t", "off_t", "off64_t", "ssize_t", "va_list",
      "locale_t", "cookie_io_functions_t", "cookie_read_function_t", "cookie_write_function_t",
      "cookie_seek_function_t", "cookie_close_function_t", "FILE", "stdin", "stdout", "stderr",
      "EOF", "BUFSIZ", "FILENAME_MAX", "FOPEN_MAX", "L_tmpnam", "L_ctermid", "L_cuserid",
      "TMP_MAX", "P_tmpdir", "SEEK_SET", "SEEK_CUR", "SEEK_END", "SEEK_DATA", "SEEK_HOLE",
      "RENAME_NOREPLACE", "RENAME_EXCHANGE", "RENAME_WHITEOUT", "_IOFBF", "_IOLBF", "_IONBF"};
  return names;
}

std::string CppIdentifier(std::string name) {
  if (name.empty()) name = "G";
  while (CppReservedNames().count(name)) name += "_";
  return name;
}

std::string VbIdentifier(std::string name) {
  static const std::set<std::string> reserved = {
      "and", "as", "boolean", "byref", "byte", "byval", "call", "case", "const", "currency",
      "date", "declare", "dim", "do", "double", "each", "else", "elseif", "end", "enum", "eqv",
      "erase", "error", "event", "exit", "false", "for", "friend", "function", "get", "global",
      "gosub", "goto", "if", "imp", "implements", "in", "integer", "is", "let", "like", "long",
      "loop", "lset", "me", "mod", "new", "next", "not", "nothing", "object", "on", "option",
      "optional", "or", "paramarray", "preserve", "private", "property", "public", "raiseevent",
      "redim", "rem", "resume", "return", "rset", "select", "set", "single", "static", "step",
      "stop", "string", "sub", "then", "to", "true", "type", "typeof", "until", "variant",
      "wend", "while", "with", "withevents", "xor",
      // functions the module calls
      "asc", "chr", "lcase", "len", "mid", "str", "vbnewline",
      // the module's own names and the hooks it calls
      "ll1", "ll0", "bad", "errmsg", "src", "indsrc", "lensrc", "fin", "lowcase", "scan", "errh",
      "sourcestr", "errormsg", "parentindex", "parentnode", "thisnode", "thisindex", "newnode",
      "newleaf", "completenode"};
  auto lower = [](std::string text) {
    for (auto& ch : text)
      if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
    return text;
  };
  if (name.empty() || !((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')))
    name.insert(0, "L");
  std::string key = lower(name);
  // The nonterminal procedures are s_1, s_2, ...
  bool procedure = key.size() > 2 && key.compare(0, 2, "s_") == 0 &&
                   key.find_first_not_of("0123456789", 2) == std::string::npos;
  while (reserved.count(key) || procedure) {
    name += "_";
    key += "_";
    procedure = false;
  }
  return name;
}

namespace {

std::string Lower(std::string text) {
  for (auto& ch : text)
    if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
  return text;
}

bool IsProcedureName(const std::string& key) {
  return key.size() > 2 && key.compare(0, 2, "s_") == 0 &&
         key.find_first_not_of("0123456789", 2) == std::string::npos;
}

// Begins with a letter; "_" appended while the name (lower-cased when caseBlind) is taken.
std::string SuffixedIdentifier(std::string name, const std::set<std::string>& taken, bool caseBlind,
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

}  // namespace

std::string FortranIdentifier(const std::string& name) {
  static const std::set<std::string> taken = {
      "src", "ll0", "ll1", "indsrc", "lensrc", "err", "lowcase", "next", "errh", "nestingdepth",
      "maxnestingdepth", "ichar", "char", "len", "min", "found", "foundlen", "linenum",
      "leftcontext", "rightcontext", "i", "errnum", "gramsymb", "expectedset"};
  return SuffixedIdentifier(name, taken, true, 63);
}

std::string PascalIdentifier(const std::string& name) {
  static const std::set<std::string> taken = {
      "and", "array", "as", "asm", "begin", "case", "class", "const", "constructor",
      "destructor", "div", "do", "downto", "else", "end", "except", "exports", "file",
      "finalization", "finally", "for", "function", "goto", "if", "implementation", "in",
      "inherited", "initialization", "inline", "interface", "is", "label", "library", "mod",
      "nil", "not", "object", "of", "on", "operator", "or", "out", "packed", "procedure",
      "program", "property", "raise", "record", "repeat", "resourcestring", "set", "shl", "shr",
      "string", "then", "threadvar", "to", "try", "type", "unit", "until", "uses", "var",
      "while", "with", "xor", "self", "result", "exit", "true", "false", "integer", "boolean",
      "sysutils", "system", "tobject", "src", "indsrc", "lensrc", "ll0", "ll1", "err", "next",
      "errh", "nestingdepth", "maxnestingdepth", "ord", "chr", "length", "writeln", "write",
      "copy", "stringofchar", "linenum", "leftcontext", "rightcontext", "i", "errnum",
      "gramsymb", "expectedset", "found", "create", "free", "destroy"};
  return SuffixedIdentifier(name, taken, true, 200);
}

std::string JavaIdentifier(const std::string& name) {
  static const std::set<std::string> taken = {
      "abstract", "assert", "boolean", "break", "byte", "case", "catch", "char", "class",
      "const", "continue", "default", "do", "double", "else", "enum", "extends", "final",
      "finally", "float", "for", "goto", "if", "implements", "import", "instanceof", "int",
      "interface", "long", "native", "new", "package", "private", "protected", "public",
      "return", "short", "static", "strictfp", "super", "switch", "synchronized", "this",
      "throw", "throws", "transient", "try", "void", "volatile", "while", "true", "false",
      "null", "var", "record", "yield", "_", "parse", "next", "preparse", "postparse",
      "getClass", "hashCode", "toString", "equals", "notify", "notifyAll", "wait", "clone",
      "finalize"};
  std::string spelled = name;
  if (!spelled.empty() && spelled[0] >= '0' && spelled[0] <= '9') spelled.insert(0, "L");
  if (spelled.empty()) spelled = "L";
  while (taken.count(spelled)) spelled += "_";
  return spelled;
}

std::string CodeGen::IdentifierText(int32_t first, int32_t last) const {
  if (first < 1) return std::string();
  return IdentifierSpelling(Eng.store.NameText(first, last));
}

void CodeGen::NameToIdentifier(int32_t first, int32_t last) {
  std::string text = IdentifierText(first, last);
  if (!text.empty()) Eng.out.WriteText(text);
}

}  // namespace mv
