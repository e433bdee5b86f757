// Random hierarchy edits (seeded, so every run is the same) checked against a
// plain model of the edges: after each one every live node's children and
// parents must be the model's, in the model's order.
#include "nodes/scene_fixture.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using HierarchyModel = SceneTest;

// Names of one length: a lookup by name compares only the name's length, so
// "n1" would also find "n10".
std::string name_of(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "n%05d", number);
    return text;
}

// Every parent-child edge has its own id; a node's appearances are its edges
// in the order they were made.
struct Model {
    struct Edge {
        OVnode *parent, *child;
    };
    std::map<int, Edge> edges;
    std::map<OVnode *, std::vector<int>> children, appearances;
    int next_id = 0;

    bool alive(OVnode *n) const { return children.count(n) != 0; }
    void make(OVnode *n) {
        children[n];
        appearances[n];
    }
    bool contains(OVnode *from, OVnode *target) const {
        std::vector<OVnode *> todo{from}, seen;
        while (!todo.empty()) {
            OVnode *n = todo.back();
            todo.pop_back();
            if (n == target) return true;
            if (std::find(seen.begin(), seen.end(), n) != seen.end()) continue;
            seen.push_back(n);
            for (int e : children.at(n))
                todo.push_back(edges.at(e).child);
        }
        return false;
    }
    void link(OVnode *p, OVnode *c, int index) {
        const int id = next_id++;
        edges[id] = {p, c};
        auto &list = children[p];
        list.insert(index < 0 ? list.end() : list.begin() + index, id);
        appearances[c].push_back(id);
    }
    OVnode *unlink(OVnode *p, int index) {
        const int id = children[p][static_cast<size_t>(index)];
        OVnode *c = edges[id].child;
        children[p].erase(children[p].begin() + index);
        auto &seen = appearances[c];
        seen.erase(std::find(seen.begin(), seen.end(), id));
        edges.erase(id);
        return c;
    }
    void remove_all(OVnode *c) {
        while (!appearances[c].empty()) {
            const Edge e = edges[appearances[c].front()];
            const auto &list = children[e.parent];
            unlink(e.parent,
                   static_cast<int>(std::find(list.begin(), list.end(), appearances[c].front()) -
                                    list.begin()));
        }
    }
    void destroy(OVnode *n) {
        while (!children[n].empty()) {
            OVnode *c = unlink(n, 0);
            if (appearances[c].empty()) destroy(c);
        }
        children.erase(n);
        appearances.erase(n);
    }
};

void expect_matches(const Model &model) {
    for (const auto &[node, list] : model.children) {
        ASSERT_EQ(OVnode_numchildren(node), static_cast<int>(list.size()));
        for (size_t i = 0; i < list.size(); ++i)
            ASSERT_EQ(OVnode_getchild(node, static_cast<int>(i)), model.edges.at(list[i]).child);
        const auto &seen = model.appearances.at(node);
        ASSERT_EQ(OVnode_numparents(node), static_cast<int>(seen.size()));
        for (size_t k = 0; k < seen.size(); ++k)
            ASSERT_EQ(OVnode_getparent(node, static_cast<int>(k)), model.edges.at(seen[k]).parent);
        ASSERT_EQ(OVnode_getparent(node, static_cast<int>(seen.size())), nullptr);
    }
}

TEST_F(HierarchyModel, RandomEditsKeepEveryChildAndParentInOrder) {
    std::mt19937 random(20261209);
    auto pick = [&](size_t n) { return static_cast<int>(random() % n); };
    Model model;
    std::vector<OVnode *> live;
    auto refresh = [&] {
        live.clear();
        for (const auto &entry : model.children)
            live.push_back(entry.first);
        std::sort(live.begin(), live.end());
    };
    auto any = [&] { return live[static_cast<size_t>(pick(live.size()))]; };
    model.make(root);
    int made = 0;
    for (int i = 0; i < 12; ++i) {
        OVnode *n = i % 2 ? OVgroupnode_new(nullptr) : OVsepnode_new(nullptr);
        OVnode_setname(n, name_of(made++).c_str());
        model.make(n);
    }
    refresh();
    for (int step = 0; step < 3000; ++step) {
        OVnode *p = any(), *c = any();
        const int count = static_cast<int>(model.children[p].size());
        const bool allowed = c != root && !model.contains(c, p);
        // Weighted so that the graph grows to some dozens of edges.
        static const int kinds[21] = {0, 0, 0, 0, 0, 0, 2, 2, 2, 3, 3,
                                      4, 5, 5, 6, 7, 7, 8, 8, 8, 9};
        switch (kinds[pick(21)]) {
        case 0:
            ASSERT_EQ(OVnode_addchild(p, c) != 0, allowed) << step;
            if (allowed) model.link(p, c, -1);
            break;
        case 2: {
            const int at = pick(static_cast<size_t>(count) + 1);
            ASSERT_EQ(OVnode_insertchild(p, c, at) != 0, allowed) << step;
            if (allowed) model.link(p, c, at);
            break;
        }
        case 3:
            if (count == 0) break;
            {
                const int at = pick(static_cast<size_t>(count));
                ASSERT_TRUE(OVnode_removechild(p, at)) << step;
                model.unlink(p, at);
            }
            break;
        case 4:
            if (c == root) break;
            ASSERT_TRUE(OVnode_remove(c)) << step;
            model.remove_all(c);
            break;
        case 5:
            if (count == 0) break;
            {
                const int at = pick(static_cast<size_t>(count));
                ASSERT_TRUE(OVnode_deletechild(p, at)) << step;
                OVnode *child = model.unlink(p, at);
                if (model.appearances[child].empty()) model.destroy(child);
            }
            break;
        case 6:
            if (c == root || live.size() < 12) break;
            ASSERT_TRUE(OVnode_delete(c)) << step;
            model.remove_all(c);
            model.destroy(c);
            break;
        case 7:
            if (OVnode_gettype(p) != OVNODE_SEPARATOR || count < 2 || count > 64) break;
            {
                std::vector<int> order(static_cast<size_t>(count));
                for (int i = 0; i < count; ++i)
                    order[static_cast<size_t>(i)] = i;
                std::shuffle(order.begin(), order.end(), random);
                ASSERT_TRUE(OVsepnode_reorder(p, order.data(), count)) << step;
                std::vector<int> before = model.children[p];
                for (int j = 0; j < count; ++j)
                    model.children[p][static_cast<size_t>(j)] =
                        before[static_cast<size_t>(order[static_cast<size_t>(j)])];
            }
            break;
        case 8: {
            OVnode *n = pick(2) ? OVgroupnode_new(p) : OVsepnode_new(p);
            ASSERT_NE(n, nullptr);
            OVnode_setname(n, name_of(made++).c_str());
            model.make(n);
            model.link(p, n, -1);
            break;
        }
        default: {
            // Three named nodes, one of them perhaps unknown.
            std::string names;
            std::vector<OVnode *> wanted;
            for (int k = 0; k < 3; ++k) {
                OVnode *n = any();
                const char *name = OVnode_getname(n);
                if (k > 0) names += k == 1 ? ", " : ";";
                names += name ? name : "nobody";
                if (name) wanted.push_back(n);
            }
            ASSERT_TRUE(OVnode_setchildren(p, names.c_str())) << step;
            while (!model.children[p].empty())
                model.unlink(p, 0);
            for (OVnode *n : wanted)
                if (n != root && !model.contains(n, p)) model.link(p, n, -1);
            break;
        }
        }
        refresh();
        expect_matches(model);
        if (HasFatalFailure()) {
            ADD_FAILURE() << "after step " << step;
            return;
        }
    }
}

} // namespace
