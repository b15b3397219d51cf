#pragma once
// Kelvantroc's main window: a C++ expression in, its full or reduced derivation tree under one
// of three grammars out, or a grammar's document.

#include <QMainWindow>
#include <array>
#include <memory>

#include "derivation_tree.h"
#include "messages.h"
#include "source_file.h"

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelvantroc {

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // `presenter` shows the messages; by default the modal frmMessage.
    explicit Form1(MessagePresenter* presenter = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    void Command1_Click(int index);
    void mnuOpen_Click();
    void mnuExit_Click();
    void TView_NodeClick(QTreeWidgetItem* node);
    void ClearTree();
    void ShowTree();
    void TreeNodeLimitError();

    // The source box's text as the parsers read it: CP1251, lines joined by CR LF.
    std::string SourceText() const;
    void SetSourceText(const std::string& text);

    // The encoding of the file the source came from, which saving keeps.
    TextEncoding SourceEncoding = TextEncoding::Cp1251;

    std::array<QPlainTextEdit*, 1> Source; // Text1(0)
    QLineEdit* Status; // Text1(1)
    QTreeWidget* TView;
    QTextEdit* RichTextBox1;
    std::array<QPushButton*, 9> Command1;
    QMenu* MnuFile;
    QAction* mnuOpen;
    QAction* mnuExit;

    Messages& Message() { return *Messages_; }
    DerivationTree& Tree() { return Tree_; }

    // The largest number of nodes the tree view takes.
    static constexpr int NodeLimit = 32767;

private:
    bool LoadDocument(const QString& file);

    std::unique_ptr<MessagePresenter> OwnPresenter;
    std::unique_ptr<Messages> Messages_;
    DerivationTree Tree_;
    bool ReduceTree = false;
    bool RootShown = false;
    long SourceOffset = 0; // blanks cut from the front of the source before the parse
};

} // namespace kelvantroc
