// Random hierarchy and attachment edits (seeded, so every run is the same)
// checked against a plain model of the edges: after each one every live
// node's children, parents and attachments must be the model's, in order.
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
// in the order they were made. A movable node's children are its content's,
// and its attachments are edges of their own list.
struct Model {
    struct Edge {
        OVnode *parent, *child;
        bool attachment;
    };
    std::map<int, Edge> edges;
    std::map<OVnode *, std::vector<int>> children, appearances, attached;
    int next_id = 0;

    void make(OVnode *n) {
        children[n];
        appearances[n];
        attached[n];
    }
    bool contains(OVnode *from, OVnode *target) const {
        std::vector<OVnode *> todo{from}, seen;
        while (!todo.empty()) {
            OVnode *n = todo.back();
            todo.pop_back();
            if (n == target) return true;
            if (std::find(seen.begin(), seen.end(), n) != seen.end()) continue;
            seen.push_back(n);
            for (const auto *list : {&children.at(n), &attached.at(n)})
                for (int e : *list)
                    todo.push_back(edges.at(e).child);
        }
        return false;
    }
    void link(OVnode *p, OVnode *c, int index, bool attachment = false) {
        const int id = next_id++;
        edges[id] = {p, c, attachment};
        auto &list = attachment ? attached[p] : children[p];
        list.insert(index < 0 ? list.end() : list.begin() + index, id);
        appearances[c].push_back(id);
    }
    OVnode *unlink_edge(int id) {
        const Edge e = edges[id];
        auto &list = e.attachment ? attached[e.parent] : children[e.parent];
        list.erase(std::find(list.begin(), list.end(), id));
        auto &seen = appearances[e.child];
        seen.erase(std::find(seen.begin(), seen.end(), id));
        edges.erase(id);
        return e.child;
    }
    OVnode *unlink(OVnode *p, int index) { return unlink_edge(children[p][size_t(index)]); }
    void remove_all(OVnode *c) {
        while (!appearances[c].empty())
            unlink_edge(appearances[c].front());
    }
    void destroy(OVnode *n) {
        for (auto *list : {&children[n], &attached[n]})
            while (!list->empty()) {
                OVnode *c = unlink_edge(list->front());
                if (appearances[c].empty()) destroy(c);
            }
        children.erase(n);
        appearances.erase(n);
        attached.erase(n);
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
        const auto &tags = model.attached.at(node);
        ASSERT_EQ(OVmovnode_numattachments(node), static_cast<int>(tags.size()));
        for (size_t i = 0; i < tags.size(); ++i)
            ASSERT_EQ(OVmovnode_getattachment(node, static_cast<int>(i)),
                      model.edges.at(tags[i]).child);
    }
}

TEST_F(HierarchyModel, RandomEditsKeepEveryChildParentAndAttachmentInOrder) {
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
    auto a_movable = [&]() -> OVnode * {
        std::vector<OVnode *> movables;
        for (OVnode *n : live)
            if (OVnode_ismovable(n)) movables.push_back(n);
        return movables.empty() ? nullptr : movables[static_cast<size_t>(pick(movables.size()))];
    };
    model.make(root);
    int made = 0;
    for (int i = 0; i < 12; ++i) {
        OVnode *n = i % 4 == 3 ? OVmovsepnode_new(nullptr)
                    : i % 2    ? OVgroupnode_new(nullptr)
                               : OVsepnode_new(nullptr);
        OVnode_setname(n, name_of(made++).c_str());
        model.make(n);
    }
    refresh();
    for (int step = 0; step < 3000; ++step) {
        OVnode *p = any(), *c = any();
        const int count = static_cast<int>(model.children[p].size());
        const bool allowed = c != root && !model.contains(c, p);
        // Weighted so that the graph grows to some dozens of edges.
        static const int kinds[] = {0, 0, 0, 0, 0, 0, 2, 2,  2,  3,  3,  4,  5, 5,
                                    6, 7, 7, 8, 8, 8, 9, 10, 10, 10, 11, 11, 11};
        switch (kinds[pick(sizeof kinds / sizeof kinds[0])]) {
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
            const int kind = pick(5);
            OVnode *n = kind == 0  ? OVmovsepnode_new(p)
                        : kind < 3 ? OVgroupnode_new(p)
                                   : OVsepnode_new(p);
            ASSERT_NE(n, nullptr);
            OVnode_setname(n, name_of(made++).c_str());
            model.make(n);
            model.link(p, n, -1);
            break;
        }
        case 10: {
            p = a_movable();
            if (!p) break;
            const int size = static_cast<int>(model.attached[p].size());
            const int at = pick(static_cast<size_t>(size) + 3) - 1; // -1 to size + 1
            const bool takes = at <= size && c != root && !model.contains(c, p);
            ASSERT_EQ(OVmovnode_attach(p, c, at) != 0, takes) << step;
            if (takes) model.link(p, c, at, true);
            break;
        }
        case 11: {
            p = a_movable();
            if (!p) break;
            const int size = static_cast<int>(model.attached[p].size());
            const int at = pick(static_cast<size_t>(size) + 2) - 1; // -1 to size
            const bool fits = at >= 0 && at < size;
            const bool deleting = pick(2) == 0;
            ASSERT_EQ((deleting ? OVmovnode_deleteattachment(p, at) : OVmovnode_detach(p, at)) != 0,
                      fits)
                << step;
            if (!fits) break;
            OVnode *gone = model.unlink_edge(model.attached[p][static_cast<size_t>(at)]);
            if (deleting && model.appearances[gone].empty()) model.destroy(gone);
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
