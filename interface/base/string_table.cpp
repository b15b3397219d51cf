#include "string_table.h"

#include <QAction>
#include <QFont>
#include <QLocale>
#include <QWidget>
#include <array>

namespace {

constexpr int kFirst = 1000;
constexpr std::array<const char*, 103> kStrings = {
    "&File",
    "&New",
    "&Open...",
    "&Close Grammar",
    "&Save Grammar",
    "Save Grammar &As...",
    "Save A&ll Grammars",
    "Propert&ies",
    "Page Set&up...",
    "&Replace...",
    "&Print...",
    "Find &Next",
    "E&xit",
    "&Edit",
    "&Undo",
    "Cu&t",
    "&Copy",
    "&Paste",
    "&Find...",
    "&View",
    "&Toolbar",
    "Status &Bar",
    "&Refresh",
    "&Options...",
    "&Web Browser",
    "&Tools",
    "&Options...",
    "&Window",
    "&New Window",
    "&Cascade",
    "Tile &Horizontal",
    "Tile &Vertical",
    "&Arrange Icons",
    "&Help",
    "&Contents",
    "&Search For Help On...",
    "&About ",
    "New",
    "Open",
    "Save",
    "Print",
    "Cut",
    "Copy",
    "Paste",
    "Find",
    "&Undo Transformation",
    "&Redo Transformation",
    "VB, VBA",
    "Fortran 77",
    "Fortran 90",
    "Help",
    "Copyright",
    "Company",
    "Warning",
    "Version",
    "Platform",
    "CompanyProduct",
    "Product",
    "LicenseTo",
    "Options",
    "Before parser code builder starts:",
    "Show result windows",
    "Extensions of the associated files",
    "Fonts",
    "&Apply",
    "Cancel",
    "OK",
    "About Tamberlix",
    "&System Info...",
    "OK",
    "Warning: ...",
    "Version",
    "Application Title",
    "App Description",
    "Java",
    "Delphi",
    "VBScript",
    "JScript",
    "&Remove Results",
    "&Navigation",
    "&Process Window",
    "Left &Factoring",
    "Reduce Indirect Left Recursion to Immediate One",
    "Eliminate Immediate Left Recursion",
    "Parse Grammar",
    "Build Derivation Tree",
    "Parser code builder",
    "Switch of Colouring/Fast Work",
    "&Docking View",
    "&Split",
    "Remove &Extraneous Symbols",
    "Select &All",
    "Active Grammar No&tation",
    "Typical EBNF",
    "W3C EBNF",
    "... repeater",
    "... repeater;",
    "Test of grammar for a belonging to LL(1) type",
    "Build Parser",
    "Sa&ve Parser",
    "Save Pa&rser As...",
    "Sav&e All Parsers",
    "&Save Grammar&&Parser",
};

int idOf(const QObject* o, const char* property)
{
    bool ok = false;
    const int id = o->property(property).toInt(&ok);
    return ok ? id : 0;
}

template <typename Apply>
void withString(const QObject* o, const char* property, Apply apply)
{
    const QString s = LoadResString(idOf(o, property));
    if (!s.isEmpty()) apply(s);
}

} // namespace

QString LoadResString(int id)
{
    if (id < kFirst || id >= kFirst + static_cast<int>(kStrings.size())) return QString();
    return QString::fromLatin1(kStrings[static_cast<size_t>(id - kFirst)]);
}

void LoadFormStrings(QWidget* form)
{
    if (!form) return;
    withString(form, "tag", [form](const QString& s) { form->setWindowTitle(s); });
    const auto label = [](QObject* o, const QString& s) {
        if (auto* a = qobject_cast<QAction*>(o)) a->setText(s);
        else o->setProperty("text", s);
    };
    for (QObject* o : form->findChildren<QObject*>()) {
        withString(o, "tag", [o, &label](const QString& s) { label(o, s); });
        withString(o, "tip", [o](const QString& s) {
            if (auto* a = qobject_cast<QAction*>(o)) a->setToolTip(s);
            else if (auto* w = qobject_cast<QWidget*>(o)) w->setToolTip(s);
        });
    }
}

int UserLocaleId()
{
    const QLocale l = QLocale::system();
    switch (l.language()) {
    case QLocale::Chinese:
        return l.territory() == QLocale::Taiwan ? 1028 : 2052;
    case QLocale::Japanese:
        return 1041;
    case QLocale::Korean:
        return 1042;
    case QLocale::Greek:
        return 1032;
    case QLocale::Russian:
        return 1049;
    case QLocale::Turkish:
        return 1055;
    case QLocale::German:
        return 1031;
    case QLocale::Spanish:
        return 1034;
    case QLocale::Finnish:
        return 1035;
    case QLocale::French:
        return 1036;
    case QLocale::English:
        return l.territory() == QLocale::UnitedKingdom ? 2057 : 1033;
    default:
        return 1033;
    }
}

int PickLocaleFont(QFont& font, int locale)
{
    if (locale == 0) locale = UserLocaleId();
    const auto set = [&font](const QString& name, int size) {
        font.setFamilies(QStringList{name});
        font.setPointSize(size);
    };
    switch (locale) {
    case 1028:
        set(QString::fromUtf8("\xE6\x96\xB0\xE7\xB4\xB0\xE6\x98\x8E\xE9\xAB\x94"), 9);
        return 136;
    case 1041:
        set(QString::fromUtf8("\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF"),
            9);
        return 128;
    case 1042:
        set(QString::fromUtf8("\xEA\xB5\xB4\xEB\xA6\xBC"), 9);
        return 129;
    case 2052:
        set(QString::fromUtf8("\xE5\xAE\x8B\xE4\xBD\x93"), 9);
        return 134;
    case 1032:
        return 161;
    case 1049:
        return 204;
    case 1055:
        return 162;
    case 1031:
    case 1033:
    case 1034:
    case 1035:
    case 1036:
    case 2055:
    case 2057:
    case 2058:
    case 2060:
    case 3079:
    case 3081:
    case 3082:
    case 3084:
    case 4103:
    case 4105:
    case 4108:
    case 5127:
    case 5129:
    case 5132:
    case 6153:
    case 7177:
        return 0;
    default:
        font = QFont();
        font.setPointSize(8);
        return 1;
    }
}
