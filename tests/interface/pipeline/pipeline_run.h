#pragma once
// One processing run as the program makes it: the grammar text read by a notation reader into
// the engine library, then the engine's exports called one by one in the run's order, with
// every result that a later check needs kept.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pipeline_test {

struct RunOptions {
    bool actions = false;  // BuildActions
    bool tree = false;     // BuildTree
    bool names = false;    // BuildNames
    int32_t language = 0;  // 0: no parser built (a test run)
    int notation = 1;      // the reader: 1 Typical, 2 W3C, 3 MSDN, 4 MSDN with ";"
};

struct RunResult {
    std::string ReadError;         // the reader's error text; the run stops when it is not empty
    std::string GrammarName;       // as GetGrammarName gives it, blanks removed
    std::string NameError;         // the grammar-name check's error text
    std::vector<std::string> Dead, Unreachable;  // names as FileNonterminals lists them
    bool NoRules = false;          // no productive start: the run stops after Alive
    std::string Rules;             // rule listing of the cleaned grammar
    std::vector<std::string> Nullable;
    int32_t N = 0, T = 0, R = 0;
    std::vector<std::string> NonterminalNames, TerminalNames;  // 1..N and 1..T, index 0 unused
    std::string MatrixMessage;     // InitMatrix's message, blanks removed
    std::string IsEndOf, IsFolDirBy, BeginsWith, IsFollowedBy;  // MatrixText
    bool LL1 = false;
    std::string Select;            // the select-set listing

    // Matrix element (symbol row, nonterminal column), both numbered from 1.
    static bool At(const std::string& matrix, int32_t rows, int32_t row, int32_t column)
    {
        return matrix.at(static_cast<size_t>((column - 1) * rows + (row - 1))) == '*';
    }
    // Number of a symbol by its name: nonterminals 1..N, terminals N+1..N+T; 0 when unknown.
    int32_t Symbol(const std::string& name, bool terminal) const;
    // The names of the terminals that the nonterminal begins with, in numbering order.
    std::vector<std::string> FirstTerminals(const std::string& nonterminal) const;
};

// Runs the whole processing over `text` (LF or CR LF line ends) in `folder`.
RunResult Process(const std::filesystem::path& folder, const std::string& text,
                  const RunOptions& options);

std::string ReadText(const std::filesystem::path& file);

}  // namespace pipeline_test
