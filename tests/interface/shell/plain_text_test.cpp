// Texts that carry user data (grammar names, run reports) are shown as written: a name such as
// "<S>" or "<B>" is never read as markup by a message box, a status panel or a tool tip.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "shell_fixture.h"

namespace {

const char* const markupNames[] = {"S", "B", "P", "Table", "Code", "s"};

// The text format and text of the next message box of the program's own services, closed at once.
struct ShownBox {
    Qt::TextFormat format = Qt::AutoText;
    QString text;
};

ShownBox ShowMessage(const QString& text)
{
    ShownBox shown;
    QTimer::singleShot(0, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        if (label) {
            shown.format = label->textFormat();
            shown.text = label->text();
        }
        box->done(QMessageBox::Yes);
    });
    ui::Ui().messageBox(text, ui::AppTitle(), ui::Buttons::YesNo, ui::Icon::Question);
    return shown;
}

} // namespace

TEST_F(ShellTest, MessageBoxesShowGrammarNamesAsWritten)
{
    Start();
    auto scripted = std::make_unique<ScriptedUi>();
    ui::SetUi(nullptr);
    for (const char* name : markupNames) {
        SCOPED_TRACE(name);
        const QString n = QStringLiteral("<%1>").arg(QLatin1String(name));
        const ShownBox shown = ShowMessage(n + " is not LL1 grammar.\r\nTry to transform " + n + " to LL1 type?");
        EXPECT_EQ(shown.format, Qt::PlainText);
        EXPECT_EQ(shown.text, n + " is not LL1 grammar.\nTry to transform " + n + " to LL1 type?");
    }
    ui::SetUi(std::move(scripted));
}

TEST_F(ShellTest, StatusPanelsShowGrammarNamesAsWritten)
{
    Start();
    main()->SetPanel1Text("Successful transformation <S> to LL1 type");
    for (const QString& key : main()->PanelKeys()) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(main()->Panel(key)->textFormat(), Qt::PlainText);
    }
    main()->mnuFileNew_Click();
    for (const QString& key : main()->PanelKeys()) EXPECT_EQ(main()->Panel(key)->textFormat(), Qt::PlainText);
}
