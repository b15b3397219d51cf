// The C++ parsers: free functions in one file, or a class in a header and an implementation.

#include <cctype>
#include <set>

#include "codegen/codegen.h"
#include "codegen/identifiers.h"
#include "codegen/parser_writer.h"
#include "output/output.h"
#include "store/grammar_store.h"
#include "store/run_settings.h"
#include "output/result_name.h"

namespace mv {

namespace {

const char* const Slashes = "///////////////////////////////////////////////////////////////";

std::string Quoted(const std::string& text) { return ParserWriter::CQuoted(text); }

class CppWriter : public ParserWriter {
public:
  CppWriter(CodeGen& gen, const GeneratorArgs& args, bool classMode)
      : ParserWriter(gen, args, CodeFamily::CLike, 1000), ClassMode(classMode) {
    DoubleBackslash = true;
    CommentSign = "//";
    ActionCommentLead = "\t\t\t\t\t// ";
  }

  void Write() {
    const GrammarStore& st = Eng.store;
    G = GrammarName();
    GId = CppIdentifier(GrammarIdentifier());
    std::string base = Cut(st.ResultBaseName);
    L = LowerCaseBase(base);
    U = IdentifierFromBytes(UpperCaseBase(base));
    Title = Cut(st.UserTitle);
    Scanner = Cut(st.UserScanner);
    ErrJob = Cut(st.UserErrorReaction);
    Extern = !ErrJob.empty() && Has(st.UserErrorReaction, "$extern");
    Tree = IsTrue(Eng.run.BuildTree);
    Actions = IsTrue(Eng.run.BuildActions);
    Names = IsTrue(Eng.run.BuildNames);
    Entry = Names ? GId + "main" : GId;
    Acts = "p" + GId + "Acts";
    NameProcedures();
    // The class's members are seen by the user's acts class; the procedural parser keeps the
    // previous character and the lower-case reading only when the grammar's texts use them.
    UsesLl0 = ClassMode || GrammarTextsHold("ll0");
    UsesLowCase = ClassMode || GrammarTextsHold("lowCase");
    Calls = CallGraph();

    if (ClassMode) {
      WriteClassHeader();
      if (!Eng.codegen.SwitchSourceFile(names::ParserFileName(base, 9))) return;
      WriteFileHead("Purpose: the realization of LL1 algorithm for the grammar <" + G + ">");
      Out.BlankLine();
      Eng.codegen.GrammarComment();
      Out.BlankLine();
      Out.Statement(0, "#include <string.h>");
      Out.Statement(0, "#include <stdio.h>");
      Out.Statement(0, "#include \"" + L + ".h\"");
      Out.BlankLine();
      WriteDepthLimit();
      WriteCommentedBlock("newNode", "completeNode", "newLeaf");
      if (UsesActs()) {
        Out.BlankLine();
        Out.Statement(0, GId + "Parser::" + GId + "Parser(void)");
        Out.Statement(0, "{");
        Out.Statement(1, Acts + " = new " + GId + "Acts(this);");
        Out.Statement(0, "}");
        Out.BlankLine();
        Out.Statement(0, GId + "Parser::~" + GId + "Parser()");
        Out.Statement(0, "{");
        Out.Statement(1, "delete " + Acts + ";");
        Out.Statement(0, "}");
      }
      Out.BlankLine();
    } else {
      WriteFileHead("Purpose: the realization of LL1 algorithm for a grammar <" + G + ">",
                    names::ParserFileName(base, 8));
      Out.BlankLine();
      Eng.codegen.GrammarComment();
      WriteStaticState();
      WriteForwardDeclarations();
      WriteHandlerDeclarations();
    }
    WriteEntry();
    if (Scanner.empty()) WriteScanner();
    if (ErrJob.empty()) WriteErrorProcedure();
    int32_t count = WriteNonterminals();
    WriteCountLine(count);
  }

private:
  // The class needs its acts object for tree hooks, actions and an external error handler.
  bool UsesActs() const { return Actions || Tree || Extern; }
  std::string Q() const { return ClassMode ? GId + "Parser::" : std::string(); }
  std::string Hook(const std::string& name) const {
    static const std::pair<const char*, const char*> classNames[] = {
        {"NewNode", "newNode"}, {"NewLeaf", "newLeaf"}, {"CompleteNode", "completeNode"}};
    if (!ClassMode) return GId + name;
    for (auto& [from, to] : classNames)
      if (name == from) return Acts + "->" + to;
    return name;
  }
  std::string ErrorCall() const {
    if (!ClassMode) return GId + "Errh";
    return Extern ? Acts + "->errh" : "errh";
  }
  std::string Proc(int32_t number) const {
    return number >= 1 && size_t(number) < ProcNames.size() ? ProcNames[size_t(number)]
                                                            : GId + std::to_string(number);
  }

