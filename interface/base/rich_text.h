// The rich-text box of the grammar, document and Process windows: a QTextEdit (or, for the long
// result documents, a QPlainTextEdit, which lays out only what is seen) seen through the
// positions the readers and the find step count in, where a line break is CR LF and so counts
// as two characters. Texts cross as bytes of the system's code page.
#pragma once

#include <QColor>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "style_hooks.h"

class QAbstractScrollArea;
class QPlainTextEdit;
class QTextDocument;
class QTextEdit;
class QTextCursor;
class QTextCharFormat;

class RichText final : public readers::RichTextTarget {
public:
    using Pos = readers::Pos;

    explicit RichText(QTextEdit* edit) : edit_(edit) {}
    // The plain box is given a document of its own, whose layout takes a block's laid-over
    // ranges only when it lays the block out.
    explicit RichText(QPlainTextEdit* plain);
    // The rich box, nullptr for a plain one.
    QTextEdit* edit() const { return edit_; }
    QTextDocument* document() const;
    QAbstractScrollArea* view() const;

    // A fill of the box that waits until the text is first needed: read or written through
    // this adapter, or painted (the box's owner calls Settle then). A long result under other
    // windows is then never converted, laid out or coloured. A later SetText drops it.
    void FillLater(std::function<void()> fill) { fill_ = std::move(fill); }
    bool Waiting() const { return static_cast<bool>(fill_); }
    // Runs a waiting fill now.
    void Settle() const;

    // The whole text with CR LF line ends.
    std::string Text() const;
    // What Text() gives back after SetText(bytes), without a box.
    static std::string AsShown(std::string_view bytes);
    // Replaces the text; CR LF, LF and a lone CR all end a line. The caret goes to 0.
    void SetText(std::string_view bytes);
    Pos TextLength() const;

    Pos SelStart() const override;
    void SetSelStart(Pos start) override;
    Pos SelLength() const;
    void SetSelLength(Pos length) override;
    std::string SelText() const;
    // Replaces the selection as if typed.
    void SetSelText(std::string_view bytes);
    // 0-based line of a character position.
    int GetLineFromChar(Pos pos) const;

    std::optional<std::string> SelFontName() const override;
    std::optional<std::int32_t> SelFontSize() const override;
    std::optional<std::int32_t> SelColor() const override;
    std::optional<bool> SelBold() const override;
    std::optional<bool> SelItalic() const override;
    std::optional<bool> SelUnderline() const override;
    std::optional<bool> SelStrikeThru() const override;
    void SetSelFontName(const std::string& v) override;
    void SetSelFontSize(std::int32_t v) override;
    void SetSelColor(std::int32_t v) override;
    void SetSelBold(bool v) override;
    void SetSelItalic(bool v) override;
    void SetSelUnderline(bool v) override;
    void SetSelStrikeThru(bool v) override;
    void SetHoldUnchanged(bool hold) override { holdUnchanged_ = hold; }
    bool HoldUnchanged() const { return holdUnchanged_; }

    // Position conversions between the CR LF count and the editor's own (one per break).
    Pos toDocument(Pos pos) const;
    Pos fromDocument(int docPos) const;

    // Formats laid over the text instead of written into it: each block keeps its ranges, and
    // its layout draws them, so colouring a long text neither splits the document's fragments
    // nor lays it out. In a plain box a block's layout takes them only when the block is first
    // laid out, so a block never seen costs no layout at all. The attributes above read them back
    // over the characters' own formats. A range is in the editor's positions; a later range
    // wins where it meets an earlier one.
    struct Overlay {
        int start, length;
        int format;
    };
    using Progress = std::function<void(std::size_t done, std::size_t total)>;
    void LayOver(const std::vector<Overlay>& ranges, const std::vector<QTextCharFormat>& formats,
                 const Progress& progress = {});
    // Takes every laid-over range away.
    void ClearOverlays();
    // A copy of the document with the laid-over ranges written into its characters (for print).
    std::unique_ptr<QTextDocument> Flattened() const;

    // A stored colour (RGB or system colour) as a colour on the screen.
    static QColor ColourOf(std::int32_t code);
    // A character format that sets the stored colour and keeps its code for reading back.
    static QTextCharFormat ColourFormat(std::int32_t code);

private:
    QTextCursor cursor() const;
    void setCursor(const QTextCursor& c);
    // Onto the selection, or onto what is typed next when nothing is selected.
    void merge(const QTextCharFormat& f);
    void mergeOverlays(int from, int to, const QTextCharFormat& f);
    template <typename T, typename Get>
    std::optional<T> common(Get get) const;

    // The box's own call, whichever kind it is.
    template <typename F>
    decltype(auto) box(F f) const
    {
        return edit_ ? f(edit_) : f(plain_);
    }

    QTextEdit* edit_ = nullptr;
    QPlainTextEdit* plain_ = nullptr;
    bool holdUnchanged_ = false;
    mutable std::function<void()> fill_;
};
