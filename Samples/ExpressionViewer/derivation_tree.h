#pragma once
// The derivation tree that the viewer's parsers build through their tree hooks while they run,
// and the full or reduced form in which the window shows it.

#include <string>
#include <unordered_map>
#include <vector>

namespace kelvantroc {

struct MemNode {
    bool reduce = false; // hidden in the reduced tree
    long tag = 0; // a leaf's last character; a nonterminal's position when it ended
    bool leaf = false;
    std::string txt; // the nonterminal's name or the token's text
    std::string key;
    std::vector<int> Children; // indexes into the tree's NodeList, in creation order
    int Parent = -1; // -1 for the root
    long start = 0; // 1-based index of the first character the node stands for
    long end = 0; // index of its last character; start - 1 when it derived nothing
};

// One node as the window shows it: the node and the shown node it hangs under (-1 for the root).
struct ShownNode {
    int node;
    int parent;
};

class DerivationTree {
public:
    // The hooks that the parsers call.
    void NewNode(long parentIndex, const std::string& parentNode, long thisIndex, const std::string& thisNode);
    void NewLeaf(long thisIndex, const std::string& thisNode, long sourcePosition, const std::string& token);
    void CompleteNode(long thisIndex, const std::string& thisNode, long sourcePosition);

    void Clear();
    const std::vector<MemNode>& Nodes() const { return NodeList; }

    // The nodes the window shows, parents before their children. In the reduced form a
    // nonterminal that derived nothing is left out, and so is one that had such a child and at
    // most two children: what it derived hangs under its nearest shown ancestor.
    std::vector<ShownNode> Layout(bool reduced);

private:
    std::string NodeKey(long index, const std::string& name) const;
    int Find(const std::string& key) const;
    int Add(MemNode node);

    std::vector<MemNode> NodeList;
    std::unordered_map<std::string, int> ByKey;
    bool RootCreated = false;
};

} // namespace kelvantroc
