// The options dialog: target language, notation, transformations before a build, generator
// options, result windows, result-file extensions, the seven fonts and the matrix marker, on
// one page each. The dialog edits a copy of the stored options; Apply and OK store it and set
// the program's options from it; Cancel drops it.
#pragma once

#include <QDialog>
#include <array>

#include "options_pages.h"
#include "options_string.h"

class QPushButton;
class QTabWidget;

class frmOptions final : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

    // ---- the stored string ----
    // Reads the stored options into the copy and shows them.
    void OptionsInit();
    // Stores the copy.
    void SaveOptions();
    // Reads OptionsString into the copy and shows it; the Default box only when asked.
    void ApplyOptions(bool setDefaultBox);
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

    // The options as the dialog shows them.
    const options::OptionValues& Edited() const { return edited_; }

    // ---- state ----
    QString OptionsString;

    // ---- controls ----
    QTabWidget* tbsOptions = nullptr;
    LanguagesPage* languagesPage = nullptr;
    BuildPage* buildPage = nullptr;
    ShowPage* showPage = nullptr;
    FilesPage* filesPage = nullptr;
    FontsPage* fontsPage = nullptr;
    // The pages in tab order.
    std::array<OptionsPage*, 5> picOptions{};
    OptionCheckBox* chkDefault = nullptr;
    QPushButton *cmdOK = nullptr, *cmdCancel = nullptr, *cmdApply = nullptr;

    // The close box and Escape cancel.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createButtons();
    // The copy becomes `values` and every page shows it.
    void showValues(const options::OptionValues& values, bool setDefaultBox);
    // A user's change on a page: the copy takes it.
    void pageEdited(bool returnsDefault);
    bool refuseBadExtension();

    options::OptionValues edited_;
    int defaultPrevious_ = 0;
    // The notation and language the dialog showed when it opened or was last applied: Apply
    // hands a grammar only a choice the user changed.
    std::int32_t shownNotation_ = 0, shownLanguage_ = 0;
};
