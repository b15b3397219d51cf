/* Public interface of the engine library libMorvantelisk.
 *
 * Conventions: integers are passed by reference (int32_t*), logicals as int16_t* (-1 true,
 * 0 false); a text argument is a pointer followed by its length by value, with no terminating
 * zero; a text result is written into a caller-supplied buffer (pointer and length), cut to its
 * length and padded with blanks, and the buffer's address is returned. Nothing else is
 * returned; no export throws. */
#ifndef MORVANTELISK_H
#define MORVANTELISK_H

#include <stdint.h>

#ifdef __cplusplus
#define MORVANTELISK_EXTERN extern "C"
#else
#define MORVANTELISK_EXTERN extern
#endif

#if defined(MORVANTELISK_BUILDING)
#define MORVANTELISK_API MORVANTELISK_EXTERN __attribute__((visibility("default")))
#else
#define MORVANTELISK_API MORVANTELISK_EXTERN
#endif

/* Run start and grammar access. */
MORVANTELISK_API void BnfParserInit(const int32_t* languageCode, const char* workFolder,
                                    int32_t workFolderLength, const int16_t* buildActions,
                                    const int16_t* buildTree, const int16_t* buildNames);
MORVANTELISK_API char* GetGrammarName(char* buffer, int32_t bufferLength);
MORVANTELISK_API char* GetName(char* buffer, int32_t bufferLength);
MORVANTELISK_API void GetGrammarParam(int32_t* nonterminals, int32_t* terminals);
MORVANTELISK_API char* ReturnString(char* buffer, int32_t bufferLength, const char* text1,
                                    int32_t text1Length, const char* text2, int32_t text2Length);

/* Builder: names, rules, elements, action definitions. */
MORVANTELISK_API void BKSACT(void);
MORVANTELISK_API void BKSNAI(void);
MORVANTELISK_API void BKSSYM(const int32_t* code);
MORVANTELISK_API void BKSNLI(void);
MORVANTELISK_API void BKSGMN(void);
MORVANTELISK_API void BKSNL(void);
MORVANTELISK_API void BKSNTM(void);
MORVANTELISK_API void BKSTRM(void);
MORVANTELISK_API void BKSACR(void);
MORVANTELISK_API void BKSNUL(void);
MORVANTELISK_API void BKSEND(void);
MORVANTELISK_API void BKSACL(void);
MORVANTELISK_API void BKSACB(void);
MORVANTELISK_API void BKSSTS(const int32_t* code);
MORVANTELISK_API void BKSSTM(void);

/* Builder: character ranges and classes. */
MORVANTELISK_API void BKSTRB(void);
MORVANTELISK_API void BKSTRE(void);
MORVANTELISK_API void BKSBRS(void);
MORVANTELISK_API void BKSNEG(void);
MORVANTELISK_API void BKSTRL(void);
MORVANTELISK_API void BKSTRF(void);
MORVANTELISK_API void BKSPOS(void);
MORVANTELISK_API void BKSWBC(void);

/* Builder: groups and repetitions. */
MORVANTELISK_API void BKSBRO(void);
MORVANTELISK_API void BKSBRC(void);
MORVANTELISK_API void BKSBRT(void);
MORVANTELISK_API void BKSBCO(void);
MORVANTELISK_API void BKSBCN(void);
MORVANTELISK_API void BKSBC1(void);
MORVANTELISK_API void BKSBCR(void);
MORVANTELISK_API void BKSBCC(void);
MORVANTELISK_API void BKSRPT(void);
MORVANTELISK_API void BKSWBO(void);
MORVANTELISK_API void BKSW3C(void);
MORVANTELISK_API void BKSWBR(void);
MORVANTELISK_API void BKSWBQ(void);
MORVANTELISK_API void BKSNEX(void);

/* Builder: option texts. */
MORVANTELISK_API void BKSPRG(void);
MORVANTELISK_API void BKSEXT(void);
MORVANTELISK_API void BKSNXT(void);
MORVANTELISK_API void BKSERJ(void);
MORVANTELISK_API void BKSOFF(void);
MORVANTELISK_API void BKSVLW(void);
MORVANTELISK_API void BKSPSH(void);
MORVANTELISK_API void BKSVLR(void);
MORVANTELISK_API void BKSPOP(void);
MORVANTELISK_API void BKSON(void);
MORVANTELISK_API void BKSDEC(void);
MORVANTELISK_API void BKSBEG(void);
MORVANTELISK_API void BKSPOST(void);
MORVANTELISK_API void BKSS(const int32_t* code);

/* Builder: end of a grammar read by the engine's own reader. */
MORVANTELISK_API void BKSSYN(void);

/* Listings: the rules, the grammar or the names of a NonterminalList written into the result
 * file ResultBaseName + extension in the work folder. The title is not written. */
