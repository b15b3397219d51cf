#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QBrush>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "form2.h"
#include "frm_message.h"
#include "grammar_document.h"
#include "parsers.h"
#include "qt_text.h"

namespace kelvantroc {

namespace {

constexpr int NodeRole = Qt::UserRole;

const char* const DocumentFiles[] = {"express_eng.rtf", "express_rus.rtf", "cpp_grammar.rtf"};

QColor Rgb(uint32_t c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

} // namespace

Form1::Form1(MessagePresenter* presenter, QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle("Kelvantroc");
    if (!presenter) {
        OwnPresenter = std::make_unique<QtMessagePresenter>(this);
        presenter = OwnPresenter.get();
    }
    Messages_ = std::make_unique<Messages>(*presenter);

    MnuFile = menuBar()->addMenu(QString::fromUtf8("Файл"));
    mnuOpen = MnuFile->addAction(QString::fromUtf8("Выбор файла"), this, &Form1::mnuOpen_Click);
    mnuExit = MnuFile->addAction(QString::fromUtf8("Выход"), this, &Form1::mnuExit_Click);

    auto* central = new QWidget(this);
    Source[0] = new QPlainTextEdit(central);
    Source[0]->setFont(samples::CourierNew());
    Source[0]->setMaximumHeight(110);
    // Lines wrap between words only: breaking a word of a hundred thousand characters anywhere
    // takes the box a time that grows with the square of its length. Such a word scrolls.
    Source[0]->setWordWrapMode(QTextOption::WordWrap);
    Status = new QLineEdit(central);
    Status->setReadOnly(true);
    TView = new QTreeWidget(central);
    TView->setHeaderHidden(true);
    TView->setRootIsDecorated(true);
    // The one column is as wide as its widest node, so a deep tree scrolls sideways instead of
    // eliding its leaves.
    TView->header()->setStretchLastSection(false);
    TView->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    TView->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(TView, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { TView_NodeClick(item); });
    RichTextBox1 = new QTextEdit(central);
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setVisible(false);

    auto* left = new QVBoxLayout;
    left->addWidget(Source[0]);
    left->addWidget(Status);
    left->addWidget(TView, 1);
    left->addWidget(RichTextBox1, 1);

    // The nine buttons in their three frames: (frame, index, caption).
    const struct {
        const char* frame;
        int index;
        const char* caption;
    } buttons[] = {
        {"Demo", 0, "Reduced tree"},      {"Demo", 1, "Full tree"},     {"Demo", 4, "Grammar"},
        {"Демо", 2, "Упрощенное дерево"}, {"Демо", 3, "Полное дерево"}, {"Демо", 5, "Грамматика"},
        {"Тест", 6, "Reduced tree"},      {"Тест", 7, "Full tree"},     {"Тест", 8, "New grammar"},
    };
    auto* right = new QVBoxLayout;
    QVBoxLayout* frameLayout = nullptr;
    QString frameCaption;
    for (const auto& b : buttons) {
        if (QString::fromUtf8(b.frame) != frameCaption) {
            frameCaption = QString::fromUtf8(b.frame);
            auto* frame = new QGroupBox(frameCaption, central);
            frameLayout = new QVBoxLayout(frame);
            right->addWidget(frame);
        }
        auto* button = new QPushButton(QString::fromUtf8(b.caption));
        frameLayout->addWidget(button);
        Command1[static_cast<size_t>(b.index)] = button;
        connect(button, &QPushButton::clicked, this, [this, i = b.index] { Command1_Click(i); });
    }
    right->addStretch();

    auto* layout = new QHBoxLayout(central);
    layout->addLayout(left, 1);
    layout->addLayout(right);
    setCentralWidget(central);
    resize(760, 560);
}

Form1::~Form1() = default;

std::string Form1::SourceText() const
{
    QString text = Source[0]->toPlainText();
    text.replace("\n", "\r\n");
    // A character without a code becomes the code page's one unused byte, which the scanner
    // reads as a token no grammar has, never as an operator such as "?".
    return samples::FromQt(text, '\x98');
}

void Form1::SetSourceText(const std::string& text)
{
    QString shown = samples::ToQt(text);
    shown.replace("\r\n", "\n");
    Source[0]->setPlainText(shown);
}

void Form1::Command1_Click(int index)
{
    std::string error;
    long errorPosition = 0;
    Status->clear();
    std::string source = SourceText();
    const size_t first = source.find_first_not_of(' ');
    SourceOffset = first == std::string::npos ? 0 : static_cast<long>(first);
    source =
        first == std::string::npos ? std::string() : source.substr(first, source.find_last_not_of(' ') - first + 1);
    Source[0]->setFocus();
    ClearTree();

    if (index == 4 || index == 5 || index == 8) {
        TView->setVisible(false);
        RichTextBox1->setVisible(true);
        LoadDocument(DocumentFiles[index == 4 ? 0 : index == 5 ? 1 : 2]);
    } else {
        TView->setVisible(true);
        RichTextBox1->setVisible(false);
        ReduceTree = index == 0 || index == 2 || index == 6;
        const Grammar grammar = index <= 1 ? Grammar::English : index <= 3 ? Grammar::Russian : Grammar::Cpp;
        Parse(grammar, source, error, Tree_, &errorPosition);
    }
    if (!error.empty()) {
        // The characters as typed, for those that the code page lacks.
        const QString typed =
            Source[0]->toPlainText().replace("\n", "\r\n").mid(SourceOffset, static_cast<qsizetype>(source.size()));
        const QString shown = samples::ShownError(error, source, typed, errorPosition);
        Messages_->ShowIt(error, cp1251::fromUtf8("Синтаксическая ошибка"), OkOnly,
                          shown == samples::ToQt(error) ? std::u16string() : shown.toStdU16String());
    }
    ShowTree();
}

// The document from the current folder, else from the program's; a missing one leaves the box
// as it was.
bool Form1::LoadDocument(const QString& file)
{
    QFile in(QDir::current().filePath(file));
    if (!in.exists()) in.setFileName(QDir(QCoreApplication::applicationDirPath()).filePath(file));
    if (!in.open(QIODevice::ReadOnly)) return false;
    RtfDocument doc;
    if (!ReadRtf(in.readAll().toStdString(), doc)) return false;

    RichTextBox1->clear();
    QTextCursor cursor(RichTextBox1->document());
    QFont font(QString::fromStdString(doc.font));
    font.setStyleHint(QFont::TypeWriter);
    for (size_t p = 0; p < doc.paragraphs.size(); ++p) {
        if (p > 0) cursor.insertBlock();
        for (const auto& run : doc.paragraphs[p]) {
            QTextCharFormat format;
            format.setFont(font);
            format.setFontPointSize(run.halfPoints / 2.0);
            format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
            format.setFontItalic(run.italic);
            format.setForeground(Rgb(run.color));
            cursor.insertText(samples::ToQt(run.text), format);
        }
    }
    RichTextBox1->moveCursor(QTextCursor::Start);
    return true;
}

void Form1::ClearTree()
{
    TView->clear();
    RootShown = false;
    Tree_.Clear();
}

void Form1::ShowTree()
{
    const auto shown = Tree_.Layout(ReduceTree);
    std::vector<QTreeWidgetItem*> items(Tree_.Nodes().size(), nullptr);
    int count = 0;
    for (const auto& s : shown) {
        const MemNode& node = Tree_.Nodes()[static_cast<size_t>(s.node)];
        QTreeWidgetItem* item = nullptr;
        if (!RootShown) {
            item = new QTreeWidgetItem(TView, QStringList(samples::ToQt(node.txt)));
            item->setForeground(0, QColor(0, 0, 255));
            item->setBackground(0, QColor(255, 255, 0));
            RootShown = true;
        } else {
            if (count >= NodeLimit) {
                TreeNodeLimitError();
                continue;
            }
            QTreeWidgetItem* parent = s.parent >= 0 ? items[static_cast<size_t>(s.parent)] : nullptr;
            if (!parent) break;
            item = new QTreeWidgetItem(parent, QStringList(samples::ToQt(node.txt)));
            if (node.leaf) {
                item->setForeground(0, QColor(255, 0, 0));
                QFont bold = item->font(0);
                bold.setBold(true);
                item->setFont(0, bold);
            } else {
                item->setForeground(0, QColor(0, 0, 255));
            }
        }
        ++count;
        item->setData(0, NodeRole, s.node);
        items[static_cast<size_t>(s.node)] = item;
        if (!node.leaf) item->setExpanded(true);
    }
    // A new tree is shown from its root.
    if (QTreeWidgetItem* root = TView->topLevelItem(0)) TView->scrollToItem(root, QAbstractItemView::PositionAtTop);
    TView->horizontalScrollBar()->setValue(0);
}

void Form1::TreeNodeLimitError()
{
    Status->setText(". TreeView Control can not support more then 32767 nodes. Process interrupted by system.");
}

// Selects in the source box the text that the node derived, from the node's own range.
void Form1::TView_NodeClick(QTreeWidgetItem* node)
{
    if (!node) return;
    const int at = node->data(0, NodeRole).toInt();
    if (at < 0 || static_cast<size_t>(at) >= Tree_.Nodes().size()) return;
    const MemNode& n = Tree_.Nodes()[static_cast<size_t>(at)];
    // Positions count CR LF as two characters; the box holds one line feed for each.
    const std::string source = SourceText();
    auto boxPosition = [&](long index) { // 0-based index into the source
        long crs = 0;
        for (long i = 0; i < index && static_cast<size_t>(i) < source.size(); ++i)
            if (source[static_cast<size_t>(i)] == '\r' && static_cast<size_t>(i) + 1 < source.size() &&
                source[static_cast<size_t>(i) + 1] == '\n')
                ++crs;
        return static_cast<int>(index - crs);
    };
    const long from = SourceOffset + n.start - 1;
    const long to = SourceOffset + std::max(n.end, n.start - 1);
    QTextCursor cursor = Source[0]->textCursor();
    cursor.setPosition(boxPosition(from));
    cursor.setPosition(boxPosition(to), QTextCursor::KeepAnchor);
    Source[0]->setTextCursor(cursor);
}

void Form1::mnuOpen_Click()
{
    Form2 chooser(*this);
    chooser.exec();
}

void Form1::mnuExit_Click() { close(); }

} // namespace kelvantroc
