#pragma once
// Analysis of the numbered grammar: nullable nonterminals, the symbol numbering, the relation
// matrices of the LL(1) analysis, select sets and the LL(1) test.
//
// The relations are held as bit matrices rather than the byte array of the original design;
// everything that leaves the engine (matrix texts, select sets, reports, generated code) is
// the same byte for byte. The byte array's capacity test and message are kept.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/bit_matrix.h"
#include "store/grammar_store.h"

namespace mv {

class Output;
class RecordMemory;

// Capacity of the relation space: 3*S*N + 2*N elements must fit.
inline constexpr int64_t RelationSpaceSize = 4194304;
// Code of the end marker in the select-set report's code table.
inline constexpr int32_t EndMarkerCode = 4096;

// One clash of a select set: the terminal index (T+1 = end marker) and the later alternative
// that claimed it too.
struct SelectCollision {
  int32_t Index = 0;
  int32_t Rule = 0;
  bool operator==(const SelectCollision&) const = default;
};

// The grammar's alternatives reduced to what the relation builders read: per alternative its
// owner's number and its symbols (nonterminal j as j, terminal t as N + t, anything the
// numbering does not know as -1), empty and action elements left out.
struct FlatGrammar {
  struct Alternative {
    int32_t Owner = 0;
    int32_t First = 0;  // index into Symbols
    int32_t End = 0;    // one past the last
  };
  int32_t N = 0;
  int32_t T = 0;
  std::vector<Alternative> Alternatives;
  std::vector<int32_t> Symbols;
  std::vector<uint8_t> Nullable;  // per element
};

// The nonterminals 1..N of a relation grouped into strongly connected components of its direct
// edges (row k set in column j: an edge from k to j), each component after every component
// that has an edge into it.
struct ComponentOrder {
  int32_t N = 0;
  std::vector<int32_t> Members;  // component c: Members[MemberStart[c] .. MemberStart[c+1])
  std::vector<int32_t> MemberStart;
  std::vector<int32_t> Sources;  // component c: Sources[SourceStart[c] .. SourceStart[c+1])
  std::vector<int32_t> SourceStart;
  int32_t Components() const { return MemberStart.empty() ? 0 : int32_t(MemberStart.size()) - 1; }
};

class Analysis {
public:
  // Which matrix a Get export asks for.
  enum class Matrix { EndOf, FolDirBy, BeginsWith, FollowedBy };

  Analysis(RecordMemory& mem, GrammarStore& store, Output& out);

  // State of a new run: no nullable list, no collisions, no matrices.
  void InitRun();

  // --- Nullable nonterminals and numbering.
  // The steps as the exports run them over the grammar: the nullable list, then N, T and
  // (with S := N + T) R, each stored in the store's counts and returned.
  Chain Nullable();
  int32_t NtmNumbering();
  int32_t TrmNumbering();
  int32_t RulesNumbering();
  void FindNullable(int32_t head, int32_t tail, int32_t& nullHead, int32_t& nullTail);
  // Numbers a chain 1, 2, ... along field 1 into field 7; returns the count.
  int32_t NumberNonterminals(int32_t pool, int32_t head, int32_t tail);
  int32_t NumberTerminals();
  int32_t NumberRules();
  // The next symbol's name for the grids' titles; the cursor is the symbol's number, 0 after
  // the last. The result is the name without trailing blanks.
  std::string GetNtmName(int32_t& cursor);
  std::string GetTrmName(int32_t& cursor);

  Chain NullableList;

  // --- Relation matrices.
  // Blank message when the layout fits, else the failure message.
  std::string InitMatrix();
  static std::string LayoutFailureMessage(int64_t total);
  bool LayoutFits() const { return Fits; }
  void IsEndOf();
  void IsFollowedDirectlyBy();
  void EndOf_FolDirBy_Prod();
  void BeginsWith();
  void IsFollowedBy();
  // Rows x columns of the matrix's text; 0 when there is nothing to show.
  int64_t MatrixTextSize(Matrix m) const;
  // The matrix as "*" and " " column by column; false (and nothing written) when the layout
  // failed or the buffer is smaller than the matrix.
  bool MatrixText(Matrix m, char* buffer, int64_t capacity) const;
  std::string MatrixText(Matrix m) const;

