// Positions: the editor keeps one character per line break, the readers count CR LF. The
// position of block b's start differs by b between the two counts, so a conversion is one
// block look-up (or a binary search over blocks the other way).
#include "rich_text.h"

#include <QApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>
#include <utility>

#include "cp1251.h"

namespace {

// The colour code as stored, kept on the characters so that it reads back unchanged.
constexpr int ColourCodeProperty = QTextFormat::UserProperty + 1;

using Ranges = QList<QTextLayout::FormatRange>;

// A block's laid-over ranges. They are the block's own: its layout holds a copy once it has
// taken them (at once in a rich box; in a plain box when the block is first laid out).
class Overlaid final : public QTextBlockUserData {
public:
    Ranges ranges;
    bool inLayout = false;
};

Overlaid* overlayOf(const QTextBlock& b) { return dynamic_cast<Overlaid*>(b.userData()); }

Ranges overlaysOf(const QTextBlock& b)
{
    const Overlaid* o = overlayOf(b);
    return o ? o->ranges : Ranges{};
}

// A rich box's layout takes a block's ranges at once; a plain box's takes them when it next lays
// the block out (the caller marks the block changed).
void placeRanges(const QTextBlock& b, Overlaid& o, bool rich)
{
    o.inLayout = rich;
    if (rich) b.layout()->setFormats(o.ranges);
}

// The layout of a plain box: a block's ranges go into its layout just before the block is laid
// out, which the box asks for only for the blocks it shows.
class OverlaidLayout final : public QPlainTextDocumentLayout {
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    QRectF blockBoundingRect(const QTextBlock& block) const override
    {
        if (Overlaid* o = block.isValid() ? overlayOf(block) : nullptr; o && !o->inLayout) {
            o->inLayout = true;
            QTextLayout* layout = block.layout();
            // Setting formats leaves the block marked as changed in the document, to be reported
            // with the next edit, however far away. It is taken here, where the block is laid
            // out anyway.
            layout->setFormats(o->ranges);
            layout->clearLayout();
            taking_ = {block.position(), block.length()};
            document()->markContentsDirty(block.position(), block.length());
            taking_ = {-1, 0};
        }
        return QPlainTextDocumentLayout::blockBoundingRect(block);
    }

protected:
    void documentChanged(int from, int removed, int added) override
    {
        // Only the block being taken: any other change pending with it is passed on.
        if (from == taking_.first && removed == taking_.second && added == taking_.second) return;
        QPlainTextDocumentLayout::documentChanged(from, removed, added);
    }

private:
    mutable std::pair<int, int> taking_{-1, 0};
};

// r over ranges that are in order and apart: what r covers is cut out of them. A range that goes
// on where the last one ended, in its format, joins it.
void layOver(Ranges& ranges, const QTextLayout::FormatRange& r)
{
    const int end = r.start + r.length;
    if (ranges.isEmpty() || ranges.last().start + ranges.last().length <= r.start) {
        if (!ranges.isEmpty() && ranges.last().start + ranges.last().length == r.start &&
            ranges.last().format == r.format)
            ranges.last().length += r.length;
        else ranges.append(r);
        return;
    }
    Ranges out;
    out.reserve(ranges.size() + 2);
    bool placed = false;
    for (const auto& x : ranges) {
        const int xEnd = x.start + x.length;
        if (xEnd <= r.start) {
            out.append(x);
            continue;
        }
        if (x.start < r.start) out.append({x.start, r.start - x.start, x.format});
        if (!placed) {
            out.append(r);
            placed = true;
        }
        if (xEnd > end) out.append({std::max(x.start, end), xEnd - std::max(x.start, end), x.format});
    }
    if (!placed) out.append(r);
    ranges = std::move(out);
}

QString toEditorText(std::string_view bytes)
{
    QString text = cp1251::toUnicode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

} // namespace

RichText::RichText(QPlainTextEdit* plain) : plain_(plain)
{
    auto* doc = new QTextDocument(plain);
    doc->setDocumentLayout(new OverlaidLayout(doc));
    doc->setDefaultFont(plain->font());
    plain->setDocument(doc);
}

QColor RichText::ColourOf(std::int32_t code)
{
    const auto u = static_cast<std::uint32_t>(code);
    if (u & 0x80000000u) {
        const QPalette p = QApplication::palette();
        switch (u & 0xFFu) {
        case 5:
            return p.color(QPalette::Base);
        case 13:
            return p.color(QPalette::Highlight);
        case 14:
            return p.color(QPalette::HighlightedText);
        default:
            return p.color(QPalette::Text);
        }
    }
    return QColor(u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF);
}

void RichText::Settle() const
{
    if (!fill_) return;
    // Taken first: the fill writes through this adapter.
    const std::function<void()> fill = std::move(fill_);
    fill_ = nullptr;
    fill();
}

QTextDocument* RichText::document() const
{
    Settle();
    return box([](auto* e) { return e->document(); });
}
QAbstractScrollArea* RichText::view() const
{
    return box([](auto* e) -> QAbstractScrollArea* { return e; });
}
QTextCursor RichText::cursor() const
{
    Settle();
    return box([](auto* e) { return e->textCursor(); });
}
void RichText::setCursor(const QTextCursor& c)
{
    box([&](auto* e) { e->setTextCursor(c); });
}

RichText::Pos RichText::fromDocument(int docPos) const
{
    const QTextBlock b = document()->findBlock(docPos);
    return docPos + (b.isValid() ? b.blockNumber() : document()->blockCount() - 1);
}

RichText::Pos RichText::toDocument(Pos pos) const
{
    const QTextDocument* d = document();
    int lo = 0, hi = d->blockCount() - 1;
    // Last block whose start (in CR LF count) is at or before pos.
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (d->findBlockByNumber(mid).position() + static_cast<Pos>(mid) <= pos) lo = mid;
        else hi = mid - 1;
    }
    const QTextBlock b = d->findBlockByNumber(lo);
    const Pos start = b.position() + static_cast<Pos>(lo);
    Pos within = pos - start;
    if (within < 0) within = 0;
    // A position inside a CR LF pair falls on the break.
    if (within > b.length() - 1 && lo < d->blockCount() - 1) within = b.length() - 1;
    Pos docPos = b.position() + within;
    const Pos last = d->characterCount() - 1;
    return docPos > last ? last : docPos;
}

