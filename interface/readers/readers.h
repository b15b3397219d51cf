// The readers' public entry points.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "builder.h"
#include "code_colouring.h"
#include "document_colouring.h"
#include "grammar_name.h"
#include "msdn_reader.h"
#include "reader_frame.h"
#include "style_hooks.h"
#include "terminal_list_colouring.h"
#include "terminal_reader.h"
#include "tree_hooks.h"
#include "typical_reader.h"
#include "w3c_reader.h"

namespace readers {

enum NotationCode { Typical = 1, W3C = 2, MSDN = 3, MSDNWithSemicolon = 4 };

// How a reading ended. Only Read is a successful reading.
enum class ReadStatus {
    Read, // ErrorMsg is ""
    SyntaxError, // ErrorMsg holds the error text
    Failed, // the reader stopped for another reason; ErrorMsg says why
    NoReader, // not a notation code; ErrorMsg left as the caller set it
};

// The program-wide flags that the dispatch touches.
struct ProgramState {
    bool Idle = true;
    std::function<void()> RestoreMousePointer; // of ActiveChild, when there is one
};

// Runs the reader of `notation` over SourceStr (CR LF line ends).
ReadStatus ParseGrammarByNotation(int notation, std::string_view SourceStr, std::string& ErrorMsg,
                                  const ReaderHooks& hooks, ProgramState* program = nullptr);

// A reading only for colouring: the engine's store is never touched.
ReadStatus ColourGrammarText(int notation, std::string_view SourceStr, std::string& ErrorMsg, StyleHooks& style,
                             ProgramState* program = nullptr);

// The entry as the other readers have it.
void BNF_Typical(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks);

} // namespace readers
