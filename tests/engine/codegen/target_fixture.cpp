#include "engine/codegen/target_fixture.h"

#include "codegen/identifiers.h"

namespace mv::testing {

std::string QuietAction(int32_t language) {
  switch (language) {
    case Fortran90:
    case Fortran77: return "LL0 = LL0";
    case Pascal: return "LL0 := LL0";
    default: return "ll0 = ll0;";
  }
}

std::string TargetName(const ::testing::TestParamInfo<int32_t>& info) {
  switch (info.param) {
    case CppProcedural: return "Cpp";
    case CppClass: return "CppClass";
    case Fortran90: return "Fortran90";
    case Fortran77: return "Fortran77";
    case Java: return "Java";
    case Pascal: return "Pascal";
    default: return "Language" + std::to_string(info.param);
  }
}

std::vector<ParseResult> TargetFixture::Parse(int32_t language, const GrammarCase& c) {
  Start(language);
  Grammar(c.grammar);
  for (const char* name : {"begin", "end"}) Action(name, {QuietAction(language)});
  if (language == Fortran77) {
    eng->store.UserTitle = Padded(TargetHarness::F77Title, OptionTextLength);
    eng->store.UserDeclarations[0] = Padded(TargetHarness::F77Declaration, OptionTextLength);
    eng->store.UserErrorReaction = Padded(TargetHarness::F77Reaction, OptionTextLength);
  }
  Generate(language, c.actions);
  if (language == CppProcedural || language == CppClass) {
    if (!Compile(language)) return {};
    return Run(c.sentences);
  }
  TargetHarness harness{folder};
  if (!harness.Compile(language, Base(), Id(language))) return {};
  return harness.Run(c.sentences);
}

std::string TargetFixture::Id(int32_t language) const {
  std::string spelled = eng->codegen.IdentifierText(eng->store.GrammarName.First, eng->store.GrammarName.Last);
  switch (language) {
    case Fortran90: return FortranIdentifier(spelled);
    case Pascal: return PascalUnitName(Base());
    case Java: return JavaIdentifier(spelled);
    default: return spelled;
  }
}

bool TargetFixture::Skip(int32_t language) {
  if (language == CppProcedural || language == CppClass) return false;
  std::string missing = TargetHarness::MissingCompiler(language);
  if (missing.empty()) return false;
  std::cerr << "skipped: " << missing << "\n";
  return true;
}

}  // namespace mv::testing
