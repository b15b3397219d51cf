#include "codegen/identifiers.h"

#include "codegen/codegen.h"
#include "output/output.h"
#include "store/grammar_store.h"

namespace mv {

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
      "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break", "case",
      "catch", "char", "char8_t", "char16_t", "char32_t", "class", "compl", "concept", "const", "consteval",
      "constexpr", "constinit", "const_cast", "continue", "co_await", "co_return", "co_yield", "decltype",
      "default", "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern",
      "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace", "new",
      "noexcept", "not", "not_eq", "nullptr", "operator", "or", "or_eq", "private", "protected", "public",
      "register", "reinterpret_cast", "requires", "return", "short", "signed", "sizeof", "static",
      "static_assert", "static_cast", "struct", "switch", "template", "this", "thread_local", "throw", "true",
      "try", "typedef", "typeid", "typename", "union", "unsigned", "using", "virtual", "void", "volatile",
      "wchar_t", "while", "xor", "xor_eq", "NULL", "main",
      // the parser's own names
      "next", "errh", "parse", "src", "indSrc", "lenSrc", "ll1", "ll0", "bad", "errMsg", "fin", "lowCase",
      "thisNode", "thisIndex", "parentIndex", "parentNode", "sourceStr", "errorMsg", "append",
      // what <string.h> and <stdio.h> declare at file scope (functions, types and macros,
      // with the extensions g++ enables), since a procedure of the same name does not compile
      "memcpy", "memmove", "memccpy", "memset", "memcmp", "memchr", "memrchr", "rawmemchr", "mempcpy",
      "memmem", "memfrob", "strcpy", "strncpy", "strcat", "strncat", "strcmp", "strncmp", "strcoll",
      "strxfrm", "strcoll_l", "strxfrm_l", "strdup", "strndup", "strchr", "strrchr", "strchrnul", "strcspn",
      "strspn", "strpbrk", "strstr", "strcasestr", "strtok", "strtok_r", "strlen", "strnlen", "strerror",
      "strerror_r", "strerror_l", "strerrordesc_np", "strerrorname_np", "strsignal", "sigabbrev_np",
      "sigdescr_np", "stpcpy", "stpncpy", "strcasecmp", "strncasecmp", "strcasecmp_l", "strncasecmp_l",
      "strsep", "strverscmp", "strfry", "strlcpy", "strlcat", "basename", "bcopy", "bzero", "bcmp",
      "explicit_bzero", "index", "rindex", "ffs", "ffsl", "ffsll", "remove", "rename", "renameat",
      "renameat2", "tmpfile", "tmpfile64", "tmpnam", "tmpnam_r", "tempnam", "fclose", "fcloseall", "fflush",
      "fflush_unlocked", "fopen", "fopen64", "freopen", "freopen64", "fdopen", "fopencookie", "fmemopen",
      "open_memstream", "setbuf", "setvbuf", "setbuffer", "setlinebuf", "fprintf", "printf", "sprintf",
      "vfprintf", "vprintf", "vsprintf", "snprintf", "vsnprintf", "vasprintf", "asprintf", "vdprintf",
      "dprintf", "obstack_printf", "obstack_vprintf", "fscanf", "scanf", "sscanf", "vfscanf", "vscanf",
      "vsscanf", "fgetc", "getc", "getchar", "getc_unlocked", "getchar_unlocked", "fgetc_unlocked", "fputc",
      "putc", "putchar", "fputc_unlocked", "putc_unlocked", "putchar_unlocked", "getw", "putw", "fgets",
      "fgets_unlocked", "gets", "getdelim", "getline", "fputs", "fputs_unlocked", "puts", "ungetc", "fread",
      "fwrite", "fread_unlocked", "fwrite_unlocked", "fseek", "ftell", "rewind", "fseeko", "ftello",
      "fseeko64", "ftello64", "fgetpos", "fsetpos", "fgetpos64", "fsetpos64", "clearerr", "feof", "ferror",
      "clearerr_unlocked", "feof_unlocked", "ferror_unlocked", "perror", "fileno", "fileno_unlocked", "popen",
      "pclose", "ctermid", "cuserid", "flockfile", "ftrylockfile", "funlockfile", "size_t", "fpos_t",
      "fpos64_t", "off_t", "off64_t", "ssize_t", "va_list", "locale_t", "cookie_io_functions_t",
      "cookie_read_function_t", "cookie_write_function_t", "cookie_seek_function_t",
      "cookie_close_function_t", "FILE", "stdin", "stdout", "stderr", "EOF", "BUFSIZ", "FILENAME_MAX",
      "FOPEN_MAX", "L_tmpnam", "L_ctermid", "L_cuserid", "TMP_MAX", "P_tmpdir", "SEEK_SET", "SEEK_CUR",
      "SEEK_END", "SEEK_DATA", "SEEK_HOLE", "RENAME_NOREPLACE", "RENAME_EXCHANGE", "RENAME_WHITEOUT",
      "_IOFBF", "_IOLBF", "_IONBF"};
  return names;
}

