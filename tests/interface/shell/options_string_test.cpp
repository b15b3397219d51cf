// The stored options text: exact bytes of both built-in sets, the round trip, and damaged texts
// read field by field.
#include <gtest/gtest.h>

#include <QStringList>
#include <functional>

#include "options_string.h"

using namespace options;

namespace {

const QString kDefaultText = QStringLiteral(
    "0,1,1,1,1,0,0,0,0,0,0,1,1,1,0,0,0,1,"
    "True,False,False,False,True,False,False,False,False,False,False,False,False,True,False,"
    ".grm,.tmp,.tmp,.tmp,.tmp,.tmp,.tmp,.tmp,.tmp,.tmp,"
    "Courier New,10,False,False,False,False,-2147483640,"
    "Arial,7,False,False,False,False,-2147483635,"
    "Courier New,10,False,False,False,False,8388608,"
    "Courier New,10,False,False,False,False,12582912,"
    "Courier New,10,False,False,False,False,8421504,"
    "Courier New,10,False,False,False,False,32768,"
    "Courier New,10,False,False,False,False,192,");

// The fields of a text, without the empty piece after the last comma.
QStringList fieldsOf(const QString& text)
{
    QStringList f = text.split(QLatin1Char(','));
    f.removeLast();
    return f;
}

QString withField(const QString& text, int field, const QString& value)
{
    QStringList f = fieldsOf(text);
    f[field - 1] = value;
    return f.join(QLatin1Char(',')) + QLatin1Char(',');
}

} // namespace

TEST(OptionsString, TheDefaultSetIsStoredAsThisText)
{
    EXPECT_EQ(FormatOptions(DefaultSet()), kDefaultText);
    EXPECT_EQ(kDefaultText.count(QLatin1Char(',')), FieldCount);
}

TEST(OptionsString, TheDemonstrationSetDiffersInTreeNamesMatricesSizesAndTheErrorColour)
{
    const QStringList demo = fieldsOf(FormatOptions(DemoSet()));
    const QStringList def = fieldsOf(kDefaultText);
    ASSERT_EQ(demo.size(), FieldCount);
    QStringList differing;
    for (int k = 0; k < FieldCount; ++k)
        if (demo[k] != def[k]) differing << QStringLiteral("%1=%2").arg(k + 1).arg(demo[k]);
    // Check boxes of the tree, the names, the nullable rules and the three matrices; the size of
    // every record but the matrix titles; the colour of errors, RGB(128, 0, 0).
    EXPECT_EQ(differing.join(' '), "6=1 7=1 11=1 15=1 16=1 17=1 45=8 59=8 66=8 73=8 80=8 87=8 92=128");
    EXPECT_EQ(demo.mid(43, 7).join(','), "Courier New,8,False,False,False,False,-2147483640");
}

TEST(OptionsString, BothSetsAndAChangedSetReadBackUnchanged)
{
    OptionValues changed = DemoSet();
    changed.defaultBox = 2;
    changed.checks[ShowNull] = 2;
    changed.buttons[VB] = false;
    changed.buttons[Java] = true;
    changed.buttons[Typical] = false;
    changed.buttons[MSDNComma] = true;
    changed.extensions[Fact] = QStringLiteral(".fact file");
    changed.fonts[2].FontName = "DejaVu Sans Mono";
    changed.fonts[2].FontBold = changed.fonts[2].FontStrikethru = true;
    changed.fonts[6].FontColor = 0xFFFFFF;
    for (const OptionValues& v : {DefaultSet(), DemoSet(), changed}) {
        const ReadResult r = ReadOptions(FormatOptions(v), DefaultSet());
        EXPECT_FALSE(r.damaged) << r.firstDamagedField;
        EXPECT_TRUE(r.values == v);
    }
}

