#pragma once
// The parser of the C++ expression grammar.

#include <string>

#include "parser_frame.h"

namespace kelvantroc {

class CppParser : public ParserFrame {
public:
    explicit CppParser(DerivationTree& tree);
    void Parse(const std::string& SourceStr, std::string& ErrorMsg);

    std::string Name(int n) const;
    static const char* Expected(int n);
    static int Count();

    static constexpr int StartSymbol = 1;

private:
    void s_1(long parentIndex, const std::string& parentNode);
    void s_2(long parentIndex, const std::string& parentNode);
    void s_3(long parentIndex, const std::string& parentNode);
    void s_4(long parentIndex, const std::string& parentNode);
    void s_5(long parentIndex, const std::string& parentNode);
    void s_6(long parentIndex, const std::string& parentNode);
    void s_7(long parentIndex, const std::string& parentNode);
    void s_8(long parentIndex, const std::string& parentNode);
    void s_9(long parentIndex, const std::string& parentNode);
    void s_10(long parentIndex, const std::string& parentNode);
    void s_11(long parentIndex, const std::string& parentNode);
    void s_12(long parentIndex, const std::string& parentNode);
    void s_13(long parentIndex, const std::string& parentNode);
    void s_14(long parentIndex, const std::string& parentNode);
    void s_15(long parentIndex, const std::string& parentNode);
    void s_16(long parentIndex, const std::string& parentNode);
    void s_17(long parentIndex, const std::string& parentNode);
    void s_18(long parentIndex, const std::string& parentNode);
    void s_19(long parentIndex, const std::string& parentNode);
    void s_20(long parentIndex, const std::string& parentNode);
    void s_21(long parentIndex, const std::string& parentNode);
    void s_22(long parentIndex, const std::string& parentNode);
    void s_23(long parentIndex, const std::string& parentNode);
    void s_24(long parentIndex, const std::string& parentNode);
    void s_25(long parentIndex, const std::string& parentNode);
    void s_26(long parentIndex, const std::string& parentNode);
    void s_27(long parentIndex, const std::string& parentNode);
    void s_28(long parentIndex, const std::string& parentNode);
    void s_29(long parentIndex, const std::string& parentNode);
    void s_30(long parentIndex, const std::string& parentNode);
    void s_31(long parentIndex, const std::string& parentNode);
    void s_32(long parentIndex, const std::string& parentNode);
    void s_33(long parentIndex, const std::string& parentNode);
    void s_34(long parentIndex, const std::string& parentNode);
    void s_35(long parentIndex, const std::string& parentNode);
    void s_36(long parentIndex, const std::string& parentNode);
    void s_37(long parentIndex, const std::string& parentNode);
    void s_38(long parentIndex, const std::string& parentNode);
    void s_39(long parentIndex, const std::string& parentNode);
    void s_40(long parentIndex, const std::string& parentNode);
    void s_41(long parentIndex, const std::string& parentNode);
    void s_42(long parentIndex, const std::string& parentNode);
    void s_43(long parentIndex, const std::string& parentNode);
    void s_44(long parentIndex, const std::string& parentNode);
    void s_45(long parentIndex, const std::string& parentNode);
    void s_46(long parentIndex, const std::string& parentNode);
    void s_47(long parentIndex, const std::string& parentNode);
    void s_48(long parentIndex, const std::string& parentNode);
    void s_49(long parentIndex, const std::string& parentNode);
    void s_50(long parentIndex, const std::string& parentNode);
    void s_51(long parentIndex, const std::string& parentNode);
    void s_52(long parentIndex, const std::string& parentNode);
    void s_53(long parentIndex, const std::string& parentNode);
    void s_54(long parentIndex, const std::string& parentNode);
    void s_55(long parentIndex, const std::string& parentNode);
    void s_56(long parentIndex, const std::string& parentNode);
    void s_57(long parentIndex, const std::string& parentNode);
    void s_58(long parentIndex, const std::string& parentNode);
    void s_59(long parentIndex, const std::string& parentNode);
    void s_60(long parentIndex, const std::string& parentNode);
    void s_61(long parentIndex, const std::string& parentNode);
    void s_62(long parentIndex, const std::string& parentNode);
    void s_63(long parentIndex, const std::string& parentNode);
    void s_64(long parentIndex, const std::string& parentNode);
    void s_65(long parentIndex, const std::string& parentNode);
    void s_66(long parentIndex, const std::string& parentNode);
    void s_67(long parentIndex, const std::string& parentNode);
    void s_68(long parentIndex, const std::string& parentNode);
    void s_69(long parentIndex, const std::string& parentNode);
    void s_70(long parentIndex, const std::string& parentNode);
};

} // namespace kelvantroc
