#pragma once
// The engine's topics, one row each, and everything that walks them takes
// its order and names from here: refresh-all and report-all, the container's
// published collectors, the information window's pages, the console tool's
// topics and the JSON. Adding a collector: its own files, and one row in
// topic_table.cpp.
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "sysinfo/collector.h"

namespace qm {

// The collector of a container of the engine (a SystemInfo), wherever it is
// kept there; defined with the container.
void* CollectorIn(void* info, const CollectorKind& kind);

// How a topic's collector is had.
struct TopicCollector {
    const CollectorKind* kind = nullptr;
    // One the container makes and frees, and publishes: `published` is the
    // access of its property, in the container's engine.
    void* (*make)() = nullptr;
    void (*free)(void* collector) = nullptr;
    void* (*published)(void* info, bool forWriting) = nullptr;
    // Or a part of another topic's collector, which refreshes and reports it.
    const CollectorKind* owner = nullptr;
    void* (*inOwner)(void* owner) = nullptr;
};

struct TopicRow {
    // What the window's tab, the console tool's --topic and the JSON call it.
    std::string_view name;
    // The window's page; empty for a topic shown on another's page.
    std::string_view sheet;
    // From 1, its place when every topic is refreshed and when every topic is
    // reported; 0 for a part, which its owner refreshes and reports.
    int refreshRank = 0;
    int reportRank = 0;
    // The container's property, "CPU" in "CPU.FDIVBug"; empty for a part.
    std::string_view published;
    TopicCollector collector;
};

// Every topic: those with a page in the window's tab order, then the others.
std::span<const TopicRow> TopicRows();
// The topics refreshed, and reported, when all are: by their ranks.
std::vector<const TopicRow*> RowsInRefreshOrder();
std::vector<const TopicRow*> RowsInReportOrder();

template <class C> constexpr TopicCollector Owned()
{
    TopicCollector collector;
    collector.kind = &kCollectorKind<C>;
    collector.make = []() -> void* { return new C(); };
    collector.free = [](void* object) { delete static_cast<C*>(object); };
    collector.published = [](void* info, bool) { return CollectorIn(info, kCollectorKind<C>); };
    return collector;
}

template <class Owner, class Part, std::unique_ptr<Part> Owner::*Member> constexpr TopicCollector PartOf()
{
    TopicCollector collector;
    collector.kind = &kCollectorKind<Part>;
    collector.owner = &kCollectorKind<Owner>;
    collector.inOwner = [](void* owner) -> void* { return (static_cast<Owner*>(owner)->*Member).get(); };
    return collector;
}

} // namespace qm
