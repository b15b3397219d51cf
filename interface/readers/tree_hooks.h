// Derivation trees: every tree-building reader reports a node per nonterminal procedure and a
// leaf per consumed character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "style_hooks.h"

namespace readers {

class TreeHooks {
public:
    virtual ~TreeHooks() = default;
    // Asked as a reading starts: a sink that answers false is not called during it, and the
    // reading keeps no nodes for it.
    virtual bool Listening() const { return true; }
    virtual void NewNode(Pos parentIndex, std::string_view parentNode, Pos thisIndex, std::string_view thisNode) = 0;
    virtual void NewLeaf(Pos thisIndex, std::string_view thisNode, Pos indSrc, int LL1) = 0;
    virtual void CompleteNode(Pos thisIndex, std::string_view thisNode, Pos indSrc) = 0;
};

class NullTreeHooks final : public TreeHooks {
public:
    bool Listening() const override { return false; }
    void NewNode(Pos, std::string_view, Pos, std::string_view) override {}
    void NewLeaf(Pos, std::string_view, Pos, int) override {}
    void CompleteNode(Pos, std::string_view, Pos) override {}
};

// The grammar window, its tree window and the main window's progress and status bars, as the
// tree hooks use them.
class TreeHost {
public:
    using NodeId = int;
    static constexpr NodeId NoNode = -1;

    virtual ~TreeHost() = default;
    // grammar window
    virtual bool TreeBuilding() const = 0;
    virtual void SetTreeBuilding(bool on) = 0;
    virtual void SetTreeAllowed(bool on) = 0;
    virtual bool HasTreeForm() const = 0;
    virtual std::string GrammarName() const = 0;
    virtual void LoadTree(const std::string& name) = 0; // creates the tree window
    virtual int WindowNumber() const = 0;
    virtual Pos TextLength() const = 0;
    // tree view of the tree window
    virtual int NodeCount() const = 0;
    virtual NodeId AddNode(NodeId parent, const std::string& key, const std::string& text) = 0;
    virtual void SetExpanded(NodeId node) = 0;
    virtual void SetForeColor(NodeId node, std::int32_t colour) = 0;
    virtual void SetTag(NodeId node, const std::string& tag) = 0;
    // main window
    virtual double ProgressBarMax() const = 0;
    virtual void SetProgressValue(double value) = 0;
    virtual void HideProgressBar() = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void ProcessEvents() = 0;
    virtual std::int32_t TrmFontColor() const = 0;
};

// "Root", the window number right-aligned in 3, the index right-aligned in 6, the name.
std::string NodeKey(int windowNumber, Pos index, std::string_view name);
// What a leaf shows for a character code.
std::string LeafText(int code);

inline constexpr int TreeNodeLimit = 32767;
inline constexpr const char* TreeLimitMessage =
    ". TreeView Control can not support more then 32767 nodes. Process interrupted by system.";

// The hooks over a TreeHost. A node's parent is taken from the nodes still open (innermost
// first), so equal keys cannot hang a node under the wrong parent. A key names one node: a
// character consumed twice at one index (by the terminal reader and again by its caller) is
// shown once, where it was consumed first.
class DerivationTree final : public TreeHooks {
public:
    explicit DerivationTree(TreeHost& host) : host_(host) {}

    std::string InterruptMsg;
    double ProgressMax = 0;
    double ProgressStep = 0;
    double ProgressSum = 0;
    std::int64_t ProgressCount = 0;
    std::int64_t ProgressReportAt = 0;
    std::int64_t ProgressReportStep = 1;

    // Only while the grammar window builds its tree.
    bool Listening() const override { return host_.TreeBuilding(); }
    void NewNode(Pos parentIndex, std::string_view parentNode, Pos thisIndex, std::string_view thisNode) override;
    void NewLeaf(Pos thisIndex, std::string_view thisNode, Pos indSrc, int LL1) override;
    void CompleteNode(Pos thisIndex, std::string_view thisNode, Pos indSrc) override;
    void TreeNodeLimitError();

private:
    struct Open {
        Pos index;
        std::string name;
        TreeHost::NodeId id;
    };
    // Innermost open node with this index and name, or nullptr.
    const Open* findOpen(Pos index, std::string_view name) const;
    // The node with this key, or NoNode.
    TreeHost::NodeId nodeWithKey(const std::string& key) const;
    TreeHost::NodeId add(TreeHost::NodeId parent, const std::string& key, const std::string& text);

    TreeHost& host_;
    std::vector<Open> open_;
    std::unordered_map<std::string, TreeHost::NodeId> keys_; // of the current tree window
};

} // namespace readers
