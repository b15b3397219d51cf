// The text of the Fortran 90, Fortran 77, Java and Object Pascal parsers, line by line, for
// the shapes these targets promise.

#include "engine/codegen/codegen_fixture.h"

namespace mv::testing {
namespace {

using TextLines = std::vector<std::string>;

class TargetText : public CodegenFixture {};

// S with the alternatives D and minus D; D selects 0 and 1.
const char* WorkedShape = "S = <D> | '-' <D>\nD = '0' | '1'";

TEST_F(TargetText, Fortran90ProcedureOfTheWorkedShape) {
  Start(Fortran90);
  Grammar(WorkedShape);
  Generate(Fortran90);
  EXPECT_EQ(Block("S.f90", "Recursive Subroutine s_1", "End Subroutine s_1"),
            (TextLines{"Recursive Subroutine s_1",
                       "\tNestingDepth = NestingDepth + 1",
                       "\tIf (NestingDepth > MaxNestingDepth) Then",
                       "\t\tCall ErrH(3,'<S>','')",
                       "\t\tReturn",
                       "\tEnd If",
                       "\tSelect Case (LL1)",
                       "\tCase (48:49)\t\t\t\t\t\t\t! ('0':'1')",
                       "\t! <S>::=<D>",
                       "\t\tCall s_2\t\t\t\t\t\t! Call <D>",
                       "\tCase (45)\t\t\t\t\t\t\t! ('-')",
                       "\t! <S>::=\"-\"<D>",
                       "!  -",
                       "\t\tCall Next",
                       "\t\tCall s_2\t\t\t\t\t\t! Call <D>",
                       "\tCase Default",
                       "\t\tCall ErrH(1,'<S>','0-1 -')",
                       "\tEnd Select",
                       "\tNestingDepth = NestingDepth - 1",
                       "End Subroutine s_1"}));
  EXPECT_EQ(Block("S.f90", "Subroutine S(Src)", "Contains"),
            (TextLines{"Subroutine S(Src)", "Character *(*) Src", "!  Src - is the source string",
                       "Integer LL0, LL1",
                       "!  LL0 - ichar(c), where c is the actual symbol for user's Actions and it is preceding "
                       "symbol of parsing with LL(1) grammar",
                       "!  LL1 - ichar(c), where c is actual symbol for parsing with LL(1) grammar",
                       "Integer indSrc, LenSrc", "Logical Err", "Logical LowCase",
                       "!  deepest nesting of the procedures; past it the parser reports an error instead "
                       "of running out of stack",
                       "Integer, Parameter :: MaxNestingDepth = 10000", "Integer NestingDepth",
                       "LenSrc = Len(Src)", "indSrc = 0", "Err = .False.", "LowCase = .False.",
                       "NestingDepth = 0", "Call Next", "Call s_1", "If (.Not. Err .And. LL1 /= 4096) Then",
                       "\tCall ErrH(1,'<S>','finish')", "End If", "Contains"}));
  TextLines all = Lines(ReadFile("S.f90"));
  ASSERT_GE(all.size(), 2u);
  EXPECT_EQ(all.front(), "!  Subroutine S(Src)");
  EXPECT_EQ(all.back(), "End");
  EXPECT_EQ(ReadFile("S.log"), "     2 procedures have been generated.\n");
}

// A later terminal's test leaves the procedure; a tab and an apostrophe are spelled for
// Fortran, the apostrophe doubled in the literal and between double quotes in the comment.
TEST_F(TargetText, Fortran90TerminalTests) {
  Start(Fortran90);
  Grammar("S = 'a' #9 ''' | ''' 'a'");
  Generate(Fortran90);
  std::string text = ReadFile("S.f90");
  EXPECT_NE(text.find("\t\tIf(LL1/=9) Then\n\t\t\tCall ErrH(2,' ',char(9))\n\t\t\tReturn\n\t\tEnd If\n"),
            std::string::npos);
  EXPECT_NE(text.find("\t\tIf(LL1/=39) Then\n\t\t\tCall ErrH(2,' ','''')\n\t\t\tReturn\n\t\tEnd If\n"),
            std::string::npos);
  EXPECT_NE(text.find("\tCase (39)\t\t\t\t\t\t\t! (\"'\")\n"), std::string::npos);
  EXPECT_NE(text.find("\t\tCall ErrH(1,'<S>','a ''')\n"), std::string::npos);
}

// A statement longer than the line goes on after "&" at the end of the line, inside a literal
// with "&" at the start of the next.
TEST_F(TargetText, Fortran90ContinuationLines) {
  Start(Fortran90);
  std::string name(150, 'n');
  Grammar("S = <" + name + ">\n" + name + " = 'a'");
  Generate(Fortran90);
  for (auto& line : Lines(ReadFile("S.f90"))) EXPECT_LE(line.size(), 129u) << line;
  std::string text = ReadFile("S.f90");
  EXPECT_NE(text.find("&\n&"), std::string::npos);
}

TEST_F(TargetText, Fortran77BlocksAndClassTable) {
  Start(Fortran77);
  // The alternatives of B select the terminal numbers 2, 3, 4 and 7.
  Grammar("S = 'x' <B>\nB = 'a' <S> | 'b' | 'c' | 'd' | 'e' | 'f' 'g' | 'h'");
  Generate(Fortran77);
  std::string text = ReadFile("S.for");
  for (auto& line : Lines(text)) EXPECT_LE(line.size(), 72u) << line;
  // The statement that goes on in column 6 of the next line, joined again.
  std::string joined = text;
  for (size_t at = joined.find("\n     &"); at != std::string::npos; at = joined.find("\n     &", at))
    joined.erase(at, 7);
  // Codes below the lowest terminal, 97, are one run in the class table.
  EXPECT_NE(joined.find("      DATA TB_TRALI/97*11,2,3,4,5,6,7,8,9,11,11,11,11,11,11,11,11,11,11,11,11,11,11,11,1,11,"),
            std::string::npos)
      << text;
  EXPECT_NE(joined.find(",11,10/\n"), std::string::npos);
  // B's alternatives b, c, d, e and h share one branch.
  EXPECT_NE(text.find("90012 IF(TB_ENTRY.EQ.2)GOTO 90014\n"
                      "      IF(TB_ENTRY.GE.3.AND.TB_ENTRY.LE.6.OR.TB_ENTRY.EQ.9)GOTO 90015\n"
                      "      IF(TB_ENTRY.EQ.7)GOTO 90019\n"
                      "      GOTO 90003\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("!  CALL <B>\n      TB_CALL=2\n      TB_RETUR=2\n      GOTO 90001\n90022 CONTINUE\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("90002 TB_DEPTH=TB_DEPTH-1\n      TB_RETUR=IVLR(TB_NQURC,TB_RCTOP,TB_NFRET)\n"
                      "      CALL VLSPOP(TB_NQURC,TB_LNKRC,TB_RCTOP,TB_LOC)\n"
                      "      CALL VLON(TB_NQURC,TB_LOC)\n      GOTO( 90010,90022,90023),TB_RETUR\n"
                      "90010 IF(.NOT.ERR.AND.TB_ENTRY.NE.10)CALL ERRH(ERR)\n      RETURN\n      END\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("      LL1=-1\n90004 CALL NEXT(Src,LL0,LL1)\n"), std::string::npos);
  EXPECT_NE(text.find("\tIf (LL1 < 0) ind = 0\n"), std::string::npos);
  EXPECT_EQ(text.find('$'), std::string::npos);
  EXPECT_EQ(ReadFile("S.log"), "     2  simulations of recursive procedures have been generated.\n");
}

// The return-stack templates set through the builder stand in place of the defaults, each "$"
// spelled as the generated prefix; a declaration of 66 characters fills its line to column 72.
TEST_F(TargetText, Fortran77StackTemplatesAndFullLines) {
  Start(Fortran77);
  Grammar("S = 'x' <B>\nB = 'a'");
  const char* templates[6] = {"$LOC=NEWREC($NQURC)", "CALL PUT($NQURC,$LOC,$NFRET,$RETUR)",
                              "CALL PUSH($RCTOP,$LOC)", "$RETUR=GET($RCTOP)", "CALL POP($RCTOP,$LOC)",
                              "CALL FREE($LOC)"};
  for (int i = 0; i < 6; ++i) {
    b().SelectText(5 + i);
    for (char c : std::string(templates[i])) b().BKSS(c);
  }
  const std::string declaration = "INTEGER V" + std::string(57, 'X');
  eng->store.UserDeclarations[0] = Padded(declaration, OptionTextLength);
  Generate(Fortran77);
  std::string text = ReadFile("S.for");
  for (const std::string& part :
       {std::string("90001 TB_DEPTH=TB_DEPTH+1\n      IF(TB_DEPTH.GT.TB_MAXD)GOTO 90003\n"
                    "      TB_LOC=NEWREC(TB_NQURC)\n      CALL PUT(TB_NQURC,TB_LOC,TB_NFRET,TB_RETUR)\n"
                    "      CALL PUSH(TB_RCTOP,TB_LOC)\n90008 GOTO("),
        std::string("90002 TB_DEPTH=TB_DEPTH-1\n      TB_RETUR=GET(TB_RCTOP)\n      CALL POP(TB_RCTOP,TB_LOC)\n"
                    "      CALL FREE(TB_LOC)\n      GOTO("),
        "\n      " + declaration + "\n      DATA TB_NQURC"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  EXPECT_EQ(text.find("VLSPSH"), std::string::npos);
  // Long statements go on to column 72 before they continue.
  size_t longest = 0;
  for (auto& line : Lines(text))
    if (line.rfind("!", 0) != 0) longest = std::max(longest, line.size());
  EXPECT_EQ(longest, 72u);
}

// A list's tail call jumps back to its block without a push; an item's call pushes.
TEST_F(TargetText, Fortran77TailCallJumpsBack) {
  Start(Fortran77);
  Grammar("S = 'x' <L>\nL = ',' <I> <L> | ~\nI = 'x'");
  Generate(Fortran77);
  std::string text = ReadFile("S.for");
  EXPECT_NE(text.find("90015 CONTINUE\n!  ,\n      CALL NEXT(Src,LL0,LL1)\n      TB_ENTRY=TB_TRALI(LL1)\n"
                      "!  CALL <I>\n      TB_CALL=3\n      TB_RETUR=3\n      GOTO 90001\n"
                      "90020 IF(ERR)GOTO 90002\n!  CALL <L> AGAIN\n      GOTO 90012\n90016 CONTINUE\n"),
            std::string::npos)
      << text;
  // S's call of L is the only one.
  EXPECT_EQ(text.find("TB_CALL=2"), text.rfind("TB_CALL=2"));
}


// alternate returns.
TEST_F(TargetText, Fortran77TitleReturns) {
  struct Case {
    std::string title, tail;
  } cases[] = {
      {"program parse", "90010 IF(.NOT.ERR.AND.TB_ENTRY.NE.2)CALL ERRH(ERR)\n      CONTINUE\n      END\n"},
      {"SUBROUTINE PARSE(SRC,*,*,*)",
       "      RETURN\n90006 RETURN 1\n90007 RETURN 2\n      END\n"},
  };
  for (auto& c : cases) {
    Start(Fortran77);
    Grammar("S = 'a'");
    eng->store.UserTitle = Padded(c.title, OptionTextLength);
    Generate(Fortran77);
    EXPECT_NE(ReadFile("S.for").find(c.tail), std::string::npos) << c.title;
  }
}

// Labels hold five digits: a grammar that needs more is reported in the log, not written with
// blank labels.
TEST_F(TargetText, Fortran77LabelsPast99999AreReported) {
  Start(Fortran77);
  std::string alternative;
  for (int i = 0; i < 10000; ++i) alternative += " <A>";
  Grammar("S =" + alternative + "\nA = 'a'");
  Generate(Fortran77);
  EXPECT_EQ(ReadFile("S.log"),
            "The Fortran 77 parser needs statement labels up to 100014, past 99999: it was not written.\n");
  EXPECT_EQ(ReadFile("S.for").find("\n      SUBROUTINE S(Src)"), std::string::npos);
}

// Ten alternatives of one terminal each merge into one branch: one range test, the ten
// characters in the comment, no test of the first terminal.
TEST_F(TargetText, JavaMergedDigitsAndTheEndMarker) {
  Start(Java);
  Grammar("S = <Digit> <R>\nR = ';' | ~\nDigit = '0' | '1' | '2' | '3' | '4' | '5' | '6' | '7' | '8' | '9'");
  Generate(Java);
  EXPECT_EQ(Block("SParser.java", "protected void Digit() throws SParseException", "}"),
            (TextLines{"protected void Digit() throws SParseException",
                       "{\t// Procedure <Digit>",
                       "\tif (++nestingDepth > maxNestingDepth)",
                       "\t{",
                       "\t\tthrow new SParseException(3, \"<Digit>\", \"\");",
                       "\t}",
                       "\tif (ll1>=48 && ll1<=57)\t\t\t\t// '0' '1' '2' '3' '4' '5' '6' '7' '8' '9'",
                       "\t{\t// <Digit>::=0",
                       "//  0|1|2|3|4|5|6|7|8|9",
                       "\t\tnext();",
                       "\t}",
                       "\telse",
                       "\t{",
                       "\t\tthrow new SParseException(1, \"<Digit>\", \"'0' '1' '2' '3' '4' '5' '6' '7' '8' '9'\");",
                       "\t}",
                       "\tnestingDepth--;",
                       "}"}));
  std::string text = ReadFile("SParser.java");
  EXPECT_NE(text.find("\telse if (ll1==fin)\t\t\t\t// finish\n"), std::string::npos);
  EXPECT_NE(text.find("\t\tthrow new SParseException(1, \"<R>\", \"';' finish\");\n"), std::string::npos);
  EXPECT_NE(text.find("public class SParser\n{\n"), std::string::npos);
  // The parse runs on a thread of its own stack.
  EXPECT_NE(text.find("\t\tnestingDepth = 0;\n\t\tpreparse();\n\t\tnext();\n"
                      "\t\tfinal Throwable[] failure = new Throwable[1];\n"
                      "\t\tThread parser = new Thread(null, () ->\n\t\t{\n\t\t\ttry\n\t\t\t{\n\t\t\t\tS();\n"),
            std::string::npos);
  EXPECT_NE(text.find("\t\t}, \"parse\", maxNestingDepth * 2048L + (8L << 20));\n\t\tparser.start();\n"),
            std::string::npos);
  EXPECT_EQ(ReadFile("S.log"), "   3 recursive procedures have been generated.\n");
}

// The apostrophe's item stands between double quotes, escaped in the expected-set string; the
// error function of another target is not written.
TEST_F(TargetText, JavaApostropheItemAndNoForeignErrorFunction) {
  Start(Java);
  Grammar("S = ''' | 'a' 'b'");
  Generate(Java);
  std::string text = ReadFile("SParser.java");
  EXPECT_NE(text.find("\t\tthrow new SParseException(1, \"<S>\", \"\\\"'\\\" 'a'\");\n"), std::string::npos);
  EXPECT_NE(text.find("\t\tif(ll1 != 98)\n\t\t{\n\t\t\tthrow new SParseException(2, \" \", \"b\");\n\t\t}\n"),
            std::string::npos);
  EXPECT_EQ(text.find("bool SErrh("), std::string::npos);
  EXPECT_EQ(text.find("Errh"), std::string::npos);
}

// Labels fold into runs, the comment shows them with "..", the expected set with "-".
TEST_F(TargetText, PascalProcedure) {
  Start(Pascal);
  Grammar("S = <X> 'z'\nX = 'a' 'q' | 'b' 'q' | 'c' 'q' | 'e' 'q' | ~");
  Generate(Pascal);
  EXPECT_EQ(Block("S.pas", "procedure TS.s_2;", "\tend;"),
            (TextLines{"procedure TS.s_2;",
                       "\tbegin",
                       "\t\tnestingDepth := nestingDepth + 1;",
                       "\t\tif nestingDepth > maxNestingDepth then",
                       "\t\t\tbegin",
                       "\t\t\t\tErrH(err,3,'<X>','');",
                       "\t\t\t\texit;",
                       "\t\t\tend;",
                       "\t\tcase LL1 of",
                       "\t\t\t97..99,101:\t\t\t\t\t\t\t\t// a..c e",
                       "\t\t\t\tbegin",
                       "\t\t\t\t// <X>::=aq",
                       "// a|b|c|e",
                       "\t\t\t\t\tnext;",
                       "// q",
                       "\t\t\t\t\tif LL1 <> 113 then begin ErrH(err,2,' ','q'); exit; end;",
                       "\t\t\t\t\tnext;",
                       "\t\t\t\tend;",
                       "\t\t\t122:\t\t\t\t\t\t\t\t// z",
                       "\t\t\t\tbegin",
                       "\t\t\t\t// <X>::=",
                       "\t\t\t\tend;",
                       "\t\t\telse ErrH(err,1,'<X>','a- c e z')",
                       "\t\tend;",
                       "\t\tnestingDepth := nestingDepth - 1;",
                       "\tend;"}));
  std::string text = ReadFile("S.pas");
  // The unit is named as its file, so that the compiler finds it.
  EXPECT_NE(text.find("\nunit S;\n \ninterface\n \nuses SysUtils;\n"), std::string::npos);
  EXPECT_NE(text.find("\t\tprocedure next;\n\t\tprocedure ErrH(var err: boolean; ErrNum: integer; gramSymb: string; "
                      "expectedSet: string);\n\t\tprocedure s_1;\n\t\tprocedure s_2;\n\tpublic\n"
                      "\t\tprocedure S(src: string);\n"),
            std::string::npos);
  EXPECT_EQ(Lines(text).back(), "end.");
  EXPECT_EQ(ReadFile("S.log"), "     2 procedures have been generated.\n");
}

// A user's scanner and error reaction stand in place of the calls and declare no method.
TEST_F(TargetText, PascalUserScannerAndErrorReaction) {
  Start(Pascal);
  Grammar("S = 'a' 'b'");
  eng->store.UserScanner = Padded("GetNext;", OptionTextLength);
  eng->store.UserErrorReaction = Padded("Failed", OptionTextLength);
  Generate(Pascal);
  std::string text = ReadFile("S.pas");
  EXPECT_EQ(text.find("procedure GetNext"), std::string::npos);
  EXPECT_EQ(text.find("procedure Failed"), std::string::npos);
  EXPECT_EQ(text.find("procedure ErrH"), std::string::npos);
  EXPECT_NE(text.find("\t\t\t\t\tif LL1 <> 98 then begin Failed; exit; end;\n\t\t\t\t\tGetNext;\n"), std::string::npos);
}

}  // namespace
}  // namespace mv::testing

namespace mv::testing {
namespace {

class TargetOptions : public CodegenFixture {};

// A title replaces the head and the source's declaration and length; a user scanner and error
// reaction stand in place of the calls, with no routine of their own.
TEST_F(TargetOptions, Fortran90UserTexts) {
  Start(Fortran90);
  Grammar("S = 'a' 'b'");
  eng->store.UserTitle = Padded("Subroutine Parse(Src)", OptionTextLength);
  eng->store.UserScanner = Padded("Call MyNext", OptionTextLength);
  eng->store.UserErrorReaction = Padded("Call MyError", OptionTextLength);
  Generate(Fortran90);
  std::string text = ReadFile("S.f90");
  TextLines lines = Lines(text);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "!  Subroutine Parse(Src)");
  EXPECT_NE(text.find("\nSubroutine Parse(Src)\nInteger LL0, LL1\n"), std::string::npos);
  EXPECT_EQ(text.find("Character *(*) Src"), std::string::npos);
  EXPECT_EQ(text.find("LenSrc = Len(Src)"), std::string::npos);
  EXPECT_EQ(text.find("Subroutine Next"), std::string::npos);
  EXPECT_EQ(text.find("Subroutine ErrH"), std::string::npos);
  EXPECT_NE(text.find("\nNestingDepth = 0\nCall MyNext\nCall s_1\n"), std::string::npos);
  EXPECT_NE(text.find("\t\tIf(LL1/=98) Then\n\t\t\tCall MyError\n\t\t\tReturn\n\t\tEnd If\n\t\tCall MyNext\n"),
            std::string::npos);
  EXPECT_NE(text.find("\tCase Default\n\t\tCall MyError\n"), std::string::npos);
}

// A title that names the source: the statements that set it up become comments; a user scanner
// replaces next(); an error reaction leaves out the exception class but closes the class.
TEST_F(TargetOptions, JavaUserTexts) {
  Start(Java);
  Grammar("S = 'a' 'b'");
  eng->store.UserTitle = Padded("\tpublic boolean parse(String src)", OptionTextLength);
  eng->store.UserScanner = Padded("step();", OptionTextLength);
  eng->store.UserErrorReaction = Padded("failed();", OptionTextLength);
  Generate(Java);
  std::string text = ReadFile("SParser.java");
  EXPECT_NE(text.find("// User declared title:\n\tpublic boolean parse(String src)throws SParseException\n"
                      "// sourceStr - \xe8\xf1\xf5\xee\xe4\xed\xfb\xe9"),
            std::string::npos);
  EXPECT_NE(text.find("// \t\tsrc = sourceStr;\n"), std::string::npos);
  EXPECT_NE(text.find("// \t\tlenSrc = src.length();\n"), std::string::npos);
  EXPECT_EQ(text.find("protected void next()"), std::string::npos);
  EXPECT_EQ(text.find("ParseException extends"), std::string::npos);
  EXPECT_NE(text.find("\t\tif(ll1 != 98)\n\t\t{\n\t\t\tfailed();\n\t\t}\n\t\tstep();\n"), std::string::npos);
  EXPECT_NE(text.find("protected void S()\n"), std::string::npos);
  EXPECT_EQ(Lines(text).back(), "}");
}

TEST_F(TargetOptions, PascalTitle) {
  Start(Pascal);
  Grammar("S = 'a'");
  eng->store.UserTitle = Padded("Run(text: string);", OptionTextLength);
  Generate(Pascal);
  std::string text = ReadFile("S.pas");
  EXPECT_EQ(Lines(text).front(), "// Run(text: string);");
  EXPECT_NE(text.find("\tpublic\n\t\tprocedure Run(text: string);\n\tend;\n"), std::string::npos);
  EXPECT_NE(text.find("procedure TS.Run(text: string);\n\tbegin\n\t\terr := false;\n"), std::string::npos);
  EXPECT_EQ(text.find("src: string;"), std::string::npos);
}

}  // namespace
}  // namespace mv::testing
