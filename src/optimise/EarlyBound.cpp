#include "optimise/EarlyBound.h"

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/push_relabel_max_flow.hpp>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

namespace optimise {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

using Traits = boost::adjacency_list_traits<boost::vecS, boost::vecS, boost::directedS>;
using Graph = boost::adjacency_list<
    boost::vecS, boost::vecS, boost::directedS, boost::no_property,
    boost::property<
        boost::edge_capacity_t, long,
        boost::property<boost::edge_residual_capacity_t, long,
                        boost::property<boost::edge_reverse_t, Traits::edge_descriptor>>>>;
using Vertex = Traits::vertex_descriptor;

class Network {
public:
    Vertex node() { return boost::add_vertex(m_graph); }

    void edge(Vertex from, Vertex to, long capacity) {
        if (capacity <= 0) {
            return;
        }
        auto capacities = boost::get(boost::edge_capacity, m_graph);
        auto reverses = boost::get(boost::edge_reverse, m_graph);
        const auto forward = boost::add_edge(from, to, m_graph).first;
        const auto backward = boost::add_edge(to, from, m_graph).first;
        capacities[forward] = capacity;
        capacities[backward] = 0;
        reverses[forward] = backward;
        reverses[backward] = forward;
    }

    long maxFlow(Vertex source, Vertex sink) {
        return boost::push_relabel_max_flow(m_graph, source, sink);
    }

private:
    Graph m_graph;
};

bool isMain(const Problem& problem, int content) {
    return content >= 0 && problem.groups()[at(content)].main;
}

int lockedMisses(const Problem& problem) {
    int misses = 0;
    for (const ClassModel& cls : problem.classes()) {
        for (CellMask cells = cls.early & ~cls.movable; cells != 0; cells &= cells - 1) {
            misses += isMain(problem, cls.fixed[at(std::countr_zero(cells))]) ? 0 : 1;
        }
    }
    return misses;
}

int flowMisses(const Problem& problem) {
    const WeekShape& shape = problem.shape();
    const auto& classes = problem.classes();
    const auto& groups = problem.groups();
    const auto& teachers = problem.teachers();
    Network net;
    const Vertex source = net.node();
    const Vertex sink = net.node();

    // Class and early cell, for every movable early cell.
    int open = 0;
    std::map<std::pair<int, int>, Vertex> classCell;
    for (int k = 0; k < static_cast<int>(classes.size()); ++k) {
        for (CellMask cells = classes[at(k)].early & classes[at(k)].movable; cells != 0;
             cells &= cells - 1) {
            const Vertex v = net.node();
            classCell[{k, std::countr_zero(cells)}] = v;
            net.edge(v, sink, 1);
            ++open;
        }
    }

    // Teacher and day (in and out, the edge between them the day limit less what other
    // grades and locks give), teacher and early cell: built when a main group needs them.
    std::map<std::pair<int, int>, Vertex> teacherDay;
    std::map<std::pair<int, int>, Vertex> teacherCell;
    const auto teacherDayNode = [&](int t, int day) {
        const auto found = teacherDay.find({t, day});
        if (found != teacherDay.end()) {
            return found->second;
        }
        const Teacher& teacher = teachers[at(t)];
        const Vertex in = net.node();
        const Vertex out = net.node();
        net.edge(in, out, std::max(0, teacher.limit - teacher.fixedLoad[at(day)]));
        for (CellMask cells = shape.dayCells(day); cells != 0; cells &= cells - 1) {
            const int cell = std::countr_zero(cells);
            if ((teacher.preset & bit(cell)) == 0 && teacher.fixedOccupancy[at(cell)] == 0) {
                const Vertex v = net.node();
                teacherCell[{t, cell}] = v;
                net.edge(out, v, 1);
            }
        }
        teacherDay[{t, day}] = in;
        return in;
    };
    const auto teacherFree = [&](int t, int cell) {
        const Teacher& teacher = teachers[at(t)];
        return (teacher.preset & bit(cell)) == 0 && teacher.fixedOccupancy[at(cell)] == 0;
    };

    std::map<std::pair<Vertex, Vertex>, bool> linked;
    for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
        const Group& group = groups[at(g)];
        if (!group.main || group.movable <= 0) {
            continue;
        }
        const ClassModel& cls = classes[at(group.cls)];
        bool doubleTouchesEarly = false;
        for (CellMask starts = group.chinese ? cls.doubleStarts : 0; starts != 0;
             starts &= starts - 1) {
            const int start = std::countr_zero(starts);
            doubleTouchesEarly = doubleTouchesEarly || (cls.early & (bit(start) | bit(start + 1)));
        }
        const Vertex groupNode = net.node();
        net.edge(source, groupNode, group.movable);
        for (int day = 0; day < shape.days; ++day) {
            const CellMask cells = cls.early & cls.movable & shape.dayCells(day) & ~group.forbidden;
            bool any = false;
            for (CellMask c = cells; c != 0 && !any; c &= c - 1) {
                any = teacherFree(group.teacher, std::countr_zero(c));
            }
            if (!any) {
                continue;
            }
            const Vertex groupDay = net.node();
            net.edge(groupNode, groupDay, group.high + (doubleTouchesEarly ? 1 : 0));
            net.edge(groupDay, teacherDayNode(group.teacher, day), shape.cellsPerDay);
            for (CellMask c = cells; c != 0; c &= c - 1) {
                const int cell = std::countr_zero(c);
                if (!teacherFree(group.teacher, cell)) {
                    continue;
                }
                const Vertex tc = teacherCell.at({group.teacher, cell});
                const Vertex kc = classCell.at({group.cls, cell});
                if (!linked[{tc, kc}]) {
                    linked[{tc, kc}] = true;
                    net.edge(tc, kc, 1);
                }
            }
        }
    }
    return open - static_cast<int>(net.maxFlow(source, sink));
}

// The lessons of a resource its limit cannot take in periods 3-7, less its main lessons.
int resourceMisses(const Problem& problem) {
    const WeekShape& shape = problem.shape();
    const auto& resources = problem.resources();
    std::vector<int> lessons(resources.size(), 0);
    std::vector<int> mains(resources.size(), 0);
    for (const Group& group : problem.groups()) {
        if (group.resource >= 0) {
            lessons[at(group.resource)] += group.movable;
            mains[at(group.resource)] += group.main ? group.movable : 0;
        }
    }
    int misses = 0;
    for (std::size_t r = 0; r < resources.size(); ++r) {
        int late = 0;
        for (int cell = 0; cell < shape.cells(); ++cell) {
            const int room = resources[r].limit - resources[r].fixedUse[at(cell)];
            late += cell % shape.cellsPerDay >= 2 ? std::max(0, room) : 0;
        }
        misses += std::max(0, lessons[r] - late - mains[r]);
    }
    return misses;
}

} // namespace

EarlyBound earlyBound(const Problem& problem) {
    EarlyBound bound;
    bound.locked = lockedMisses(problem);
    bound.flow = flowMisses(problem);
    bound.resource = resourceMisses(problem);
    return bound;
}

} // namespace optimise