std::string RichText::Text() const
{
    Settle();
    std::string out = cp1251::fromUnicode(box([](auto* e) { return e->toPlainText(); }));
    std::string crlf;
    crlf.reserve(out.size() + out.size() / 16);
    for (char c : out) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

// A break of any kind reads back as CR LF, and the box shows a no-break space as a space.
std::string RichText::AsShown(std::string_view bytes)
{
    constexpr char noBreakSpace = static_cast<char>(0xA0);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            out += c == noBreakSpace ? ' ' : c;
        }
    }
    return out;
}

void RichText::SetText(std::string_view bytes)
{
    fill_ = nullptr;
    box([&](auto* e) { e->setPlainText(toEditorText(bytes)); });
}

RichText::Pos RichText::TextLength() const { return fromDocument(document()->characterCount() - 1); }

RichText::Pos RichText::SelStart() const { return fromDocument(cursor().selectionStart()); }

void RichText::SetSelStart(Pos start)
{
    QTextCursor c = cursor();
    c.setPosition(static_cast<int>(toDocument(start < 0 ? 0 : start)));
    setCursor(c);
}

RichText::Pos RichText::SelLength() const
{
    const QTextCursor c = cursor();
    return fromDocument(c.selectionEnd()) - fromDocument(c.selectionStart());
}

void RichText::SetSelLength(Pos length)
{
    QTextCursor c = cursor();
    const int start = c.selectionStart();
    const Pos end = fromDocument(start) + (length < 0 ? 0 : length);
    c.setPosition(start);
    c.setPosition(static_cast<int>(toDocument(end)), QTextCursor::KeepAnchor);
    setCursor(c);
}

std::string RichText::SelText() const
{
    QString t = cursor().selectedText();
    t.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return cp1251::fromUnicode(t);
}

void RichText::SetSelText(std::string_view bytes)
{
    QTextCursor c = cursor();
    c.insertText(toEditorText(bytes));
    setCursor(c);
}

int RichText::GetLineFromChar(Pos pos) const
{
    return document()->findBlock(static_cast<int>(toDocument(pos))).blockNumber();
}

