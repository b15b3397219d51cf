// The processing of a grammar that the main window's commands start: reading with syntax-error
// marking, removal of extraneous symbols, the analysis run with its result windows, and the
// parser code. The main window owns one; tests may install another.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class MainFrame;
class frmGrammar;
class frmDocument;
class RichText;
class Colouring;
struct EngineExports;

class Pipeline {
public:
    explicit Pipeline(MainFrame& main) : main_(main) {}
    virtual ~Pipeline() = default;

    // The values kept per grammar; reset when a grammar window is added.
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
    // Colours the failing line of a reading in the error font and reads the rest again, line
    // after line, as long as each pass gets further into the text.
    virtual void MarkSyntaxErrors(RichText& text, const std::string& source, const std::string& errorText);

    // First step of a run: the grammar read afresh and cleaned; the reachable list comes back
    // in head and tail. A failure is left in ParseErrorText.
    void RemoveExtraneousRules(std::int32_t language, std::int32_t& head, std::int32_t& tail);
    // A result file of the active grammar as a new document; nullptr (and a log line) when the
    // file is not there.
    frmDocument* LoadResultDocument(const QString& title, const QString& extension);
    void ParserCodeStep(std::int32_t language);

    std::string ParseErrorText;
    // Why the last reading may not name or write any file (a work folder that cannot be
    // entered, a grammar name that would reach out of it); empty when the run may go on.
    std::string RunRefusal;
    // The relation matrices of the last run did not fit; ParseErrorText says so.
    bool MatrixFailed = false;
    // How the last transformation to LL(1) ended, and the report of it for the grammar's name.
    enum class TransformOutcome { LL1, Stopped, NoTransformation, Unreadable, MatrixFailure, Failure };
    TransformOutcome LastTransform = TransformOutcome::LL1;
    QString TransformReport(const QString& name, bool failed) const;
    bool ShowExtraneousLists = true;
    std::int32_t GrammarFirst = 0, GrammarLast = 0;
    // The symbol names of the last run: 1-based, TerminalNames ending in "end marker".
    std::vector<QString> NonterminalNames, TerminalNames;

    // One log line: the time of day, the text and a line break.
    void Log(const QString& text);

protected:
    MainFrame& main_;

private:
    void status(const QString& text);
    void letRun();
    // The engine's report of the latest result file; false (and a log line) on a failure.
    bool engineWrote(const EngineExports& e);
    void readGrammar(frmGrammar& g, bool engineRun, std::int32_t language);
    // GetNewParser's steps once it may run.
    void analysisRun(frmGrammar* g, const EngineExports* e, std::int32_t language);
    void removeExtraneous(bool tools, std::int32_t& head, std::int32_t& tail);
    void showMatrixGrid(bool& firstGrid);
    void gridStep(const std::string& matrix, int N, int T, int cols, int terminalTitles, int rows, const QString& title,
                  std::int32_t colour, bool& firstGrid);
    // One link of the chain of transformations towards LL(1): 0 left factoring, 1 recursion
    // loops, 2 immediate left recursion.
    void transformLink(int link, std::int32_t& first, std::int32_t& last);
    void preparatoryTransformations(std::int32_t& first, std::int32_t& last);
    void toolsStep(int links);
    // The grammar the engine printed into grammar name + extension becomes the window's text;
    // the file is deleted. False when it could not be read.
    bool loadPrintedGrammar(frmGrammar& g, const QString& extension);
    // The engine's file of the grammar of this name with this extension.
    static QString grammarFile(const QString& grammarName, const QString& extension);
    bool transforming_ = false;
};