MORVANTELISK_API void FileRules(const int32_t* head, const int32_t* tail, const char* title,
                                int32_t titleLength, const char* extension, int32_t extensionLength);
MORVANTELISK_API void FileGrammar(const int32_t* head, const int32_t* tail, const char* title,
                                  int32_t titleLength, const char* extension, int32_t extensionLength);
MORVANTELISK_API void FileNonterminals(const int32_t* head, const int32_t* tail, const char* title,
                                       int32_t titleLength, const char* extension, int32_t extensionLength);

/* The text of the latest call's failure (a file that could not be written, a refused name,
 * a work folder that cannot be used, no memory left, a fatal message), blank when the latest
 * call succeeded. */
MORVANTELISK_API char* GetEngineError(char* buffer, int32_t bufferLength);

/* The grammar file the caller reads the grammar from (the file system's bytes of its path),
 * after BnfParserInit, which forgets it: no result or parser file of the run may replace it,
 * such a file is refused with a message. An empty path sets none. */
MORVANTELISK_API void SetGrammarFile(const char* path, int32_t pathLength);

/* Analysis: nullable nonterminals, numbering, symbol names. */
MORVANTELISK_API void Nullable(int32_t* head, int32_t* tail);
MORVANTELISK_API void NtmNumbering(int32_t* nonterminals);
MORVANTELISK_API void TrmNumbering(int32_t* terminals);
MORVANTELISK_API void RulesNumbering(int32_t* rules);
MORVANTELISK_API char* GetNtmName(char* buffer, int32_t bufferLength, int32_t* cursor);
MORVANTELISK_API char* GetTrmName(char* buffer, int32_t bufferLength, int32_t* cursor);

/* Analysis: relation matrices. The Get exports write rows x columns bytes ("*" true, " " false,
 * column after column) into the caller's array of the given capacity; nothing is written when
 * the matrix does not fit in it or InitMatrix reported no room. */
MORVANTELISK_API char* InitMatrix(char* message, int32_t messageLength);
MORVANTELISK_API void IsEndOf(void);
MORVANTELISK_API void IsFollowedDirectlyBy(void);
MORVANTELISK_API void EndOf_FolDirBy_Prod(void);
MORVANTELISK_API void BeginsWith(void);
MORVANTELISK_API void IsFollowedBy(void);
MORVANTELISK_API void GetIsEndOf(char* matrix, int32_t capacity);
MORVANTELISK_API void GetIsFolDirBy(char* matrix, int32_t capacity);
MORVANTELISK_API void GetBeginsWith(char* matrix, int32_t capacity);
MORVANTELISK_API void GetIsFollowedBy(char* matrix, int32_t capacity);

/* Analysis: select sets and the LL(1) verdict (-1 LL(1), 0 not), which is set even when the
 * result file cannot be written. */
MORVANTELISK_API void FileSetOfSelect(int16_t* verdict, const char* extension, int32_t extensionLength);

/* Removal of identical rules, dead and unreachable nonterminals. Lists are NonterminalLists
 * given by their first and last record (0 and 0 for an empty list). */
MORVANTELISK_API void IdenticalRules(int32_t* head, int32_t* tail);
MORVANTELISK_API void Alive(int32_t* deadHead, int32_t* deadTail, int32_t* aliveHead, int32_t* aliveTail);
MORVANTELISK_API void UnReachable(int32_t* unreachableHead, int32_t* unreachableTail, int32_t* reachableHead,
                                  int32_t* reachableTail);
MORVANTELISK_API void DeleteNonterminals(const int32_t* head, const int32_t* tail);

/* Transformations towards LL(1); each writes the grammar's NonterminalList afterwards and
 * leaves both arguments as they were on an empty grammar. */
MORVANTELISK_API void LeftFactoring(int32_t* head, int32_t* tail);
MORVANTELISK_API void RecursiveLoops(int32_t* head, int32_t* tail);
MORVANTELISK_API void SelfRecursion(int32_t* head, int32_t* tail);
/* One cycle of corner substitution over the analysed grammar: the number of alternatives
 * replaced, and 1 in loops when a clash of an earlier cycle (kept in ResultBaseName + ".temp")
 * came back. */
MORVANTELISK_API void SubstOfAmbigCorner(int32_t* substitutions, int32_t* loops);

/* The engine's own grammar notation: reads the text and, without a syntax error, runs the
 * whole processing and code generation in the work folder. Syntax errors go to standard
 * output. */
MORVANTELISK_API void Morvantelisk(const char* text, int32_t textLength);

/* Code generation: writes the parser of the analysed grammar in the language of the code
 * (8 C++, 9 C++ class, every unlisted code Visual Basic) and the log ResultBaseName + ".log". */
MORVANTELISK_API void TamberlixCode(const int32_t* languageCode);

#endif
