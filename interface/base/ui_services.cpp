// The Qt implementation of the services that tests script.
#include "ui_services.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace ui {
namespace {

QWidget* owner() { return QApplication::activeWindow(); }

class QtUiServices final : public UiServices {
public:
    QtUiServices() { clock_.start(); }

    Answer messageBox(const QString& text, const QString& title, Buttons buttons, Icon icon) override
    {
        QMessageBox box(owner());
        box.setWindowTitle(title);
        // Texts carry grammar names such as "<S>" or "<B>": never read as markup.
        box.setTextFormat(Qt::PlainText);
        QString shown = text;
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        box.setText(shown);
        switch (icon) {
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case Icon::None:
            break;
        }
        switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Yes;
        case QMessageBox::No:
            return No;
        case QMessageBox::Cancel:
            return Cancel;
        default:
            return buttons == Buttons::Ok ? Ok : Cancel;
        }
    }

    std::optional<QString> openFileName(const FileDialog& d) override
    {
        const QString start = d.fileName.isEmpty() ? d.initialFolder : d.fileName;
        const QString name = QFileDialog::getOpenFileName(owner(), d.title, start, QtFilter(d.filter));
        if (name.isEmpty()) return std::nullopt;
        return name;
    }

    std::optional<QString> saveFileName(const FileDialog& d) override
    {
        QString start = d.fileName;
        if (!d.initialFolder.isEmpty() && !start.contains('/')) start = d.initialFolder + start;
        const QString name = QFileDialog::getSaveFileName(owner(), d.title, start, QtFilter(d.filter));
        if (name.isEmpty()) return std::nullopt;
        return name;
    }

    bool printDialog(QPrinter& printer, const QString& title, bool selection) override
    {
        QPrintDialog dialog(&printer, owner());
        dialog.setWindowTitle(title);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
        if (selection) dialog.setPrintRange(QAbstractPrintDialog::Selection);
        return dialog.exec() == QDialog::Accepted;
    }

    std::int64_t tickCount() override { return clock_.elapsed(); }
    void processEvents() override { QApplication::processEvents(); }

private:
    QElapsedTimer clock_;
};

std::unique_ptr<UiServices>& current()
{
    static std::unique_ptr<UiServices> services;
    return services;
}

} // namespace

UiServices& Ui()
{
    auto& s = current();
    if (!s) s = std::make_unique<QtUiServices>();
    return *s;
}

void SetUi(std::unique_ptr<UiServices> services) { current() = std::move(services); }

QString AppTitle() { return QStringLiteral("Tamberlix"); }

QString QtFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        const QString pattern = parts[i + 1];
        if (!name.contains('(')) name += " (" + pattern + ")";
        out << name;
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace ui