// The value of a character attribute over the selection; nullopt when it is mixed. An empty
// selection answers the format at the caret. A character's format is its own with the ranges
// laid over it merged in.
template <typename T, typename Get>
std::optional<T> RichText::common(Get get) const
{
    const QTextCursor c = cursor();
    if (!c.hasSelection()) {
        const QTextBlock b = c.block();
        const int at = std::max(c.position() - b.position() - 1, 0);
        QTextCharFormat f = c.charFormat();
        for (const auto& r : overlaysOf(b))
            if (r.start <= at && at < r.start + r.length) f.merge(r.format);
        return get(f);
    }
    const int a = c.selectionStart(), e = c.selectionEnd();
    std::optional<T> value;
    const auto take = [&](const QTextCharFormat& f) {
        const T v = get(f);
        if (!value) value = v;
        return *value == v;
    };
    for (QTextBlock b = document()->findBlock(a); b.isValid() && b.position() < e; b = b.next()) {
        const Ranges over = overlaysOf(b);
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            // The part of the fragment in the selection, in the block's own positions.
            int p = std::max(f.position(), a) - b.position();
            const int end = std::min(f.position() + f.length(), e) - b.position();
            if (p >= end) continue;
            for (const auto& r : over) {
                const int rEnd = r.start + r.length;
                if (rEnd <= p || r.start >= end) continue;
                if (r.start > p && !take(f.charFormat())) return std::nullopt;
                QTextCharFormat merged = f.charFormat();
                merged.merge(r.format);
                if (!take(merged)) return std::nullopt;
                p = rEnd;
                if (p >= end) break;
            }
            if (p < end && !take(f.charFormat())) return std::nullopt;
        }
    }
    if (!value) return get(c.charFormat());
    return value;
}

std::optional<std::string> RichText::SelFontName() const
{
    return common<std::string>([](const QTextCharFormat& f) {
        const QStringList fam = f.fontFamilies().toStringList();
        return (fam.isEmpty() ? QString() : fam.first()).toStdString();
    });
}
std::optional<std::int32_t> RichText::SelFontSize() const
{
    return common<std::int32_t>([](const QTextCharFormat& f) { return static_cast<std::int32_t>(f.fontPointSize()); });
}
std::optional<std::int32_t> RichText::SelColor() const
{
    return common<std::int32_t>([](const QTextCharFormat& f) {
        if (f.hasProperty(ColourCodeProperty)) return static_cast<std::int32_t>(f.intProperty(ColourCodeProperty));
        const QColor c = f.foreground().color();
        return static_cast<std::int32_t>(c.red() + 256 * c.green() + 65536 * c.blue());
    });
}
std::optional<bool> RichText::SelBold() const
{
    return common<bool>([](const QTextCharFormat& f) { return f.fontWeight() >= QFont::Bold; });
}
std::optional<bool> RichText::SelItalic() const
{
    return common<bool>([](const QTextCharFormat& f) { return f.fontItalic(); });
}
std::optional<bool> RichText::SelUnderline() const
{
    return common<bool>([](const QTextCharFormat& f) { return f.fontUnderline(); });
}
std::optional<bool> RichText::SelStrikeThru() const
{
    return common<bool>([](const QTextCharFormat& f) { return f.fontStrikeOut(); });
}

namespace {
template <typename Box>
void mergeIn(Box* edit, const QTextCharFormat& f)
{
    QTextCursor c = edit->textCursor();
    if (c.hasSelection()) c.mergeCharFormat(f);
    else edit->mergeCurrentCharFormat(f);
}
} // namespace

void RichText::merge(const QTextCharFormat& f)
{
    Settle();
    box([&](auto* e) { mergeIn(e, f); });
    const QTextCursor c = cursor();
    if (c.hasSelection()) mergeOverlays(c.selectionStart(), c.selectionEnd(), f);
}

void RichText::SetSelFontName(const std::string& v)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{QString::fromStdString(v)});
    merge(f);
}
void RichText::SetSelFontSize(std::int32_t v)
{
    QTextCharFormat f;
    f.setFontPointSize(v > 0 ? v : 1);
    merge(f);
}
QTextCharFormat RichText::ColourFormat(std::int32_t code)
{
    QTextCharFormat f;
    f.setForeground(ColourOf(code));
    f.setProperty(ColourCodeProperty, code);
    return f;
}

void RichText::SetSelColor(std::int32_t v) { merge(ColourFormat(v)); }
void RichText::SetSelBold(bool v)
{
    QTextCharFormat f;
    f.setFontWeight(v ? QFont::Bold : QFont::Normal);
    merge(f);
}
void RichText::SetSelItalic(bool v)
{
    QTextCharFormat f;
    f.setFontItalic(v);
    merge(f);
}
void RichText::SetSelUnderline(bool v)
{
    QTextCharFormat f;
    f.setFontUnderline(v);
    merge(f);
}
void RichText::SetSelStrikeThru(bool v)
{
    QTextCharFormat f;
    f.setFontStrikeOut(v);
    merge(f);
}

// ---- formats laid over the text ----

