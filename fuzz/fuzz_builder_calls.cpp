// Any sequence of the engine's exports, each input a run of its own: the builder entries in any
// order, with the cleaning, analysis, listing and generation exports mixed in and the lists they
// hand out passed back, whole or crossed, to the others. Every call must return: the fuzzer's
// time limit per input makes a call that never returns a finding.
// The one process engine serves every input. Files are written only when the input's first
// byte asks for them (its top bit): otherwise the work folder is one that does not exist, so
// every file is refused at once and the input spends its time in the builder and the
// analysis, not on the disk.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "analysis/grammar_walk.h"
#include "engine.h"
#include "exports.h"
#include "fuzz_support.h"

namespace {

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool More() const { return at < size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
};

// The alternatives of the grammar's nonterminals, as far as a bounded walk finds them.
int64_t Alternatives()
{
    const mv::Engine& eng = mv::ProcessEngine();
    int64_t count = 0;
    mv::WalkGrammar(eng.mem, eng.store, [&](int32_t a) {
        mv::WalkAlternatives(eng.mem, a, [&](int32_t) { ++count; });
    });
    return count;
}

// How far a walk over the whole grammar goes, which is what each call that walks it costs.
// Calls can leave chains shared between nonterminals and between alternatives, so that the
// walks pass millions of members while the memory holds a few thousand records; and the
// select-set report prints, on the line of each alternative, every alternative of its
// nonterminal with the same number, so stale numbers make it quadratic by design. Counted are
// the alternatives and elements walked and those pairs; and apart, the characters of the names
// that the reports print for them: calls can spell one name a thousand characters long and
// refer to it a thousand times. Each count stops once past its limit for one call.
struct WalkCost {
    int64_t Steps = 0;
    int64_t Chars = 0;
};
constexpr int64_t Limit = 300000;
constexpr int64_t CharLimit = 2000000;
// What all the walking calls of one input may cost together.
constexpr int64_t InputLimit = 3000000;
constexpr int64_t InputCharLimit = 4000000;

WalkCost MeasureWalk()
{
    const mv::RecordMemory& m = mv::ProcessEngine().mem;
    const mv::GrammarStore& st = mv::ProcessEngine().store;
    int64_t steps = 0;
    int64_t chars = 0;
    static std::unordered_map<int64_t, int64_t> nameLength;
    nameLength.clear();
    // The length of a symbol's name, walked once per symbol and never past the limit.
    auto name = [&](int32_t pool, int32_t record) {
        const int64_t key = int64_t(pool) << 32 | uint32_t(record);
        auto [at, added] = nameLength.try_emplace(key, 0);
        if (added) {
            const int32_t last = m.IVLR(pool, record, 4);
            for (int32_t c = m.IVLR(pool, record, 3); c >= 1 && at->second <= CharLimit; ++at->second) {
                if (c == last) break;
                c = m.IVLR(mv::NameCharPool, c, mv::CharNext);
            }
        }
        chars += at->second;
    };
    // A walk along one chain as the engine's walks go, that stops once the count passes the
    // limit.
    auto walk = [&](int32_t pool, int32_t link, int32_t first, int32_t last, auto&& visit) {
        for (int32_t r = first; r >= 1 && steps <= Limit && chars <= CharLimit; ++steps) {
            const int32_t next = m.IVLR(pool, r, link);
            visit(r);
            if (r == last) break;
            r = next;
        }
    };
    static std::vector<int64_t> numbers;
    if (st.Grammar.Last < 1) return {};
    walk(mv::NonterminalPool, mv::NtmNext, st.Grammar.First, st.Grammar.Last, [&](int32_t a) {
        numbers.clear();
        const int32_t lastRule = m.IVLR(mv::NonterminalPool, a, mv::NtmLastRule);
        if (lastRule < 1) return;
        walk(mv::RulePool, mv::RuleNext, m.IVLR(mv::NonterminalPool, a, mv::NtmFirstRule), lastRule,
             [&](int32_t r) {
                 const int32_t number = m.IVLR(mv::RulePool, r, mv::RuleNumber);
                 if (number != 0) numbers.push_back(number < 0 ? -int64_t(number) : number);
                 name(mv::NonterminalPool, a);
                 const int32_t lastElement = m.IVLR(mv::RulePool, r, mv::RuleLastElement);
                 if (lastElement >= 1)
                     walk(mv::ElementPool, mv::ElemNext, m.IVLR(mv::RulePool, r, mv::RuleFirstElement),
                          lastElement, [&](int32_t e) {
                              const int32_t kind = m.IVLR(mv::ElementPool, e, mv::ElemKind);
                              const int32_t pool = kind == mv::KindNonterminal ? mv::NonterminalPool
                                                   : kind == mv::KindTerminal  ? mv::TerminalPool
                                                   : kind == mv::KindAction    ? mv::ActionPool
                                                                               : 0;
                              if (pool != 0) name(pool, m.IVLR(mv::ElementPool, e, mv::ElemReferent));
                          });
             });
        // Few alternatives make few pairs.
        if (numbers.size() < 64) return;
        std::sort(numbers.begin(), numbers.end());
        for (size_t i = 0, j = 0; i < numbers.size(); i = j) {
            while (j < numbers.size() && numbers[j] == numbers[i]) ++j;
            steps += int64_t(j - i) * int64_t(j - i - 1) / 2;
        }
    });
    return {steps, chars};
}

using Plain = void (*)();
const Plain kPlain[] = {
    BKSACT, BKSNAI, BKSNLI, BKSGMN, BKSNL,  BKSNTM, BKSTRM, BKSACR, BKSNUL, BKSEND, BKSACL,
    BKSACB, BKSSTM, BKSTRB, BKSTRE, BKSBRS, BKSNEG, BKSTRL, BKSTRF, BKSPOS, BKSWBC, BKSBRO,
    BKSBRC, BKSBRT, BKSBCO, BKSBCN, BKSBC1, BKSBCR, BKSBCC, BKSRPT, BKSWBO, BKSW3C, BKSWBR,
    BKSWBQ, BKSNEX, BKSPRG, BKSEXT, BKSNXT, BKSERJ, BKSOFF, BKSVLW, BKSPSH, BKSVLR, BKSPOP,
    BKSON,  BKSDEC, BKSBEG, BKSPOST, BKSSYN, IsEndOf, IsFollowedDirectlyBy, EndOf_FolDirBy_Prod,
    BeginsWith, IsFollowedBy,
};
constexpr int kPlainCount = int(sizeof kPlain / sizeof kPlain[0]);
constexpr int kFirstRelation = kPlainCount - 5;

// The calls whose walks over the whole grammar can take long: the batch run (BKSSYN, just
// before the relations), the relations, the cleaning, the numbering, the select-set report,
// the listings and the transformations.
bool Walks(uint8_t op)
{
    if (op < kPlainCount) return op >= kFirstRelation - 1;
    const int call = op - kPlainCount;
    return (call >= 4 && call <= 11) || (call >= 17 && call <= 20) || (call >= 28 && call <= 31);
}

// The calls that change nothing the walks measure: the relations and the getters.
bool Reads(uint8_t op)
{
    if (op < kPlainCount) return op >= kFirstRelation;
    const int call = op - kPlainCount;
    return (call >= 12 && call <= 16) || (call >= 21 && call <= 24) || call == 27;
}

// Smaller than for whole texts: the generators' rule comments grow with the square of a
// nonterminal's alternatives, and here a few calls build hundreds of them.
constexpr int64_t GeneratedAlternativesLimit = 150;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in{data, size};
    const uint8_t first = in.Byte();
    static const std::string noFolder = fuzz::ScratchFolder() + "/no-such-folder";
    const bool files = (first & 0x80) != 0;
    const std::string& folder = files ? fuzz::ScratchFolder() : noFolder;
    // Each input a run of its own: no clash history or other file of an earlier input, which
    // otherwise grows over a long fuzzing session until every corner search reads megabytes.
    if (files) {
        std::error_code ec;
        for (const auto& file : std::filesystem::directory_iterator(fuzz::ScratchFolder(), ec))
            std::filesystem::remove(file.path(), ec);
    }
    const int32_t language = (first & 0x7F) % 11;
    const int16_t on = -1, off = 0;
    BnfParserInit(&language, folder.data(), int32_t(folder.size()), &on, &off, &on);
    // A small memory: hostile sequences reach its limit too, and each input stays quick under
    // the instrumentation (a few hundred classes of 256 members made one input run 11 s).
    mv::ProcessEngine().mem.SetCapacityPages(1500);

