// The Java parser: one class with the scanner state, the entry `parse`, the scanner, one
// method per nonterminal named after it, and an inner exception class that carries the error.

#include <set>

#include "codegen/codegen.h"
#include "codegen/identifiers.h"
#include "codegen/parser_writer.h"
#include "output/output.h"
#include "store/grammar_store.h"
#include "store/run_settings.h"

namespace mv {

namespace {

std::string Quoted(const std::string& text) { return ParserWriter::CQuoted(text); }

// One code of a select set as the comment and the expected-set text show it.
std::string Item(int32_t c) {
  if (c == 39) return "\"'\"";
  if (c == 32) return "' '";
  if (c == 34 || (c >= 0 && c <= 31)) return "chr(" + std::to_string(c) + ")";
  return std::string("'") + char(c) + "'";
}

std::string Items(const std::vector<CodeItem>& items, bool leadingBlank) {
  std::string text;
  for (auto& item : items) {
    if (item.End) {
      if (leadingBlank || !text.empty()) text += ' ';
      text += "finish";
      continue;
    }
    for (int32_t c = item.First; c <= item.Last; ++c) {
      if (leadingBlank || !text.empty()) text += ' ';
      text += Item(c);
    }
  }
  return text;
}

// Comments in the text of the system's own code page.
const char* const SourceStrComment =
    "sourceStr - \xe8\xf1\xf5\xee\xe4\xed\xfb\xe9 \xf2\xe5\xea\xf1\xf2, \xe2\xf5\xee\xe4\xed\xee\xe9 "
    "\xef\xe0\xf0\xe0\xec\xe5\xf2\xf0";
const char* const ErrorMsgComment =
    "ErrorMsg  - \xf1\xee\xee\xe1\xf9\xe5\xed\xe8\xe5 \xee\xe1 \xee\xf8\xe8\xe1\xea\xe5, "
    "\xe2\xfb\xf5\xee\xe4\xed\xee\xe9 \xef\xe0\xf0\xe0\xec\xe5\xf2\xf0";
const char* const ParentIndexComment =
    "parentIndex - \xf3\xea\xe0\xe7\xe0\xf2\xe5\xeb\xfc \xed\xe0 \xed\xe0\xf7\xe0\xeb\xee "
    "\xed\xe5\xf2\xe5\xf0\xec\xe8\xed\xe0\xeb\xe0 \xe2\xee \xe2\xf5\xee\xe4\xed\xee\xe9 "
    "\xf1\xf2\xf0\xee\xea\xe5";
const char* const ParentNodeComment =
    "parentNode  - \xe8\xec\xff \xed\xe5\xf2\xe5\xf0\xec\xe8\xed\xe0\xeb\xe0";
const char* const PreStepComment =
    "\xcf\xf0\xe5\xe4\xe2\xe0\xf0\xe8\xf2\xe5\xeb\xfc\xed\xfb\xe5 \xe4\xe5\xe9\xf1\xf2\xe2\xe8\xff:";
const char* const PreStepEndComment =
    "\xca\xee\xed\xe5\xf6 \xef\xf0\xe5\xe4\xe2\xe0\xf0\xe8\xf2\xe5\xeb\xfc\xed\xfb\xf5 "
    "\xe4\xe5\xe9\xf1\xf2\xe2\xe8\xe9:";
const char* const ScannerComment =
    "\xce\xe1\xfa\xff\xe2\xeb\xe5\xed \xe2\xed\xe5\xf8\xf2\xe0\xf2\xed\xfb\xe9 \xf1\xea\xe0\xed\xe5\xf0:";
const char* const PostStepComment =
    "\xc7\xe0\xea\xeb\xfe\xf7\xe8\xf2\xe5\xeb\xfc\xed\xfb\xe5 \xe4\xe5\xe9\xf1\xf2\xe2\xe8\xff:";

class JavaWriter : public ParserWriter {
public:
  JavaWriter(CodeGen& gen, const GeneratorArgs& args) : ParserWriter(gen, args, CodeFamily::Java, 1000) {
    CommentSign = "//";
  }

