// The navigation window: one top-level node per grammar window, keyed as its status panel.
#pragma once

#include <QWidget>

class QTreeWidget;
class QTreeWidgetItem;

class frmSwitch : public QWidget {
    Q_OBJECT
public:
    explicit frmSwitch(QWidget* parent = nullptr);
    QTreeWidget* TViewNav = nullptr;

    QTreeWidgetItem* Node(const QString& key) const;
    void AddRootNode(const QString& key, const QString& text, const QString& image);
    void RemoveNode(const QString& key);
    void SelectNode(const QString& key);
    void ExpandNode(const QString& key);
    void SetNodeText(const QString& key, const QString& text);
    void SetNodeImage(const QString& key, const QString& image);
    QString NodeImage(const QString& key) const;
};
