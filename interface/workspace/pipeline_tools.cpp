// The transformations towards LL(1) on the grammar text itself (the three Tools steps) and as
// optional steps of a processing run. Both walk one chain of engine transformations: left
// factoring, reduction of left-recursion loops, elimination of immediate left recursion.
#include <QFile>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "cp1251.h"
#include "engine_binding.h"
#include "frmGrammar.h"
#include "workspace_state.h"
#include "output/result_name.h"
#include "pipeline.h"
#include "ui_services.h"

using namespace ModuleMain;

namespace {

struct Link {
    void (*EngineExports::*transform)(std::int32_t*, std::int32_t*);
    const char* log;
    const char* status;
    const char* title; // of the printed grammar or of the rule listing
    QString* extension; // the user's extension option
    const char* document; // title of the run's result document
    bool* pre; // the run's switch
    bool* show; // the run's display switch
};

const Link chain[] = {
    {&EngineExports::LeftFactoring, " ... left factoring", "Left factoring", " grammar after left factoring", &ExtFact,
     "Left factoring", &PreFact, &ShowFact},
    {&EngineExports::RecursiveLoops, " ... reducing left recursion loops", "Reducing left recursion loops",
     " grammar after transforming left recursion loops", &ExtLoops, "No recursion loops", &PreLoops, &ShowLoops},
    {&EngineExports::SelfRecursion, " ... eliminating immediate left recursion", "Eliminating immediate left recursion",
     " grammar after excluding left recursion", &ExtLeftRecursion, "No left recursion", &PreLeftRecursion,
     &ShowLeftRecursion},
};

} // namespace

void Pipeline::transformLink(int link, std::int32_t& first, std::int32_t& last)
{
    const EngineExports* e = Engine();
    if (!e) return;
    const Link& l = chain[link];
    Log(QLatin1String(l.log));
    status(QLatin1String(l.status));
    letRun();
    std::int32_t head = 0, tail = 0;
    (e->*l.transform)(&head, &tail);
    first = head;
    last = tail;
    letRun();
}

void Pipeline::preparatoryTransformations(std::int32_t& first, std::int32_t& last)
{
    const EngineExports* e = Engine();
    if (!e || !(PreFact || PreLoops || PreLeftRecursion)) return;
    Log(QStringLiteral("   - Try to transform grammar to LL(1)..."));
    for (int i = 0; i < 3; ++i) {
        const Link& l = chain[i];
        if (!*l.pre) continue;
        transformLink(i, first, last);
        EngineClient(*e).FileRules(first, last, l.title, cp1251::fromUnicode(*l.extension));
        if (engineWrote(*e) && *l.show) LoadResultDocument(QLatin1String(l.document), *l.extension);
    }
}

QString Pipeline::grammarFile(const QString& grammarName, const QString& extension)
{
    return cp1251::toUnicode(
        mv::names::ResultFileName(cp1251::fromUnicode(grammarName), cp1251::fromUnicode(extension)));
}

bool Pipeline::loadPrintedGrammar(frmGrammar& g, const QString& extension)
{
    const QString file = grammarFile(g.GrammarName, extension);
    std::ifstream in(file.toLocal8Bit().toStdString(), std::ios::binary);
    if (!in) {
        Log(" ... the transformed grammar \"" + file + "\" can not be read");
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    g.rtfText.SetText(text);
    QFile::remove(file);
    return true;
}

void Pipeline::toolsStep(int links)
{
    frmGrammar* g = ActiveGrammar;
    if (!g || g->TextEmpty()) return;
    std::int32_t first = 0, last = 0;
    ParseErrorText.clear();
    RemoveExtraneousRules(0, first, last);
    if (!ParseErrorText.empty()) return;
    const EngineExports* e = Engine();
    if (!e) return;
    Log(QStringLiteral("   - Try to transform grammar to LL(1)..."));
    for (int i = 0; i < links; ++i) transformLink(i, first, last);
    const Link& l = chain[links - 1];
    EngineClient(*e).FileGrammar(first, last, l.title, cp1251::fromUnicode(*l.extension));
    // The text stays as it was when the engine could not print the grammar.
    if (!engineWrote(*e) || !loadPrintedGrammar(*g, *l.extension))
        ui::Ui().messageBox(QStringLiteral("The transformed grammar could not be loaded; the text is unchanged."),
                            ui::AppTitle(), ui::Buttons::Ok, ui::Icon::Exclamation);
}

void Pipeline::LeftFactoringStep() { toolsStep(1); }
void Pipeline::RecursionLoopsStep() { toolsStep(2); }
void Pipeline::LeftRecursionStep() { toolsStep(3); }
