#include "code_colouring.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace readers {

namespace {

// Every entry of the quick list of frequent words is also in the full list, so one set of the
// full list answers both.
constexpr std::string_view kVBKeywords[] = {
    "Alias",        "And",          "As",       "Binary", "Boolean",    "ByRef",    "Byte",   "ByVal",   "Call",
    "Case",         "Const",        "Currency", "Date",   "Declare",    "Dim",      "Do",     "Double",  "Each",
    "Else",         "ElseIf",       "Empty",    "End",    "Enum",       "Eqv",      "Erase",  "Error",   "Event",
    "Exit",         "False",        "For",      "Friend", "Function",   "Get",      "GoSub",  "GoTo",    "If",
    "Imp",          "Implements",   "Input",    "Is",     "Integer",    "Len",      "Let",    "Lib",     "Like",
    "Line",         "Load",         "Lock",     "Long",   "Loop",       "LSet",     "Mod",    "New",     "Next",
    "Not",          "Nothing",      "Null",     "Object", "On",         "Open",     "Option", "Base",    "Compare",
    "Explicit",     "Optional",     "Or",       "OutPut", "ParamArray", "Preserve", "Print",  "Private", "Property",
    "Property Let", "Property Set", "Public",   "Put",    "RaiseEvent", "Random",   "Redim",  "Resume",  "Return",
    "RSet",         "Seek",         "Select",   "Set",    "Single",     "Static",   "Step",   "Stop",    "String",
    "Sub",          "Then",         "Time",     "True",   "To",         "Type",     "Unlock", "Until",   "Variant",
    "WithEvents",   "Wend",         "While",    "Width",  "With",       "Write",    "Xor"};

constexpr std::string_view kCppPreprocessor[] = {"#include", "#define", "#undef", "#if",    "#ifdef",
                                                 "#ifndef",  "#elif",   "#else",  "#endif", "#pragma",
                                                 "#line",    "#error",  "##"};

constexpr std::string_view kCppKeywords[] = {"asm",         "auto",      "break",
                                             "case",        "catch",     "char",
                                             "class",       "const",     "continue",
                                             "default",     "delete",    "do",
                                             "double",      "else",      "enum",
                                             "extern",      "float",     "for",
                                             "friend",      "goto",      "if",
                                             "inline",      "int",       "long",
                                             "new",         "operator",  "private",
                                             "protected",   "public",    "register",
                                             "return",      "short",     "signed",
                                             "sizeof",      "static",    "struct",
                                             "switch",      "template",  "this",
                                             "throw",       "try",       "typedef",
                                             "typeid",      "union",     "unsigned",
                                             "virtual",     "void",      "volatile",
                                             "while",       "overload",  "bool",
                                             "false",       "true",      "dynamic_cast",
                                             "explicit",    "namespace", "reinterpret_cast",
                                             "static_cast", "using",     "throws",
                                             "abstract",    "boolean"};

template <std::size_t N>
std::unordered_set<std::string_view> SetOf(const std::string_view (&words)[N])
{
    return {std::begin(words), std::end(words)};
}

const std::unordered_set<std::string_view>& VBKeywords()
{
    static const auto set = SetOf(kVBKeywords);
    return set;
}
const std::unordered_set<std::string_view>& CppPreprocessor()
{
    static const auto set = SetOf(kCppPreprocessor);
    return set;
}
const std::unordered_set<std::string_view>& CppKeywords()
{
    static const auto set = SetOf(kCppKeywords);
    return set;
}

constexpr std::string_view kVBDelimiters = "\t (.\n),\r";
constexpr std::string_view kCppDelimiters = "\t ;({[\n]})+-|&<>.:~?^,\r";

CharSet SetOfChars(std::string_view chars)
{
    CharSet s;
    for (unsigned char c : chars) s.add(c, c);
    return s;
}

const CharSet kVBDelimiterSet = SetOfChars(kVBDelimiters);
const CharSet kCppDelimiterSet = SetOfChars(kCppDelimiters);

constexpr std::string_view kVBMark = "!!!!!!!!!!!";
constexpr std::string_view kVBCommentedMark = "'!!!!!!!!!!!";
constexpr std::string_view kCppMark = "//!!!!!!!!!!!";

} // namespace

void SetVBCodeFonts(std::string_view Text, StyleHooks& style, CodeColouringHost* host)
{
    CodeColouring(style, host).SetVBCodeFonts(Text);
}

void SetCppCodeFonts(std::string_view Text, StyleHooks& style, CodeColouringHost* host)
{
    CodeColouring(style, host).SetCppCodeFonts(Text);
}

std::string_view CodeColouring::NextToken(std::string_view Text, std::string_view Delimiters)
{
    if (!Text.empty()) {
        ScanText = Text;
        ScanPos = 1;
        ScanLen = static_cast<Pos>(ScanText.size());
    } else if (ScanText.empty()) {
        return {};
    }
    return Next(SetOfChars(Delimiters));
}

