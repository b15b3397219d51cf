#include "derivation_tree.h"

#include <algorithm>
#include <cstdio>

namespace kelvantroc {

std::string DerivationTree::NodeKey(long index, const std::string& name) const
{
    // "Root", the window's tag "1" in three columns, the index in six, then the name.
    char head[32];
    std::snprintf(head, sizeof head, "Root%3d%6ld", 1, index);
    return head + name;
}

int DerivationTree::Find(const std::string& key) const
{
    const auto k = ByKey.find(key);
    return k == ByKey.end() ? -1 : k->second;
}

int DerivationTree::Add(MemNode node)
{
    // A key seen before keeps its first node; the hook then ends quietly.
    if (ByKey.count(node.key)) return -1;
    const int at = static_cast<int>(NodeList.size());
    ByKey.emplace(node.key, at);
    NodeList.push_back(std::move(node));
    if (NodeList[static_cast<size_t>(at)].Parent >= 0)
        NodeList[static_cast<size_t>(NodeList[static_cast<size_t>(at)].Parent)].Children.push_back(at);
    return at;
}

void DerivationTree::NewNode(long parentIndex, const std::string& parentNode, long thisIndex,
                             const std::string& thisNode)
{
    MemNode node;
    node.key = NodeKey(thisIndex, thisNode);
    node.txt = thisNode;
    node.start = thisIndex;
    if (RootCreated) {
        node.Parent = Find(NodeKey(parentIndex, parentNode));
        if (node.Parent < 0) return;
    }
    if (Add(std::move(node)) >= 0) RootCreated = true;
}

void DerivationTree::NewLeaf(long thisIndex, const std::string& thisNode, long sourcePosition, const std::string& token)
{
    if (!RootCreated) return;
    MemNode node;
    node.Parent = Find(NodeKey(thisIndex, thisNode));
    if (node.Parent < 0) return;
    node.start = sourcePosition - static_cast<long>(token.size()) + 1;
    node.key = NodeKey(node.start, token);
    node.txt = token;
    node.tag = sourcePosition;
    node.leaf = true;
    Add(std::move(node));
}

void DerivationTree::CompleteNode(long thisIndex, const std::string& thisNode, long sourcePosition)
{
    if (!RootCreated) return;
    const int at = Find(NodeKey(thisIndex, thisNode));
    if (at >= 0) NodeList[static_cast<size_t>(at)].tag = sourcePosition;
}

void DerivationTree::Clear()
{
    NodeList.clear();
    ByKey.clear();
    RootCreated = false;
}

std::vector<ShownNode> DerivationTree::Layout(bool reduced)
{
    // Children come after their parents, so one backward walk gives every node the range of
    // the text it derived, and one forward walk decides what is shown under what.
    for (auto& n : NodeList) {
        n.reduce = false;
        if (!n.leaf) {
            n.start = n.start > 0 ? n.start : 1;
            n.end = -1;
        } else {
            n.end = n.tag;
        }
    }
    for (size_t i = NodeList.size(); i-- > 0;) {
        const MemNode& n = NodeList[i];
        if (n.Parent < 0 || n.end < 0) continue;
        MemNode& p = NodeList[static_cast<size_t>(n.Parent)];
        if (p.end < 0) {
            p.start = n.start;
            p.end = n.end;
        } else {
            p.start = std::min(p.start, n.start);
            p.end = std::max(p.end, n.end);
        }
    }
    for (auto& n : NodeList)
        if (n.end < 0) n.end = n.start - 1; // derived nothing

    auto empty = [this](int i) {
        const MemNode& n = NodeList[static_cast<size_t>(i)];
        return !n.leaf && n.end < n.start;
    };
    std::vector<int> shownAs(NodeList.size(), -1); // where a node's children hang
    std::vector<ShownNode> shown;
    for (size_t i = 0; i < NodeList.size(); ++i) {
        MemNode& n = NodeList[i];
        const int parent = n.Parent < 0 ? -1 : shownAs[static_cast<size_t>(n.Parent)];
        if (n.Parent >= 0 && reduced) {
            const bool hollow = empty(static_cast<int>(i));
            const bool chain =
                !n.leaf && n.Children.size() <= 2 && std::any_of(n.Children.begin(), n.Children.end(), empty);
            if (hollow || chain) {
                n.reduce = true;
                shownAs[i] = parent;
                continue;
            }
        }
        shownAs[i] = static_cast<int>(i);
        shown.push_back({static_cast<int>(i), parent});
    }
    return shown;
}

} // namespace kelvantroc
