// A typed client of the engine library's exports: the calls that hand back text in a padded
// buffer, or a matrix in a sized one, give strings here, so that no caller sizes, pads or trims
// a buffer of its own. Free of Qt: the batch program uses it over the library it links.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "morvantelisk.h"

// Every export of the library, by name.
#define TAMBERLIX_ENGINE_EXPORTS(X)                                                                                    \
    X(BnfParserInit)                                                                                                   \
    X(GetGrammarName) X(GetName) X(GetGrammarParam) X(ReturnString) X(BKSACT) X(BKSNAI) X(BKSSYM) X(BKSNLI) X(BKSGMN)  \
        X(BKSNL) X(BKSNTM) X(BKSTRM) X(BKSACR) X(BKSNUL) X(BKSEND) X(BKSACL) X(BKSACB) X(BKSSTS) X(BKSSTM) X(BKSTRB)   \
            X(BKSTRE) X(BKSBRS) X(BKSNEG) X(BKSTRL) X(BKSTRF) X(BKSPOS) X(BKSWBC) X(BKSBRO) X(BKSBRC) X(BKSBRT)        \
                X(BKSBCO) X(BKSBCN) X(BKSBC1) X(BKSBCR) X(BKSBCC) X(BKSRPT) X(BKSWBO) X(BKSW3C) X(BKSWBR) X(BKSWBQ)    \
                    X(BKSNEX) X(BKSPRG) X(BKSEXT) X(BKSNXT) X(BKSERJ) X(BKSOFF) X(BKSVLW) X(BKSPSH) X(BKSVLR)          \
                        X(BKSPOP) X(BKSON) X(BKSDEC) X(BKSBEG) X(BKSPOST) X(BKSS) X(BKSSYN) X(FileRules)               \
                            X(FileGrammar) X(FileNonterminals) X(GetEngineError) X(SetGrammarFile) X(Nullable)         \
                                X(NtmNumbering) X(TrmNumbering) X(RulesNumbering) X(GetNtmName) X(GetTrmName)          \
                                    X(InitMatrix) X(IsEndOf) X(IsFollowedDirectlyBy) X(EndOf_FolDirBy_Prod)            \
                                        X(BeginsWith) X(IsFollowedBy) X(GetIsEndOf) X(GetIsFolDirBy) X(GetBeginsWith)  \
                                            X(GetIsFollowedBy) X(FileSetOfSelect) X(IdenticalRules) X(Alive)           \
                                                X(UnReachable) X(DeleteNonterminals) X(LeftFactoring)                  \
                                                    X(RecursiveLoops) X(SelfRecursion) X(SubstOfAmbigCorner)           \
                                                        X(TamberlixCode)

struct EngineExports {
#define TAMBERLIX_ENGINE_FIELD(name) decltype(&::name) name = nullptr;
    TAMBERLIX_ENGINE_EXPORTS(TAMBERLIX_ENGINE_FIELD)
#undef TAMBERLIX_ENGINE_FIELD
};

class EngineClient {
public:
    explicit EngineClient(const EngineExports& exports) : e_(exports) {}

    const EngineExports& exports() const { return e_; }

    // Starts a run in the work folder (the file system's bytes of its path).
    void Start(std::int32_t language, const std::string& folder, bool actions, bool tree, bool names) const
    {
        const std::int16_t a = actions ? -1 : 0, t = tree ? -1 : 0, n = names ? -1 : 0;
        e_.BnfParserInit(&language, folder.data(), length(folder), &a, &t, &n);
    }
    // The file the grammar was read from, which no result file may replace.
    void SetGrammarFile(const std::string& path) const { e_.SetGrammarFile(path.data(), length(path)); }

    // The listings of a nonterminal list (head and tail): its rules, the grammar they make,
    // or its names, written under the title into grammar name + extension.
    void FileRules(std::int32_t head, std::int32_t tail, const std::string& title, const std::string& extension) const
    {
        list(e_.FileRules, head, tail, title, extension);
    }
    void FileGrammar(std::int32_t head, std::int32_t tail, const std::string& title, const std::string& extension) const
    {
        list(e_.FileGrammar, head, tail, title, extension);
    }
    void FileNonterminals(std::int32_t head, std::int32_t tail, const std::string& title,
                          const std::string& extension) const
    {
        list(e_.FileNonterminals, head, tail, title, extension);
    }
    // The select sets into grammar name + extension; true when the grammar is LL(1), also when
    // the file could not be written.
    bool FileSetOfSelect(const std::string& extension) const
    {
        std::int16_t verdict = 0;
        e_.FileSetOfSelect(&verdict, extension.data(), length(extension));
        return verdict == -1;
    }

