#pragma once
// Who belongs to which group, for worker threads and groups of them: every
// member knows its group and every group its direct members, and nothing
// else is stored. All threads below a group and how many of them run are
// worked out from those links when asked, so leaving, joining and going away
// in any order cannot leave a stale entry behind.
#include <algorithm>
#include <stdexcept>
#include <vector>

namespace qm {

template <class Owner> class GroupMembership {
public:
    GroupMembership(Owner& owner, bool isGroup) : owner_(owner), isGroup_(isGroup) {}
    // Leaves the group; a group's own members leave it first.
    ~GroupMembership()
    {
        while (!members_.empty())
            members_.back()->Join(nullptr);
        Join(nullptr);
    }
    GroupMembership(const GroupMembership&) = delete;
    GroupMembership& operator=(const GroupMembership&) = delete;

    Owner& Of() const { return owner_; }
    bool IsGroup() const { return isGroup_; }
    GroupMembership* Group() const { return group_; }
    const std::vector<GroupMembership*>& Members() const { return members_; }

    // Moves to `group` (null: belongs to none). A group cannot join itself or
    // a group below it: std::invalid_argument.
    void Join(GroupMembership* group)
    {
        if (group == group_)
            return;
        if (group && (!group->isGroup_ || group == this || (isGroup_ && group->IsBelow(*this))))
            throw std::invalid_argument("a thread group cannot contain itself");
        if (group_)
            std::erase(group_->members_, this);
        group_ = group;
        if (group_)
            group_->members_.push_back(this);
    }

    // True when this member is somewhere below `group`.
    bool IsBelow(const GroupMembership& group) const
    {
        for (const GroupMembership* g = group_; g; g = g->group_)
            if (g == &group)
                return true;
        return false;
    }

    // The groups this member is in, innermost first.
    std::vector<GroupMembership*> Groups() const
    {
        std::vector<GroupMembership*> groups;
        for (GroupMembership* g = group_; g; g = g->group_)
            groups.push_back(g);
        return groups;
    }

    // Every thread at any depth below this group, in membership order.
    std::vector<Owner*> AllThreads() const
    {
        std::vector<Owner*> threads;
        Collect(threads);
        return threads;
    }

    // How many threads below this group `running` says run.
    template <class IsRunning> int CountRunning(IsRunning running) const
    {
        int count = 0;
        for (Owner* thread : AllThreads())
            if (running(*thread))
                ++count;
        return count;
    }

private:
    void Collect(std::vector<Owner*>& threads) const
    {
        for (const GroupMembership* member : members_) {
            if (member->isGroup_)
                member->Collect(threads);
            else
                threads.push_back(&member->owner_);
        }
    }

    Owner& owner_;
    bool isGroup_;
    GroupMembership* group_ = nullptr;
    std::vector<GroupMembership*> members_;
};

} // namespace qm
