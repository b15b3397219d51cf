// The message dialog's logic and the file chooser's loading and saving, with scripted answers.
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <iterator>

#include "code_page.h"
#include "messages.h"
#include "source_file.h"
#include "support/work_folder.h"
#include "Samples/kelvantroc/scripted_person.h"

namespace {

using namespace kelvantroc;
using cp1251::fromUtf8;


std::string Read(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

TEST(MessageDialog, SuppressionKeepsTheAnswerGivenWithItsCaption)
{
    for (const bool answer : {true, false}) {
        ScriptedPerson person;
        Messages messages(person);
        person.replies = {{answer, true}};
        EXPECT_EQ(messages.ShowIt("q1", "Save", ContinueCancel), answer);
        // Later dialogs of that caption, in any letter case, are not shown and get the same answer.
        EXPECT_EQ(messages.ShowIt("q2", "SAVE", ContinueCancel), answer);
        EXPECT_EQ(messages.ShowIt("m", "save", OkOnly), answer);
        EXPECT_EQ(person.shown.size(), 1u);
        // Other captions are still shown.
        person.replies = {{true, false}};
        EXPECT_TRUE(messages.ShowIt("x", "Other"));
        EXPECT_EQ(person.shown.size(), 2u);
    }
}

TEST(MessageDialog, CyrillicCaptionsCompareWithoutCase)
{
    EXPECT_TRUE(SameCaption(fromUtf8("Сохранение файла"), fromUtf8("СОХРАНЕНИЕ ФАЙЛА")));
    EXPECT_FALSE(SameCaption(fromUtf8("Сохранение файла"), fromUtf8("Чтение файла")));
}

TEST(MessageDialog, TheCloseBoxIsCancel)
{
    ScriptedPerson person;
    Messages messages(person);
    messages.MessageAnswer = true;
    person.replies = {MessageReply{}};  // closed without a button
    EXPECT_FALSE(messages.ShowIt("q", "Save", ContinueCancel));
    EXPECT_FALSE(messages.MessageAnswer);
    EXPECT_EQ(person.shown.at(0).mode, ContinueCancel);
}

TEST(SourceFile, LoadAndSaveKeepTheText)
{
    test_support::WorkFolder folder("kelvantroc-files");
    ScriptedPerson person;
    Messages messages(person);
    const auto file = folder.Path() / "a.cpp";
    const std::string text = "a +\r\n  b\r\n\r\n* c";
    ASSERT_TRUE(SaveSourceFile(file, text, messages));
    EXPECT_EQ(Read(file), text + "\r\n");  // saving adds one line break
    std::string loaded = "old";
    ASSERT_TRUE(LoadSourceFile(file, loaded, messages));
    EXPECT_EQ(loaded, text);  // loading removes it
    EXPECT_TRUE(person.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "a.cpp.saving"));

    // A file with LF line ends reads with CR LF.
    Write(file, "x\ny\n");
    ASSERT_TRUE(LoadSourceFile(file, loaded, messages));
    EXPECT_EQ(loaded, "x\r\ny");
}

TEST(SourceFile, AnEmptyFileExists)
{
    test_support::WorkFolder folder("kelvantroc-files");
    ScriptedPerson person;
    Messages messages(person);
    const auto file = folder.Path() / "empty.cpp";
    Write(file, "");
    EXPECT_TRUE(ExistFile(file));
    std::string loaded = "old";
    EXPECT_TRUE(LoadSourceFile(file, loaded, messages));
    EXPECT_EQ(loaded, "");
    EXPECT_TRUE(person.shown.empty());
    // Saving over it asks first.
    person.replies = {{false, false}};
    EXPECT_FALSE(SaveSourceFile(file, "a", messages));
    EXPECT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(Read(file), "");
}

TEST(SourceFile, MissingFileAndBadName)
{
    test_support::WorkFolder folder("kelvantroc-files");
    ScriptedPerson person;
    Messages messages(person);
    const auto missing = folder.Path() / "none.cpp";
    std::string text = "kept";
    EXPECT_FALSE(LoadSourceFile(missing, text, messages));
    EXPECT_EQ(text, "kept");
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(person.shown[0].text, fromUtf8("Файл " + missing.string() + " не существует"));
    EXPECT_EQ(person.shown[0].caption, fromUtf8("Чтение файла"));
    EXPECT_EQ(person.shown[0].mode, OkOnly);

    const auto bad = folder.Path() / "no-such-folder" / "x.cpp";
    EXPECT_FALSE(SaveSourceFile(bad, "a", messages));
    ASSERT_EQ(person.shown.size(), 2u);
    EXPECT_EQ(person.shown[1].text, fromUtf8("Неправильное имя файла " + bad.string()));
    EXPECT_EQ(person.shown[1].caption, fromUtf8("Сохранение файла"));
    EXPECT_FALSE(SaveSourceFile(folder.Path(), "a", messages));  // a folder is no file name
}

TEST(SourceFile, WildcardNamesAndFoldersAreRefused)
{
    test_support::WorkFolder folder("kelvantroc-files");
    std::filesystem::create_directory(folder.Path() / "sub");
    for (const std::string name : {"*.cpp", "a?.cpp", "*", "sub", "sub/"}) {
        ScriptedPerson person;
        Messages messages(person);
        const auto file = folder.Path() / name;
        EXPECT_FALSE(SaveSourceFile(file, "a", messages)) << name;
        ASSERT_EQ(person.shown.size(), 1u) << name;
        EXPECT_EQ(person.shown[0].text, fromUtf8("Неправильное имя файла " + file.string()));
        EXPECT_EQ(person.shown[0].mode, OkOnly);
    }
    // Nothing was written: the folder holds the sub-folder alone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()), 1);
}

TEST(SourceFile, AFileIsReadAsUtf8WhenItIsValidUtf8)
{
    const struct {
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"a + b", TextEncoding::Cp1251},                                         // ASCII reads the same either way
        {"\"\xD0\xB6\xD1\x91\xD0\xBB\xD1\x82\xD1\x8B\xD0\xB9\"", TextEncoding::Utf8},  // "жёлтый"
        {"\"\xE6\xB8\xEB\xF2\xFB\xE9\"", TextEncoding::Cp1251},                   // "жёлтый" in the code page
        {"\xEF\xBB\xBF" "a", TextEncoding::Utf8WithBom},
        {"x \xF0\x9F\x98\x80", TextEncoding::Utf8},                               // beyond the first plane
        {"\xC0\xAF", TextEncoding::Cp1251},                                      // an overlong form
        {"\xED\xA0\x80", TextEncoding::Cp1251},                                  // a surrogate
        {"\xF4\x90\x80\x80", TextEncoding::Cp1251},                              // past U+10FFFF
        {"\xD0", TextEncoding::Cp1251},                                          // cut short
        {"\xD0\xB6\xD0", TextEncoding::Cp1251},
    };
    for (const auto& tc : cases) EXPECT_EQ(EncodingOf(tc.bytes), tc.encoding) << tc.bytes;
}

