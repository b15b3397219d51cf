// The five pages of the options dialog, one class each. A page shows its fields of an options
// value and writes the user's changes back into one; what depends on another page's field
// (a Show box or an extension box behind a cleared "before" box) follows the whole value.
#pragma once

#include <QCheckBox>
#include <QWidget>
#include <array>
#include <initializer_list>
#include <vector>

#include "options_string.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A check box that clicks as the option boxes do: ticked and gray both go to clear.
class OptionCheckBox final : public QCheckBox {
public:
    using QCheckBox::QCheckBox;
    // 0 clear, 1 ticked, 2 gray.
    int Value() const;
    void SetValue(int value);

protected:
    void nextCheckState() override;
};

class OptionsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Fills the controls from the value; the program's filling is no edit.
    void Load(const options::OptionValues& values);
    // Writes the page's fields of the value from its controls.
    virtual void Take(options::OptionValues& values) const = 0;
    // Enables and locks the controls that depend on the value's other fields.
    virtual void Follow(const options::OptionValues&) {}

signals:
    // The user changed a control; `returnsDefault` when the change takes the Default box
    // back from a preset (every change but a click on one of the presets' own first choices).
    void Edited(bool returnsDefault);

protected:
    virtual void fill(const options::OptionValues& values) = 0;
    // Reports a user's click on each box and button of the page.
    void reportClicks();
    bool loading_ = false;
};

class LanguagesPage final : public OptionsPage {
    Q_OBJECT
public:
    explicit LanguagesPage(QWidget* parent = nullptr);
    void Take(options::OptionValues& values) const override;

    QRadioButton *optVB = nullptr, *optVBScript = nullptr, *optFortran90 = nullptr, *optFortran77 = nullptr,
                 *optJava = nullptr, *optJScript = nullptr, *optDelphi = nullptr, *optCc = nullptr, *optCpp = nullptr;
    QRadioButton *optTypical = nullptr, *optW3C = nullptr, *optMSDN = nullptr, *optMSDNComma = nullptr;

protected:
    void fill(const options::OptionValues& values) override;

private:
    // In field order: the notations, then the languages.
    std::array<QRadioButton*, 13> buttons() const;
};

// A page of check boxes that hold a run of the check fields.
class CheckBoxesPage : public OptionsPage {
    Q_OBJECT
public:
    using OptionsPage::OptionsPage;
    void Take(options::OptionValues& values) const override;

protected:
    void fill(const options::OptionValues& values) override;
    // The boxes of the fields from `first` on, in field order.
    void holdFields(options::Check first, std::initializer_list<OptionCheckBox*> boxes);
    OptionCheckBox* box(options::Check field) const { return boxes_[static_cast<size_t>(field - first_)]; }

private:
    options::Check first_ = options::PreFact;
    std::vector<OptionCheckBox*> boxes_;
};

class BuildPage final : public CheckBoxesPage {
    Q_OBJECT
public:
    explicit BuildPage(QWidget* parent = nullptr);

    OptionCheckBox *chkPreDead = nullptr, *chkPreUnreach = nullptr, *chkPreFact = nullptr,
                   *chkPreLeftRecursion = nullptr, *chkPreLoops = nullptr;
    OptionCheckBox *chkBuildActions = nullptr, *chkBuildTree = nullptr, *chkBuildNames = nullptr;
};

class ShowPage final : public CheckBoxesPage {
    Q_OBJECT
public:
    explicit ShowPage(QWidget* parent = nullptr);
    // A transformation's Show box is disabled while its "before" box is clear; it keeps its
    // value.
    void Follow(const options::OptionValues& values) override;

    OptionCheckBox *chkShowDead = nullptr, *chkShowUnreach = nullptr, *chkShowFact = nullptr, *chkShowLoops = nullptr,
                   *chkShowLeftRecursion = nullptr, *chkShowNull = nullptr, *chkShowNonterminals = nullptr,
                   *chkShowTerminals = nullptr, *chkShowSelect = nullptr, *chkShowIsEndOf = nullptr,
                   *chkShowBeginsWith = nullptr, *chkShowIsFollowedBy = nullptr, *chkShowParser = nullptr;
};

class FilesPage final : public OptionsPage {
    Q_OBJECT
public:
    explicit FilesPage(QWidget* parent = nullptr);
    void Take(options::OptionValues& values) const override;
    // A transformation's extension box is locked while its "before" box is clear.
    void Follow(const options::OptionValues& values) override;
    // The box of an extension field, by its position in the extension list.
    QLineEdit* Box(int extension) const { return boxes_[static_cast<size_t>(extension)]; }
    // The box's label, which names the field in a message.
    static QString Label(int extension);

    QLineEdit *txtSource = nullptr, *txtDead = nullptr, *txtUnreach = nullptr, *txtFact = nullptr, *txtLoops = nullptr,
              *txtLeftRecursion = nullptr, *txtNull = nullptr, *txtNonterminals = nullptr, *txtTerminals = nullptr,
              *txtSelect = nullptr, *txtParserCode = nullptr;

protected:
    void fill(const options::OptionValues& values) override;

private:
    std::array<QLineEdit*, options::ExtCount> boxes_{};
};

class FontsPage final : public OptionsPage {
    Q_OBJECT
public:
    explicit FontsPage(QWidget* parent = nullptr);
    void Take(options::OptionValues& values) const override;
    // Draws the sample of the graphic marker: a small circle in the text marker's colour.
    void DrawMarkerSample();

    std::array<QPushButton*, options::FontCount> cmdFont{}; // cmdFontTexts ... cmdErrorFont
    QRadioButton *optMarkerTxt = nullptr, *optMarkerGra = nullptr;
    QLabel* lblMarker = nullptr;
    QLabel* Marker = nullptr;

signals:
    // A font button: record 0 (texts) to 6 (errors), in the order of the font fields.
    void FontClicked(int record);

protected:
    void fill(const options::OptionValues& values) override;
};

// Locks a text box on the button-face colour, or unlocks it on the window colour.
void SetLocked(QLineEdit* box, bool locked);
