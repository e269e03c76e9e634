#include "cli/convert/poll_plan.h"

#include "cli/input/item_sink.h"

#include <algorithm>
#include <tuple>

namespace {

struct Group {
    std::size_t device;
    int unit;
    RegisterTable table;
    bool operator==(const Group&) const = default;
};

Group GroupOf(const PollPoint& point)
{
    return {point.device, point.unit, point.target.Table()};
}

const char* TableName(RegisterTable table)
{
    switch (table) {
    case RegisterTable::Coils:
        return "coils";
    case RegisterTable::Discrete:
        return "discrete";
    case RegisterTable::Input:
        return "input";
    case RegisterTable::Holding:
        break;
    }
    return "holding";
}

// One group's points merged into requests, appended to `requests`.
void MergeGroup(const PollPoints& all, const Group& group, std::vector<std::size_t> members,
                int maxGap, std::vector<PollRequest>& requests)
{
    const auto first = [&](std::size_t p) { return std::size_t{all.points[p].target.Address()}; };
    const auto end = [&](std::size_t p) { return first(p) + all.points[p].target.Count(); };
    std::stable_sort(members.begin(), members.end(), [&](std::size_t a, std::size_t b) {
        return std::tuple(first(a), end(a)) < std::tuple(first(b), end(b));
    });
    const std::size_t most = IsBitTable(group.table) ? kMostBits : kMostRegisters;
    PollRequest* open = nullptr; // the request being widened
    std::size_t blockEnd = 0;
    for (const std::size_t p : members) {
        if (open == nullptr || first(p) > blockEnd + static_cast<std::size_t>(maxGap) ||
            std::max(blockEnd, end(p)) - open->address > most) {
            requests.push_back({group.device, group.unit, group.table,
                                static_cast<std::uint16_t>(first(p)), 0, {}});
            open = &requests.back();
            blockEnd = first(p);
        }
        blockEnd = std::max(blockEnd, end(p));
        open->count = static_cast<std::uint16_t>(blockEnd - open->address);
        open->points.push_back(p);
    }
}

} // namespace

std::vector<PollRequest> PlanRequests(const PollPoints& points, int maxGap)
{
    std::vector<Group> groups; // as first named, device by device
    for (std::size_t d = 0; d < points.devices.size(); ++d)
        for (const PollPoint& point : points.points)
            if (point.device == d && std::find(groups.begin(), groups.end(), GroupOf(point)) ==
                                         groups.end())
                groups.push_back(GroupOf(point));
    std::vector<PollRequest> requests;
    for (const Group& group : groups) {
        std::vector<std::size_t> members;
        for (std::size_t p = 0; p < points.points.size(); ++p)
            if (GroupOf(points.points[p]) == group)
                members.push_back(p);
        MergeGroup(points, group, std::move(members), maxGap, requests);
    }
    return requests;
}

std::string PlanText(const PollPoints& points, const std::vector<PollRequest>& requests)
{
    std::string text = "device,unit,table,address,count,points\n";
    for (const PollRequest& request : requests) {
        std::string names;
        for (const std::size_t p : request.points)
            names += (names.empty() ? "" : " ") + points.points[p].name;
        ItemSink items(',');
        for (const std::string& item :
             {points.devices[request.device].settings.device, std::to_string(request.unit),
              std::string(TableName(request.table)), std::to_string(request.address),
              std::to_string(request.count), names})
            items.Add(item);
        text.append(items.Line()).append("\n");
    }
    return text;
}