TEST(SourceFile, SavingKeepsTheEncodingItWasReadIn)
{
    test_support::WorkFolder folder("kelvantroc-files");
    ScriptedPerson person;
    Messages messages(person);
    const auto file = folder.Path() / "u.cpp";
    for (const std::string bytes : {"\xEF\xBB\xBF\xD0\xB6 +\r\n\xE2\x86\x92\r\n", "\xD0\xB6 +\nb\n", "\xE6 + b\r\n"}) {
        Write(file, bytes);
        std::string text;
        TextEncoding encoding = TextEncoding::Cp1251;
        ASSERT_TRUE(LoadSourceFile(file, text, messages, &encoding));
        EXPECT_EQ(encoding, EncodingOf(bytes));
        EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos);  // the mark is no part of the text
        person.replies = {{true, false}};
        ASSERT_TRUE(SaveSourceFile(file, text, messages, encoding));
        std::string crlf = bytes;
        if (crlf.find("\r\n") == std::string::npos)
            for (size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2) crlf.insert(at, "\r");
        EXPECT_EQ(Read(file), crlf);
    }
}

TEST(SourceFile, OverwriteFollowsTheAnswerAndItsSuppression)
{
    test_support::WorkFolder folder("kelvantroc-files");
    const auto file = folder.Path() / "s.cpp";
    for (const bool answer : {true, false}) {
        Write(file, "old\r\n");
        ScriptedPerson person;
        Messages messages(person);
        person.replies = {{answer, true}};  // "Don't show it next time" ticked
        EXPECT_EQ(SaveSourceFile(file, "new1", messages), answer);
        ASSERT_EQ(person.shown.size(), 1u);
        EXPECT_EQ(person.shown[0].text, fromUtf8("Файл " + file.string() + " существует, перезаписать его?"));
        EXPECT_EQ(person.shown[0].mode, ContinueCancel);
        EXPECT_EQ(SaveSourceFile(file, "new2", messages), answer);
        EXPECT_EQ(person.shown.size(), 1u);  // not asked again
        EXPECT_EQ(Read(file), answer ? "new2\r\n" : "old\r\n");
    }
}

}  // namespace