    // Lists handed out so far, as head and tail; calls take them by number, or cross them.
    std::vector<int32_t> handles(16, 0);
    auto list = [&](int32_t*& head, int32_t*& tail) {
        const uint8_t b = in.Byte();
        head = &handles[(b & 15u)];
        tail = &handles[((b >> 4) & 15u)];
    };
    std::vector<char> buffer(4096);
    bool changed = true;
    WalkCost cost, spent;
    while (in.More()) {
        const uint8_t op = in.Byte();
        // Measured again only after a call that may have changed the grammar. An input whose
        // next walking call, or whose walking calls together, cost more than they should ends.
        if (Walks(op)) {
            if (changed) cost = MeasureWalk();
            changed = false;
            spent.Steps += cost.Steps;
            spent.Chars += cost.Chars;
            if (cost.Steps > Limit || cost.Chars > CharLimit || spent.Steps > InputLimit ||
                spent.Chars > InputCharLimit)
                return 0;
        }
        changed = changed || !Reads(op);
        if (op < kPlainCount) {
            kPlain[op]();
            continue;
        }
        int32_t* head = nullptr;
        int32_t* tail = nullptr;
        int32_t* more = &handles[(op + in.at) % 16];
        switch (op - kPlainCount) {
        case 0: case 1: case 2: case 3: {
            // A character: most often a letter, sometimes any code at all.
            int32_t code = in.Byte();
            if (code == 255) code = int32_t(uint32_t(in.Byte()) << 24 | uint32_t(in.Byte()) << 8);
            if (op - kPlainCount == 0 || op - kPlainCount == 3) BKSSYM(&code);
            else if (op - kPlainCount == 1) BKSS(&code);
            else BKSSTS(&code);
            break;
        }
        case 4: list(head, tail); IdenticalRules(head, tail); break;
        case 5: list(head, tail); Alive(head, tail, more, &handles[(op + 7) % 16]); break;
        case 6: list(head, tail); UnReachable(head, tail, more, &handles[(op + 9) % 16]); break;
        case 7: list(head, tail); DeleteNonterminals(head, tail); break;
        case 8: list(head, tail); Nullable(head, tail); break;
        case 9: NtmNumbering(more); break;
        case 10: TrmNumbering(more); break;
        case 11: RulesNumbering(more); break;
        case 12: InitMatrix(buffer.data(), 100); break;
        case 13: GetIsEndOf(buffer.data(), int32_t(buffer.size())); break;
        case 14: GetIsFolDirBy(buffer.data(), int32_t(buffer.size())); break;
        case 15: GetBeginsWith(buffer.data(), int32_t(buffer.size())); break;
        case 16: GetIsFollowedBy(buffer.data(), int32_t(buffer.size())); break;
        case 17: {
            int16_t verdict = 0;
            FileSetOfSelect(&verdict, ".sel", 4);
            break;
        }
        case 18: list(head, tail); FileRules(head, tail, "t", 1, ".rul", 4); break;
        case 19: list(head, tail); FileGrammar(head, tail, "t", 1, ".grm", 4); break;
        case 20: list(head, tail); FileNonterminals(head, tail, "t", 1, ".ntm", 4); break;
        case 21: GetGrammarName(buffer.data(), 80); break;
        case 22: GetName(buffer.data(), 1100); break;
        case 23: GetGrammarParam(more, &handles[(op + 3) % 16]); break;
        case 24: {
            int32_t cursor = in.Byte();
            GetNtmName(buffer.data(), 80, &cursor);
            GetTrmName(buffer.data(), 80, &cursor);
            break;
        }
        case 25: {
            if (!files || Alternatives() > GeneratedAlternativesLimit) break;
            int32_t target = in.Byte() % 11;
            TamberlixCode(&target);
            break;
        }
        case 26: {
            // A handle that no call handed out.
            handles[in.Byte() & 15u] = int32_t(in.Byte()) - 8;
            break;
        }
        case 27: GetEngineError(buffer.data(), 200); break;
        // The transformations towards LL(1).
        case 28: list(head, tail); LeftFactoring(head, tail); break;
        case 29: list(head, tail); RecursiveLoops(head, tail); break;
        case 30: list(head, tail); SelfRecursion(head, tail); break;
        case 31: SubstOfAmbigCorner(more, &handles[(op + 5) % 16]); break;
        case 32: {
            // The engine's own reader and batch run over the next bytes.
            const size_t length = std::min<size_t>(in.Byte(), in.size - in.at);
            Morvantelisk(reinterpret_cast<const char*>(in.data + in.at), int32_t(length));
            in.at += length;
            break;
        }
        default: break;
        }
    }
    return 0;
}
