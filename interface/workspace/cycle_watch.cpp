// The end of transformation cycles that lead nowhere: a grammar that keeps growing, or one that
// comes back with new names.
#include "cycle_watch.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "readers.h"

namespace {

// The rules of a printed grammar as the Typical reader builds them: the heads in order, each
// with its alternatives, an element as its kind letter and its name.
class RuleCollector final : public readers::Builder {
public:
    using Alternative = std::vector<std::string>;
    std::vector<std::string> heads;
    std::unordered_map<std::string, std::vector<Alternative>> rules;
    int alternatives = 0;

#define COLLECT_PLAIN(entry)                                                                                           \
    void entry() override { Call(#entry); }
#define COLLECT_CODE(entry)                                                                                            \
    void entry(std::int32_t code) override { Code(#entry, code); }
    READERS_BUILDER_ENTRIES(COLLECT_PLAIN)
    READERS_BUILDER_CODE_ENTRIES(COLLECT_CODE)
#undef COLLECT_PLAIN
#undef COLLECT_CODE

private:
    std::string name_, head_;
    Alternative alt_;
    void Code(std::string_view entry, std::int32_t code)
    {
        if (entry == "BKSSYM") name_.push_back(static_cast<char>(code));
    }
    void Call(std::string_view entry)
    {
        if (entry == "BKSNAI") {
            name_.clear();
        } else if (entry == "BKSNLI") {
            head_ = name_;
            if (!rules.count(head_)) heads.push_back(head_);
        } else if (entry == "BKSNL") {
            alt_.clear();
        } else if (entry == "BKSNTM" || entry == "BKSTRM" || entry == "BKSACR") {
            alt_.push_back(std::string(entry.substr(3, 1)) + name_);
        } else if (entry == "BKSEND") {
            rules[head_].push_back(alt_);
            ++alternatives;
        }
    }
};

bool Made(const std::string& name) { return !name.empty() && name[0] == '$'; }

// The rules with every made nonterminal that only stands for another left out (its uses refer to
// that other one), and the made names numbered in the order they are met.
std::string Shape(const RuleCollector& r)
{
    std::unordered_map<std::string, std::string> standsFor;
    for (std::size_t i = 1; i < r.heads.size(); ++i) {
        const std::string& h = r.heads[i];
        const auto& alts = r.rules.at(h);
        if (Made(h) && alts.size() == 1 && alts[0].size() == 1 && alts[0][0][0] == 'N' && alts[0][0].substr(1) != h)
            standsFor[h] = alts[0][0].substr(1);
    }
    const auto resolve = [&](std::string name) {
        for (std::size_t steps = 0; steps <= standsFor.size(); ++steps) {
            const auto it = standsFor.find(name);
            if (it == standsFor.end()) break;
            name = it->second;
        }
        return name;
    };
    std::unordered_map<std::string, int> numbers;
    const auto token = [&](const std::string& name) {
        if (!Made(name)) return name;
        const auto it = numbers.emplace(name, static_cast<int>(numbers.size())).first;
        return "$" + std::to_string(it->second);
    };
    std::string shape;
    for (const std::string& h : r.heads) {
        if (standsFor.count(h)) continue;
        shape += "\n" + token(h) + "::=";
        for (const auto& alt : r.rules.at(h)) {
            shape += "|";
            for (const std::string& e : alt) {
                shape += " " + e.substr(0, 1);
                shape += e[0] == 'N' ? token(resolve(e.substr(1))) : e.substr(1);
            }
        }
    }
    return shape;
}

} // namespace

QString CycleWatch::Check(int cycle, const std::string& printed)
{
    RuleCollector r;
    std::string error;
    readers::ParseGrammarByNotation(readers::Typical, readers::ToCrLf(printed), error, {&r});
    if (bound_ == 0) {
        start_ = r.alternatives;
        bound_ = 10 * std::max(r.alternatives, 10);
    }
    grown_ = r.alternatives > bound_;
    if (grown_)
        return QStringLiteral("the grammar has grown to %1 alternatives from %2: it is not made LL(1)")
            .arg(r.alternatives)
            .arg(start_);
    std::string shape = Shape(r);
    const auto seen = shapes_.find(shape);
    if (seen != shapes_.end())
        return QStringLiteral(
                   "cycle %1 repeats the grammar of cycle %2 but for the names it made: it is not made LL(1)")
            .arg(cycle)
            .arg(seen->second);
    shapes_.emplace(std::move(shape), cycle);
    return {};
}