  void Write() {
    const GrammarStore& st = Eng.store;
    G = GrammarName();
    Name = JavaIdentifier(GrammarIdentifier());
    Title = Cut(st.UserTitle);
    Scanner = Cut(st.UserScanner);
    ErrJob = Cut(st.UserErrorReaction);
    Throws = ErrJob.empty() || Has(st.UserErrorReaction, "$extern");
    Tree = IsTrue(Eng.run.BuildTree);
    Actions = IsTrue(Eng.run.BuildActions);
    NameMethods();

    WriteHeader();
    WriteClassHead();
    WriteEntry();
    if (Scanner.empty()) WriteScanner();
    Out.BlankLine();
    Out.Flush();
    int32_t count = WriteNonterminals();
    if (ErrJob.empty()) WriteException();
    else Out.Statement(0, "}");
    WriteCountLine(count);
  }

private:
  void NameMethods() {
    std::set<std::string> used;
    Methods.assign(size_t(Args.N) + 1, std::string());
    int32_t nonterminal = Eng.store.Grammar.First;
    for (int32_t guard = 0; nonterminal >= 1 && guard < Steps(NonterminalPool); ++guard) {
      int32_t n = Field(NonterminalPool, nonterminal, NtmNumber);
      std::string name =
          JavaIdentifier(Eng.codegen.IdentifierText(Field(NonterminalPool, nonterminal, NtmNameFirst),
                                                    Field(NonterminalPool, nonterminal, NtmNameLast)));
      // A name must fit on a line with its call; two names that spell one identifier stay
      // distinct.
      if (name.size() > MaxNameLength) name.resize(MaxNameLength);
      while (used.count(name)) name += "_";
      used.insert(name);
      if (n >= 1 && n <= Args.N) Methods[size_t(n)] = name;
      if (nonterminal == Eng.store.Grammar.Last) break;
      nonterminal = Field(NonterminalPool, nonterminal, NtmNext);
    }
  }

  std::string Method(int32_t number) const {
    return number >= 1 && size_t(number) < Methods.size() ? Methods[size_t(number)]
                                                          : "s_" + std::to_string(number);
  }

  std::string Throw(int number, const std::string& symbol, const std::string& set) const {
    return "throw new " + Name + "ParseException(" + std::to_string(number) + ", " + symbol + ", " + set +
           ");";
  }

  void WriteHeader() { HeaderComments("", G + "Parser.java"); }

  void WriteClassHead() {
    // A public class must be named as its file; a grammar name that is no identifier makes
    // a class of the package instead.
    std::string base = Cut(Eng.store.ResultBaseName);
    Out.Statement(0, std::string(base == Name ? "public " : "") + "class " + Name + "Parser");
    Out.Statement(0, "{");
    for (const char* line :
         {"protected String src;\t//\tsrc                   - source text",
          "protected int indSrc;\t//\tindSrc                - index",
          "protected int lenSrc;\t//\tlenSrc                - length",
          "protected int ll1;\t//\tll1 = src[indSrc - 1] - last scanned symbol",
          "protected int ll0;\t//\tll0 = src[indSrc - 2] - previous scanned symbol",
          "protected boolean bad;\t//\tbad                   - error flag",
          "protected int fin;\t//\tfin                   - end marker",
          "protected boolean lowCase;\t//\tlowCase               - flag scan conversion to lowercase"})
      Out.Statement(1, line);
    Out.Statement(1, "protected " + Name + "Acts " + Name + "Acts;");
    Out.Comment(
        "deepest nesting of the methods; past it the parser reports an error instead of running "
        "out of stack");
    Out.Statement(1, "protected static final int maxNestingDepth = " + std::to_string(MaxDepth) + ";");
    Out.Statement(
        1, "protected int nestingDepth;\t//\tnestingDepth          - nesting of the methods now running");
    Out.BlankLine();
    Out.Comment("additional declarations:");
    for (auto& line : Eng.store.UserDeclarations)
      if (!Blank(line)) Out.Statement(1, Cut(line));
    Out.BlankLine();
    Out.Comment("constructor:");
    Out.Statement(1, "public " + Name + "Parser()");
    Out.Statement(1, "{");
    Out.Statement(2, Name + "Acts = new " + Name + "Acts(this);");
    Out.Statement(2, "this.ll0 = 32;");
    Out.Statement(2, "this.ll1 = 32;");
    Out.Statement(1, "}");
    Out.BlankLine();
    if (Actions) {
      Out.BlankLine();
      Out.Statement(0, "/*");
      Out.Comment("actions in the course of analysis:");
      int32_t action = Eng.store.Actions.First;
      for (int32_t guard = 0; action >= 1 && guard < Steps(ActionPool); ++guard) {
        std::string text;
        for (auto& line : ActionLines(action)) text += line;
        Out.Statement(1, InsideBlockComment(text));
        Out.AppendRaw("\t\t// " + InsideBlockComment(NameOf(ActionPool, action)));
        if (action == Eng.store.Actions.Last) break;
        action = Field(ActionPool, action, ActNext);
      }
      Out.Statement(0, "*/");
    }
    Out.BlankLine();
    Out.BlankLine();
  }

