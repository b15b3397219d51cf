// The navigation window: a node per grammar window and, under it, a node per result window,
// all keyed as the windows' Tags.
#pragma once

#include <QIcon>
#include <QWidget>
#include <cstdint>

class QTreeWidget;
class QTreeWidgetItem;

class frmSwitch : public QWidget {
    Q_OBJECT
public:
    explicit frmSwitch(QWidget* parent = nullptr);
    QTreeWidget* TViewNav = nullptr;

    QTreeWidgetItem* Node(const QString& key) const;
    void AddRootNode(const QString& key, const QString& text, const QString& image);
    void AddChildNode(const QString& parentKey, const QString& key, const QString& text, const QString& image);
    void RemoveNode(const QString& key);
    void SelectNode(const QString& key);
    void ExpandNode(const QString& key);
    void SetNodeText(const QString& key, const QString& text);
    QString NodeText(const QString& key) const;
    void SetNodeImage(const QString& key, const QString& image);
    QString NodeImage(const QString& key) const;
    // Text colours as the options store them (RGB codes); -1 when the node is missing.
    void SetNodeColour(const QString& key, std::int32_t colour);
    std::int32_t NodeColour(const QString& key) const;

    // The 16 by 16 picture of an image key ("Document", "Grid_gray", ...).
    static QIcon Image(const QString& key);

    // A click on the node of this key, as the tree reports it.
    void TViewNav_NodeClick(const QString& key);
    void TViewNav_GotFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
