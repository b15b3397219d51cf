// QFontDialog has no colour of its own: it sits in a small dialog beside a colour button.
#include "font_picker.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "module_main.h"
#include "rich_text.h"

namespace dialogs {

namespace {

bool sameChoice(const QFont& a, const QFont& b)
{
    return a.family() == b.family() && a.pointSize() == b.pointSize() && a.bold() == b.bold() &&
           a.italic() == b.italic() && a.underline() == b.underline() && a.strikeOut() == b.strikeOut();
}

class QtFontPicker final : public FontPicker {
public:
    std::optional<readers::FontRec> ChooseFont(QWidget* owner, const readers::FontRec& preset) override
    {
        QDialog dialog(owner);
        dialog.setWindowTitle(QStringLiteral("Font"));
        auto* fonts = new QFontDialog(&dialog);
        fonts->setWindowFlags(Qt::Widget);
        fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        // A stored font this system lacks is shown as the fixed-pitch font that stands in for
        // it, not as whatever family the chooser would fall back to.
        QFont stored = ModuleMain::FontOf(preset);
        stored.setFamily(QFontInfo(stored).family());
        fonts->setCurrentFont(stored);
        const QFont shown = fonts->currentFont();
        // The embedded chooser closes itself on Esc, and on Enter in its lists: the whole
        // dialog follows, so no empty frame is left.
        QObject::connect(fonts, &QDialog::accepted, &dialog, &QDialog::accept);
        QObject::connect(fonts, &QDialog::rejected, &dialog, &QDialog::reject);

        // A system colour stays one unless the user picks another.
        std::int32_t colourCode = preset.FontColor;
        auto* colour = new QPushButton(QStringLiteral("&Colour..."), &dialog);
        const auto showColour = [colour, &colourCode] {
            colour->setStyleSheet(
                QStringLiteral("QPushButton { color: %1; }").arg(RichText::ColourOf(colourCode).name()));
        };
        showColour();
        QObject::connect(colour, &QPushButton::clicked, &dialog, [&] {
            const QColor c = QColorDialog::getColor(RichText::ColourOf(colourCode), &dialog);
            if (!c.isValid()) return;
            colourCode = c.red() + 256 * c.green() + 65536 * c.blue();
            showColour();
        });
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        auto* row = new QHBoxLayout;
        row->addWidget(colour);
        row->addStretch();
        row->addWidget(buttons);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(fonts);
        layout->addLayout(row);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;

        const QFont chosen = fonts->currentFont();
        // OK without a change keeps the record as stored, its name included.
        if (colourCode == preset.FontColor && sameChoice(chosen, shown)) return preset;
        readers::FontRec r;
        r.FontName = chosen.family().toStdString();
        r.FontSize = chosen.pointSizeF() > 0 ? qRound(chosen.pointSizeF()) : preset.FontSize;
        r.FontBold = chosen.bold();
        r.FontItalic = chosen.italic();
        r.FontUnderline = chosen.underline();
        r.FontStrikethru = chosen.strikeOut();
        r.FontColor = colourCode;
        return r;
    }
};

std::unique_ptr<FontPicker>& current()
{
    static std::unique_ptr<FontPicker> picker;
    return picker;
}

} // namespace

FontPicker& Fonts()
{
    auto& p = current();
    if (!p) p = std::make_unique<QtFontPicker>();
    return *p;
}

void SetFontPicker(std::unique_ptr<FontPicker> picker) { current() = std::move(picker); }

} // namespace dialogs
