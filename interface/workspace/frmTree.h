// The derivation tree of a grammar's own text: one window per grammar window, filled by the
// readers' tree hooks while the grammar is read with its tree switched on. A click on a node
// selects the text that the node derives.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "child_form.h"
#include "tree_hooks.h"

class QTreeWidget;
class QTreeWidgetItem;
class frmGrammar;

class frmTree : public ChildForm {
    Q_OBJECT
public:
    explicit frmTree(frmGrammar& owner, QWidget* parent = nullptr);

    RichText* rtf() override { return nullptr; }
    QTreeWidget* TView = nullptr;
    QString Tag; // the navigation key
    // The grammar text the tree was built from; the positions of its nodes hold only for it.
    std::string BuiltText;

    // Nodes in the order they were added, as the tree view numbers them.
    int NodeCount() const { return static_cast<int>(nodes_.size()); }
    int AddNode(int parent, const QString& key, const QString& text);
    QTreeWidgetItem* NodeAt(int index) const { return nodes_.at(static_cast<std::size_t>(index)); }
    // The node with this key, or nullptr.
    QTreeWidgetItem* NodeWithKey(const QString& key) const;
    static QString KeyOf(const QTreeWidgetItem* node);
    static QString TagOf(const QTreeWidgetItem* node);
    void SetTag(int index, const QString& tag);

    void Form_Load();
    void TView_GotFocus();
    void TView_LostFocus();
    void TView_NodeClick(QTreeWidgetItem* node);
    // Hides the window and removes the nodes one at a time, showing the progress.
    void Form_Unload();
    frmGrammar& Owner() const { return owner_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmGrammar& owner_;
    std::vector<QTreeWidgetItem*> nodes_;
    bool unloaded_ = false;
};

// The tree hooks for the grammar readings: they fill the tree window of ActiveGrammar while its
// tree switch is on and do nothing otherwise.
readers::TreeHooks& DerivationTreeHooks();