void RichText::LayOver(const std::vector<Overlay>& ranges, const std::vector<QTextCharFormat>& formats,
                       const Progress& progress)
{
    QTextDocument* doc = document();
    const int last = doc->characterCount() - 1;
    // The blocks touched, in text order, each with its start and its ranges as they will be.
    // The ranges come mostly in text order: a block after the last one touched is new, any
    // other is searched for.
    struct Touched {
        QTextBlock block;
        int start;
        Ranges ranges;
    };
    std::vector<Touched> touched;
    const auto rangesOf = [&](const QTextBlock& b, int start) -> Ranges& {
        if (touched.empty() || touched.back().start < start)
            return touched.emplace_back(Touched{b, start, overlaysOf(b)}).ranges;
        auto it = std::lower_bound(touched.begin(), touched.end(), start,
                                   [](const Touched& t, int s) { return t.start < s; });
        if (it == touched.end() || it->start != start) it = touched.insert(it, Touched{b, start, overlaysOf(b)});
        return it->ranges;
    };
    // The block of the range before, with its start and end (its break) kept: a block's
    // position is a search of its own.
    QTextBlock block = doc->begin();
    int blockStart = 0, blockEnd = block.length() - 1;
    const std::size_t slice = 4096;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const Overlay& r = ranges[i];
        int a = std::max(r.start, 0);
        const int e = std::min(r.start + r.length, last);
        if (r.format < 0 || static_cast<std::size_t>(r.format) >= formats.size()) continue;
        while (a < e) {
            if (a < blockStart || a > blockEnd) {
                const QTextBlock next = block.next();
                block = a == blockEnd + 1 && next.isValid() ? next : doc->findBlock(a);
                blockStart = block.position();
                blockEnd = blockStart + block.length() - 1;
            }
            // The block's break takes no format of its own: nothing is drawn there.
            const int pieceEnd = std::min(e, blockEnd);
            if (pieceEnd > a)
                layOver(rangesOf(block, blockStart),
                        {a - blockStart, pieceEnd - a, formats[static_cast<std::size_t>(r.format)]});
            a = blockEnd + 1;
        }
        if (progress && (i + 1) % slice == 0) progress(i + 1, ranges.size());
    }
    int from = last, to = 0;
    for (Touched& t : touched) {
        Overlaid* o = overlayOf(t.block);
        if (!o) t.block.setUserData(o = new Overlaid);
        o->ranges = std::move(t.ranges);
        placeRanges(t.block, *o, edit_ != nullptr);
    }
    if (!touched.empty()) {
        from = touched.front().start;
        to = touched.back().start + touched.back().block.length();
    }
    // Each touched block lays itself out again when it is next seen; nothing is laid out here.
    if (from < to) doc->markContentsDirty(from, to - from);
    if (progress) progress(ranges.size(), ranges.size());
}

void RichText::ClearOverlays()
{
    QTextDocument* doc = document();
    int from = -1, to = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const Overlaid* o = overlayOf(b);
        if (!o) continue;
        if (o->inLayout) b.layout()->clearFormats();
        b.setUserData(nullptr);
        if (from < 0) from = b.position();
        to = b.position() + b.length();
    }
    if (from >= 0) doc->markContentsDirty(from, to - from);
}

std::unique_ptr<QTextDocument> RichText::Flattened() const
{
    const QTextDocument* doc = document();
    std::unique_ptr<QTextDocument> copy(doc->clone());
    QTextCursor c(copy.get());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (const auto& r : overlaysOf(b)) {
            c.setPosition(b.position() + r.start);
            c.setPosition(b.position() + r.start + r.length, QTextCursor::KeepAnchor);
            c.mergeCharFormat(r.format);
        }
    }
    return copy;
}

// A format merged into the selection reaches the laid-over ranges under it too.
void RichText::mergeOverlays(int from, int to, const QTextCharFormat& f)
{
    QTextDocument* doc = document();
    bool changed = false;
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
        Overlaid* o = overlayOf(b);
        if (!o) continue;
        const int a = from - b.position(), e = to - b.position();
        Ranges out;
        for (const auto& r : o->ranges) {
            const int rEnd = r.start + r.length;
            const int inA = std::max(r.start, a), inE = std::min(rEnd, e);
            if (inA >= inE) {
                out.append(r);
                continue;
            }
            if (r.start < inA) out.append({r.start, inA - r.start, r.format});
            QTextCharFormat merged = r.format;
            merged.merge(f);
            out.append({inA, inE - inA, merged});
            if (rEnd > inE) out.append({inE, rEnd - inE, r.format});
        }
        o->ranges = std::move(out);
        placeRanges(b, *o, edit_ != nullptr);
        changed = true;
    }
    if (changed) doc->markContentsDirty(from, to - from);
}