TEST(OptionsString, DamagedTextsKeepEveryGoodFieldAndTakeTheDefaultForTheRest)
{
    const OptionValues demo = DemoSet();
    const QString demoText = FormatOptions(demo);
    const OptionValues def = DefaultSet();
    struct Case {
        const char* name;
        QString text;
        int firstDamaged;
        std::function<void(const OptionValues&)> check;
    };
    const Case cases[] = {
        {"empty", QString(), 1, [&](const OptionValues& v) { EXPECT_TRUE(v == def); }},
        {"cut after field 40", fieldsOf(demoText).mid(0, 40).join(',') + ",", 41,
         [&](const OptionValues& v) {
             EXPECT_EQ(v.checks, demo.checks);
             EXPECT_EQ(v.extensions[Loops], demo.extensions[Loops]);
             EXPECT_EQ(v.extensions[Select], def.extensions[Select]);
             EXPECT_EQ(v.fonts[0].FontSize, 10);
         }},
        {"last comma missing", demoText.chopped(1), 92,
         [&](const OptionValues& v) {
             EXPECT_EQ(v.fonts[6].FontSize, demo.fonts[6].FontSize);
             EXPECT_EQ(v.fonts[6].FontColor, def.fonts[6].FontColor);
         }},
        {"a check box not a number", withField(demoText, 6, "yes"), 6,
         [&](const OptionValues& v) {
             EXPECT_EQ(v.checks[BuildTree], def.checks[BuildTree]);
             EXPECT_EQ(v.checks[BuildNames], demo.checks[BuildNames]);
         }},
        {"a check box of 3", withField(demoText, 11, "3"), 11,
         [&](const OptionValues& v) { EXPECT_EQ(v.checks[ShowNull], 0); }},
        {"a button not logical", withField(demoText, 27, "maybe"), 27,
         [&](const OptionValues& v) {
             EXPECT_TRUE(v.buttons[VB]);
             EXPECT_FALSE(v.buttons[Java]);
         }},
        {"two notations chosen", withField(demoText, 21, "True"), 19,
         [&](const OptionValues& v) {
             EXPECT_TRUE(v.buttons[Typical]);
             EXPECT_FALSE(v.buttons[MSDN]);
         }},
        {"a size not a number", withField(demoText, 59, "big"), 59,
         [&](const OptionValues& v) {
             EXPECT_EQ(v.fonts[2].FontSize, 10);
             EXPECT_EQ(v.fonts[2].FontName, "Courier New");
             EXPECT_EQ(v.fonts[3].FontSize, 8);
         }},
        {"a size of 0", withField(demoText, 45, "0"), 45, [&](const OptionValues& v) { EXPECT_EQ(v.fonts[0].FontSize, 10); }},
        {"a colour beyond RGB", withField(demoText, 92, "16777216"), 92,
         [&](const OptionValues& v) { EXPECT_EQ(v.fonts[6].FontColor, def.fonts[6].FontColor); }},
        {"an extension with a path", withField(demoText, 36, "../../etc/passwd"), 36,
         [&](const OptionValues& v) {
             EXPECT_EQ(v.extensions[Unreach], ".tmp");
             EXPECT_EQ(v.extensions[Source], ".grm");
         }},
        {"an extension with a folder", withField(demoText, 34, "/tmp/x"), 34,
         [&](const OptionValues& v) { EXPECT_EQ(v.extensions[Source], ".grm"); }},
        {"a comma inside a font name", withField(demoText, 44, "Courier, New"), 45,
         [&](const OptionValues& v) {
             // The fields after it are shifted: each takes a sound value, nothing is out of range.
             EXPECT_EQ(v.fonts[0].FontName, "Courier");
             EXPECT_FALSE(v.fonts[0].FontBold);
             EXPECT_EQ(v.fonts[1].FontName, "Arial");
             for (const FontRec& f : v.fonts) {
                 EXPECT_GE(f.FontSize, 1);
                 EXPECT_FALSE(f.FontName.empty());
             }
             EXPECT_EQ(v.extensions, demo.extensions);
             EXPECT_EQ(v.checks, demo.checks);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult r = ReadOptions(c.text, def);
        EXPECT_TRUE(r.damaged);
        EXPECT_EQ(r.firstDamagedField, c.firstDamaged);
        c.check(r.values);
    }
}

TEST(OptionsString, AGrayBoxAndTextAfterTheLastFieldReadAsStored)
{
    QString text = withField(kDefaultText, 2, "2") + QStringLiteral("extra,fields,");
    const ReadResult r = ReadOptions(text, DemoSet());
    EXPECT_FALSE(r.damaged);
    EXPECT_EQ(r.values.checks[PreFact], 2);
    EXPECT_EQ(r.values.fonts[6].FontColor, 192);
}

TEST(OptionsString, ResultExtensionsEqualToTheSourceOneGetTheirPosition)
{
    std::array<QString, ExtCount> all;
    all.fill(QStringLiteral(".tmp"));
    DistinctResultExtensions(all);
    EXPECT_EQ(QStringList(all.begin(), all.end()).join(' '), ".tmp .tmp2 .tmp3 .tmp4 .tmp5 .tmp6 .tmp7 .tmp8 .tmp9 .tmp10");

    std::array<QString, ExtCount> upper = all;
    upper.fill(QStringLiteral(".tmp"));
    upper[Source] = QStringLiteral(".TMP");
    DistinctResultExtensions(upper);
    EXPECT_EQ(upper[Dead], ".tmp");
}

TEST(OptionsString, ExtensionsAndFontNamesThatCannotBeKept)
{
    struct Case {
        const char* text;
        bool extensionOk;
        bool fontNameOk;
    };
    const Case cases[] = {
        {".tmp", true, true},         {"tmp", true, true},        {".a b", true, true},
        {".a,b", false, false},       {"/x", false, true},        {"a\\b", false, true},
        {"..", false, true},          {".x\ny", false, false},    {"Courier New", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ExtensionProblem(QString::fromLatin1(c.text)).isEmpty(), c.extensionOk);
        EXPECT_EQ(FontNameProblem(QString::fromLatin1(c.text)).isEmpty(), c.fontNameOk);
    }
}