  void NameProcedures() {
    std::set<std::string> used = CppReservedNames();
    // With names from the symbols the entry is "<grammar>main", so the start symbol's own
    // name (the grammar's) is free for its procedure.
    if (!(Names && !ClassMode)) used.insert(GId);
    for (const std::string& own : {Entry, GId + "Errh", GId + "NewNode", GId + "NewLeaf",
                                   GId + "CompleteNode", GId + "Parser", GId + "Acts", Acts})
      used.insert(own);
    ProcNames.assign(size_t(Args.N) + 1, std::string());
    int32_t nonterminal = Eng.store.Grammar.First;
    for (int32_t guard = 0; nonterminal >= 1 && guard < Steps(NonterminalPool); ++guard) {
      int32_t n = Field(NonterminalPool, nonterminal, NtmNumber);
      std::string name;
      if (Names) {
        name = Eng.codegen.IdentifierText(Field(NonterminalPool, nonterminal, NtmNameFirst),
                                          Field(NonterminalPool, nonterminal, NtmNameLast));
        if (name.size() > MaxNameLength) name.resize(MaxNameLength);
        // Keywords, the parser's own names and names that two nonterminals share get a suffix.
        if (name.empty() || used.count(name)) name += "_" + std::to_string(n);
        while (used.count(name)) name += "_";
      } else {
        name = GId + std::to_string(n);
        // A grammar named "ll" would make its first procedure the scanner's ll1.
        while (used.count(name)) name += "_";
      }
      used.insert(name);
      if (n >= 1 && n <= Args.N) ProcNames[size_t(n)] = name;
      if (nonterminal == Eng.store.Grammar.Last) break;
      nonterminal = Field(NonterminalPool, nonterminal, NtmNext);
    }
  }

  // Every procedure takes the nesting depth of its call: a parameter costs the parse less than
  // a counter that each call would have to raise and lower again.
  std::string Params() const {
    return Tree ? "int parentIndex, const char *parentNode, long nestingDepth" : "long nestingDepth";
  }

  // The limit stands near the top of the file, where a user can change it.
  void WriteDepthLimit() {
    Out.Comment("deepest nesting of the procedures; past it the parser reports an error instead of");
    Out.Comment("running out of stack");
    Out.Statement(0, "static const long maxNestingDepth = " + std::to_string(MaxDepth) + ";");
  }

  void WriteFileHead(const std::string& purpose, const std::string& name = std::string()) {
    Out.Comment(Slashes);
    Out.Comment("Name: " + (name.empty() ? Cut(Eng.store.OutputFileName) : name));
    Out.Comment("Autor:");
    Out.Comment("Date: " + GenerationDate(Eng.codegen));
    Out.Comment("CVS-ID: ");
    Out.Comment(purpose);
    Out.Comment(Slashes);
  }

