// Colouring of generated parser code by a word scan: comments, ambiguity marks and the
// target language's keywords. Not a parser: words are cut at fixed delimiter characters.
#pragma once

#include <string>
#include <string_view>

#include "reader_frame.h"
#include "style_hooks.h"

namespace readers {

// The main window's progress and status bars and the document's rich text, as the code
// colouring uses them.
class CodeColouringHost {
public:
    virtual ~CodeColouringHost() = default;
    virtual void ShowProgressBar(bool visible) = 0;
    virtual double ProgressBarMax() const = 0;
    virtual void SetProgressValue(double value) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual Pos GetLineFromChar(Pos offset) const = 0; // 0-based line of a 0-based offset
    virtual Pos SelStart() const = 0;
};

class CodeColouring {
public:
    // `host` may be null: then no progress is shown.
    CodeColouring(StyleHooks& style, CodeColouringHost* host) : style_(style), host_(host) {}

    std::string ScanText;
    Pos ScanPos = 0;
    Pos ScanLen = 0;
    Pos TokenStart = 0;
    Pos TokenLength = 0;
    Pos CodeTextLength = 0;
    double ProgressStep = 0;
    double ProgressSum = 0;
    std::int64_t ProgressCount = 0;
    std::int64_t ProgressReportAt = 0;
    double ProgressMax = 0;
    std::int64_t ProgressReportStep = 1;

    // Colour the Visual Basic, or the C++ and Java, code whose text the rich text holds.
    void SetVBCodeFonts(std::string_view Text);
    void SetCppCodeFonts(std::string_view Text);

    // A non-empty Text starts cutting it; an empty one goes on in the saved text. The next
    // word, "" when none is left; its delimiter is not consumed. The word stays valid until
    // the next call with a text.
    std::string_view NextToken(std::string_view Text, std::string_view Delimiters);

private:
    std::string_view Next(const CharSet& delimiters);
    // The rest of the line behind the word just returned becomes the word.
    void TakeRestOfLine();
    bool Begin(std::string_view text);
    void End();
    void ProgressStepForWord();

    StyleHooks& style_;
    CodeColouringHost* host_;
    Pos lineCount_ = 0;
};

void SetVBCodeFonts(std::string_view Text, StyleHooks& style, CodeColouringHost* host);
void SetCppCodeFonts(std::string_view Text, StyleHooks& style, CodeColouringHost* host);

} // namespace readers
