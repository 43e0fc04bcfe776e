#pragma once
// The wizard's routes as plain lists: named lists of pages that Back and Next
// walk, the search for the next page a route allows, moving a page within a
// list, and the button states of a page on its route.
#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qm {

// The list error of a page index out of range.
class EWizardListError : public std::out_of_range {
public:
    using std::out_of_range::out_of_range;
};

// "%d is an invalid PageIndex value.  PageIndex must be between 0 and %d"
std::string InvalidPageIndexText(int index, int maxIndex);

// The first free name of the form "Route%d", counting from 1.
std::string NewRouteName(const std::vector<std::string>& existing);

// Names compare without regard to case.
bool SameRouteName(const std::string& a, const std::string& b);

// The next page of `route` after `from` (or before, going back), wrapping
// round, that `canShow` accepts; null when the walk returns to its start.
// A page that is not on the route starts the walk at the first position, or
// at the last going forward.
template <class Page>
Page* FindNextPage(const std::vector<Page*>& route, Page* from, bool forward,
                   const std::function<bool(Page&, bool)>& canShow)
{
    if (route.empty())
        return nullptr;
    const int count = static_cast<int>(route.size());
    int start = 0;
    bool found = false;
    for (int i = 0; i < count; ++i)
        if (route[i] == from) {
            start = i;
            found = true;
            break;
        }
    if (!found)
        start = forward ? count - 1 : 0;
    int at = start;
    do {
        at = forward ? (at + 1) % count : (at + count - 1) % count;
        if (!canShow || canShow(*route[at], forward))
            return route[at];
    } while (at != start);
    return nullptr;
}

// Moves `item` to `index` in `list`, inserting it when absent; throws
// EWizardListError when `index` is outside the list.
template <class T> void MoveToIndex(std::vector<T>& list, const T& item, int index)
{
    auto at = std::find(list.begin(), list.end(), item);
    const bool present = at != list.end();
    const int last = static_cast<int>(list.size()) - (present ? 1 : 0);
    if (index < 0 || index > last)
        throw EWizardListError(InvalidPageIndexText(index, last));
    if (present)
        list.erase(at);
    list.insert(list.begin() + index, item);
}

// Which of Back and Next may be pressed on `page` of `route`: only where the
// page allows it and not on the route's first (Back) or last (Next) page.
struct WizardStepButtons {
    bool back = false, next = false;
};
template <class Page>
WizardStepButtons StepButtons(const std::vector<Page*>& route, const Page* page, bool pageAllowsBack,
                              bool pageAllowsNext)
{
    if (route.empty() || !page)
        return {};
    return {pageAllowsBack && route.front() != page, pageAllowsNext && route.back() != page};
}

} // namespace qm
