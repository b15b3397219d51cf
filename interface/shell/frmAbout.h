// The About box: a drawn picture with the product's name and one OK button, and the public
// lookup and start of the system-information program.
#pragma once

#include <QDialog>
#include <cstdint>

class QPushButton;

class frmAbout final : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QPushButton* cmdOK = nullptr;

    void Form_Load();
    void cmdOK_Click();

    // Starts the system-information program, or says that there is none.
    void StartSysInfo();
    // Reads one value: true and its text when it could be read, false and "" when not. A text
    // value is cut at its first NUL; a number value becomes its decimal text.
    static bool GetKeyValue(std::uint32_t keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal);

protected:
    void paintEvent(QPaintEvent* event) override;
};
