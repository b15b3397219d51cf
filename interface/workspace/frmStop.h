// The small window shown while the grammar is transformed towards LL(1) step by step: two
// counters that the transformation loop writes, and a Stop button that asks the loop to end.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmStop final : public QDialog {
    Q_OBJECT
public:
    explicit frmStop(QWidget* parent = nullptr);

    QPushButton* Command1 = nullptr;
    QLabel* Label1 = nullptr; // loops
    QLabel* Label2 = nullptr; // substitutions

    // Places the window over the middle of the main window.
    void Form_Load();
    // Sets StopRequested; the loop reads it and closes the window.
    void Command1_Click();

    // Closing the window asks for a stop as the button does, so the loop never runs on unseen.
    void reject() override;
};
