// The find dialog: the text to find, match case, the direction, and a replace form.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmFind : public QDialog {
    Q_OBJECT
public:
    // The one dialog of the program, made when first needed.
    static frmFind& instance();

    QLineEdit* txtFind = nullptr;
    QLineEdit* txtReplace = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* chkCase = nullptr;
    QRadioButton* optUp = nullptr;
    QRadioButton* optDown = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdReplace = nullptr;

    void cmdFind_Click();
    // The first call after the dialog opened for finding turns it into its replace form; later
    // calls replace the found text and find the next occurrence.
    void cmdReplace_Click();
    void ShowFind();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    explicit frmFind(QWidget* parent);
    void takeState();
    void replaceSelection(class RichText& text);
};
