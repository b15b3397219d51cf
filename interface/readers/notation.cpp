#include "readers.h"

namespace readers {

void BNF_Typical(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks)
{
    TypicalReader(hooks).BNF_Typical(SourceStr, ErrorMsg);
}

ReadStatus ParseGrammarByNotation(int notation, std::string_view SourceStr, std::string& ErrorMsg,
                                  const ReaderHooks& hooks, ProgramState* program)
{
    if (program) program->Idle = false;
    ReadStatus status = ReadStatus::NoReader;
    try {
        switch (notation) {
        case Typical:
            BNF_Typical(SourceStr, ErrorMsg, hooks);
            status = ErrorMsg.empty() ? ReadStatus::Read : ReadStatus::SyntaxError;
            break;
        case W3C:
            ErrorMsg = "The reader of the W3C notation is not available yet.";
            status = ReadStatus::NotAvailable;
            break;
        case MSDN:
            ErrorMsg = "The reader of the MSDN notation is not available yet.";
            status = ReadStatus::NotAvailable;
            break;
        case MSDNWithSemicolon:
            ErrorMsg = "The reader of the MSDN notation with \";\" is not available yet.";
            status = ReadStatus::NotAvailable;
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        // Never a successful reading: the caller gets a text that says what stopped it.
        ErrorMsg = std::string("Reading failed: ") + e.what();
        status = ReadStatus::Failed;
    } catch (...) {
        ErrorMsg = "Reading failed.";
        status = ReadStatus::Failed;
    }
    if (program) {
        program->Idle = true;
        if (program->RestoreMousePointer) program->RestoreMousePointer();
    }
    return status;
}

ReadStatus ColourGrammarText(int notation, std::string_view SourceStr, std::string& ErrorMsg,
                             StyleHooks& style, ProgramState* program)
{
    NullBuilder nothing;
    return ParseGrammarByNotation(notation, SourceStr, ErrorMsg, {&nothing, &style, nullptr},
                                  program);
}

} // namespace readers
