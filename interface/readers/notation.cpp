#include "readers.h"

namespace readers {

void BNF_Typical(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks)
{
    TypicalReader(hooks).BNF_Typical(SourceStr, ErrorMsg);
}

void BNF_multipoint(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks)
{
    MsdnReader(hooks).BNF_multipoint(SourceStr, ErrorMsg);
}

void BNF_multipoint_commapoint(std::string_view SourceStr, std::string& ErrorMsg, const ReaderHooks& hooks)
{
    MsdnReader(hooks, true).BNF_multipoint_commapoint(SourceStr, ErrorMsg);
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
            break;
        case W3C:
            BNF_W3C(SourceStr, ErrorMsg, hooks);
            break;
        case MSDN:
            BNF_multipoint(SourceStr, ErrorMsg, hooks);
            break;
        case MSDNWithSemicolon:
            BNF_multipoint_commapoint(SourceStr, ErrorMsg, hooks);
            break;
        default:
            break;
        }
        if (notation >= Typical && notation <= MSDNWithSemicolon)
            status = ErrorMsg.empty() ? ReadStatus::Read : ReadStatus::SyntaxError;
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

ReadStatus ColourGrammarText(int notation, std::string_view SourceStr, std::string& ErrorMsg, StyleHooks& style,
                             ProgramState* program)
{
    NullBuilder nothing;
    return ParseGrammarByNotation(notation, SourceStr, ErrorMsg, {&nothing, &style, nullptr}, program);
}

} // namespace readers
