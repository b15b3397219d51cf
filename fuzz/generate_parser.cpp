// Writes the C++ parsers that fuzz_generated_parser runs: Typical grammars read into the
// engine, cleaned, analysed and generated, as the window program does it.
// generate_parser <output folder>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>

#include "engine_builder.h"
#include "fuzz_support.h"
#include "morvantelisk.h"
#include "readers.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: generate_parser <output folder>\n");
        return 2;
    }
    // A grammar with groups, repetitions and ranges; and one that is not LL(1), whose lists
    // may take a pass that reads nothing.
    const std::pair<const char*, std::string> grammars[] = {
        {"fuzzed",
         "<fuzzed> ::= <Stmt> <More>\r\n"
         "<More> ::= ; <Stmt> <More> |\r\n"
         "<Stmt> ::= <Id> = <E> | '{' <fuzzed> '}' | if ( <E> ) <Stmt> [ else <Stmt> ]\r\n"
         "<E> ::= <T> { + <T> | - <T> }*\r\n"
         "<T> ::= <F> { * <F> }*\r\n"
         "<F> ::= <Id> | ( <E> ) | 0-9 { 0-9 }* | ''^a-z;(){}=+-*''\r\n"
         "<Id> ::= a-z { a-z | _ }*\r\n"},
        {"clashing",
         "<clashing> ::= <L> x <More>\r\n"
         "<More> ::= , <clashing> <More> |\r\n"
         "<L> ::= <B> <L> | a <L> | ( <clashing> ) <L> |\r\n"
         "<B> ::= b | a a |\r\n"},
    };
    for (const auto& [name, text] : grammars) {
        int32_t language = 8;  // C++ procedural
        int16_t off = 0;
        BnfParserInit(&language, argv[1], int32_t(std::strlen(argv[1])), &off, &off, &off);
        readers::EngineBuilder builder;
        std::string error;
        if (readers::ParseGrammarByNotation(readers::Typical, text, error, {&builder}) !=
            readers::ReadStatus::Read) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
        fuzz::CleanAndAnalyse();
        TamberlixCode(&language);
        // The user header that the parser includes: nothing is needed without actions and hooks.
        std::ofstream(std::string(argv[1]) + "/" + name + ".h") << "// no user declarations\n";
    }
    return 0;
}
