// The transformation of a grammar that is not LL(1): the preparatory transformations the
// options left off, then cycles of corner substitutions by the engine, each printed into the
// grammar window and tested by a run, until the grammar is LL(1), nothing more can be done or
// the user stops. The whole transformation is one run: nothing else reaches the engine between
// its cycles, whose state (store, matrices, substitution record) the next cycle builds on.
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTextEdit>
#include <stdexcept>

#include "cp1251.h"
#include "cycle_watch.h"
#include "engine_binding.h"
#include "frmGrammar.h"
#include "frmStop.h"
#include "run_guard.h"
#include "workspace_state.h"
#include "pipeline.h"
#include "ui_services.h"

using namespace ModuleMain;

namespace {

const char* const PrintedTitle = " grammar after transforming to LL(1)";

// The fourteen switches and FastWork, as they were before the run.
struct SavedSwitches {
    bool PreFact = ModuleMain::PreFact, ShowFact = ModuleMain::ShowFact, PreLoops = ModuleMain::PreLoops,
         ShowLoops = ModuleMain::ShowLoops, PreLeftRecursion = ModuleMain::PreLeftRecursion,
         ShowLeftRecursion = ModuleMain::ShowLeftRecursion, ShowNull = ModuleMain::ShowNull,
         ShowNonterminals = ModuleMain::ShowNonterminals, ShowTerminals = ModuleMain::ShowTerminals,
         ShowIsEndOf = ModuleMain::ShowIsEndOf, ShowBeginsWith = ModuleMain::ShowBeginsWith,
         ShowIsFollowedBy = ModuleMain::ShowIsFollowedBy, ShowSelect = ModuleMain::ShowSelect,
         ShowParser = ModuleMain::ShowParser, FastWork = ModuleMain::FastWork;
    void Restore() const
    {
        ModuleMain::PreFact = PreFact;
        ModuleMain::ShowFact = ShowFact;
        ModuleMain::PreLoops = PreLoops;
        ModuleMain::ShowLoops = ShowLoops;
        ModuleMain::PreLeftRecursion = PreLeftRecursion;
        ModuleMain::ShowLeftRecursion = ShowLeftRecursion;
        ModuleMain::ShowNull = ShowNull;
        ModuleMain::ShowNonterminals = ShowNonterminals;
        ModuleMain::ShowTerminals = ShowTerminals;
        ModuleMain::ShowIsEndOf = ShowIsEndOf;
        ModuleMain::ShowBeginsWith = ShowBeginsWith;
        ModuleMain::ShowIsFollowedBy = ShowIsFollowedBy;
        ModuleMain::ShowSelect = ShowSelect;
        ModuleMain::ShowParser = ShowParser;
        ModuleMain::FastWork = FastWork;
    }
};

void hideResults()
{
    ShowFact = ShowLoops = ShowLeftRecursion = ShowNull = ShowNonterminals = ShowTerminals = ShowIsEndOf =
        ShowBeginsWith = ShowIsFollowedBy = ShowSelect = ShowParser = false;
}

QString plural(int n, const char* word) { return QString::number(n) + "  " + word + (n == 1 ? "" : "s"); }

// A run that could not read or analyse the printed grammar ends the transformation.
struct RunFailed : std::runtime_error {
    Pipeline::TransformOutcome outcome;
    explicit RunFailed(Pipeline::TransformOutcome o) : std::runtime_error("run failed"), outcome(o) {}
};

} // namespace

QString Pipeline::TransformReport(const QString& name, bool failed) const
{
    const QString grammar = "<" + name + ">";
    if (!failed)
        return LastTransform == TransformOutcome::Stopped ? "Transformation " + grammar + " to LL1 type stopped"
                                                          : "Successful transformation " + grammar + " to LL1 type";
    const QString cannot = "Can not transform " + grammar + " to LL1 type";
    if (LastTransform == TransformOutcome::Unreadable) return cannot + ": the transformed grammar can not be read";
    if (LastTransform == TransformOutcome::MatrixFailure) return cannot + ": no room for the relation matrices";
    return cannot;
}

