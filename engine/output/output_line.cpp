// The pending output line: composing, breaking at the target's width, and writing it either to
// the generated source or, numbered, to the current result file.
#include "output/output.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "store/chain_walk.h"
#include "store/grammar_store.h"
#include "store/run_settings.h"

namespace mv {

namespace {

enum class BreakForm { WriteThenMark, MarkThenWrite, WriteOnly };

struct TargetForm {
  int32_t Width;
  const char* CommentStart;
  const char* CommentContinuation;
  BreakForm Break;
  const char* BreakMark;  // appended to the full line, or opening the next one
};

const TargetForm Fortran77Form{72, "!  ", "! ", BreakForm::WriteThenMark, "     &"};
const TargetForm Fortran90Form{129, "!  ", "! ", BreakForm::MarkThenWrite, "&"};
const TargetForm VisualBasicForm{1000, "'  ", "' ", BreakForm::MarkThenWrite, " _"};
const TargetForm SlashCommentForm{1000, "// ", "//", BreakForm::WriteOnly, ""};

const TargetForm& FormOf(LineForm line) {
  switch (line) {
    case LineForm::Fortran77:
      return Fortran77Form;
    case LineForm::Fortran90:
      return Fortran90Form;
    case LineForm::SlashComment:
      return SlashCommentForm;
    case LineForm::VisualBasic:
      break;
  }
  return VisualBasicForm;
}

}  // namespace

// Codes written as ''NN'' so that no control character reaches a file.
bool IsEscaped(int32_t k, bool escapeTab) {
  return (k >= 0 && k <= 8) || (k >= 10 && k <= 31) || k == 127 || (k >= 145 && k <= 148) ||
         (k == 9 && escapeTab);
}

int32_t Output::CharCode(int32_t code) { return code == 256 ? 256 : code & 0xFF; }

void Output::IntToDigitCodes(int32_t value, int32_t* codes, int32_t& count) {
  // 64 bits so that the most negative value has a magnitude too.
  int64_t magnitude = value;
  count = 0;
  if (magnitude < 0) {
    codes[count++] = '-';
    magnitude = -magnitude;
  }
  int64_t power = 1;
  while (power * 10 <= magnitude) power *= 10;
  for (; power >= 1; power /= 10) codes[count++] = int32_t('0' + (magnitude / power) % 10);
}

std::string Output::Decimal(int32_t value) {
  int32_t codes[MaxDigitCodes];
  int32_t count = 0;
  IntToDigitCodes(value, codes, count);
  std::string text;
  for (int32_t i = 0; i < count; ++i) text.push_back(char(codes[i]));
  return text;
}

std::string Output::IntToText(int32_t value) {
  std::string text = Decimal(value);
  // Only the most negative value needs 11 characters; it is kept whole.
  if (text.size() < 10) text.resize(10, ' ');
  return text;
}

std::string Output::LowerCaseText(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

std::string_view Output::ListingBytes(std::string_view text) {
  if (!GrammarFileMode || text.find('\t') == std::string_view::npos) return text;
  Scratch.clear();
  for (char c : text) {
    if (c == '\t') Scratch += "''9''";
    else Scratch.push_back(c);
  }
  return Scratch;
}

void Output::WriteListingLine(std::string_view text) {
  // The whole text goes into one record, however many escapes it holds.
  text = ListingBytes(text);
  if (GrammarFileMode) {
    ResultUnit.WriteLine(text);
    return;
  }
  char prefix[32];
  int length;
  if (ListingLineNumber >= 0) {
    ++ListingLineNumber;
    length = std::snprintf(prefix, sizeof prefix, " %6d          ", ListingLineNumber);
  } else {
    length = std::snprintf(prefix, sizeof prefix, "      ");
    ListingLineNumber = -ListingLineNumber;
  }
  ResultUnit.Write(std::string_view(prefix, size_t(length)));
  ResultUnit.WriteLine(text);
}

void Output::FlushOutputLine() {
  if (Column == 0 && !LineWrittenOn) return;
  Column = 0;  // before writing, so that a write can never see the line twice
  LineWrittenOn = false;
  if (Eng.store.CollisionReportFlag) {
    WriteListingLine(Pending);
  } else {
    if (SourceLineFix) SourceLineFix(Pending);
    SourceUnit.WriteLine(Pending);
  }
  Pending.clear();
}

void Output::DropPendingLine() {
  Column = 0;
  Pending.clear();
}

void Output::LineFull() {
  if (UnbrokenLines()) {
    // Written on without its end: the line goes on where this part stops.
    ResultUnit.Write(ListingBytes(Pending));
    Pending.clear();
    Column = 0;
    LineWrittenOn = true;
  } else {
    FlushOutputLine();
  }
}

namespace {

// The spelling of a code that is written as ''NN'' (the tab left bare), empty for the others.
struct EscapeTable {
  std::array<bool, 256> Escaped{};
  std::array<std::string, 256> Spelling;
  EscapeTable() {
    for (int32_t k = 0; k < 256; ++k) {
      Escaped[size_t(k)] = IsEscaped(k, false);
      if (Escaped[size_t(k)]) Spelling[size_t(k)] = "''" + Output::Decimal(k) + "''";
    }
  }
};
const EscapeTable Escapes;

}  // namespace

size_t PlainBytes(std::string_view text) {
  // Eight bytes at a time while none is below 32 or above 126, where every escaped code lies;
  // the bytes of a word that has one are looked up one by one.
  constexpr uint64_t Ones = 0x0101010101010101u, Highs = 0x8080808080808080u;
  const char* p = text.data();
  const size_t n = text.size();
  size_t i = 0;
  while (i < n) {
    if (n - i >= 8) {
      uint64_t w;
      std::memcpy(&w, p + i, sizeof w);
      const uint64_t below = (w - Ones * 32) & ~w & Highs;
      const uint64_t above = ((w + Ones) | w) & Highs;
      if ((below | above) == 0) {
        i += 8;
        continue;
      }
    }
    for (const size_t stop = std::min(n, i + 8); i < stop; ++i)
      if (Escapes.Escaped[static_cast<unsigned char>(p[i])]) return i;
  }
  return n;
}

void AppendSpelt(std::string& out, std::string_view bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const size_t plain = PlainBytes(bytes.substr(done));
    out.append(bytes.data() + done, plain);
    done += plain;
    if (done < bytes.size()) out += Escapes.Spelling[static_cast<unsigned char>(bytes[done++])];
  }
}

void Output::AppendCode(int32_t code) {
  const int32_t k = CharCode(code);
  if (k == 256) Pending.push_back('\0');
  else if (const std::string& spelling = Escapes.Spelling[size_t(k)]; !spelling.empty()) Pending += spelling;
  else Pending.push_back(char(k));
  if (++Column >= LineCapacity) LineFull();
}

void Output::AppendCodes(const int32_t* codes, int32_t n) {
  for (int32_t i = 0; i < n; ++i) AppendCode(codes[i]);
}

void Output::AppendCodes(std::string_view bytes, bool spelt) {
  while (!bytes.empty()) {
    const size_t take = std::min(bytes.size(), size_t(LineCapacity - Column));
    if (spelt) Pending.append(bytes.substr(0, take));
    else AppendSpelt(Pending, bytes.substr(0, take));
    bytes.remove_prefix(take);
    Column += int32_t(take);
    if (Column >= LineCapacity) LineFull();
  }
}

bool Output::UnbrokenLines() const {
  // The grammar file is read back, and the Typical notation cannot continue an alternative on
  // another line: its lines are never broken.
  return GrammarFileMode && Eng.store.CollisionReportFlag;
}

void Output::StartOutputLine(int32_t label) {
  FlushOutputLine();
  const TargetForm& form = FormOf(CurrentLineForm());
  if ((label & 0xFF) == 'C' && ((label >> 8) & 0xFF) == 'O') {
    AppendBytes(form.CommentStart);
    CommentState = true;
    return;
  }
  CommentState = false;
  std::string digits = label > 0 && label < 100000 ? Decimal(label) : std::string();
  if (Eng.run.Target.Fortran77 || label != 0) {
    digits.resize(6, ' ');
    AppendBytes(digits);
  }
}

void Output::SetCommentState() { CommentState = true; }

LineForm Output::CurrentLineForm() {
  // Asked for every piece of every line: the answer is kept while the flags stay.
  const TargetLanguageFlags& flags = Eng.run.Target;
  if (!FormKnown || std::memcmp(&FormFlags, &flags, sizeof flags) != 0) {
    FormFlags = flags;
    Form = TargetOfFlags(flags).Form;
    FormKnown = true;
  }
  return Form;
}

int32_t Output::LineWidth() { return UnbrokenLines() ? INT32_MAX : FormOf(CurrentLineForm()).Width; }

template <class Code>
void Output::AppendWrapped(const Code* codes, int32_t n, bool spelt) {
  if (!codes || n < 1) return;
  const TargetForm& form = FormOf(CurrentLineForm());
  const int32_t width = UnbrokenLines() ? INT32_MAX : form.Width;
  int32_t rest = n;
  const Code* next = codes;
  const bool asComment = CommentState || Eng.store.CollisionReportFlag;
  auto append = [&](int32_t count) {
    if constexpr (std::is_same_v<Code, char>) AppendCodes(std::string_view(next, size_t(count)), spelt);
    else AppendCodes(next, count);
  };
  for (;;) {
    if (Column >= width) {
      if (asComment) {
        FlushOutputLine();
        if (Eng.store.CollisionReportFlag) {
          AppendBytes("  ");
          ListingLineNumber = -ListingLineNumber;
        } else {
          AppendBytes(form.CommentContinuation);
        }
      } else {
        BreakStatementLine(int(form.Break), form.BreakMark);
      }
    }
    if (Column + rest <= width) {
      // Mostly a spelt piece that leaves the line short of its capacity: it goes on as it is.
      if constexpr (std::is_same_v<Code, char>) {
        if (spelt && rest < LineCapacity - Column) {
          Pending.append(next, size_t(rest));
          Column += rest;
          return;
        }
      }
      append(rest);
      return;
    }
    int32_t fit = width - Column;
    append(fit);
    next += fit;
    rest -= fit;
    if (!asComment) BreakStatementLine(int(form.Break), form.BreakMark);
  }
}

void Output::AppendLineCodes(const int32_t* codes, int32_t n) { AppendWrapped(codes, n); }

void Output::BreakStatementLine(int breakForm, const char* mark) {
  switch (BreakForm(breakForm)) {
    case BreakForm::WriteThenMark:
      FlushOutputLine();
      AppendBytes(mark);
      break;
    case BreakForm::MarkThenWrite:
      AppendBytes(mark);
      FlushOutputLine();
      break;
    case BreakForm::WriteOnly:
      FlushOutputLine();
      break;
  }
}

void Output::WriteText(std::string_view text, int32_t n) {
  if (n < 1) return;
  size_t count = size_t(n) < text.size() ? size_t(n) : text.size();
  AppendWrapped(text.data(), int32_t(count));
}

void Output::WriteText(std::string_view text) { WriteText(text, int32_t(text.size())); }

void Output::WriteSpeltText(std::string_view text) { AppendWrapped(text.data(), int32_t(text.size()), true); }

void Output::WriteNameChain(int32_t pool, int32_t first, int32_t last, int32_t link, int32_t codeField) {
  if (first == 0 || last == 0) return;
  std::vector<int32_t>& codes = NameCodes;
  codes.clear();
  WalkChain(Eng.mem, pool, link, first, last,
            [&](int32_t r) { codes.push_back(Eng.mem.IVLR(pool, r, codeField)); });
  AppendWrapped(codes.data(), int32_t(codes.size()));
}

void Output::WriteIntList(const int32_t* values, int32_t n) {
  if (!values || n < 1) return;
  std::string text;
  for (int32_t i = 0; i < n; ++i) {
    if (i > 0) text.push_back(',');
    text += Decimal(values[i]);
  }
  WriteText(text);
}

void Output::StartListing(std::string_view title) {
  ListingLineNumber = 0;
  ListingTitle = std::string(title.substr(0, ListingTitleLength));
}

}  // namespace mv