  void WriteStaticState() {
    Out.Statement(0, "#include <string.h>");
    Out.Statement(0, "#include <stdio.h>");
    Out.BlankLine();
    Out.Statement(0, "static long ll1 = 32;\t//\tll1 = src[indSrc - 1] - last scanned symbol");
    if (UsesLl0)
      Out.Statement(0, "static long ll0 = 32;\t//\tll0 = src[indSrc - 2] - previous scanned symbol");
    for (const char* line : {"static bool bad;\t//\tbad                   - error flag",
                             "static char errMsg[4096];\t//\terrMsg                - error message",
                             "static char *src = NULL;\t//\tsrc                   - source string",
                             "static long indSrc;\t//\tindSrc                - index",
                             "static long lenSrc;\t//\tlenSrc                - length",
                             "static const long fin = -1;\t//\tfin                   - end marker"})
      Out.Statement(0, line);
    if (UsesLowCase)
      Out.Statement(0,
                    "static bool lowCase;\t//\tlowCase           - flag of scanning in lower case register");
    WriteDepthLimit();
    Out.BlankLine();
    Out.Comment("additional declarations:");
    for (auto& line : Eng.store.UserDeclarations)
      if (!Blank(line)) Out.Statement(0, Cut(line));
    Out.BlankLine();
  }

  // The procedures of the procedural parser are the file's own: the compiler may inline them.
  std::string Linkage() const { return ClassMode ? "" : "static "; }

  void WriteProcedureDeclarations() {
    for (int32_t n = 1; n <= Args.N; ++n)
      Out.Statement(1, Linkage() + "void " + Proc(n) + "(" + Params() + ");");
  }

  void WriteForwardDeclarations() {
    Out.Comment("the recursive descent procedures:");
    WriteProcedureDeclarations();
    WriteCommentedBlock(GId + "NewNode", GId + "CompleteNode", GId + "NewLeaf");
    Out.BlankLine();
  }

  // The commented-out declarations of what the user supplies.
  void WriteCommentedBlock(const std::string& newNode, const std::string& completeNode,
                           const std::string& newLeaf) {
    if (!Actions) return;
    Out.BlankLine();
    Out.Statement(0, "/*");
    if (Tree) {
      Out.Comment("\tuser defined AST generating procedures");
      Out.Statement(1, "void " + newNode +
                           "(int parentIndex, const char *parentNode, int thisIndex, const char *thisNode);");
      Out.Statement(1, "void " + completeNode + "(int thisIndex, const char *thisNode, int indSrc);");
      Out.Statement(1, "void " + newLeaf + "(int thisIndex, const char *thisNode, int indSrc, int ll1);");
    }
    Out.Comment("the user actions called during the parsing:");
    int32_t action = Eng.store.Actions.First;
    for (int32_t guard = 0; action >= 1 && guard < Steps(ActionPool); ++guard) {
      std::string text;
      for (auto& line : ActionLines(action)) text += line;
      Out.Statement(ClassMode ? 1 : 0, InsideBlockComment(text));
      Out.AppendRaw("\t\t// " + InsideBlockComment(NameOf(ActionPool, action)));
      if (action == Eng.store.Actions.Last) break;
      action = Field(ActionPool, action, ActNext);
    }
    Out.Statement(0, "*/");
  }

  void WriteHandlerDeclarations() {
    if (Scanner.empty()) {
      Out.Comment("\tscanner:");
      Out.Statement(0, "static void next();");
    } else {
      Out.Comment("\texternal scanner:");
      Out.Comment(Scanner);
    }
    std::string errh = "bool " + GId + "Errh(int numErr, const char *gramSymb, const char *expectedSet);";
    if (ErrJob.empty()) {
      Out.Comment("\terror handler:");
      Out.Statement(0, errh);
    } else {
      Out.Comment("\texternal error handler:");
      Out.Comment(Extern ? errh : ErrJob);
    }
    Out.Statement(0, "#include \"" + L + ".h\"");
    Out.BlankLine();
  }

