#include "store/builder.h"

#include "store/record_memory.h"

namespace mv {

Builder::Builder(RecordMemory& mem, GrammarStore& store) : Eng{mem, store} {}

void Builder::ClearRunState() {
  // The name's records are gone with the run; its text is still what GetName gives.
  CurrentName.Chars = Chain{};
  RuleHeadName = Chain{};
  AlternativeJustOpened = false;
  ActionText = Chain{};
  LineCounter.fill(0);
  GroupStack = 0;
  GroupFrames.clear();
  CharacterClass.Name = Chain{};
}

void Builder::BKSACT() {
  Eng.store.ClearNameTables();
  LineCounter.fill(0);
  RuleHeadName = Chain{};
  // Groups left open by a reading that stopped early must not reach into this one.
  ClearGroupStack();
  OptionalGroupCounter = 0;
  GroupCounter = 0;
  CharacterClass.Negated = false;
  CharacterClass.Name = Chain{};
}

void Builder::BKSNAI() {
  // The text keeps its buffer: names are spelled one after another all through a reading.
  CurrentName.Chars = Chain{};
  CurrentName.Text.clear();
}

void Builder::ForgetName(int32_t first) {
  if (first < 1) return;
  if (CurrentName.Chars.First == first) CurrentName.Chars = Chain{};
  if (RuleHeadName.First == first) RuleHeadName = Chain{};
  if (CharacterClass.Name.First == first) CharacterClass.Name = Chain{};
  for (const GroupFrame& frame : GroupFrames)
    if (Eng.mem.IVLR(GroupContextPool, frame.Record, GrpHeadFirst) == first) {
      Eng.mem.VLW(GroupContextPool, frame.Record, GrpHeadFirst, 0);
      Eng.mem.VLW(GroupContextPool, frame.Record, GrpHeadLast, 0);
    }
}

// The rare turn of BKSSYM, kept out of its way.
void Builder::CopyTakenName() {
  GrammarStore& store = Eng.store;
  const Chain copy = store.CopyName(CurrentName.Chars.First, CurrentName.Chars.Last);
  if (store.Spelled.Of == CurrentName.Chars) store.Spelled.Of = copy;
  CurrentName.Chars = copy;
}

void Builder::BKSSYM(int32_t code) {
  GrammarStore& store = Eng.store;
  NameProbe& probe = store.Spelled;
  // A chain that names a symbol already is not extended in place: the longer name gets a
  // chain of its own.
  if (store.NameTaken(CurrentName.Chars.First)) [[unlikely]]
    CopyTakenName();
  const Chain before = CurrentName.Chars;
  const bool fresh = before.First < 1;
  const int32_t r = Eng.mem.AppendRecord(NameCharPool, CharNext, CurrentName.Chars.First,
                                         CurrentName.Chars.Last, CharCode, code);
  // The bucket sum and index key grow with the name.
  if (fresh) {
    if (store.NameTaken(r)) store.NameReleased(r);
    store.ResetProbe(probe);
  }
  if (fresh || probe.Of == before) GrammarStore::AddToProbe(probe, r, code);
  else probe.Of = Chain{};
  // Codes outside 0..255 belong to the chain only.
  if (code < 0 || code > 255) return;
  if (CurrentName.Text.size() < size_t(OptionTextLength)) CurrentName.Text.push_back(char(code));
  LastCharacter = code;
}

void Builder::BKSNLI() {
  AlternativeJustOpened = true;
  RuleHeadName = CurrentName.Chars;
  Eng.store.OpenRuleAlternative(RuleHeadName.First, RuleHeadName.Last);
}

void Builder::BKSGMN() {
  GrammarStore& store = Eng.store;
  if (!store.GrammarNameOpen) return;
  store.GrammarName = CurrentName.Chars;
  store.GrammarNameOpen = false;
}

void Builder::BKSNL() {
  if (!AlternativeJustOpened) Eng.store.OpenRuleAlternative(RuleHeadName.First, RuleHeadName.Last);
  AlternativeJustOpened = false;
}

void Builder::BKSNTM() { Eng.store.AddNonterminalElement(CurrentName.Chars.First, CurrentName.Chars.Last); }

void Builder::BKSTRM() {
  if (CharacterClass.Negated) {
    NegatedClassTerminal();
    return;
  }
  Eng.store.EnterNamedRecord(CurrentName.Chars.First, CurrentName.Chars.Last);
}

void Builder::BKSACR() { Eng.store.AddActionElement(CurrentName.Chars.First, CurrentName.Chars.Last); }

void Builder::BKSNUL() { Eng.store.AddEmptyElement(); }

void Builder::BKSEND() { Eng.store.CloseAlternative(); }

void Builder::BKSACL() {
  Eng.store.CurrentAction = Eng.store.FindOrAddAction(CurrentName.Chars.First, CurrentName.Chars.Last);
}

void Builder::BKSACB() {
  ActionText = Chain{};
  CurrentTarget = TargetActionText;
}

void Builder::BKSSTS(int32_t code) {
  RecordMemory& mem = Eng.mem;
  mem.AppendRecord(ActionCharPool, CharNext, ActionText.First, ActionText.Last, CharCode, code);
}

void Builder::BKSSTM() {
  RecordMemory& mem = Eng.mem;
  int32_t action = Eng.store.CurrentAction;
  // No action named since the run start: there is nothing to attach the line to.
  if (action < 1) return;
  int32_t first = mem.IVLR(ActionPool, action, ActFirstLine);
  int32_t last = mem.IVLR(ActionPool, action, ActLastLine);
  int32_t line = mem.AppendLinkedRecord(ActionLinePool, LineNext, LineBack, first, last);
  mem.VLW(ActionPool, action, ActFirstLine, first);
  mem.VLW(ActionPool, action, ActLastLine, last);
  mem.VLW(ActionLinePool, line, LineFirstChar, ActionText.First);
  mem.VLW(ActionLinePool, line, LineLastChar, ActionText.Last);
}

std::string* Builder::SingleText(int32_t target) {
  GrammarStore& s = Eng.store;
  switch (target) {
    case TargetTitle:
      return &s.UserTitle;
    case TargetExternal:
      return &s.UserExternal;
    case TargetScanner:
      return &s.UserScanner;
    case TargetErrorReaction:
      return &s.UserErrorReaction;
    default:
      if (target >= TargetTemplateFirst && target <= TargetTemplateLast)
        return &s.F77StackTemplates[size_t(target - TargetTemplateFirst)];
      return nullptr;
  }
}

std::vector<std::string>* Builder::LineArray(int32_t target) {
  GrammarStore& s = Eng.store;
  switch (target) {
    case TargetDeclarations:
      return &s.UserDeclarations;
    case TargetPreParse:
      return &s.UserPreParse;
    case TargetPostParse:
      return &s.UserPostParse;
    default:
      return nullptr;
  }
}

void Builder::SelectText(int32_t target) {
  std::string* text = SingleText(target);
  if (!text) return;
  text->assign(size_t(OptionTextLength), ' ');
  CurrentTarget = target;
  WritePosition = 1;
}

void Builder::OpenOptionLine(int32_t target) {
  std::vector<std::string>* lines = LineArray(target);
  if (!lines) return;
  int32_t& counter = LineCounter[size_t(target - TargetDeclarations)];
  // A text of more than OptionLines lines keeps every line.
  ++counter;
  if (size_t(counter) > lines->size()) lines->resize(size_t(counter));
  (*lines)[size_t(counter - 1)].assign(size_t(OptionTextLength), ' ');
  CurrentTarget = target;
  WritePosition = 1;
}

void Builder::BKSS(int32_t code) {
  std::string* text = nullptr;
  if (CurrentTarget == TargetActionText) {
    BKSSTS(code);
    return;
  }
  if (std::vector<std::string>* lines = LineArray(CurrentTarget)) {
    int32_t counter = LineCounter[size_t(CurrentTarget - TargetDeclarations)];
    if (counter >= 1 && size_t(counter) <= lines->size()) text = &(*lines)[size_t(counter - 1)];
  } else {
    text = SingleText(CurrentTarget);
  }
  // No text selected (or no line opened since BKSACT): the character is ignored.
  if (!text) return;
  // Characters past the text's length are dropped.
  if (WritePosition >= 1 && WritePosition <= OptionTextLength)
    (*text)[size_t(WritePosition - 1)] = char(code & 0xFF);
  if (WritePosition <= OptionTextLength) ++WritePosition;
}

}  // namespace mv
