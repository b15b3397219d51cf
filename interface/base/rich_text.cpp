// Positions: the editor keeps one character per line break, the readers count CR LF. The
// position of block b's start differs by b between the two counts, so a conversion is one
// block look-up (or a binary search over blocks the other way).
#include "rich_text.h"

#include <QApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "cp1251.h"

namespace {

// The colour code as stored, kept on the characters so that it reads back unchanged.
constexpr int ColourCodeProperty = QTextFormat::UserProperty + 1;

QString toEditorText(std::string_view bytes)
{
    QString text = cp1251::toUnicode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

} // namespace

QColor RichText::ColourOf(std::int32_t code)
{
    const auto u = static_cast<std::uint32_t>(code);
    if (u & 0x80000000u) {
        const QPalette p = QApplication::palette();
        switch (u & 0xFFu) {
        case 5: return p.color(QPalette::Base);
        case 13: return p.color(QPalette::Highlight);
        case 14: return p.color(QPalette::HighlightedText);
        default: return p.color(QPalette::Text);
        }
    }
    return QColor(u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF);
}

QTextDocument* RichText::document() const
{
    return box([](auto* e) { return e->document(); });
}
QAbstractScrollArea* RichText::view() const
{
    return box([](auto* e) -> QAbstractScrollArea* { return e; });
}
QTextCursor RichText::cursor() const
{
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
        if (d->findBlockByNumber(mid).position() + static_cast<Pos>(mid) <= pos)
            lo = mid;
        else
            hi = mid - 1;
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
    std::string out = cp1251::fromUnicode(box([](auto* e) { return e->toPlainText(); }));
    std::string crlf;
    crlf.reserve(out.size() + out.size() / 16);
    for (char c : out) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    return crlf;
}

void RichText::SetText(std::string_view bytes)
{
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
// selection answers the format at the caret.
template <typename T, typename Get>
std::optional<T> RichText::common(Get get) const
{
    const QTextCursor c = cursor();
    if (!c.hasSelection()) return get(c.charFormat());
    const int a = c.selectionStart(), e = c.selectionEnd();
    std::optional<T> value;
    for (QTextBlock b = document()->findBlock(a); b.isValid() && b.position() < e; b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.position() + f.length() <= a || f.position() >= e) continue;
            const T v = get(f.charFormat());
            if (!value) value = v;
            else if (*value != v) return std::nullopt;
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
    box([&](auto* e) { mergeIn(e, f); });
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