  void WriteEntry() {
    const std::string& title = Eng.store.UserTitle;
    bool given = !Title.empty();
    auto lacks = [&](const char* word) { return !given || !Has(title, word); };
    if (!given) {
      Out.Statement(1, "public boolean parse(String sourceStr) throws " + Name + "ParseException");
    } else {
      Out.Comment("");
      Out.Comment("User declared title:");
      Out.Statement(0, Title + "throws " + Name + "ParseException");
      if (Has(title, "String src")) Out.Comment(SourceStrComment);
      if (Has(title, "String errorMsg")) Out.Comment(ErrorMsgComment);
    }
    Out.Statement(1, "{");
    if (Tree) {
      if (lacks("parentIndex")) Out.Statement(2, "int parentIndex;");
      if (lacks("parentNode")) Out.Statement(2, "String parentNode;");
      if (lacks("parentIndex")) Out.Comment(ParentIndexComment);
      if (lacks("parentNode")) Out.Comment(ParentNodeComment);
      if (lacks("parentIndex")) Out.Statement(2, "parentIndex = 1;");
      if (lacks("parentNode")) Out.Statement(2, "parentNode =\"\";");
    }
    Out.Statement(2, "ll0 = 0;");
    if (!given || Has(title, "char *sourceStr")) Out.Statement(2, "src = sourceStr;");
    else Out.Comment("\t\tsrc = sourceStr;");
    if (lacks("indSrc")) Out.Statement(2, "indSrc = 0;");
    if (!given) Out.Statement(2, "lenSrc = src.length();");
    else Out.Comment("\t\tlenSrc = src.length();");
    if (lacks("bad")) Out.Statement(2, "bad = false;");
    if (lacks("fin")) Out.Statement(2, "fin = -1;");
    if (lacks("lowCase")) Out.Statement(2, "lowCase = false;");
    Out.Statement(2, "nestingDepth = 0;");
    Out.Statement(2, "preparse();");
    bool any = false;
    for (auto& line : Eng.store.UserPreParse) {
      if (Blank(line)) continue;
      if (!any) Out.Comment(PreStepComment);
      any = true;
      Out.Statement(2, Cut(line));
    }
    if (any) Out.Comment(PreStepEndComment);
    if (Scanner.empty()) {
      Out.Statement(2, "next();");
    } else {
      Out.Comment(ScannerComment);
      Out.Statement(1, Scanner);
    }
    // The parse runs on a thread whose stack holds maxNestingDepth calls with room to spare:
    // the verdict does not hang on the stack of the caller's thread. Should the stack still
    // run out, the parse ends with the nesting error, not the error of the machine.
    std::string start = Quoted("<" + NameOf(NonterminalPool, Eng.store.Grammar.First) + ">");
    StatementLines({{2, "final Throwable[] failure = new Throwable[1];"},
                    {2, "Thread parser = new Thread(null, () ->"},
                    {2, "{"},
                    {3, "try"},
                    {3, "{"}});
    Out.Statement(4, Method(1) + "(" + (Tree ? "parentIndex, parentNode" : "") + ");");
    StatementLines({{3, "}"}, {3, "catch (StackOverflowError e)"}, {3, "{"}});
    Out.Statement(4,
                  Throws ? "failure[0] = new " + Name + "ParseException(3, " + start + ", \"\");" : ErrJob);
    StatementLines({{3, "}"},
                    {3, "catch (Throwable e)"},
                    {3, "{"},
                    {4, "failure[0] = e;"},
                    {3, "}"},
                    {2, "}, \"parse\", maxNestingDepth * 2048L + (8L << 20));"},
                    {2, "parser.start();"},
                    {2, "boolean interrupted = false;"},
                    {2, "while (parser.isAlive())"},
                    {2, "{"},
                    {3, "try"},
                    {3, "{"},
                    {4, "parser.join();"},
                    {3, "}"},
                    {3, "catch (InterruptedException e)"},
                    {3, "{"},
                    {4, "interrupted = true;"},
                    {3, "}"},
                    {2, "}"},
                    {2, "if (interrupted) Thread.currentThread().interrupt();"},
                    {2, "if (failure[0] instanceof RuntimeException) throw (RuntimeException) failure[0];"},
                    {2, "if (failure[0] instanceof Error) throw (Error) failure[0];"},
                    {2, "if (failure[0] != null) throw new RuntimeException(failure[0]);"}});
    // A parse that stops before the end of the text has not read the text.
    Out.Statement(2, "if (!bad && ll1 != fin)");
    Out.Statement(2, "{");
    Out.Statement(3, Throws ? Throw(1, start, "\"finish\"") : ErrJob);
    Out.Statement(2, "}");
    any = false;
    for (auto& line : Eng.store.UserPostParse) {
      if (Blank(line)) continue;
      if (!any) Out.Comment(PostStepComment);
      any = true;
      Out.Statement(2, Cut(line));
    }
    Out.Statement(2, "postparse();");
    Out.Statement(2, "return !bad;");
    Out.Statement(1, "}");
    Out.BlankLine();
    Out.Flush();
    Out.BlankLine();
    Out.Statement(1, "public void preparse()");
    Out.Statement(1, "{\t/* preparse - to do something */\t}");
    Out.BlankLine();
    Out.Statement(1, "public void postparse()");
    Out.Statement(1, "{\t/* postparse - to do something */\t}");
    Out.BlankLine();
  }