std::string CppIdentifier(std::string name) {
  if (name.empty()) name = "G";
  while (CppReservedNames().count(name)) name += "_";
  return name;
}

std::string VbIdentifier(std::string name) {
  static const std::set<std::string> reserved = {
      "and", "as", "boolean", "byref", "byte", "byval", "call", "case", "const", "currency", "date",
      "declare", "dim", "do", "double", "each", "else", "elseif", "end", "enum", "eqv", "erase", "error",
      "event", "exit", "false", "for", "friend", "function", "get", "global", "gosub", "goto", "if", "imp",
      "implements", "in", "integer", "is", "let", "like", "long", "loop", "lset", "me", "mod", "new", "next",
      "not", "nothing", "object", "on", "option", "optional", "or", "paramarray", "preserve", "private",
      "property", "public", "raiseevent", "redim", "rem", "resume", "return", "rset", "select", "set",
      "single", "static", "step", "stop", "string", "sub", "then", "to", "true", "type", "typeof", "until",
      "variant", "wend", "while", "with", "withevents", "xor",
      // functions the module calls
      "asc", "chr", "lcase", "len", "mid", "str", "vbnewline",
      // the module's own names and the hooks it calls
      "ll1", "ll0", "bad", "errmsg", "src", "indsrc", "lensrc", "fin", "lowcase", "scan", "errh", "sourcestr",
      "errormsg", "parentindex", "parentnode", "thisnode", "thisindex", "newnode", "newleaf", "completenode"};
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

std::string FortranIdentifier(const std::string& name) {
  static const std::set<std::string> taken = {
      "src",         "ll0",          "ll1",  "indsrc",       "lensrc",          "err",
      "lowcase",     "next",         "errh", "nestingdepth", "maxnestingdepth", "ichar",
      "char",        "len",          "min",  "found",        "foundlen",        "linenum",
      "leftcontext", "rightcontext", "i",    "errnum",       "gramsymb",        "expectedset"};
  return spelling::SuffixedIdentifier(name, taken, true, 63);
}

std::string JavaIdentifier(const std::string& name) {
  static const std::set<std::string> taken = {
      "abstract", "assert", "boolean",    "break",     "byte",       "case",      "catch",
      "char",     "class",  "const",      "continue",  "default",    "do",        "double",
      "else",     "enum",   "extends",    "final",     "finally",    "float",     "for",
      "goto",     "if",     "implements", "import",    "instanceof", "int",       "interface",
      "long",     "native", "new",        "package",   "private",    "protected", "public",
      "return",   "short",  "static",     "strictfp",  "super",      "switch",    "synchronized",
      "this",     "throw",  "throws",     "transient", "try",        "void",      "volatile",
      "while",    "true",   "false",      "null",      "var",        "record",    "yield",
      "_",        "parse",  "next",       "preparse",  "postparse",  "getClass",  "hashCode",
      "toString", "equals", "notify",     "notifyAll", "wait",       "clone",     "finalize"};
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
