#include "line_procedures.h"

namespace readers {

void LineProcedures::Definition(const Node& p)
{
    const Node n = Enter(p, "<::=>");
    if (LL1 == ':') {
        Consume(n);
        Space(n);
        if (bad || !Match(n, ':')) return;
        Space(n);
        if (bad || !Match(n, '=')) return;
    } else if (LL1 == '-') {
        Consume(n);
        Space(n);
        if (bad || !Match(n, '>')) return;
    } else {
        Fail(n, ": -");
        return;
    }
    Complete(n);
}

void LineProcedures::ActionSymbol(const Node& p)
{
    const Node n = Enter(p, "<Action symbol>");
    if (LL1 != '`') {
        Fail(n, "`");
        return;
    }
    S().ApplyTextsFont(indSrc);
    Consume(n);
    B().BKSNAI();
    NameCharacters(n, true);
    if (bad || !Match(n, '`')) return;
    S().ApplyActFont(indSrc);
    Complete(n);
}

void LineProcedures::Action(const Node& p)
{
    const Node n = Enter(p, "<Action>");
    if (LL1 != '`') {
        Fail(n, "`");
        return;
    }
    ActionSymbol(n);
    if (bad) return;
    B().BKSACL();
    Space(n);
    if (bad) return;
    Definition(n);
    if (bad) return;
    B().BKSACB();
    Statement(n);
    if (bad) return;
    B().BKSSTM();
    Complete(n);
}

void LineProcedures::Option(const Node& p)
{
    const Node n = Enter(p, "<Option>");
    if (LL1 != '$') {
        Fail(n, "$");
        return;
    }
    LowCase = true;
    Consume(n);
    Space(n);
    if (bad) return;
    Param(n);
    if (bad) return;
    Complete(n);
}

// The rest of an option keyword (read lower-cased), "::=", the selector and the line.
void LineProcedures::Keyword(const Node& n, std::string_view rest, void (Builder::*selector)())
{
    Consume(n);
    for (char c : rest)
        if (!Match(n, static_cast<unsigned char>(c))) return;
    Space(n);
    if (bad) return;
    LowCase = false;
    Definition(n);
    if (bad) return;
    (B().*selector)();
    Statement(n);
}

void LineProcedures::Param(const Node& p)
{
    const Node n = Enter(p, "<Param>");
    switch (LL1) {
    case 'd':
        Keyword(n, "eclare", &Builder::BKSDEC);
        break;
    case 'e':
        Keyword(n, "rrjob", &Builder::BKSERJ);
        break;
    case 'n':
        Keyword(n, "ext", &Builder::BKSNXT);
        break;
    case 't':
        Keyword(n, "itle", &Builder::BKSPRG);
        break;
    case 'p':
        Consume(n);
        ParamP(n);
        break;
    default:
        Fail(n, "t d p e n");
        return;
    }
    if (bad) return;
    Complete(n);
}

void LineProcedures::ParamP(const Node& p)
{
    const Node n = Enter(p, "<$Param_p>");
    switch (LL1) {
    case 'o':
        Keyword(n, "st-step", &Builder::BKSPOST);
        break;
    case 'r':
        Keyword(n, "e-step", &Builder::BKSBEG);
        break;
    default:
        Fail(n, "r o");
        return;
    }
    if (bad) return;
    Complete(n);
}

void LineProcedures::CommentPrefix(const Node& p)
{
    const Node n = Enter(p, "<Comment prefix>");
    if (LL1 == '!' || LL1 == '\'') {
        Consume(n);
    } else if (LL1 == '/') {
        Consume(n);
        if (!Match(n, '/')) return;
    } else {
        Fail(n, "! ' /");
        return;
    }
    Complete(n);
}

} // namespace readers
