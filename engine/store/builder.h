#pragma once
// The builder: the state shared by the BKS entries and the entries themselves. Readers and the
// transformations call the entries in reading order; a name is spelled character by character
// and then said to be a rule head, a nonterminal, a terminal or an action.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/grammar_store.h"

namespace mv {

class RecordMemory;

// The name being spelled: its character chain and a text copy of at most 1,024 characters.
struct NameState {
  Chain Chars;
  std::string Text;
};

// Targets of the option and action text entries.
enum TextTarget : int32_t {
  TargetNone = 0,
  TargetTitle = 1,
  TargetExternal = 2,
  TargetScanner = 3,
  TargetErrorReaction = 4,
  TargetTemplateFirst = 5,
  TargetTemplateLast = 10,
  TargetDeclarations = 11,
  TargetPreParse = 12,
  TargetPostParse = 13,
  TargetActionText = 14,
};

// The class being built by the character-class entries.
struct CharacterClassState {
  std::array<bool, 256> Members{};
  bool Negated = false;
  Chain Name;
};

class Builder {
public:
  Builder(RecordMemory& mem, GrammarStore& store);

  // Builder state that refers to records; a run start clears it so that nothing points into
  // the previous run's record memory.
  void ClearRunState();
  // A name chain was given back: nothing of the builder may go on pointing into it.
  void ForgetName(int32_t first);

  // Names, rules, elements and action definitions.
  void BKSACT();
  void BKSNAI();
  void BKSSYM(int32_t code);
  void BKSNLI();
  void BKSGMN();
  void BKSNL();
  void BKSNTM();
  void BKSTRM();
  void BKSACR();
  void BKSNUL();
  void BKSEND();
  void BKSACL();
  void BKSACB();
  void BKSSTS(int32_t code);
  void BKSSTM();

  // Option texts.
  void SelectText(int32_t target);
  void OpenOptionLine(int32_t target);
  void BKSS(int32_t code);

  // Groups and repetitions (builder_groups.cpp).
  void BKSBRO();
  void BKSBRC();
  void BKSBRT();
  void BKSBCO();
  void BKSBCN();
  void BKSBC1();
  void BKSBCR();
  void BKSBCC();
  void BKSRPT();
  void BKSWBO();
  void BKSW3C();
  void BKSWBR();
  void BKSWBQ();
  void BKSNEX();

  // Character classes and ranges (builder_classes.cpp).
  void BKSTRB();
  void BKSTRE();
  void BKSBRS();
  void BKSNEG();
  void BKSTRL();
  void BKSTRF();
  void BKSPOS();
  void BKSWBC();
  // BKSTRM inside a negated class.
  void NegatedClassTerminal();
  // BKSSYM on a chain that names a symbol already.
  [[gnu::noinline]] void CopyTakenName();

  // The line array of targets 11..13, or null.
  std::vector<std::string>* LineArray(int32_t target);
  // The single text of targets 1..10, or null.
  std::string* SingleText(int32_t target);

  NameState CurrentName;
  int32_t LastCharacter = 0;
  Chain RuleHeadName;
  bool AlternativeJustOpened = false;
  Chain ActionText;  // the action text line being collected (ActionCharRecords)

  int32_t CurrentTarget = TargetNone;
  int32_t WritePosition = 1;
  std::array<int32_t, 3> LineCounter{};  // $declare, $pre-step, $post-step

  // Groups: top of the stack of GroupContextRecords and the two numberings.
  int32_t GroupStack = 0;
  int32_t OptionalGroupCounter = 0;
  int32_t GroupCounter = 0;

  // Character classes and ranges.
  CharacterClassState CharacterClass;
  int32_t RangeLowerBound = 0;

  // What each GroupContextRecord on the GroupStack was pushed for, top last; kept beside the
  // stack because the record's seven fields are all taken.
  enum class GroupKind : int32_t { Plain, Optional, Choice, Repetition, Parenthesised, Class };
  struct GroupFrame {
    int32_t Record = 0;
    GroupKind Kind = GroupKind::Plain;
    int32_t FirstRule = 0;  // the group's first alternative
  };
  std::vector<GroupFrame> GroupFrames;
  // Gives back every open group's record (builder_groups.cpp).
  void ClearGroupStack();

private:
  // Shared steps of the group and class entries (builder_groups.cpp).
  Chain NewNameChain(const std::vector<int32_t>& codes);
  Chain NewNameChain(std::string_view text);
  template <class Codes>
  Chain SpellNewChain(const Codes& codes);
  std::vector<int32_t> ChainCodes(const Chain& name) const;
  Chain NumberedName(char open, int32_t number, const char* suffix);
  void PushGroup(int32_t number, GroupKind kind);
  bool PopGroup();
  GroupFrame* TopFrame();
  void EnterGroup(const Chain& name);
  void AddEmptyAlternative(const Chain& name);
  void Place(const Chain& name);
  void SetCurrentChain(const Chain& name) { CurrentName.Chars = name; }
  // Character classes and ranges (builder_classes.cpp).
  int32_t ItemCode() const;
  void AppendToClassName(const std::string& text);
  void BuildMemberAlternatives(const std::array<bool, 256>& members);

  // What it uses of the engine, by the engine's own names.
  struct Parts {
    RecordMemory& mem;
    GrammarStore& store;
  } Eng;
};

}  // namespace mv