  // BEGINS-WITH (symbol i begins nonterminal j) and IS-FOLLOWED-BY (symbol i, S+1 the end
  // marker, follows nonterminal j) as IsFollowedBy leaves them.
  bool BeginsWithHolds(int32_t i, int32_t j) const;
  bool FollowedByHolds(int32_t i, int32_t j) const;
  int32_t SPlus1 = 0;

  // --- Select sets and the LL(1) test.
  // Fills owners[1..T+1] (resized to T+3, entries 0 and T+2 left 0) with the number of the
  // alternative of the nonterminal that selects each terminal index, 0 for none, records the
  // clashes in SelectCollisionList and sets flag to -1 when there is none, else 0.
  void SelectSetOfAlternative(int32_t nonterminal, std::vector<int32_t>& owners, int32_t& flag);
  std::vector<SelectCollision> SelectCollisions() const;
  Chain SelectCollisionList;                // pool 4: field 2 terminal index, field 3 alternative
  std::vector<SelectCollision> Collisions;  // the same clashes, read back from here
  // Writes the select-set report through the output line; returns the verdict (-1 LL(1)).
  int32_t CheckLL1();
  // The report into ResultBaseName + extension; the verdict is set even when the file cannot
  // be written (then false, with the output's last error set).
  bool FileSetOfSelect(const std::string& extension, int16_t& verdict);

  // The grammar as the relation builders read it.
  FlatGrammar Flatten() const;

private:
  enum class Holds { Nothing, EndOf, FolDirBy, BeginsWith, Product, FollowedBy };
  struct Region {
    BitMatrix M;
    Holds What = Holds::Nothing;
  };
  const Region* RegionOf(Matrix m, int32_t& rows) const;
  void MarkSelect(int32_t index, int32_t rule, std::vector<int32_t>& owners);
  void KeepCollisionRecords();

  // What it uses of the engine, by the engine's own names.
  struct Parts {
    RecordMemory& mem;
    GrammarStore& store;
    Output& out;
  } Eng;
  // Name cursors of GetNtmName and GetTrmName.
  int32_t NtmPosition = 0;
  int32_t TrmPosition = 0;
  // The layout of InitMatrix and the four regions of the relation space.
  bool Fits = false;
  Region Region1, Region2, Region3;
  std::vector<uint8_t> EndVector;
  // The components of IS-END-OF's direct edges while Region1 holds it. The product is then
  // built along them, and its components and right factor are kept with it, so that
  // IS-FOLLOWED-BY is built along them too: END-OF x (FOL-DIR-BY x BEGINS-WITH).
  ComponentOrder EndOfOrder;
  bool ProductAlongEndOf = false;
  ComponentOrder ProductOrder;
  BitMatrix ProductRight;
};

// The kernels over bit matrices, column j standing for nonterminal j.
ComponentOrder OrderComponents(const BitMatrix& m, int32_t n);
// m, holding the direct edges that g was ordered from, becomes their reflexive and transitive
// closure over the nonterminals; terminal rows are carried along.
void CloseAlong(const ComponentOrder& g, BitMatrix& m);
// c := A x b (b's columns 1..N), A the closure of the edges that g was ordered from.
void ProductAlong(const ComponentOrder& g, const BitMatrix& b, BitMatrix& c);
void TransitiveClosure(BitMatrix& m, int32_t n);
// Mode 1 or less: a is N x N; otherwise a is S x N and its terminal rows are copied too.
void MatrixProduct(const BitMatrix& a, const BitMatrix& b, BitMatrix& c, int32_t s, int32_t n, int32_t mode);
// IS-END-OF closed; order, when given, receives the components of its direct edges.
void BuildEndOf(const FlatGrammar& g, BitMatrix& m, ComponentOrder* order = nullptr);
void BuildFollowedDirectly(const FlatGrammar& g, BitMatrix& m);
void BuildBeginsWith(const FlatGrammar& g, BitMatrix& m);

}  // namespace mv