  void WriteClassHeader() {
    const GrammarStore& st = Eng.store;
    WriteFileHead("Purpose: the declaration of the parser class for the grammar <" + G + ">");
    Out.BlankLine();
    Out.Statement(0, "#ifndef " + U + "_H");
    Out.Statement(0, "#define " + U + "_H");
    if (UsesActs()) {
      Out.BlankLine();
      Out.Statement(0, "#include \"" + L + "acts.h\"\t// The class of the user actions");
      Out.Statement(0, "class " + GId + "Acts;");
    }
    Out.BlankLine();
    Out.Statement(0, "class " + GId + "Parser ");
    Out.Statement(0, "{");
    Out.Statement(0, "public:");
    for (const char* line :
         {"char *src;\t\t\t//\tsrc                   - source string",
          "int indSrc;\t\t\t//\tindSrc                - index",
          "int lenSrc;\t\t\t//\tlenSrc                - length",
          "int ll1;\t\t\t//\tll1 = src[indSrc - 1] - last scanned symbol",
          "int ll0;\t\t\t//\tll0 = src[indSrc - 2] - previous scanned symbol",
          "bool bad;\t\t\t//\tbad                   - error flag",
          "char errMsg[4096];\t//\terrMsg                - error message",
          "int fin;\t\t\t//\tfin                   - end marker",
          "bool lowCase;\t\t//\tlowCase               - flag of scanning in the lower case"})
      Out.Statement(1, line);
    if (UsesActs()) {
      Out.BlankLine();
      Out.Comment("pointer of the object of the user actions class:");
      Out.Statement(1, GId + "Acts *" + Acts + ";");
      Out.BlankLine();
      Out.Statement(1, GId + "Parser();");
      Out.Statement(1, "~" + GId + "Parser();");
    }
    Out.BlankLine();
    Out.Comment("additional declarations:");
    for (auto& line : st.UserDeclarations)
      if (!Blank(line)) Out.Statement(1, Cut(line));
    Out.BlankLine();
    if (Title.empty()) {
      Out.Statement(1, "bool parse(char *sourceStr, char **errorMsg);");
      Out.Comment("sourceStr - source string");
      Out.Comment("errorMsg  - error message");
    } else {
      Out.Comment("\tbool parse(char *sourceStr, char *errorMsg)");
      Out.Comment("User declared title:");
      Out.Statement(1, Title + ";");
      if (Has(st.UserTitle, "char *sourceStr")) Out.Comment("sourceStr - source string, input parameter");
      if (Has(st.UserTitle, "char *errorMsg")) Out.Comment("errorMsg  - error message, output parameter");
    }
    Out.BlankLine();
    Out.Flush();
    if (Scanner.empty()) {
      Out.Comment("\tscanner:");
      Out.Statement(1, "void next(void);");
    } else {
      Out.Comment("\texternal scanner:");
      Out.Comment(Scanner);
    }
    Out.BlankLine();
    Out.Flush();
    std::string errh = "bool errh(int numErr, const char *gramSymb, const char *expectedSet);";
    if (ErrJob.empty()) {
      Out.Comment("\terror handler:");
      Out.Statement(1, errh);
    } else {
      Out.Comment("\texternal error handler:");
      Out.Comment(Extern ? "\t" + errh : ErrJob);
    }
    Out.BlankLine();
    Out.Flush();
    Out.Comment("the recursive descent procedures:");
    Out.Statement(0, "protected:");
    WriteProcedureDeclarations();
    Out.Statement(0, "};");
    Out.Flush();
    Out.Statement(0, "#endif // " + U + "_H");
    Out.Flush();
  }

