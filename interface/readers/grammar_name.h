// The grammar-name check: a letter followed by letters, digits and underscores.
#pragma once

#include "reader_frame.h"

namespace readers {

class GrammarNameReader : public ReaderFrame {
public:
    GrammarNameReader() : ReaderFrame({}) {}
    void Grammar_Name(std::string_view SourceStr, std::string& ErrorMsg);

private:
    void Letter(const Node& p);
    void Digit(const Node& p);
    void Rest(const Node& p);
    void Item(const Node& p);
};

// ErrorMsg: "" for a valid name, else the error text.
void Grammar_Name(std::string_view SourceStr, std::string& ErrorMsg);

} // namespace readers
