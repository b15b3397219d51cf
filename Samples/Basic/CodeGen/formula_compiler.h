#pragma once
// Zentrav's core: the parser of a formula, in the shape the Visual Basic generator gives for the
// grammar <Zentrav> with user actions on, and the three actions that turn the formula into
// numbered three-address steps. No window code here.

#include <string>
#include <utility>
#include <vector>

namespace zentrav {

class FormulaCompiler {
public:
    // Parses `SourceStr`; ErrorMsg is empty on success, the syntax-error text otherwise.
    void ParseFormula(const std::string& SourceStr, std::string& ErrorMsg);

    // The result box's text: one line per step, each ended by CR LF. It keeps the steps found
    // before a syntax error, and the previous compilation's when the formula could not begin.
    const std::string& Steps() const { return Text2; }
    const std::string& Cells() const { return CellStack; }
    // The 1-based position of the character at fault in the last formula; 0 after a success.
    long ErrorPosition() const { return ErrorAt; }

    // Every nonterminal, in procedure order, with the expected-set text its procedure reports.
    static std::vector<std::pair<std::string, std::string>> ExpectedSets();

private:
    // Semantic actions.
    void InitCodeGen();
    void PushSymbol(long code);
    void EmitCalculation(long count);

    // Generated-parser state.
    void Scan();
    void ErrH(int ErrNum, const std::string& GramSymb, const std::string& ExpectedSet);
    bool Enter(const char* GramSymb);
    void s_1();
    void s_2();
    void s_3();
    void s_4();
    void s_5();
    void s_6();
    void s_7();
    void s_8();
    void s_9();
    void s_10();
    void s_11();

    long LL1 = 0, LL0 = 0;
    bool bad = false;
    std::string ErrMsg, Src;
    long indSrc = 0, LenSrc = 0;
    long fin = -1;
    bool LowCase = false;
    int Depth = 0;
    long ErrorAt = 0;

    // Code generation.
    std::string CellStack;
    long NextAddress = 100;
    size_t CellWidth = 4;
    std::string Text2;
};

} // namespace zentrav
