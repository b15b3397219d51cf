#include "form2.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "form1.h"
#include "qt_text.h"
#include "source_file.h"

namespace kelvantroc {

QString Form2::SourcePath;
QString Form2::fileSourceName;

namespace {

std::filesystem::path PathOf(const QString& name) { return std::filesystem::path(name.toStdString()); }

} // namespace

Form2::Form2(Form1& main) : QDialog(&main), Main(main)
{
    setWindowTitle(QString::fromUtf8("Выбор файла"));
    Drive1 = new QComboBox(this);
    for (const QFileInfo& drive : QDir::drives()) Drive1->addItem(drive.absoluteFilePath());
    Dir1 = new QListWidget(this);
    lblFolder = new QLabel(this);
    lblFolder->setTextFormat(Qt::PlainText);
    File1 = new QListWidget(this);
    Text1 = new QLineEdit("*.cpp", this);
    cmdLoad = {new QPushButton(QString::fromUtf8("Загрузить"), this),
               new QPushButton(QString::fromUtf8("Сохранить"), this),
               new QPushButton(QString::fromUtf8("Закрыть"), this)};

    auto* layout = new QGridLayout(this);
    layout->addWidget(Text1, 0, 0, 1, 3);
    layout->addWidget(lblFolder, 1, 0, 1, 3);
    layout->addWidget(Drive1, 2, 0);
    layout->addWidget(Dir1, 3, 0);
    layout->addWidget(File1, 2, 1, 2, 2);
    for (int i = 0; i < 3; ++i) layout->addWidget(cmdLoad[static_cast<size_t>(i)], 4, i);

    connect(Drive1, &QComboBox::activated, this, [this] { Drive1_Change(); });
    connect(Dir1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { Dir1_Change(Folder.absoluteFilePath(item->text())); });
    connect(File1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { File1_Click(item); });
    connect(File1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { File1_DblClick(item); });
    for (int i = 0; i < 3; ++i)
        connect(cmdLoad[static_cast<size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdLoad_Click(i); });
    resize(560, 360);
    Form_Load();
}

void Form2::Form_Load()
{
    Folder = QDir(SourcePath.isEmpty() ? QDir::currentPath() : SourcePath);
    if (!Folder.exists()) Folder = QDir::current();
    ListFolder();
}

void Form2::ListFolder()
{
    Folder.makeAbsolute();
    lblFolder->setText(QDir::toNativeSeparators(Folder.absolutePath()));
    Dir1->clear();
    Dir1->addItems(Folder.entryList(QDir::Dirs | QDir::NoDot, QDir::Name));
    File1->clear();
    File1->addItems(Folder.entryList({"*.cpp", "*.c", "*.cxx"}, QDir::Files, QDir::Name));
}

void Form2::Drive1_Change() { Dir1_Change(Drive1->currentText()); }

void Form2::Dir1_Change(const QString& folder)
{
    const QDir next(folder);
    if (!next.exists()) return;
    Folder = QDir(next.canonicalPath());
    ListFolder();
    Text1->setText(Folder.absolutePath());
}

void Form2::File1_Click(QListWidgetItem* item)
{
    if (!item) return;
    Text1->setText(Folder.absoluteFilePath(item->text()));
    SourcePath = Folder.absolutePath() + "/";
}

void Form2::File1_DblClick(QListWidgetItem* item)
{
    File1_Click(item);
    cmdLoad_Click(0);
}

void Form2::cmdLoad_Click(int index)
{
    hide();
    QApplication::processEvents();
    if (index == 0) {
        fileSourceName = InFolder(Text1->text());
        LoadSourceFile(fileSourceName);
    } else if (index == 1) {
        fileSourceName = InFolder(Text1->text());
        SaveSourceFile(fileSourceName);
    }
    done(index == 2 ? QDialog::Rejected : QDialog::Accepted);
    if (Main.isVisible()) Main.Source[0]->setFocus();
}

QString Form2::InFolder(const QString& name) const { return name.isEmpty() ? name : Folder.absoluteFilePath(name); }

void Form2::LoadSourceFile(const QString& name)
{
    std::string text;
    TextEncoding encoding = TextEncoding::Cp1251;
    if (!kelvantroc::LoadSourceFile(PathOf(name), text, Main.Message(), &encoding)) return;
    QString shown = encoding == TextEncoding::Cp1251 ? samples::ToQt(text) : QString::fromUtf8(text);
    Main.Source[0]->setPlainText(shown.replace("\r\n", "\n"));
    Main.SourceEncoding = encoding;
}

void Form2::SaveSourceFile(const QString& name)
{
    std::string bytes;
    if (Main.SourceEncoding == TextEncoding::Cp1251) {
        bytes = Main.SourceText();
    } else {
        QString text = Main.Source[0]->toPlainText();
        bytes = text.replace("\n", "\r\n").toStdString();
    }
    kelvantroc::SaveSourceFile(PathOf(name), bytes, Main.Message(), Main.SourceEncoding);
}

} // namespace kelvantroc
