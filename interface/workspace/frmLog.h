// The Process window: the log of every processing step, docked at the bottom of the main
// window. Closing it only hides it.
#pragma once

#include "child_form.h"

class QTextEdit;

class frmLog : public ChildForm {
    Q_OBJECT
public:
    explicit frmLog(QWidget* parent = nullptr);
    ~frmLog() override;
    RichText* rtf() override { return &rtfText; }
    QTextEdit* editor = nullptr;
    RichText rtfText;

    // Applies the texts font (not its colour) and shows the newest line.
    void SetLogFont();
};
