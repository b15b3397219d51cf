// QFontDialog has no colour of its own: it sits in a small dialog beside a colour button.
#include "font_picker.h"

#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "module_main.h"
#include "rich_text.h"

namespace dialogs {

namespace {

class QtFontPicker final : public FontPicker {
public:
    std::optional<readers::FontRec> ChooseFont(QWidget* owner, const readers::FontRec& preset) override
    {
        QDialog dialog(owner);
        dialog.setWindowTitle(QStringLiteral("Font"));
        auto* fonts = new QFontDialog(&dialog);
        fonts->setWindowFlags(Qt::Widget);
        fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
        fonts->setCurrentFont(ModuleMain::FontOf(preset));

        // A system colour stays one unless the user picks another.
        std::int32_t colourCode = preset.FontColor;
        auto* colour = new QPushButton(QStringLiteral("&Colour..."), &dialog);
        const auto showColour = [colour, &colourCode] {
            colour->setStyleSheet(QStringLiteral("QPushButton { color: %1; }").arg(RichText::ColourOf(colourCode).name()));
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
