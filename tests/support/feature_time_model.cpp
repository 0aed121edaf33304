// SPDX-License-Identifier: MIT
#include "support/feature_time_model.h"

#include <array>
#include <map>
#include <regex>
#include <set>
#include <vector>

#include "datetime/date_search.h"
#include "support/model_markup.h"
#include "support/two_pass_model.h"

namespace zaveze::testing {
namespace {

constexpr std::size_t kDeepest = 10000, kEndTagReach = 64, kLongestIndentation = 1024;
constexpr std::size_t kNowhere = std::string::npos;

const std::set<std::string> kLeading{"name",    "visibility",  "open",           "author",
                                     "link",    "address",     "AddressDetails", "phoneNumber",
                                     "Snippet", "description", "Camera",         "LookAt"};

struct Node {
    std::string prefix, name;
    bool self_closing = false;
    std::size_t begin = 0, tag_end = 0;          // the start tag
    std::size_t close_begin = 0, close_end = 0;  // the end tag that closed it, or the text's end
    bool closed_explicitly = false;
    int parent = -1;
    std::vector<int> children;
    std::string Qualified() const { return prefix.empty() ? name : prefix + ":" + name; }
};

std::vector<Node> Build_Tree(const std::vector<ModelToken>& tokens, std::size_t size) {
    std::vector<Node> nodes;
    std::vector<int> open;
    const auto close = [&](int node, std::size_t begin, std::size_t end, bool explicitly) {
        nodes[node].close_begin = begin;
        nodes[node].close_end = end;
        nodes[node].closed_explicitly = explicitly;
    };
    for (const ModelToken& token : tokens) {
        if (token.kind == ModelToken::Start && open.size() < kDeepest) {
            Node node;
            node.prefix = token.prefix;
            node.name = token.name;
            node.self_closing = token.self_closing;
            node.begin = token.begin;
            node.tag_end = token.end;
            node.parent = open.empty() ? -1 : open.back();
            nodes.push_back(node);
            const int index = static_cast<int>(nodes.size()) - 1;
            if (node.parent >= 0) {
                nodes[node.parent].children.push_back(index);
            }
            if (token.self_closing) {
                close(index, token.begin, token.end, true);
            } else {
                open.push_back(index);
            }
        } else if (token.kind == ModelToken::End) {
            for (std::size_t i = 1; i <= std::min(open.size(), kEndTagReach); ++i) {
                if (nodes[open[open.size() - i]].Qualified() == token.text) {
                    for (std::size_t inner = 0; inner < i; ++inner) {
                        close(open.back(), token.begin, token.end, inner + 1 == i);
                        open.pop_back();
                    }
                    break;
                }
            }
        }
    }
    for (const int node : open) {
        close(node, size, size, false);
    }
    return nodes;
}

std::string Attribute_Name(const std::string& in, const Node& node) {
    static const std::regex kName("[ \t\r\n]name[ \t\r\n]*=[ \t\r\n]*(?:\"([^\"]*)\"|'([^']*)')");
    const std::string tag = in.substr(node.begin, node.tag_end - node.begin);
    std::smatch match;
    if (!std::regex_search(tag, match, kName)) {
        return "\x01";  // no name: matches no source
    }
    return match[1].matched ? match.str(1) : match.str(2);
}

// What the model found out about one feature.
struct FeatureFacts {
    std::size_t decided_at = kNowhere;  // its first child feature, or its end
    std::array<std::size_t, 3> seen_at{kNowhere, kNowhere, kNowhere};
    std::array<std::optional<FoundDate>, 3> found;
    std::array<std::size_t, 3> found_at{kNowhere, kNowhere, kNowhere};
};

// Where the element goes in `feature`, and what stands around it.
struct Place {
    std::size_t at = kNowhere;
    std::string lead, trail;
};

std::pair<bool, std::string> Line_Start(const std::string& in, std::size_t at) {
    std::size_t from = at;
    while (from > 0 && (in[from - 1] == ' ' || in[from - 1] == '\t')) {
        --from;
    }
    const bool initial = (from == 0 || in[from - 1] == '\n' || in[from - 1] == '\r') &&
                         at - from <= kLongestIndentation;
    return {initial, initial ? in.substr(from, at - from) : ""};
}

std::string First_Line_Ending(const std::string& in) {
    const std::size_t at = in.find_first_of("\r\n");
    if (at == kNowhere || in[at] == '\n') {
        return "\n";
    }
    return at + 1 < in.size() && in[at + 1] == '\n' ? "\r\n" : "\r";
}

Place Place_In(const std::string& in, const std::vector<Node>& nodes, const Node& feature) {
    const std::string ending = First_Line_Ending(in);
    Place place;
    if (feature.self_closing) {
        return place;
    }
    place.at = feature.tag_end;
    for (const int child : feature.children) {
        const Node& node = nodes[child];
        const auto [initial, indentation] = Line_Start(in, node.begin);
        if (!kLeading.contains(node.name)) {
            return {node.begin, "", initial ? ending + indentation : ""};
        }
        if (node.closed_explicitly) {
            place = {node.close_end, initial ? ending + indentation : "", ""};
        }
    }
    return place;
}

// The feature's element, or none where no slot of its mode found a date.
std::string Element(const ModelFeatureTimes& times, const FeatureFacts& facts,
                    const std::string& prefix) {
    const std::string p = prefix.empty() ? "" : prefix + ":";
    const auto tag = [&](const std::string& name, const std::string& content) {
        return content.empty() ? "" : "<" + p + name + ">" + content + "</" + p + name + ">";
    };
    const auto value = [&](int slot) {
        return facts.found[slot] ? Kml_Time_Value(*facts.found[slot], times.zone) : "";
    };
    return times.mode == TimeMode::TimeStamp
               ? tag("TimeStamp", tag("when", value(0)))
               : tag("TimeSpan", tag("begin", value(1)) + tag("end", value(2)));
}

std::string Insert_All(const std::string& in, const std::map<std::size_t, std::string>& inserts) {
    std::string out;
    std::size_t from = 0;
    for (const auto& [at, text] : inserts) {
        out += in.substr(from, at - from) + text;
        from = at;
    }
    return out + in.substr(from);
}

}  // namespace

ModelFeatureResult Model_Time_Features(const std::string& in, const ModelFeatureTimes& times) {
    const std::vector<ModelToken> tokens = Model_Tokens(in);
    const std::vector<Node> nodes = Build_Tree(tokens, in.size());
    const std::array<std::optional<std::string>, 3> sources = {
        times.mode == TimeMode::TimeStamp ? times.stamp : std::nullopt,
        times.mode == TimeMode::TimeSpan ? times.begin : std::nullopt,
        times.mode == TimeMode::TimeSpan ? times.end : std::nullopt};
    std::map<int, FeatureFacts> facts;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (kModelFeatures.contains(nodes[i].name)) {
            FeatureFacts& feature = facts[static_cast<int>(i)];
            feature.decided_at = nodes[i].close_end;
            for (const int child : nodes[i].children) {
                if (kModelFeatures.contains(nodes[child].name)) {
                    feature.decided_at = nodes[child].begin;
                    break;
                }
            }
        }
    }
    // The sources, in the order of the text: roles of the elements that lead to them.
    enum class Role { Other, ExtendedData, SchemaData, Data };
    std::vector<Role> roles(nodes.size(), Role::Other);
    std::vector<int> owner(nodes.size(), -1);
    std::vector<int> data_slots(nodes.size(), 0);
    int capture = -1;
    // The slots whose source `source` is and that have seen none yet, now seen at `at`.
    const auto claim = [&](const std::string& source, int feature, std::size_t at) {
        int slots = 0;
        for (int slot = 0; slot < 3; ++slot) {
            if (sources[slot] == source && facts[feature].seen_at[slot] == kNowhere) {
                slots |= 1 << slot;
                facts[feature].seen_at[slot] = at;
            }
        }
        return slots;
    };
    const auto read_capture = [&](int node, int feature, int slots) {
        std::string text;
        for (const ModelToken& token : tokens) {
            if ((token.kind == ModelToken::Text || token.kind == ModelToken::CData) &&
                token.begin >= nodes[node].tag_end && token.end <= nodes[node].close_begin) {
                text += token.text;
            }
        }
        for (int slot = 0; slot < 3; ++slot) {
            if ((slots & (1 << slot)) != 0) {
                facts[feature].found[slot] = First_Iso_Date(text);
                facts[feature].found_at[slot] = nodes[node].close_end;
            }
        }
    };
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const Node& node = nodes[i];
        const int n = static_cast<int>(i);
        if (capture >= 0 && node.begin >= nodes[capture].close_end) {
            capture = -1;
        }
        if (capture >= 0 || node.parent < 0) {
            continue;
        }
        const int parent = node.parent;
        int slots = 0;
        if (kModelFeatures.contains(nodes[parent].name)) {
            if (node.name == "ExtendedData") {
                roles[i] = Role::ExtendedData;
                owner[i] = parent;
            } else if (node.name == "name" || node.name == "description") {
                slots = claim(node.name, parent, node.begin);
                owner[i] = parent;
            }
        } else if (roles[parent] == Role::ExtendedData && node.name == "Data") {
            roles[i] = Role::Data;
            owner[i] = owner[parent];
            data_slots[i] = claim("data:" + Attribute_Name(in, node), owner[i], node.begin);
        } else if (roles[parent] == Role::ExtendedData && node.name == "SchemaData") {
            roles[i] = Role::SchemaData;
            owner[i] = owner[parent];
        } else if (roles[parent] == Role::SchemaData && node.name == "SimpleData") {
            owner[i] = owner[parent];
            slots = claim("data:" + Attribute_Name(in, node), owner[i], node.begin);
        } else if (roles[parent] == Role::Data && node.name == "value") {
            owner[i] = owner[parent];
            slots = data_slots[parent];
        }
        if (slots != 0 && !node.self_closing) {
            capture = n;
            read_capture(n, owner[i], slots);
        }
    }

    ModelFeatureResult result;
    std::map<std::size_t, std::string> inserts;
    for (const auto& [index, feature] : facts) {
        const Node& node = nodes[index];
        FeatureFacts at_decision;
        bool timed_already = false;
        for (const int child : node.children) {
            timed_already =
                timed_already ||
                ((nodes[child].name == "TimeStamp" || nodes[child].name == "TimeSpan") &&
                 nodes[child].begin < feature.decided_at);
        }
        bool seen = false;
        for (int slot = 0; slot < 3; ++slot) {
            seen = seen || feature.seen_at[slot] < feature.decided_at;
            if (feature.found_at[slot] <= feature.decided_at) {
                at_decision.found[slot] = feature.found[slot];
            }
        }
        const Place place = Place_In(in, nodes, node);
        const std::string element = Element(times, at_decision, node.prefix);
        if (timed_already) {
            ++result.already_timed;
        } else if (!element.empty() && place.at != kNowhere) {
            ++result.timed;
            inserts[place.at] = place.lead + element + place.trail;
        } else if (seen) {
            ++result.without_date;
        }
    }
    result.text = Insert_All(in, inserts);
    return result;
}

std::optional<std::string> Model_Keep_Layout(const std::string& in, const std::string& element) {
    const auto chosen = Model_Chosen_Tag(in);
    if (!chosen) {
        return std::nullopt;
    }
    const std::vector<Node> nodes = Build_Tree(Model_Tokens(in), in.size());
    for (const Node& node : nodes) {
        if (node.begin == chosen->begin) {
            std::string text = element;
            if (!node.prefix.empty()) {
                text = std::regex_replace(text, std::regex("<(/?)"), "<$1" + node.prefix + ":");
            }
            const Place place = Place_In(in, nodes, node);
            return Insert_All(in, {{place.at, place.lead + text + place.trail}});
        }
    }
    return in;  // the chosen tag lies too deep to be followed
}

}  // namespace zaveze::testing
