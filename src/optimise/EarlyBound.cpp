#include "optimise/EarlyBound.h"

#include "optimise/Causes.h"

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/push_relabel_max_flow.hpp>

#include <algorithm>
#include <bit>
#include <cstddef>
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
    const int cellCount = shape.cells();
    const auto& classes = problem.classes();
    const auto& groups = problem.groups();
    const auto& teachers = problem.teachers();
    constexpr Vertex kNone = static_cast<Vertex>(-1);
    Network net;
    const Vertex source = net.node();
    const Vertex sink = net.node();

    // Class and early cell, for every movable early cell.
    int open = 0;
    std::vector<Vertex> classCell(classes.size() * at(cellCount), kNone);
    for (std::size_t k = 0; k < classes.size(); ++k) {
        for (CellMask cells = classes[k].early & classes[k].movable; cells != 0;
             cells &= cells - 1) {
            const Vertex v = net.node();
            classCell[k * at(cellCount) + at(std::countr_zero(cells))] = v;
            net.edge(v, sink, 1);
            ++open;
        }
    }

    // Teacher and day (in and out, the edge between them the day limit less what other
    // grades and locks give), teacher and early cell: built when a main group needs them.
    std::vector<std::pair<Vertex, Vertex>> teacherDay(teachers.size() * at(shape.days),
                                                      {kNone, kNone});
    std::vector<Vertex> teacherCell(teachers.size() * at(cellCount), kNone);
    const auto teacherDayNode = [&](int t, int day) {
        auto& [in, out] = teacherDay[at(t) * at(shape.days) + at(day)];
        if (in == kNone) {
            const Teacher& teacher = teachers[at(t)];
            in = net.node();
            out = net.node();
            net.edge(in, out, std::max(0, teacher.limit - teacher.fixedLoad[at(day)]));
        }
        return std::make_pair(in, out);
    };
    const auto teacherCellNode = [&](int t, int cell, Vertex dayOut) {
        Vertex& v = teacherCell[at(t) * at(cellCount) + at(cell)];
        if (v == kNone) {
            v = net.node();
            net.edge(dayOut, v, 1);
        }
        return v;
    };
    // A teacher's cells under a preset or a lesson the search cannot move.
    std::vector<CellMask> busy;
    for (const Teacher& teacher : teachers) {
        CellMask cells = teacher.preset;
        for (int cell = 0; cell < cellCount; ++cell) {
            cells |= teacher.fixedOccupancy[at(cell)] > 0 ? bit(cell) : 0;
        }
        busy.push_back(cells);
    }

    // A group meets a class and teacher once, so each teacher cell links to a class cell
    // through one group only.
    for (const Group& group : groups) {
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
            const CellMask cells = cls.early & cls.movable & shape.dayCells(day) &
                                   ~group.forbidden & ~busy[at(group.teacher)];
            if (cells == 0) {
                continue;
            }
            const Vertex groupDay = net.node();
            net.edge(groupNode, groupDay, group.high + (doubleTouchesEarly ? 1 : 0));
            const auto [in, out] = teacherDayNode(group.teacher, day);
            net.edge(groupDay, in, shape.cellsPerDay);
            for (CellMask c = cells; c != 0; c &= c - 1) {
                const int cell = std::countr_zero(c);
                net.edge(teacherCellNode(group.teacher, cell, out),
                         classCell[at(group.cls) * at(cellCount) + at(cell)], 1);
            }
        }
    }
    return open - static_cast<int>(net.maxFlow(source, sink));
}

// The lessons of a resource its limit cannot take in periods 3-7, less its main lessons.
int resourceMisses(const Problem& problem) {
    const WeekShape& shape = problem.shape();
    const auto& resources = problem.resources();
    std::vector<int> mains(resources.size(), 0);
    for (const Group& group : problem.groups()) {
        if (group.resource >= 0 && group.main) {
            mains[at(group.resource)] += group.movable;
        }
    }
    int misses = 0;
    for (std::size_t r = 0; r < resources.size(); ++r) {
        const ResourceRoom week = resourceRoom(problem, static_cast<int>(r));
        if (week.lessons > week.room) {
            continue; // short anyway: its lessons run over the limit instead of moving early
        }
        int late = 0;
        for (int cell = 0; cell < shape.cells(); ++cell) {
            const int room = resources[r].limit - resources[r].fixedUse[at(cell)];
            late += cell % shape.cellsPerDay >= 2 ? std::max(0, room) : 0;
        }
        misses += std::max(0, week.lessons - late - mains[r]);
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