  void WriteScanner() {
    StatementLines({{1, "protected void next()"},
                    {1, "{\t// Read Next Symbol"},
                    {2, "ll0 = ll1;"},
                    {2, "indSrc++;"},
                    {2, "if (indSrc <= lenSrc)"},
                    {2, "{"},
                    {3, "ll1 = src.charAt(indSrc - 1);"},
                    {3, "if (lowCase)"},
                    {3, "{"},
                    {4, "if (ll1>=65 && ll1<=90 || ll1>=192 && ll1<=223) ll1 = ll1 + 32;"},
                    {3, "}"},
                    {2, "}"},
                    {2, "else ll1 = fin;"},
                    {1, "}"}});
  }

  void WriteException() {
    Out.BlankLine();
    Out.Flush();
    Out.Statement(1, "public class " + Name + "ParseException extends RuntimeException {");
    StatementLines({{2, "private static final long serialVersionUID = 1L;"},
                    {2, "protected String message = new String();"},
                    {2, "protected StringBuffer showError = new StringBuffer();"},
                    {2, "protected int lineNumber = 0;"},
                    {2, "protected int numErr = 0;"},
                    {2, "protected String gramSymb;"},
                    {2, "protected String expectedSet;"},
                    {2, "protected int sourceIndex = -1;"}});
    Out.BlankLine();
    Out.Statement(2, "public " + Name + "ParseException(int numErr, String gramSymb, String expectedSet)");
    StatementLines({{2, "{"},
                    {3, "int lineNum;"},
                    {3, "int leftContext;"},
                    {3, "int rightContext;"},
                    {3, "bad = true;"},
                    {3, "lineNum = 1;"},
                    {3, "leftContext = 0;"}});
    Out.Comment("\t\t\tthe error line runs to the next line feed or the end of the text; the error is");
    Out.Comment("\t\t\tat index indSrc - 1");
    StatementLines(
        {{3, "rightContext = lenSrc;"},
         {3, "loop:"},
         {3, "for (int i = 0; i < lenSrc; i++)"},
         {3, "{"},
         {4, "if (src.charAt(i) == '\\n')"},
         {4, "{"},
         {5, "if (indSrc - 1 > i)"},
         {5, "{"},
         {6, "lineNum = lineNum + 1;"},
         {6, "leftContext = i + 1;"},
         {5, "}"},
         {5, "else"},
         {5, "{"},
         {6, "rightContext = i;"},
         {6, "break loop;"},
         {5, "}"},
         {4, "}"},
         {3, "}"},
         {3, "if (rightContext > leftContext && src.charAt(rightContext - 1) == '\\r') rightContext--;"}});
    Out.Comment("\t\t\ta long line is shown around the error column");
    StatementLines(
        {{3, "if (indSrc - 1 - leftContext > 60) leftContext = indSrc - 1 - 40;"},
         {3, "if (rightContext - leftContext > 120) rightContext = leftContext + 120;"},
         {3, "String found = ll1 == fin ? \"end marker\" : String.valueOf((char) ll1);"},
         {3, "if (numErr == 1)"},
         {3, "{"},
         {4,
          "message = \"Line \"+lineNum+\" syntax error, found '\" + found + \"' when expecting \" + gramSymb "
          "+ \" with one of: \" + expectedSet;"},
         {3, "}"},
         {3, "else if(numErr == 2)"},
         {3, "{"},
         {4,
          "message = \"Line \"+lineNum+\" syntax error, found '\" + found + \"' when expecting "
          "'\"+expectedSet+\"'\";"},
         {3, "}"},
         {3, "else if(numErr == 3)"},
         {3, "{"},
         {4,
          "message = \"Line \"+lineNum+\" syntax error, found '\" + found + \"', the nesting is too deep\";"},
         {3, "}"},
         {3, "showError.append(src.substring(leftContext, rightContext));"},
         {3, "showError.append(\"\\n\");"}});
    Out.Comment("\t\t\ta tab stays a tab, so that the mark stands under the error");
    StatementLines({{3, "for (int i = leftContext; i < indSrc - 1 && i < lenSrc; i++)"},
                    {3, "{"},
                    {4, "showError.append(src.charAt(i) == '\\t' ? '\\t' : ' ');"},
                    {3, "}"},
                    {3, "showError.append('^');"},
                    {3, "this.numErr = numErr;"},
                    {3, "this.gramSymb = gramSymb;"},
                    {3, "this.lineNumber = lineNum;"},
                    {3, "this.expectedSet = expectedSet;"},
                    {3, "this.sourceIndex = indSrc;"},
                    {2, "}"}});
    const std::pair<const char*, const char*> getters[] = {
        {"public String getMessage()", "return message;"},
        {"public String getExpectedSet()", "return expectedSet;"},
        {"public String getGrammarSymbol()", "return gramSymb;"},
        {"public int getLineNumber()", "return lineNumber;"},
        {"public int getErrorNumber()", "return numErr;"},
        {"public int getSourceIndex()", "return sourceIndex;"},
        {"public String getShowErrorMessage()", "return showError.toString();"}};
    for (auto& [head, body] : getters) {
      Out.BlankLine();
      Out.Statement(2, head);
      Out.Statement(2, "{");
      Out.Statement(3, body);
      Out.Statement(2, "}");
    }
    Out.Statement(1, "}");
    Out.Statement(0, "}");
  }

