#include "pipeline_run.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "engine_builder.h"
#include "morvantelisk.h"
#include "readers.h"

namespace pipeline_test {
namespace {

std::string Trim(const std::string& s)
{
    const auto a = s.find_first_not_of(' ');
    if (a == std::string::npos) return std::string();
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

int16_t Logical(bool b) { return b ? -1 : 0; }

// The names in a nonterminal listing: what stands between the first "<" and the last ">" of
// each line.
std::vector<std::string> NamesIn(const std::string& listing)
{
    std::vector<std::string> names;
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        const auto open = line.find('<');
        const auto close = line.rfind('>');
        if (open != std::string::npos && close != std::string::npos && close > open)
            names.push_back(line.substr(open + 1, close - open - 1));
    }
    return names;
}

// The heads of the rules in a rule listing, each once, in listing order.
std::vector<std::string> RuleHeads(const std::string& listing)
{
    std::vector<std::string> heads;
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        const auto open = line.find('<');
        const auto close = line.find(">::=");
        if (open == std::string::npos || close == std::string::npos) continue;
        std::string head = line.substr(open + 1, close - open - 1);
        if (heads.empty() || heads.back() != head) heads.push_back(head);
    }
    return heads;
}

void Listing(void (*file)(const int32_t*, const int32_t*, const char*, int32_t, const char*,
                          int32_t),
             int32_t head, int32_t tail, const std::string& title, const std::string& ext)
{
    file(&head, &tail, title.data(), static_cast<int32_t>(title.size()), ext.data(),
         static_cast<int32_t>(ext.size()));
}

std::string Matrix(void (*get)(char*, int32_t), int32_t rows, int32_t columns)
{
    std::string m(static_cast<size_t>(rows) * static_cast<size_t>(columns), '?');
    get(m.data(), static_cast<int32_t>(m.size()));
    return m;
}

}  // namespace

std::string ReadText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int32_t RunResult::Symbol(const std::string& name, bool terminal) const
{
    const auto& names = terminal ? TerminalNames : NonterminalNames;
    for (size_t i = 1; i < names.size(); ++i)
        if (names[i] == name) return static_cast<int32_t>(i) + (terminal ? N : 0);
    return 0;
}

std::vector<std::string> RunResult::FirstTerminals(const std::string& nonterminal) const
{
    std::vector<std::string> first;
    const int32_t column = Symbol(nonterminal, false);
    if (column == 0) return first;
    for (int32_t t = 1; t <= T; ++t)
        if (At(BeginsWith, N + T, N + t, column)) first.push_back(TerminalNames[t]);
    return first;
}

RunResult Process(const std::filesystem::path& folder, const std::string& text,
                  const RunOptions& options)
{
    RunResult r;
    // The reading: a fresh run in the work folder, the reader, the grammar's name and its check.
    const int32_t noLanguage = 0;
    const int16_t actions = Logical(options.actions), tree = Logical(options.tree),
                  names = Logical(options.names);
    const std::string work = folder.string();
    BnfParserInit(&noLanguage, work.data(), static_cast<int32_t>(work.size()), &actions, &tree,
                  &names);
    readers::EngineBuilder builder;
    readers::ParseGrammarByNotation(options.notation, readers::ToCrLf(text), r.ReadError,
                                    {&builder});
    if (!r.ReadError.empty()) return r;
    std::string nameBuffer(1024, '\0');
    GetGrammarName(nameBuffer.data(), static_cast<int32_t>(nameBuffer.size()));
    r.GrammarName = Trim(nameBuffer);
    readers::Grammar_Name(r.GrammarName, r.NameError);

    // Removal of identical rules, dead and unreachable nonterminals.
    int32_t head = 0, tail = 0;
    IdenticalRules(&head, &tail);
    int32_t deadHead = 0, deadTail = 0, aliveHead = 0, aliveTail = 0;
    Alive(&deadHead, &deadTail, &aliveHead, &aliveTail);
    if (deadHead != 0 && deadTail != 0) {
        Listing(FileNonterminals, deadHead, deadTail, " dead nonterminals", ".dead");
        r.Dead = NamesIn(ReadText(folder / (r.GrammarName + ".dead")));
        DeleteNonterminals(&deadHead, &deadTail);
    }
    if (aliveHead == 0) {
        r.NoRules = true;
        return r;
    }
    int32_t unrHead = 0, unrTail = 0, grammarHead = 0, grammarTail = 0;
    UnReachable(&unrHead, &unrTail, &grammarHead, &grammarTail);
    if (unrHead != 0 && unrTail != 0) {
        Listing(FileNonterminals, unrHead, unrTail, " unreachable nonterminals", ".unr");
        r.Unreachable = NamesIn(ReadText(folder / (r.GrammarName + ".unr")));
        DeleteNonterminals(&unrHead, &unrTail);
    }
    Listing(FileRules, grammarHead, grammarTail, " grammar after removing extraneous symbols",
            ".rul");
    r.Rules = ReadText(folder / (r.GrammarName + ".rul"));

    // Nullable nonterminals, numbering and the names of all symbols.
    int32_t nullHead = 0, nullTail = 0;
    Nullable(&nullHead, &nullTail);
    if (nullHead != 0 && nullTail != 0) r.Nullable = RuleHeads(ReadText(folder / (r.GrammarName + ".tmp")));
    NtmNumbering(&r.N);
    TrmNumbering(&r.T);
    RulesNumbering(&r.R);
    std::string buffer(1024, ' ');
    int32_t cursor = 0;
    r.NonterminalNames.assign(1, "");
    for (int32_t i = 1; i <= r.N; ++i) {
        GetNtmName(buffer.data(), static_cast<int32_t>(buffer.size()), &cursor);
        r.NonterminalNames.push_back(Trim(buffer));
    }
    // As the grids take them: the i-th name titles terminal i.
    cursor = 0;
    r.TerminalNames.assign(1, "");
    for (int32_t i = 1; i <= r.T; ++i) {
        GetTrmName(buffer.data(), static_cast<int32_t>(buffer.size()), &cursor);
        const std::string name = Trim(buffer);
        r.TerminalNames.push_back(name.empty() ? " " : name);
    }

    // The relation matrices, fetched as the grids take them.
    std::string message(100, ' ');
    InitMatrix(message.data(), static_cast<int32_t>(message.size()));
    r.MatrixMessage = Trim(message);
    if (!r.MatrixMessage.empty()) return r;
    const int32_t N = r.N, S = r.N + r.T;
    IsEndOf();
    r.IsEndOf = Matrix(GetIsEndOf, N, N);
    IsFollowedDirectlyBy();
    r.IsFolDirBy = Matrix(GetIsFolDirBy, S, N);
    EndOf_FolDirBy_Prod();
    BeginsWith();
    r.BeginsWith = Matrix(GetBeginsWith, S, N);
    IsFollowedBy();
    r.IsFollowedBy = Matrix(GetIsFollowedBy, S + 1, N);

    // Select sets and the verdict; then the parser when one was asked for.
    int16_t verdict = 1;
    const std::string sel = ".sel";
    FileSetOfSelect(&verdict, sel.data(), static_cast<int32_t>(sel.size()));
    r.LL1 = verdict == -1;
    r.Select = ReadText(folder / (r.GrammarName + sel));
    if (options.language != 0) TamberlixCode(&options.language);
    return r;
}

}  // namespace pipeline_test
