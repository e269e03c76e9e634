// A points file, whatever it holds: it is refused naming a line, or every
// point is served by exactly one request that covers all it reads, within
// the most one request may ask for.
#include "cli/convert/poll_plan.h"
#include "fuzz/byte_provider.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::ByteProvider input(data, size);
    const int maxGap = input.ConsumeIntegral<int>(0, 124);
    const std::string text = input.ConsumeRemainingString();
    std::string error;
    const auto points = ParsePollPoints(text, CliOptions{}, error);
    if (!points) {
        if (!error.starts_with("line ") && !error.starts_with("no points"))
            std::abort();
        return 0;
    }
    std::vector<int> served(points->points.size(), 0);
    for (const PollRequest& request : PlanRequests(*points, maxGap)) {
        const std::size_t most = IsBitTable(request.table) ? kMostBits : kMostRegisters;
        if (request.count == 0 || request.count > most || request.address + request.count > 65536)
            std::abort();
        for (const std::size_t p : request.points) {
            const PollPoint& point = points->points[p];
            if (point.device != request.device || point.unit != request.unit ||
                point.target.Table() != request.table || point.target.Address() < request.address ||
                point.target.Address() + point.target.Count() > request.address + request.count)
                std::abort();
            ++served[p];
        }
    }
    for (const int count : served)
        if (count != 1)
            std::abort();
    return 0;
}