// The search never runs past the saved text, whatever length a colouring run set last.
std::string_view CodeColouring::Next(const CharSet& delimiters)
{
    Pos p = std::max<Pos>(ScanPos, 1);
    while (p <= ScanLen && delimiters.has(static_cast<unsigned char>(ScanText[static_cast<std::size_t>(p - 1)]))) ++p;
    if (p > ScanLen) return {};
    ScanPos = p;
    Pos q = p;
    while (q <= ScanLen && !delimiters.has(static_cast<unsigned char>(ScanText[static_cast<std::size_t>(q - 1)]))) ++q;
    TokenStart = p;
    TokenLength = q - p;
    ScanPos = q;
    return std::string_view(ScanText).substr(static_cast<std::size_t>(p - 1), static_cast<std::size_t>(q - p));
}

void CodeColouring::TakeRestOfLine()
{
    const Pos from = TokenStart + TokenLength;
    Pos to = from;
    while (to <= ScanLen) {
        const char c = ScanText[static_cast<std::size_t>(to - 1)];
        if (c == '\r' || c == '\n') break;
        ++to;
    }
    TokenStart = from;
    TokenLength = to - from;
    ScanPos = to;
}

// Progress set-up. An empty text shows and hides the bar and colours nothing; the steps never
// divide by zero and the status bar is refreshed at least every step.
bool CodeColouring::Begin(std::string_view text)
{
    CodeTextLength = static_cast<Pos>(text.size());
    if (host_) host_->ShowProgressBar(true);
    ProgressMax = host_ ? host_->ProgressBarMax() : 0;
    if (host_) host_->SetProgressValue(0.0001);
    ProgressSum = 0;
    ProgressCount = 1;
    ProgressReportAt = 1;
    TokenStart = 1;
    if (CodeTextLength == 0) {
        End();
        return false;
    }
    ProgressStep = ProgressMax / static_cast<double>(CodeTextLength);
    const double perReport = std::nearbyint(ProgressMax / (static_cast<double>(CodeTextLength) / 10000.0));
    ProgressReportStep = std::max<std::int64_t>(1, static_cast<std::int64_t>(std::min(perReport, 1e15)));
    lineCount_ = host_ ? host_->GetLineFromChar(CodeTextLength) + 1 : 0;
    return true;
}

void CodeColouring::End()
{
    if (host_) host_->ShowProgressBar(false);
}

void CodeColouring::ProgressStepForWord()
{
    if (!host_) return;
    ProgressSum = ProgressStep * static_cast<double>(TokenStart);
    if (static_cast<double>(ProgressCount) > ProgressSum) return;
    if (static_cast<double>(ProgressCount) <= ProgressMax) host_->SetProgressValue(static_cast<double>(ProgressCount));
    ++ProgressCount;
    if (ProgressReportAt <= ProgressCount) {
        host_->SetStatusText("Line " + std::to_string(host_->GetLineFromChar(host_->SelStart()) + 1) + " of " +
                             std::to_string(lineCount_));
        ProgressReportAt += ProgressReportStep;
    }
}

void CodeColouring::SetVBCodeFonts(std::string_view Text)
{
    if (!Begin(Text)) return;
    std::string_view word = NextToken(Text, kVBDelimiters);
    const auto& keywords = VBKeywords();
    while (!word.empty()) {
        if (word == "'") {
            const Pos mark = TokenStart;
            TakeRestOfLine();
            style_.ApplyTextsFont(mark);
            style_.ApplyCnsFont(TokenStart + TokenLength);
        } else if (word == kVBCommentedMark) {
            // The generator writes its ambiguity mark as a comment: the mark in the errors'
            // font, the rest of its line as the comment it is.
            const Pos mark = TokenStart;
            TakeRestOfLine();
            style_.ApplyTextsFont(mark);
            style_.ApplyErrorFont(mark + static_cast<Pos>(kVBCommentedMark.size()));
            style_.ApplyCnsFont(TokenStart + TokenLength);
        } else if (keywords.count(word)) {
            style_.ApplyTextsFont(TokenStart);
            style_.ApplyNtmFont(TokenStart + TokenLength);
        } else {
            if (word == kVBMark) style_.ApplyErrorFont(TokenStart + TokenLength);
            ProgressStepForWord();
        }
        word = Next(kVBDelimiterSet);
    }
    End();
}

void CodeColouring::SetCppCodeFonts(std::string_view Text)
{
    if (!Begin(Text)) return;
    std::string_view word = NextToken(Text, kCppDelimiters);
    const auto& preprocessor = CppPreprocessor();
    const auto& keywords = CppKeywords();
    while (!word.empty()) {
        const Pos start = TokenStart;
        if (word == kCppMark || word == "//") {
            const bool mark = word == kCppMark;
            TakeRestOfLine();
            style_.ApplyTextsFont(start);
            if (mark) style_.ApplyErrorFont(TokenStart + TokenLength);
            else style_.ApplyCnsFont(TokenStart + TokenLength);
        } else if (word == "/*") {
            const std::size_t close = ScanText.find("*/", static_cast<std::size_t>(start + 1));
            const Pos after = close == std::string::npos ? ScanLen + 1 : static_cast<Pos>(close) + 3;
            style_.ApplyTextsFont(start);
            style_.ApplyCnsFont(after);
            ScanPos = after;
        } else if (preprocessor.count(word)) {
            style_.ApplyTextsFont(start);
            style_.ApplyErrorFont(start + TokenLength);
        } else if (keywords.count(word)) {
            style_.ApplyTextsFont(start);
            style_.ApplyTrmFont(start + TokenLength);
        } else {
            ProgressStepForWord();
        }
        word = Next(kCppDelimiterSet);
    }
    End();
}

} // namespace readers
