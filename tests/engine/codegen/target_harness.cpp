#include "engine/codegen/target_harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace mv::testing {

namespace {

bool OnPath(const std::string& program) {
  return std::system(("command -v " + program + " > /dev/null 2>&1").c_str()) == 0;
}

// The record store that the Fortran 77 parser keeps its return stack in: pool 2 of
// two-field records, field 1 the link and field 2 the return point.
const char* F77Store = R"(integer function ivloff(nq)
  integer nq, fld(2,1000000), nfree, freel(1000000), nused
  common /tbxrs/ fld, freel, nfree, nused
  if (nfree > 0) then
    ivloff = freel(nfree)
    nfree = nfree - 1
  else
    nused = nused + 1
    ivloff = nused
  end if
end function
subroutine vlw(nq, loc, nf, val)
  integer nq, loc, nf, val, fld(2,1000000), nfree, freel(1000000), nused
  common /tbxrs/ fld, freel, nfree, nused
  fld(nf, loc) = val
end subroutine
subroutine vlspsh(nq, lnk, top, loc)
  integer nq, lnk, top, loc, fld(2,1000000), nfree, freel(1000000), nused
  common /tbxrs/ fld, freel, nfree, nused
  fld(lnk, loc) = top
  top = loc
end subroutine
integer function ivlr(nq, rec, nf)
  integer nq, rec, nf, fld(2,1000000), nfree, freel(1000000), nused
  common /tbxrs/ fld, freel, nfree, nused
  ivlr = fld(nf, rec)
end function
subroutine vlspop(nq, lnk, top, loc)
  integer nq, lnk, top, loc, fld(2,1000000), nfree, freel(1000000), nused
  common /tbxrs/ fld, freel, nfree, nused
  loc = top
  top = fld(lnk, loc)
end subroutine
subroutine vlon(nq, loc)
  integer nq, loc, fld(2,1000000), nfree, freel(1000000), nused
  common /tbxrs/ fld, freel, nfree, nused
  nfree = nfree + 1
  freel(nfree) = loc
end subroutine
subroutine rsreset()
  integer fld(2,1000000), nfree, freel(1000000), nused
  common /tbxrs/ fld, freel, nfree, nused
  nfree = 0
  nused = 0
end subroutine
)";

// Sentences come from a file, separated by a zero byte; every result ends with "@@END".
std::string FortranMain(const std::string& call, bool alternateReturn) {
  std::string text =
      "program harness\n"
      "  implicit none\n"
      "  character(len=:), allocatable :: all\n"
      "  integer :: n, start, i, u\n"
      "  open(newunit=u, file='sentences.bin', access='stream', form='unformatted', status='old')\n"
      "  inquire(unit=u, size=n)\n"
      "  allocate(character(len=n) :: all)\n"
      "  if (n > 0) read(u) all\n"
      "  close(u)\n"
      "  start = 1\n"
      "  do i = 1, n\n"
      "    if (all(i:i) /= char(0)) cycle\n";
  if (alternateReturn)
    text += "    call rsreset()\n"
            "    call " + call + "(all(start:i-1), *100)\n"
            "    write(*,'(A)') '@@OK'\n"
            "    goto 200\n"
            "100 write(*,'(A)') '@@ERR'\n"
            "200 write(*,'(A)') '@@END'\n";
  else
    text += "    call " + call + "(all(start:i-1))\n"
            "    write(*,'(A)') '@@DONE'\n"
            "    write(*,'(A)') '@@END'\n";
  text += "    flush(6)\n"
          "    start = i + 1\n"
          "  end do\n"
          "end program\n";
  return text;
}


// The actions object of a Java parser, with the tree hooks that trace their calls.
std::string JavaActs(const std::string& id) {
  return "public class " + id + "Acts\n{\n  public " + id + "Acts(" + id + "Parser parser) {}\n"
         "  public void newNode(int parentIndex, String parentNode, int thisIndex, String thisNode)\n"
         "  { System.out.println(\"N \" + parentIndex + \" \" + parentNode + \" \" + thisIndex + \" \" + thisNode); }\n"
         "  public void newLeaf(int thisIndex, String thisNode, int indSrc, int ll1)\n"
         "  { System.out.println(\"L \" + thisIndex + \" \" + thisNode + \" \" + indSrc + \" \" + ll1); }\n"
         "  public void completeNode(int thisIndex, String thisNode, int indSrc)\n"
         "  { System.out.println(\"C \" + thisIndex + \" \" + thisNode + \" \" + indSrc); }\n"
         "}\n";
}

}  // namespace

std::string TargetHarness::MissingCompiler(int32_t language) {
  switch (language) {
    case 3:
    case 4: return OnPath("gfortran") ? "" : "gfortran is not installed";
    case 5: return OnPath("javac") && OnPath("java") ? "" : "javac or java is not installed";
    case 7: return OnPath("fpc") ? "" : "fpc is not installed";
    case 8:
    case 9: return OnPath("g++") ? "" : "g++ is not installed";
    default: return "no compiler for this language";
  }
}