void Pipeline::TryToTransformToLL1(bool& failed)
{
    frmGrammar* g = ActiveGrammar;
    if (!g || transforming_) return;
    transforming_ = true;
    failed = false;
    LastTransform = TransformOutcome::LL1;
    g->rtfStoreAdd();
    const SavedSwitches saved;
    hideResults();
    FastWork = true;
    StopRequested = false;
    ShowExtraneousLists = false;
    g->SetFont();
    Idle = false;
    g->rtfText.SetSelStart(0);

    const QString temp = grammarFile(g->GrammarName, QStringLiteral(".temp"));
    QPointer<frmStop> stop;
    int cycles = 0, total = 0;

    // A test run over the window's text; Idle stays cleared between the runs of the
    // transformation. A reading or matrix failure is not taken for an LL(1) grammar.
    const auto run = [&] {
        // The window the transformation began with, whatever window was activated meanwhile.
        ActiveGrammar = g;
        GetNewParser(0);
        Idle = false;
        if (MatrixFailed) throw RunFailed(TransformOutcome::MatrixFailure);
        if (!ParseErrorText.empty()) throw RunFailed(TransformOutcome::Unreadable);
    };
    const auto accept = [&](bool typical) {
        const EngineExports* e = Engine();
        if (!e) throw RunFailed(TransformOutcome::Failure);
        EngineClient(*e).FileGrammar(GrammarFirst, GrammarLast, PrintedTitle, ".tmp");
        if (!engineWrote(*e) || !loadPrintedGrammar(*g, QStringLiteral(".tmp")))
            throw RunFailed(TransformOutcome::Failure);
        if (typical) {
            g->iGrmNotation = 1;
            g->NotationLanguageSwitch();
        }
    };
    // The preparatory attempt of one switch (and the switches it brings along); true when the
    // grammar became LL(1).
    const auto attempt = [&](std::initializer_list<bool*> switches) {
        for (bool* s : switches) *s = true;
        run();
        if (!GrammarIsLL1) return false;
        accept(true);
        return true;
    };

    // Hidden, not closed: closing the stop window would ask for a stop.
    const auto closeStop = [&] {
        if (!stop) return;
        stop->hide();
        stop->deleteLater();
    };
    // The Stop button was pressed: the request is taken.
    const auto stopped = [&] {
        if (!StopRequested) return false;
        StopRequested = false;
        LastTransform = TransformOutcome::Stopped;
        return true;
    };

    // Abandoned: the switches come back, the text is not coloured again.
    const auto abandon = [&](TransformOutcome outcome) {
        LastTransform = outcome;
        QFile::remove(temp);
        g->editor->setVisible(true);
        failed = true;
        closeStop();
        saved.Restore();
        ShowExtraneousLists = true;
        main_.LineNum();
        Idle = true;
        main_.WinOnTop(ActiveGrammar);
        transforming_ = false;
    };

    try {
        bool done = false;
        if (!PreFact) done = attempt({&PreFact});
        if (!done && !PreLoops) done = attempt({&PreLoops, &PreLeftRecursion});
        if (!done && !PreLeftRecursion) done = attempt({&PreLeftRecursion});
        if (!done) {
            QFile::remove(temp);
            const EngineExports* e = Engine();
            if (!e) throw RunFailed(TransformOutcome::Failure);
            CycleWatch watch;
            while (!GrammarIsLL1) {
                Log(QStringLiteral("   - Searching ambiguous rules"));
                status(QStringLiteral("Searching ambiguous rules"));
                std::int32_t substitutions = 0, loops = 0;
                e->SubstOfAmbigCorner(&substitutions, &loops);
                letRun();
                ++cycles;
                if (substitutions > 0) total += substitutions;
                const QString made =
                    QStringLiteral("%1, %2 substitutions have been made").arg(cycles).arg(substitutions);
                Log(" ... cycle " + made);
                status("Cycle " + made);
                accept(true);
                if (!stop) {
                    stop = new frmStop(main_.Window());
                    stop->setModal(false);
                    stop->show();
                }
                stop->Label2->setText(plural(total, "substitution"));
                stop->Label1->setText(plural(cycles, "loop"));
                stop->repaint();
                if (substitutions == 0) {
                    failed = true;
                    break;
                }
                if (stopped()) break;
                if (const QString reason = watch.Check(cycles, g->rtfText.Text()); !reason.isEmpty()) {
                    Log(" ... " + reason);
                    failed = true;
                    break;
                }
                run();
                if (GrammarIsLL1) {
                    accept(false);
                    break;
                }
                if (loops == 1) {
                    failed = true;
                    break;
                }
                if (stopped()) break;
            }
            if (failed) {
                // The last printed grammar with each preparatory transformation on; none over a
                // grammar that has outgrown its bound, which the cycles' runs transformed so.
                const std::initializer_list<bool*> finals[] = {
                    {&PreFact}, {&PreLoops, &PreLeftRecursion}, {&PreLeftRecursion}};
                for (const auto& f : finals) {
                    if (!watch.Grown() && attempt(f)) {
                        failed = false;
                        break;
                    }
                }
                if (failed) LastTransform = TransformOutcome::NoTransformation;
            }
        }
    } catch (const RunFailed& f) {
        abandon(f.outcome);
        return;
    } catch (...) {
        LogUnexpected(&main_, QStringLiteral("the transformation to LL(1)"), std::current_exception());
        abandon(TransformOutcome::Failure);
        return;
    }
    QFile::remove(temp);
    Idle = false;
    closeStop();
    saved.Restore();
    ShowExtraneousLists = true;
    ParseGrammarForFonts();
    main_.LineNum();
    Idle = true;
    main_.WinOnTop(ActiveGrammar);
    transforming_ = false;
}
