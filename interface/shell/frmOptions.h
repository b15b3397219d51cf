// The options dialog: target language, notation, transformations before a build, generator
// options, result windows, result-file extensions, the seven fonts and the matrix marker. Most
// controls act on the program-wide variables at once; Apply and OK store everything as the
// options string; Cancel puts back what the dialog changed.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QStringList>
#include <array>
#include <vector>

#include "options_string.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

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

class frmOptions final : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);
    ~frmOptions() override;

    // ---- the stored string ----
    void OptionsInit();
    void SaveOptions();
    void ApplyOptions(bool setDefaultBox);
    void FillOptCollection();
    void RemoveOptCollection();
    void SetDefaultOptions();
    void SetDemoOptions();

    // ---- events ----
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void tbsOptions_Click();
    void chkDefault_MouseUp(Qt::MouseButton button);
    void UncheckDefault(Qt::MouseButton button);
    // Apply and OK give false when a field was refused (then nothing is stored).
    bool cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Record 0 (texts) to 6 (errors), in the order of the font fields.
    void FontButton_Click(int record);

    // ---- state ----
    QString OptionsString;
    bool OptionsLoading = false;
    std::vector<QAbstractButton*> OptCollection;
    std::vector<QLineEdit*> ExtCollection;
    QStringList FontFields;

    // ---- controls ----
    QTabWidget* tbsOptions = nullptr;
    std::array<QWidget*, 5> picOptions{};
    OptionCheckBox* chkDefault = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr, *cmdApply = nullptr;
    QRadioButton *optVB = nullptr, *optVBScript = nullptr, *optFortran90 = nullptr, *optFortran77 = nullptr,
                 *optJava = nullptr, *optJScript = nullptr, *optDelphi = nullptr, *optCc = nullptr, *optCpp = nullptr;
    QRadioButton *optTypical = nullptr, *optW3C = nullptr, *optMSDN = nullptr, *optMSDNComma = nullptr;
    OptionCheckBox *chkPreDead = nullptr, *chkPreUnreach = nullptr, *chkPreFact = nullptr,
                   *chkPreLeftRecursion = nullptr, *chkPreLoops = nullptr;
    OptionCheckBox *chkBuildActions = nullptr, *chkBuildTree = nullptr, *chkBuildNames = nullptr;
    OptionCheckBox *chkShowDead = nullptr, *chkShowUnreach = nullptr, *chkShowFact = nullptr, *chkShowLoops = nullptr,
                   *chkShowLeftRecursion = nullptr, *chkShowNull = nullptr, *chkShowNonterminals = nullptr,
                   *chkShowTerminals = nullptr, *chkShowSelect = nullptr, *chkShowIsEndOf = nullptr,
                   *chkShowBeginsWith = nullptr, *chkShowIsFollowedBy = nullptr, *chkShowParser = nullptr;
    QLineEdit *txtSource = nullptr, *txtDead = nullptr, *txtUnreach = nullptr, *txtFact = nullptr, *txtLoops = nullptr,
              *txtLeftRecursion = nullptr, *txtNull = nullptr, *txtNonterminals = nullptr, *txtTerminals = nullptr,
              *txtSelect = nullptr, *txtParserCode = nullptr;
    std::array<QPushButton*, options::FontCount> cmdFont{};  // cmdFontTexts ... cmdErrorFont
    QRadioButton *optMarkerTxt = nullptr, *optMarkerGra = nullptr;
    QLabel* lblMarker = nullptr;
    QLabel* Marker = nullptr;

    // The close box and Escape cancel.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Snapshot;
    void buildPages();
    void connectHandlers();
    // The check box's applier: its variable, and for a "before" box its Show box and extension.
    void applyCheck(OptionCheckBox* box);
    void applyOptionButton(QRadioButton* button);
    void setLocked(QLineEdit* box, bool locked);
    void applyPreset(const options::OptionValues& values);
    void setControls(const options::OptionValues& values, bool setDefaultBox);
    void extensionsToVariables();
    options::OptionValues controlValues() const;
    bool refuseBadExtension();
    void takeSnapshot();
    void restoreSnapshot();

    int defaultPrevious_ = 0;
    // The notation and language the dialog showed when it opened or was last applied: Apply
    // hands a grammar only a choice the user changed.
    std::int32_t shownNotation_ = 0, shownLanguage_ = 0;
    std::unique_ptr<Snapshot> snapshot_;
};