  std::string ExpectedSetItems(const std::vector<CodeItem>& items) const override {
    return Items(items, true);
  }

  void BeginProcedure(const NonterminalPlan& nt) override {
    Out.BlankLine();
    Out.Flush();
    Out.Statement(0, "protected void " + Method(nt.Number) + "(" +
                         (Tree ? "int parentIndex, String parentNode" : "") + ")" +
                         (Throws ? " throws " + Name + "ParseException" : ""));
    Out.Statement(0, "{\t// Procedure <" + nt.Name + ">");
    if (Tree) {
      Out.Statement(1, "String thisNode;");
      Out.Statement(1, "int thisIndex;");
      // A loop makes a node of its own in every pass, under the caller's node.
      if (!Loops()) NewNode(nt);
    }
    Out.Statement(1, "if (++nestingDepth > maxNestingDepth)");
    Out.Statement(1, "{");
    Out.Statement(2, Throws ? Throw(3, Quoted("<" + nt.Name + ">"), "\"\"") : ErrJob);
    Out.Statement(1, "}");
    if (Loops()) {
      Out.Statement(1, "while (true) // the replacement of recursion with a cycle");
      Out.Statement(1, "{");
      if (Tree) NewNode(nt);
    }
    BranchWritten = false;
    LoopLeft = false;
  }

  void NewNode(const NonterminalPlan& nt) {
    Out.Statement(1, "thisIndex = indSrc;");
    Out.Statement(1, "thisNode = " + Quoted("<" + nt.Name + ">") + ";");
    Out.Statement(1, Name + "Acts.newNode(parentIndex, parentNode, thisIndex, thisNode);");
  }

  // Leaves the loop: the code after it can be reached.
  void LeaveLoop() {
    Out.Statement(2, "break;");
    LoopLeft = true;
  }

  void OpenBranch(const NonterminalPlan&, const AlternativePlan& alt, bool first) override {
    BranchWritten = true;
    if (!first) Out.Statement(1, "}");
    Out.Statement(1, (first ? "if (" : "else if (") + CLikeCondition(alt.Items) + ")");
    Out.CommentTail("\t\t\t\t// " + Items(alt.Items, false));
  }