  void WriteEntry() {
    const std::string& title = Eng.store.UserTitle;
    bool given = !Title.empty();
    auto has = [&](const char* what) { return given && Has(title, what); };
    if (ClassMode) {
      if (!given) {
        Out.Statement(0, "bool " + GId + "Parser::parse(char *sourceStr, char **errorMsg)");
        Out.Comment("sourceStr - source string");
        Out.Comment("errorMsg  - error message");
      } else {
        Out.Comment("bool parse(char *sourceStr, char *errorMsg)");
        Out.Comment("User declared title:");
        Out.Statement(0, MemberTitle());
        if (has("char *sourceStr")) Out.Comment("sourceStr - source string, input parameter");
        if (has("char *errorMsg")) Out.Comment("ErrorMsg  - error message, output parameter");
      }
    } else if (!given) {
      Out.Statement(0, "bool " + Entry + "(char *sourceStr, char **errorMsg)");
      Out.Comment("sourceStr - source string");
      Out.Comment("errorMsg  - error message");
    } else {
      Out.Comment("bool " + Entry + "(char *sourceStr, char *errorMsg)");
      Out.Comment("User declared title:");
      Out.Statement(0, Title);
      if (has("char *sourceStr")) Out.Comment("sourceStr - source string, input parameter");
      if (has("char *errorMsg")) Out.Comment("ErrorMsg  - error message, output parameter");
    }
    Out.Statement(0, "{");
    bool index = Tree && !has("parentIndex");
    bool node = Tree && !has("parentNode");
    if (index) Out.Statement(1, "int parentIndex;");
    if (node) Out.Statement(1, "const char *parentNode;");
    if (index)
      Out.Comment(
          "parentIndex - the index of the nonterminal start"
          " \xe2\xee \xe2\xf5\xee\xe4\xed\xee\xe9 \xf1\xf2\xf0\xee\xea\xe5");
    if (node) Out.Comment("parentNode  - the nonterminal name");
    if (index) Out.Statement(1, "parentIndex = 1;");
    if (node) Out.Statement(1, "parentNode =\"\";");
    if (!ClassMode && UsesLl0) Out.Statement(1, "ll0 = 0;");
    if (given && !has("char *sourceStr")) Out.Comment("\tsrc = sourceStr;");
    else Out.Statement(1, "src = sourceStr;");
    if (!has("indSrc")) Out.Statement(1, "indSrc = 0;");
    if (given) Out.Comment("\tlenSrc = strlen(src);");
    else Out.Statement(1, "lenSrc = strlen(src);");
    if (!has("errMsg")) Out.Statement(1, "errMsg[0] = '\\0';");
    if (!has("bad")) Out.Statement(1, "bad = false;");
    // The procedural parser's end marker is a constant.
    if (ClassMode && !has("fin")) Out.Statement(1, "fin = -1;");
    if (UsesLowCase && !has("lowCase")) Out.Statement(1, "lowCase = false;");
    bool any = false;
    for (auto& line : Eng.store.UserPreParse) {
      if (Blank(line)) continue;
      if (!any) Out.Comment("Preparse actions:");
      any = true;
      Out.Statement(1, Cut(line));
    }
    if (any) Out.Comment("End of preparse actions");
    if (Scanner.empty()) {
      Out.Statement(1, "next();");
    } else {
      Out.Comment("external scanner:");
      Out.Statement(1, Scanner);
    }
    Out.Statement(1, "goto L;");
    std::string args = Tree ? (ClassMode ? "parentIndex, parentNode, " : " parentIndex, parentNode, ") : "";
    Out.Statement(0, "L:\t" + Proc(1) + "(" + args + "1);");
    // A parse that stops before the end of the text has not read the text.
    std::string start = NameOf(NonterminalPool, Eng.store.Grammar.First);
    Out.Statement(1, "if (!bad && ll1 != fin)");
    Out.Statement(1, "{");
    if (ErrJob.empty() || Extern)
      Out.Statement(2, "bad = " + ErrorCall() + "(1, " + Quoted("<" + start + ">") + ", \"finish\");");
    else Out.Statement(2, ErrJob);
    Out.Statement(1, "}");
    any = false;
    for (auto& line : Eng.store.UserPostParse) {
      if (Blank(line)) continue;
      if (!any) Out.Comment("Postparse actions:");
      any = true;
      Out.Statement(1, Cut(line));
    }
    if (!given) {
      StatementLines({{1, "if (bad)"},
                      {1, "{"},
                      {2, "*errorMsg = errMsg;"},
                      {2, "return false;"},
                      {1, "}"},
                      {1, "else"},
                      {1, "{"},
                      {2, "return true;"},
                      {1, "}"}});
    } else {
      Out.Comment("\t*errorMsg = errMsg;");
    }
    Out.Statement(0, "}");
    Out.BlankLine();
    Out.Flush();
  }

