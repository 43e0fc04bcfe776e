// Thread groups: membership kept as links only, so joining, leaving and
// destruction in any order leave nothing stale (run under AddressSanitizer).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>

#include "components/group_membership.h"

namespace qm {
namespace {

struct Member {
    explicit Member(std::string n, bool group = false) : name(std::move(n)), membership(*this, group) {}
    std::string name;
    bool running = false;
    GroupMembership<Member> membership;
};

std::vector<std::string> Names(const std::vector<Member*>& members)
{
    std::vector<std::string> names;
    for (Member* m : members)
        names.push_back(m->name);
    return names;
}

int Running(const Member& group)
{
    return group.membership.CountRunning([](const Member& m) { return m.running; });
}

TEST(GroupMembership, AllThreadsAndRunningCountsComeFromTheLinks)
{
    Member outer("outer", true), inner("inner", true), a("a"), b("b"), c("c");
    a.membership.Join(&outer.membership);
    inner.membership.Join(&outer.membership);
    b.membership.Join(&inner.membership);
    c.membership.Join(&inner.membership);
    EXPECT_EQ(Names(outer.membership.AllThreads()), (std::vector<std::string>{"a", "b", "c"}));
    b.running = c.running = true;
    EXPECT_EQ(Running(outer), 2);
    EXPECT_EQ(Running(inner), 2);
    // A running thread that moves takes its run with it.
    c.membership.Join(nullptr);
    EXPECT_EQ(Running(outer), 1);
    EXPECT_EQ(Names(inner.membership.AllThreads()), (std::vector<std::string>{"b"}));
    // A thread that left a sub-group is not still counted through the parent.
    b.membership.Join(&outer.membership);
    EXPECT_EQ(Names(inner.membership.AllThreads()), std::vector<std::string>{});
    EXPECT_EQ(Names(outer.membership.AllThreads()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(b.membership.Groups().size(), 1u);
}

TEST(GroupMembership, AGroupCannotContainItself)
{
    Member outer("outer", true), inner("inner", true), thread("t");
    inner.membership.Join(&outer.membership);
    EXPECT_THROW(outer.membership.Join(&inner.membership), std::invalid_argument);
    EXPECT_THROW(outer.membership.Join(&outer.membership), std::invalid_argument);
    EXPECT_THROW(inner.membership.Join(&thread.membership), std::invalid_argument);
    EXPECT_EQ(outer.membership.Group(), nullptr);
}

// Every order of creating links and destroying the objects: the sanitizer
// catches any link left to an object that is gone.
TEST(GroupMembership, DestructionInEveryOrderLeavesNoDanglingLink)
{
    std::vector<int> order{0, 1, 2, 3};
    do {
        std::vector<std::unique_ptr<Member>> members;
        members.push_back(std::make_unique<Member>("outer", true));
        members.push_back(std::make_unique<Member>("inner", true));
        members.push_back(std::make_unique<Member>("a"));
        members.push_back(std::make_unique<Member>("b"));
        members[1]->membership.Join(&members[0]->membership);
        members[2]->membership.Join(&members[1]->membership);
        members[3]->membership.Join(&members[0]->membership);
        for (int index : order) {
            members[static_cast<size_t>(index)].reset();
            for (const auto& survivor : members) {
                if (!survivor || !survivor->membership.IsGroup())
                    continue;
                for (Member* thread : survivor->membership.AllThreads())
                    EXPECT_FALSE(thread->name.empty());
            }
        }
    } while (std::next_permutation(order.begin(), order.end()));
}

TEST(GroupMembership, JoinLeaveAndRejoinKeepOneEntry)
{
    Member group("g", true), thread("t");
    for (int i = 0; i < 3; ++i) {
        thread.membership.Join(&group.membership);
        thread.membership.Join(&group.membership);
    }
    EXPECT_EQ(group.membership.Members().size(), 1u);
    thread.membership.Join(nullptr);
    EXPECT_TRUE(group.membership.Members().empty());
}

} // namespace
} // namespace qm
