// The engine library, loaded by its name at the first call and reached through one typed table
// of its exports. Windows never call a raw symbol.
#pragma once

#include <QString>
#include <QStringList>

#include "morvantelisk.h"

// Every export of the library, by name.
#define TAMBERLIX_ENGINE_EXPORTS(X)                                                            \
    X(BnfParserInit) X(GetGrammarName) X(GetName) X(GetGrammarParam) X(ReturnString)           \
    X(BKSACT) X(BKSNAI) X(BKSSYM) X(BKSNLI) X(BKSGMN) X(BKSNL) X(BKSNTM) X(BKSTRM) X(BKSACR)   \
    X(BKSNUL) X(BKSEND) X(BKSACL) X(BKSACB) X(BKSSTS) X(BKSSTM) X(BKSTRB) X(BKSTRE) X(BKSBRS)  \
    X(BKSNEG) X(BKSTRL) X(BKSTRF) X(BKSPOS) X(BKSWBC) X(BKSBRO) X(BKSBRC) X(BKSBRT) X(BKSBCO)  \
    X(BKSBCN) X(BKSBC1) X(BKSBCR) X(BKSBCC) X(BKSRPT) X(BKSWBO) X(BKSW3C) X(BKSWBR) X(BKSWBQ)  \
    X(BKSNEX) X(BKSPRG) X(BKSEXT) X(BKSNXT) X(BKSERJ) X(BKSOFF) X(BKSVLW) X(BKSPSH) X(BKSVLR)  \
    X(BKSPOP) X(BKSON) X(BKSDEC) X(BKSBEG) X(BKSPOST) X(BKSS) X(BKSSYN)                       \
    X(FileRules) X(FileGrammar) X(FileNonterminals) X(GetEngineError) X(SetGrammarFile)        \
    X(Nullable) X(NtmNumbering) X(TrmNumbering) X(RulesNumbering) X(GetNtmName) X(GetTrmName)  \
    X(InitMatrix) X(IsEndOf) X(IsFollowedDirectlyBy) X(EndOf_FolDirBy_Prod) X(BeginsWith)      \
    X(IsFollowedBy) X(GetIsEndOf) X(GetIsFolDirBy) X(GetBeginsWith) X(GetIsFollowedBy)         \
    X(FileSetOfSelect) X(IdenticalRules) X(Alive) X(UnReachable) X(DeleteNonterminals)         \
    X(LeftFactoring) X(RecursiveLoops) X(SelfRecursion) X(SubstOfAmbigCorner) X(TamberlixCode)

struct EngineExports {
#define TAMBERLIX_ENGINE_FIELD(name) decltype(&::name) name = nullptr;
    TAMBERLIX_ENGINE_EXPORTS(TAMBERLIX_ENGINE_FIELD)
#undef TAMBERLIX_ENGINE_FIELD
};

class EngineBinding {
public:
    // The library's file name.
    static QString LibraryName() { return QStringLiteral("libMorvantelisk.so"); }

    // The program's binding.
    static EngineBinding& instance();

    // Loads the library and binds every export, once. On failure the reason stays in error()
    // and the first failure is shown in a message box; false then, and on every later call.
    bool load();
    // The table, or nullptr when the library or one of its exports is missing.
    const EngineExports* exports();
    QString error() const { return error_; }
    QString loadedFrom() const { return loadedFrom_; }

    // Where the library is looked for: the given files in order (tests). Unloads nothing.
    void setCandidates(const QStringList& files);
    // Forgets an earlier result so that the next call loads again (tests).
    void reset();

    ~EngineBinding();

private:
    QStringList candidates() const;

    void* handle_ = nullptr;
    bool tried_ = false;
    bool reported_ = false;
    EngineExports table_;
    QString error_;
    QString loadedFrom_;
    QStringList candidates_;
};

// Shorthand for the windows: the table or nullptr (a message was shown).
inline const EngineExports* Engine() { return EngineBinding::instance().exports(); }
