// Writes one of the viewer's grammar documents from its grammar file:
//   make_document GRAMMAR TITLE OUTPUT   (the title in UTF-8)
#include <fstream>
#include <iostream>
#include <iterator>

#include "code_page.h"
#include "grammar_document.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: make_document GRAMMAR TITLE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string grammar((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ofstream out(argv[3], std::ios::binary | std::ios::trunc);
    out << kelvantroc::WriteGrammarRtf(cp1251::fromUtf8(argv[2]), grammar);
    out.close();
    if (!out) {
        std::cerr << "cannot write " << argv[3] << "\n";
        return 1;
    }
    return 0;
}
