// The small window that shows how many nodes are still to be removed from a large derivation
// tree while its window closes.
#pragma once

#include <QWidget>

class QLabel;

class frmRemTree : public QWidget {
    Q_OBJECT
public:
    explicit frmRemTree(QWidget* parent = nullptr);
    // Places the window over the main window.
    void Form_Load();

    QLabel* Label1 = nullptr; // "... nodes remain to remove"
    QLabel* Label2 = nullptr; // "Please Wait"
};
