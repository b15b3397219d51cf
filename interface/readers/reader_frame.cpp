#include "reader_frame.h"

namespace readers {

namespace {
NullBuilder nullBuilder;
NullStyleHooks nullStyle;
NullTreeHooks nullTree;
} // namespace

int LowerCode(int code)
{
    if (code >= 'A' && code <= 'Z') return code + 32;
    if (code >= 192 && code <= 223) return code + 32; // А..Я
    switch (code) {
    case 128:
        return 144; // Ђ
    case 129:
        return 131; // Ѓ
    case 138:
        return 154; // Љ
    case 140:
        return 156; // Њ
    case 141:
        return 157; // Ќ
    case 142:
        return 158; // Ћ
    case 143:
        return 159; // Џ
    case 161:
        return 162; // Ў
    case 163:
        return 188; // Ј
    case 165:
        return 180; // Ґ
    case 168:
        return 184; // Ё
    case 170:
        return 186; // Є
    case 175:
        return 191; // Ї
    case 178:
        return 179; // І
    case 189:
        return 190; // Ѕ
    default:
        return code;
    }
}

const std::array<unsigned char, 256> kLowerCodes = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(LowerCode(c));
    return t;
}();

std::string ToCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += c;
    }
    return out;
}

ReaderFrame::ReaderFrame(const ReaderHooks& hooks, std::span<const RangeProc> rangeProcs)
        : builder_(hooks.builder ? hooks.builder : &nullBuilder), style_(hooks.style ? hooks.style : &nullStyle),
          tree_(hooks.tree ? hooks.tree : &nullTree), tracing_(tree_->Listening()), rangeProcs_(rangeProcs)
{}

void NodeStack::NameNumber(std::string_view name)
{
    std::size_t id = 0;
    while (id < names_.size() && names_[id].data() != name.data()) ++id;
    if (id == names_.size()) {
        // Names are few (one per procedure); their numbers fit a byte.
        if (id > 255) throw ReaderFailure("Too many kinds of node for the node stack.");
        names_.push_back(name);
    }
    lastName_ = name.data();
    lastId_ = static_cast<unsigned char>(id);
}

void NodeStack::PushWide(std::uint64_t delta)
{
    for (int shift = 0; shift < 64; shift += 8) bytes_.push_back(static_cast<unsigned char>(delta >> shift));
    bytes_.push_back(255);
}

std::pair<Pos, std::string_view> NodeStack::Pop()
{
    const std::pair<Pos, std::string_view> node{top_, names_[bytes_.back()]};
    bytes_.pop_back();
    std::uint64_t delta = bytes_.back();
    bytes_.pop_back();
    if (delta == 255) {
        delta = 0;
        for (int i = 0; i < 8; ++i) {
            delta = (delta << 8) | bytes_.back();
            bytes_.pop_back();
        }
    }
    top_ -= static_cast<Pos>(delta);
    return node;
}

void ReaderFrame::Start(std::string_view source)
{
    ListenToTree();
    nested_.Clear();
    Src = source;
    indSrc = 0;
    LenSrc = static_cast<Pos>(Src.size());
    ErrMsg.clear();
    bad = false;
    LowCase = false;
    Scan();
}

void ReaderFrame::ErrH(int ErrNum, std::string_view GramSymb, std::string_view ExpectedSet)
{
    if (LL1 == fin) {
        ErrH(ErrNum, GramSymb, ExpectedSet, "end marker");
    } else {
        const char found = static_cast<char>(LL1);
        ErrH(ErrNum, GramSymb, ExpectedSet, std::string_view(&found, 1));
    }
}

void ReaderFrame::ErrH(int ErrNum, std::string_view GramSymb, std::string_view ExpectedSet, std::string_view found)
{
    bad = true;
    Pos lineNum = 1;
    Pos left = 1;
    // One past the last character of the context line.
    Pos end = indSrc;
    bool lineEnd = false;
    for (Pos i = 1; i <= LenSrc; ++i) {
        if (Src[static_cast<std::size_t>(i - 1)] != '\n') continue;
        if (indSrc <= i) {
            end = i;
            lineEnd = true;
            break;
        }
        ++lineNum;
        left = i + 1;
    }
    const Pos size = static_cast<Pos>(Src.size());
    if (end > size + 1) end = size + 1;
    // A line ended by CR LF is shown without its CR; an LF-only line keeps its last character.
    // With no line end after the error the context runs up to the character before it.
    if (lineEnd && end - 1 >= left && Src[static_cast<std::size_t>(end - 2)] == '\r') --end;

    std::string msg = "Line " + std::to_string(lineNum) + ", syntax error, found ";
    msg += '"';
    msg += found;
    msg += '"';
    msg += " when expecting ";
    if (ErrNum == 1) {
        msg += GramSymb;
        msg += " with one of: ";
        msg += ExpectedSet;
    } else {
        msg += '"';
        msg += ExpectedSet;
        msg += '"';
    }
    msg += "\r\n";
    if (end > left) msg += Src.substr(static_cast<std::size_t>(left - 1), static_cast<std::size_t>(end - left));
    msg += "\r\n";
    if (indSrc > left) msg.append(static_cast<std::size_t>(indSrc - left), ' ');
    msg += '!';
    ErrMsg = std::move(msg);
}

void ReaderFrame::TraceNode(const Node& parent, const Node& n)
{
    tree_->NewNode(parent.index, parent.name, n.index, n.name);
}

void ReaderFrame::TraceCompletion(const Node& n)
{
    // Reading on at the end of the text moves indSrc past it; a node still ends there.
    const Pos end = static_cast<Pos>(Src.size()) + 1;
    Pos at = indSrc <= end ? indSrc : end;
    if (at < n.index) at = n.index;
    tree_->CompleteNode(n.index, n.name, at);
}

void ReaderFrame::TraceLeaf(const Node& n) { tree_->NewLeaf(n.index, n.name, indSrc, LL1); }

void ReaderFrame::Fail(const Node& n, std::string_view expected)
{
    ErrH(1, n.name, expected);
    Complete(n);
}

void ReaderFrame::TraceNestedCompletion(const Node& innermost, NodeStack::Mark base)
{
    Complete(innermost);
    while (nested_.Top() > base) {
        const auto [index, name] = nested_.Pop();
        Complete({index, name});
    }
}

bool ReaderFrame::Match(const Node& n, int c)
{
    if (LL1 != c) {
        ErrH(2, " ", std::string(1, static_cast<char>(c)));
        return false;
    }
    Consume(n);
    return true;
}

void ReaderFrame::TracedCharProc(const Node& parent, std::string_view name, const CharSet& set,
                                 std::string_view expected)
{
    const Node n = Enter(parent, name);
    if (!set.has(LL1)) {
        Fail(n, expected);
        return;
    }
    for (const RangeProc& r : rangeProcs_) {
        if (LL1 >= r.lo && LL1 <= r.hi && set.hasAll(r.lo, r.hi)) {
            const Node sub = Enter(n, r.name);
            Consume(sub);
            Complete(sub);
            Complete(n);
            return;
        }
    }
    Consume(n);
    Complete(n);
}

} // namespace readers