    // The text of the latest call's failure; empty when it succeeded. A failure may quote a
    // long folder: the text is read into ever larger buffers until a larger one adds nothing.
    std::string LastError() const
    {
        const auto read = [this](std::size_t size) {
            std::string buffer(size, ' ');
            e_.GetEngineError(buffer.data(), length(buffer));
            return Trimmed(buffer.data(), buffer.size());
        };
        std::string text = read(1024);
        for (std::size_t size = 4096; size <= (std::size_t{1} << 24); size *= 4) {
            std::string longer = read(size);
            if (longer == text) break;
            text = std::move(longer);
        }
        return text;
    }
    // The name the last reading gave the grammar; none when the reading gave none (the
    // engine hands a name over once per reading).
    std::optional<std::string> GrammarName() const
    {
        Buffer b('\0');
        e_.GetGrammarName(b.data(), b.capacity());
        if (b.untouched('\0')) return std::nullopt;
        return b.text();
    }
    // The names of the numbered symbols in number order; index 0 is empty, so that a name
    // sits at its number. A terminal of blanks only comes back as one blank.
    std::vector<std::string> NonterminalNames(std::int32_t count) const { return names(e_.GetNtmName, count, ""); }
    std::vector<std::string> TerminalNames(std::int32_t count) const { return names(e_.GetTrmName, count, " "); }

    // Makes room for the relation matrices: empty, or the engine's message why there is none.
    std::string InitMatrix() const
    {
        Buffer b;
        e_.InitMatrix(b.data(), b.capacity());
        return b.text();
    }
    // A relation matrix of rows x columns bytes, all rows of the first column first; blanks
    // where the engine wrote nothing (it writes nothing into a buffer too small).
    using MatrixGetter = void (*EngineExports::*)(char*, std::int32_t);
    std::string Matrix(MatrixGetter get, std::size_t rows, std::size_t columns) const
    {
        std::string matrix(rows * columns, ' ');
        (e_.*get)(matrix.data(), length(matrix));
        return matrix;
    }

    // A text result without the blanks (and zero bytes) that pad it on either side.
    static std::string Trimmed(const char* buffer, std::size_t size)
    {
        std::size_t a = 0, e = size;
        while (a < e && (buffer[a] == ' ' || buffer[a] == '\0')) ++a;
        while (e > a && (buffer[e - 1] == ' ' || buffer[e - 1] == '\0')) --e;
        return std::string(buffer + a, e - a);
    }

private:
    // Room for every text the engine hands back: names, messages of two lines, error texts.
    class Buffer {
    public:
        explicit Buffer(char fill = ' ') { bytes_.fill(fill); }
        char* data() { return bytes_.data(); }
        std::int32_t capacity() const { return static_cast<std::int32_t>(bytes_.size()); }
        std::string text() const { return Trimmed(bytes_.data(), bytes_.size()); }
        bool untouched(char fill) const
        {
            return std::all_of(bytes_.begin(), bytes_.end(), [fill](char c) { return c == fill; });
        }

    private:
        std::array<char, 1024> bytes_;
    };

    // A length the engine takes; past its range the engine gets a capacity it refuses.
    static std::int32_t length(const std::string& s)
    {
        return static_cast<std::int32_t>(
            std::min<std::size_t>(s.size(), static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())));
    }

    using Listing = void (*)(const std::int32_t*, const std::int32_t*, const char*, std::int32_t, const char*,
                             std::int32_t);
    static void list(Listing listing, std::int32_t head, std::int32_t tail, const std::string& title,
                     const std::string& extension)
    {
        listing(&head, &tail, title.data(), length(title), extension.data(), length(extension));
    }

    std::vector<std::string> names(char* (*get)(char*, std::int32_t, std::int32_t*), std::int32_t count,
                                   const char* blank) const
    {
        std::vector<std::string> out(static_cast<std::size_t>(std::max(count, 0)) + 1);
        std::int32_t cursor = 0;
        for (std::size_t i = 1; i < out.size(); ++i) {
            Buffer b;
            get(b.data(), b.capacity(), &cursor);
            out[i] = b.text();
            if (out[i].empty()) out[i] = blank;
        }
        return out;
    }

    const EngineExports& e_;
};