  void RuleComment(const NonterminalPlan& nt, const AlternativePlan& alt) override {
    WriteRuleComment(1, "{", "\t// ", nt, alt);
  }

  void ActionElement(int32_t action) override {
    if (!Actions) return;
    auto lines = ActionLines(action);
    for (size_t i = 0; i < lines.size(); ++i) {
      Out.Flush();
      Out.Statement(2, lines[i]);
      if (i + 1 == lines.size()) Out.CommentTail("\t\t\t\t\t// Action `" + NameOf(ActionPool, action) + "`");
    }
  }

  void TerminalElement(int32_t terminal, int32_t code, bool first,
                       const std::vector<int32_t>& mergedFirst) override {
    SlashTerminalComment(terminal, mergedFirst);
    if (!first) {
      Out.Statement(2, "if(ll1 != " + std::to_string(code) + ")");
      Out.Statement(2, "{");
      Out.Statement(3, Throws ? Throw(2, "\" \"", CCharLiteral(code)) : ErrJob);
      Out.Statement(2, "}");
    }
    if (Tree) Out.Statement(2, Name + "Acts.newLeaf(thisIndex, thisNode, indSrc, ll1);");
    Out.Statement(2, Scanner.empty() ? std::string("next();") : Scanner);
  }

  // The loop's next pass does the tail call.
  void TailCall(const NonterminalPlan& nt, int32_t, bool checkProgress) override {
    if (!checkProgress) return;
    Out.Statement(2, "if (indSrc == passStart)");
    Out.CommentTail("\t// a pass that reads nothing would go round for ever");
    Out.Statement(2, "{");
    if (Throws) {
      Out.Statement(3, Throw(3, Quoted("<" + nt.Name + ">"), "\"\""));
    } else {
      Out.Statement(3, ErrJob);
      Out.Statement(3, "return;");
    }
    Out.Statement(2, "}");
  }

  void PassStart() override { Out.Statement(2, "int passStart = indSrc;"); }

  void CloseBranch(const NonterminalPlan&, const AlternativePlan& alt) override {
    if (Loops() && !EndsInTail(alt)) LeaveLoop();
  }

  void NonterminalElement(int32_t nonterminal, int32_t, bool last) override {
    Out.Statement(2, Method(Field(NonterminalPool, nonterminal, NtmNumber)) + "(" +
                         (Tree ? "thisIndex, thisNode" : "") + ");");
    Out.CommentTail("\t\t\t\t\t// call <" + NameOf(NonterminalPool, nonterminal) + ">");
    if (!last) Out.Statement(2, "if (bad) return;");
  }

  void ElseBranch(const NonterminalPlan& nt) override {
    // A nonterminal without alternatives has no "if" for an "else" to follow.
    if (BranchWritten) {
      Out.Statement(1, "}");
      Out.Statement(1, "else");
    }
    Out.Statement(1, "{");
    if (Throws) Out.Statement(2, Throw(1, Quoted("<" + nt.Name + ">"), Quoted(nt.ExpectedSet)));
    else Out.Statement(0, ErrJob);
    if (Loops() && !Throws) LeaveLoop();
    Out.Statement(1, "}");
  }

  void EndProcedure(const NonterminalPlan&) override {
    if (Loops()) {
      if (Tree) Out.Statement(1, Name + "Acts.completeNode(thisIndex, thisNode, indSrc);");
      Out.Statement(1, "}");
      // A loop that only its errors leave ends the method: nothing after it could be reached.
      if (LoopLeft) {
        if (Tree) Out.Statement(1, Name + "Acts.completeNode(thisIndex, thisNode, indSrc);");
        Out.Statement(1, "nestingDepth--;");
      }
    } else if (BranchWritten || !Throws) {
      // Without alternatives the method ends in its throw: nothing after it could be reached.
      if (Tree) Out.Statement(1, Name + "Acts.completeNode(thisIndex, thisNode, indSrc);");
      Out.Statement(1, "nestingDepth--;");
    }
    Out.Statement(0, "}");
  }

  std::string G, Name, Title, Scanner, ErrJob;
  bool Throws = true, Tree = false, Actions = false;
  std::vector<std::string> Methods;
  bool BranchWritten = false;
  bool LoopLeft = false;  // some branch of the loop leaves it
};

}  // namespace

void CodeGen::FileParserJava(const GeneratorArgs& args) {
  JavaWriter writer(*this, args);
  writer.Write();
}

}  // namespace mv
