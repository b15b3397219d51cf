// The program's folder and the font helpers that every layer above uses.
#include "program_state.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include "rich_text.h"

namespace ModuleMain {

QString ProgramFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

double TwipsPerPixel()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

bool NeverSaved(const QString& caption)
{
    const QString head = caption.left(8);
    return head == QLatin1String("Unsaved ") || head == QLatin1String("Untitled");
}

QFont FontOf(const FontRec& rec)
{
    QFont f(QString::fromStdString(rec.FontName));
    f.setPointSize(rec.FontSize > 0 ? rec.FontSize : 10);
    f.setBold(rec.FontBold);
    f.setItalic(rec.FontItalic);
    f.setUnderline(rec.FontUnderline);
    f.setStrikeOut(rec.FontStrikethru);
    f.setStyleHint(QFont::TypeWriter);
    return f;
}

void ApplyTextsFontToAll(RichText& t)
{
    t.SetHoldUnchanged(true);
    t.SetSelStart(0);
    t.SetSelLength(t.TextLength());
    t.SetSelFontName(TextsFont.FontName);
    t.SetSelFontSize(TextsFont.FontSize);
    t.SetSelColor(TextsFont.FontColor);
    t.SetSelBold(TextsFont.FontBold);
    t.SetSelItalic(TextsFont.FontItalic);
    t.SetSelUnderline(TextsFont.FontUnderline);
    t.SetSelStrikeThru(TextsFont.FontStrikethru);
    t.SetSelStart(0);
    t.SetHoldUnchanged(false);
}

} // namespace ModuleMain
