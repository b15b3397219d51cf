// The processing of a grammar that the main window's commands start: reading, analysis,
// transformations, parser code and the derivation tree. The main window owns one; tests may
// install another.
#pragma once

#include <cstdint>
#include <string>

class frmMain;
class RichText;

class Pipeline {
public:
    explicit Pipeline(frmMain& main) : main_(main) {}
    virtual ~Pipeline() = default;

    // The three values kept per grammar; reset when a grammar window is added.
    virtual void ResetForNewGrammar();
    virtual void Parse(std::int32_t language);
    virtual void ParseAndReport();
    virtual void GetNewParser(std::int32_t language);
    virtual void RemoveExtraneousSymbols();
    virtual void LeftFactoringStep();
    virtual void RecursionLoopsStep();
    virtual void LeftRecursionStep();
    virtual void BuildDerivationTree();
    virtual void TryToTransformToLL1(bool& failed);
    virtual void ParseGrammarForFonts();
    // Colours the failing line of a reading in the error font and reads the rest again.
    virtual void MarkSyntaxErrors(RichText& text, const std::string& source, const std::string& errorText);

protected:
    frmMain& main_;

private:
    void notYet(const char* what);
};
