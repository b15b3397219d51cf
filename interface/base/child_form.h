// A child window whose rich-text box the find step, the Edit commands and the text-style hooks
// work on: a grammar window, a result document or the Process window.
#pragma once

#include <QWidget>

#include "rich_text.h"

class ChildForm : public QWidget {
public:
    using QWidget::QWidget;
    virtual RichText* rtf() = 0;
};