std::string TargetHarness::ReadFile(const std::string& name) const {
  std::ifstream in(folder / name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TargetHarness::Compile(int32_t language, const std::string& base, const std::string& id) {
  Language = language;
  auto write = [&](const std::string& name, const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
  };
  std::string build;
  switch (language) {
    case 3:
      write("harness.f90", FortranMain(id, false));
      build = "gfortran -O1 -o parser '" + base + ".f90' harness.f90";
      Command = "./parser";
      break;
    case 4:
      write("harness.f90", std::string(F77Store) + FortranMain("PARSE", true));
      build = "gfortran -O1 -o parser '" + base + ".for' harness.f90";
      Command = "./parser";
      break;
    case 5:
      write(id + "Acts.java", JavaActs(id));
      write("Main.java",
            "import java.io.*;\nimport java.nio.file.*;\n"
            "public class Main\n{\n"
            "  public static void main(String[] args) throws Exception\n  {\n"
            "    String all = new String(Files.readAllBytes(Paths.get(\"sentences.bin\")), \"ISO-8859-1\");\n"
            "    PrintStream out = new PrintStream(new FileOutputStream(FileDescriptor.out), true, \"ISO-8859-1\");\n"
            "    int start = 0;\n"
            "    for (int i = 0; i < all.length(); i++)\n    {\n"
            "      if (all.charAt(i) != 0) continue;\n"
            "      String s = all.substring(start, i);\n"
            "      start = i + 1;\n"
            "      try\n      {\n"
            "        " + id + "Parser parser = new " + id + "Parser();\n"
            "        out.println(parser.parse(s) ? \"@@OK\" : \"@@ERR\");\n"
            "      }\n"
            "      catch (" + id + "Parser." + id + "ParseException e)\n      {\n"
            "        out.println(\"@@ERR \" + e.getMessage() + \"\\n\" + e.getShowErrorMessage());\n"
            "      }\n"
            "      out.println(\"@@END\");\n"
            "    }\n  }\n}\n");
      build = "javac -encoding ISO-8859-1 -nowarn -d classes '" + base + "Parser.java' " + id +
              "Acts.java Main.java";
      // A small stack for the caller: the parse must not depend on it.
      Command = "java -Xss256k -cp classes Main";
      break;
    case 7: {
      // The unit stands in the file of its own name, where the compiler looks for it.
      const std::string& unit = id;
      write("harness.pas",
            "program harness;\n{$mode delphi}\nuses SysUtils, Classes, " + unit + ";\n"
            "var f: TFileStream; all, s: AnsiString; i, start: integer; p: T" + id + ";\n"
            "begin\n"
            "  f := TFileStream.Create('sentences.bin', fmOpenRead);\n"
            "  SetLength(all, f.Size);\n"
            "  if f.Size > 0 then f.ReadBuffer(all[1], f.Size);\n"
            "  f.Free;\n"
            "  start := 1;\n"
            "  for i := 1 to Length(all) do\n"
            "    if all[i] = #0 then\n    begin\n"
            "      s := Copy(all, start, i - start);\n"
            "      start := i + 1;\n"
            "      p := T" + id + ".Create;\n"
            "      p." + id + "(s);\n"
            "      p.Free;\n"
            "      writeln('@@DONE');\n"
            "      writeln('@@END');\n"
            "      Flush(Output);\n"
            "    end;\n"
            "end.\n");
      build = "fpc -B -Mdelphi -O1 -oparser harness.pas";
      Command = "./parser";
      break;
    }
    default:
      ADD_FAILURE() << "no harness for language " << language;
      return false;
  }
  return Build(build);
}

bool TargetHarness::Build(const std::string& build) {
  std::filesystem::create_directories(folder / "classes");
  std::string cmd = "cd '" + folder.string() + "' && " + build + " > compile.log 2>&1";
  int rc = std::system(cmd.c_str());
  CompileLog = ReadFile("compile.log");
  EXPECT_EQ(rc, 0) << CompileLog;
  return rc == 0;
}

bool TargetHarness::CompileAlone(int32_t language, const std::string& file, const std::string& id,
                                 const std::vector<std::string>& emptyFiles) {
  for (auto& name : emptyFiles) std::ofstream(folder / name, std::ios::binary) << "\n";
  switch (language) {
    case 3:
    case 4: return Build("gfortran -c -o parser.o '" + file + "'");
    case 5:
      std::ofstream(folder / (id + "Acts.java"), std::ios::binary) << JavaActs(id);
      return Build("javac -encoding ISO-8859-1 -nowarn -d classes '" + file + "' " + id + "Acts.java");
    case 7: return Build("fpc -B -Mdelphi '" + file + "'");
    case 8:
    case 9: return Build("g++ -std=c++17 -c -o parser.o '" + file + "'");
    default:
      ADD_FAILURE() << "no compiler for language " << language;
      return false;
  }
}

std::vector<ParseResult> TargetHarness::Run(const std::vector<std::string>& sentences) {
  {
    std::ofstream in(folder / "sentences.bin", std::ios::binary);
    for (auto& s : sentences) in << s << '\0';
  }
  // A parser that goes round for ever fails the test instead of holding it.
  std::string cmd = "cd '" + folder.string() + "' && (timeout 300 " + Command + ") > run.out 2>&1";
  int rc = std::system(cmd.c_str());
  EXPECT_EQ(rc, 0) << ReadFile("run.out").substr(0, 2000);
  return SplitResults(ReadFile("run.out"));
}

}  // namespace mv::testing