  // The title as the head of a member function: the header declares it inside the class, so
  // the definition names the class before the function's name.
  std::string MemberTitle() const {
    size_t open = Title.find('(');
    if (open == std::string::npos) return Title;
    size_t end = Title.find_last_not_of(" \t", open == 0 ? 0 : open - 1);
    if (end == std::string::npos || open == 0) return Title;
    size_t start = end + 1;
    auto word = [](char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_'; };
    while (start > 0 && word(Title[start - 1])) --start;
    if (start == end + 1 || (start >= 2 && Title.compare(start - 2, 2, "::") == 0)) return Title;
    return Title.substr(0, start) + GId + "Parser::" + Title.substr(start);
  }

  void WriteScanner() {
    Out.Statement(0, Linkage() + "void " + Q() + "next(void)");
    Out.Statement(0, "{\t// Read Next Symbol");
    if (UsesLl0) Out.Statement(1, "ll0 = ll1;");
    StatementLines({{1, "indSrc++;"}, {1, "if (indSrc <= lenSrc)"}, {1, "{"}});
    // Codes 128 to 255 are characters, not negative values (-1 is the end marker).
    Out.Statement(2, "ll1 = (unsigned char) src[indSrc - 1];");
    if (UsesLowCase)
      StatementLines({{2, "if (lowCase)"},
                      {2, "{"},
                      {3, "if ((ll1>=65 && ll1<=90) || (ll1>=192 && ll1<=223)) ll1 = ll1 + 32;"},
                      {2, "}"}});
    StatementLines({{1, "}"}, {1, "else ll1 = fin;"}, {0, "}"}});
  }

  void WriteErrorProcedure() {
    Out.Statement(0, "bool " + (ClassMode ? Q() + "errh" : GId + "Errh") +
                         "(int numErr, const char *gramSymb, const char *expectedSet)");
    Out.Statement(0, "{\t// Error Handler");
    for (const char* line :
         {"int lineNum;", "int leftContext;", "int rightContext;", "int i;", "char a;", "char buf20[20];"})
      Out.Statement(1, line);
    Out.Comment("the message never runs past the end of errMsg");
    StatementLines({{1, "auto append = [&](const char *text, long count)"},
                    {1, "{"},
                    {2, "size_t used = strlen(errMsg);"},
                    {2, "size_t room = sizeof(errMsg) - 1 - used;"},
                    {2, "if (count < 0) count = (long) strlen(text);"},
                    {2, "if ((size_t) count > room) count = (long) room;"},
                    {2, "memcpy(errMsg + used, text, (size_t) count);"},
                    {2, "errMsg[used + count] = '\\0';"},
                    {1, "};"}});
    Out.Comment("the error line: from the line feed before the error to the one after it");
    StatementLines({{1, "lineNum = 1;"},
                    {1, "leftContext = 0;"},
                    {1, "rightContext = lenSrc;"},
                    {1, "for (i = 0; i < lenSrc; i++)"},
                    {1, "{"},
                    {2, "if (src[i] == 10)"},
                    {2, "{"},
                    {3, "if (indSrc - 1 > i)"},
                    {3, "{"},
                    {4, "lineNum++;"},
                    {4, "leftContext = i + 1;"},
                    {3, "}"},
                    {3, "else"},
                    {3, "{"},
                    {4, "rightContext = i;"},
                    {4, "break;"},
                    {3, "}"},
                    {2, "}"},
                    {1, "}"},
                    {1, "if (rightContext > leftContext && src[rightContext - 1] == 13) rightContext--;"}});
    Out.Comment("a long line is shown around the error column");
    StatementLines({{1, "if (indSrc - 1 - leftContext > 60) leftContext = indSrc - 1 - 40;"},
                    {1, "if (rightContext - leftContext > 120) rightContext = leftContext + 120;"},
                    {1, "errMsg[0] = '\\0';"},
                    {1, "append(\"Line\", -1);"},
                    {1, "snprintf(buf20, sizeof(buf20), \"%d\", lineNum);"},
                    {1, "append(buf20, -1);"},
                    {1, "if (ll1 == fin)\tappend(\", syntax error, found \\\"end marker\\\"\", -1);"},
                    {1, "else"},
                    {1, "{"},
                    {2, "append(\", syntax error, found \\\"\", -1);"},
                    {2, "a = (char) ll1;"},
                    {2, "append(&a, 1);"},
                    {2, "append(\"\\\"\", -1);"},
                    {1, "}"},
                    {1, "if (numErr == 3)\tappend(\", the nesting is too deep\", -1);"},
                    {1, "else\tappend(\" when expecting \", -1);"},
                    {1, "if (numErr == 1)"},
                    {1, "{"},
                    {2, "append(gramSymb, -1);"},
                    {2, "append(\" with one of: \", -1);"},
                    {2, "append(expectedSet, -1);"},
                    {1, "}"},
                    {1, "else"},
                    {1, "{"},
                    {2, "if (numErr == 2)"},
                    {2, "{"},
                    {3, "append(\"\\\"\", -1);"},
                    {3, "append(expectedSet, -1);"},
                    {3, "append(\"\\\"\", -1);"},
                    {2, "}"},
                    {2, "append(\"\\n\", -1);"},
                    {2, "append(&src[leftContext], rightContext - leftContext);"},
                    {2, "append(\"\\n\", -1);"}});
    Out.Comment("\ta tab stays a tab, so that the mark stands under the error");
    StatementLines({{2,
                     "for (i = leftContext; i < indSrc - 1 && i < lenSrc; i++) append(src[i] == 9 ? \"\\t\" "
                     ": \" \", 1);"},
                    {2, "append(\"!\", -1);"},
                    {1, "}"},
                    {1, "return true;"},
                    {0, "}"}});
  }

  // Nonterminal functions.
  void BeginProcedure(const NonterminalPlan& nt) override {
    bool loop = Loops();
    BranchWritten = false;
    Out.BlankLine();
    Out.Flush();
    // Only a procedure that can be entered again while it runs tests the depth; one that calls
    // nothing does not need it at all.
    bool recursive = size_t(nt.Number) < Calls.Recursive.size() && Calls.Recursive[size_t(nt.Number)];
    bool calls = size_t(nt.Number) < Calls.Calls.size() && Calls.Calls[size_t(nt.Number)];
    std::string params = Params();
    if (!recursive && !calls) params.erase(params.size() - std::string(" nestingDepth").size());
    Out.Statement(0, Linkage() + "void " + Q() + Proc(nt.Number) + "(" + params + ")");
    Out.Statement(0, "{\t// Procedure <" + nt.Name + ">");
    if (Tree) {
      Indented(loop, 1, "const char *thisNode = " + Quoted(nt.Name) + ";");
      Indented(loop, 1, "int thisIndex;");
    }
    if (recursive) {
      Indented(loop, 1, "if (nestingDepth > maxNestingDepth)");
      Indented(loop, 1, "{");
      Indented(loop, 2, DepthError(nt));
      Indented(loop, 2, "return;");
      Indented(loop, 1, "}");
    }
    if (loop) {
      Out.Statement(0, "  while (true) // the replacement of recursion with a cycle");
      Out.Statement(0, "  {");
    }
    if (Tree) {
      Out.Statement(1, "thisIndex = indSrc;");
      Out.Statement(1, Hook("NewNode") + "(parentIndex, parentNode, thisIndex, thisNode);");
    }
  }

  std::string DepthError(const NonterminalPlan& nt) const {
    if (ErrJob.empty() || Extern)
      return "bad = " + ErrorCall() + "(3, " + Quoted("<" + nt.Name + ">") + ", \"\");";
    return ErrJob;
  }

  void Indented(bool loop, int tabs, const std::string& text) {
    if (loop) Out.Statement(0, std::string(size_t(tabs) * 2, ' ') + text);
    else Out.Statement(tabs, text);
  }

  void OpenBranch(const NonterminalPlan&, const AlternativePlan& alt, bool first) override {
    BranchWritten = true;
    if (!first) Out.Statement(1, "}");
    Out.Statement(1, (first ? "if (" : "else if (") + CLikeCondition(alt.Items, true) + ")");
    Out.CommentTail("\t\t\t\t// " + CharListText(alt.Items));
  }

  void RuleComment(const NonterminalPlan& nt, const AlternativePlan& alt) override {
    WriteRuleComment(1, "{", "\t// ", nt, alt);
  }

  void TerminalElement(int32_t terminal, int32_t code, bool first,
                       const std::vector<int32_t>& mergedFirst) override {
    SlashTerminalComment(terminal, mergedFirst);
    if (!first) {
      Out.Statement(2, "if(ll1 != " + std::to_string(code) + ")");
      Out.Statement(2, "{");
      if (ErrJob.empty() || Extern) {
        Out.Statement(3, "bad = " + ErrorCall() + "(2, \" \", " + CCharLiteral(code) + ");");
      } else {
        Out.Statement(3, ErrJob);
      }
      Out.Statement(3, "return;");
      Out.Statement(2, "}");
    }
    if (Tree) Out.Statement(2, Hook("NewLeaf") + "(thisIndex, thisNode, indSrc, ll1);");
    Out.Statement(2, Scanner.empty() ? std::string("next();") : Scanner);
  }

  void NonterminalElement(int32_t nonterminal, int32_t, bool last) override {
    Out.Statement(2, Proc(Field(NonterminalPool, nonterminal, NtmNumber)) + "(" +
                         (Tree ? "thisIndex, thisNode, " : "") + "nestingDepth + 1);");
    Out.CommentTail("\t\t\t\t\t// call <" + NameOf(NonterminalPool, nonterminal) + ">");
    if (!last) Out.Statement(2, "if (bad) return;");
  }

  // The loop's next pass does the tail call.
  void TailCall(const NonterminalPlan& nt, int32_t, bool checkProgress) override {
    if (!checkProgress) return;
    Out.Statement(2, "if (indSrc == passStart)");
    Out.CommentTail("\t// a pass that reads nothing would go round for ever");
    Out.Statement(2, "{");
    Out.Statement(3, DepthError(nt));
    Out.Statement(3, "return;");
    Out.Statement(2, "}");
  }

  void PassStart() override { Out.Statement(2, "long passStart = indSrc;"); }

  void CloseBranch(const NonterminalPlan&, const AlternativePlan& alt) override {
    // In the loop form every alternative but the recursive ones ends the loop when it is done.
    if (Loops() && !EndsInTail(alt)) Out.Statement(2, "break;");
  }

  void ElseBranch(const NonterminalPlan& nt) override {
    // A nonterminal without alternatives has no "if" for an "else" to follow.
    if (BranchWritten) {
      Out.Statement(1, "}");
      Out.Statement(1, "else");
    }
    Out.Statement(1, "{");
    if (ErrJob.empty() || Extern)
      Out.Statement(2, "bad = " + ErrorCall() + "(1, " + Quoted("<" + nt.Name + ">") + ", \"" +
                           nt.ExpectedSet + "\");");
    else Out.Statement(2, ErrJob);
    if (Loops()) Out.Statement(2, "break;");
    Out.Statement(1, "}");
  }

  void EndProcedure(const NonterminalPlan&) override {
    if (Tree) Out.Statement(1, Hook("CompleteNode") + "(thisIndex, thisNode, indSrc);");
    if (Loops()) {
      Out.Statement(0, "  }");
      if (Tree) Out.Statement(0, "  " + Hook("CompleteNode") + "(thisIndex, thisNode, indSrc);");
    }
    Out.Statement(0, "}");
  }

  bool ClassMode;
  bool UsesLl0 = true, UsesLowCase = true;
  CallShape Calls;
  std::string G, GId, L, U, Title, Scanner, ErrJob, Entry, Acts;
  bool Extern = false, Tree = false, Actions = false, Names = false;
  std::vector<std::string> ProcNames;
  bool BranchWritten = false;
};

}  // namespace

void CodeGen::FileParserCpp(const GeneratorArgs& args) {
  CppWriter writer(*this, args, false);
  writer.Write();
}

void CodeGen::FileParserCppClass(const GeneratorArgs& args) {
  CppWriter writer(*this, args, true);
  writer.Write();
}

}  // namespace mv
