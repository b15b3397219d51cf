#include "tree_hooks.h"

#include <cmath>
#include <cstdlib>

namespace readers {

namespace {
std::string rightAligned(std::int64_t value, std::size_t width)
{
    std::string s = std::to_string(value);
    if (s.size() < width) s.insert(0, width - s.size(), ' ');
    return s;
}
} // namespace

std::string NodeKey(int windowNumber, Pos index, std::string_view name)
{
    std::string key = "Root";
    key += rightAligned(std::llabs(windowNumber), 3);
    key += rightAligned(index, 6);
    key += name;
    return key;
}

std::string LeafText(int code)
{
    if (code >= 0 && code <= 32) return "Chr(" + std::to_string(code) + ")";
    if (code >= 33 && code <= 126) return std::string(1, static_cast<char>(code));
    if (code >= 127 && code <= 255)
        return std::string(1, static_cast<char>(code)) + "   Chr(" + std::to_string(code) + ")";
    return "''" + std::to_string(code) + "''";
}

const DerivationTree::Open* DerivationTree::findOpen(Pos index, std::string_view name) const
{
    for (auto it = open_.rbegin(); it != open_.rend(); ++it)
        if (it->index == index && it->name == name) return &*it;
    return nullptr;
}

TreeHost::NodeId DerivationTree::nodeWithKey(const std::string& key) const
{
    const auto it = keys_.find(key);
    return it == keys_.end() ? TreeHost::NoNode : it->second;
}

TreeHost::NodeId DerivationTree::add(TreeHost::NodeId parent, const std::string& key, const std::string& text)
{
    const TreeHost::NodeId id = host_.AddNode(parent, key, text);
    if (id != TreeHost::NoNode) keys_.emplace(key, id);
    return id;
}

void DerivationTree::NewNode(Pos parentIndex, std::string_view parentNode, Pos thisIndex, std::string_view thisNode)
{
    if (!host_.TreeBuilding()) return;
    const int window = host_.WindowNumber();
    if (!host_.HasTreeForm()) {
        const std::string name = host_.GrammarName();
        if (name.empty()) return;
        host_.LoadTree(name);
        open_.clear();
        keys_.clear();
        ProgressMax = host_.ProgressBarMax();
        host_.SetProgressValue(0.0001);
        ProgressSum = 0;
        ProgressCount = 1;
        ProgressReportAt = 1;
        const Pos length = host_.TextLength();
        // An empty text has nothing to measure: no root, and the tree stays empty.
        if (length <= 0) {
            ProgressStep = 0;
            ProgressReportStep = 1;
            return;
        }
        ProgressStep = ProgressMax / static_cast<double>(length);
        const double step = std::nearbyint(ProgressMax / (static_cast<double>(length) / 1000.0));
        // A huge text would give a step of 0 and a report at every leaf.
        ProgressReportStep = step < 1 ? 1 : static_cast<std::int64_t>(step);
        const TreeHost::NodeId root =
            add(TreeHost::NoNode, NodeKey(window, parentIndex, thisNode), std::string(thisNode));
        if (root != TreeHost::NoNode) host_.SetExpanded(root);
        open_.push_back({thisIndex, std::string(thisNode), root});
        return;
    }
    if (host_.NodeCount() >= TreeNodeLimit) {
        TreeNodeLimitError();
        return;
    }
    const Open* parent = findOpen(parentIndex, parentNode);
    TreeHost::NodeId id = TreeHost::NoNode;
    // A node whose parent was never added is not added either.
    if (parent && parent->id != TreeHost::NoNode) {
        const std::string key = NodeKey(window, thisIndex, thisNode);
        // A key already in the tree adds nothing; what hangs under this node goes under the
        // node that holds the key.
        id = nodeWithKey(key);
        if (id == TreeHost::NoNode) {
            id = add(parent->id, key, std::string(thisNode));
            if (id != TreeHost::NoNode) host_.SetExpanded(id);
        }
    }
    open_.push_back({thisIndex, std::string(thisNode), id});
}

void DerivationTree::NewLeaf(Pos thisIndex, std::string_view thisNode, Pos indSrc, int LL1)
{
    if (!host_.TreeBuilding() || !host_.HasTreeForm()) return;
    const int countBefore = host_.NodeCount();
    if (countBefore >= TreeNodeLimit) {
        TreeNodeLimitError();
        return;
    }
    const std::string text = LeafText(LL1);
    const Open* parent = findOpen(thisIndex, thisNode);
    // A leaf that is not added (no parent, or its key already in the tree: a character consumed
    // twice) ends the hook and counts no progress.
    if (!parent || parent->id == TreeHost::NoNode) return;
    const std::string key = NodeKey(host_.WindowNumber(), indSrc, text);
    if (nodeWithKey(key) != TreeHost::NoNode) return;
    const TreeHost::NodeId leaf = add(parent->id, key, text);
    if (leaf == TreeHost::NoNode) return;
    host_.SetForeColor(leaf, host_.TrmFontColor());
    ProgressSum += ProgressStep;
    if (ProgressCount <= ProgressSum) {
        if (ProgressCount <= ProgressMax) host_.SetProgressValue(static_cast<double>(ProgressCount));
        ++ProgressCount;
        if (ProgressReportAt <= ProgressCount) {
            host_.SetStatusText(std::to_string(countBefore + 1) + " nodes have been added");
            ProgressReportAt += ProgressReportStep;
            host_.ProcessEvents();
        }
    }
}

void DerivationTree::CompleteNode(Pos thisIndex, std::string_view thisNode, Pos indSrc)
{
    if (!host_.TreeBuilding() || !host_.HasTreeForm()) return;
    for (std::size_t i = open_.size(); i-- > 0;) {
        if (open_[i].index == thisIndex && open_[i].name == thisNode) {
            if (open_[i].id != TreeHost::NoNode) host_.SetTag(open_[i].id, std::to_string(indSrc));
            open_.resize(i);
            return;
        }
    }
}

void DerivationTree::TreeNodeLimitError()
{
    host_.SetTreeBuilding(false);
    host_.SetTreeAllowed(false);
    host_.HideProgressBar();
    InterruptMsg = TreeLimitMessage;
}

} // namespace readers
