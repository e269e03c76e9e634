// The requests one sample of poll sends: each device's points on the same
// unit and table merged into as few reads as Modbus allows.
#pragma once

#include "cli/convert/poll_points.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PollRequest {
    std::size_t device = 0;
    int unit = 1;
    RegisterTable table = RegisterTable::Holding;
    std::uint16_t address = 0; // the first register or bit read
    std::uint16_t count = 0;   // registers or bits
    std::vector<std::size_t> points; // served, in address order (indexes into PollPoints::points)
};

// The most one read returns: 125 registers, 2000 bits.
inline constexpr std::uint16_t kMostRegisters = 125;
inline constexpr std::uint16_t kMostBits = 2000;

// The requests for `points`: device by device as the file first names them,
// and in each, unit and table as first named, then by address. Points on the
// same device, unit and table that overlap, touch or are apart by at most
// `maxGap` registers (or bits) not asked for are read together while the
// read stays within the most one returns; the registers between them are
// read too, so a device without them answers the merged read with an
// exception (--max-gap 0 reads only what points ask, adjacent ones merged).
// Every point is served by exactly one request, which covers all it reads.
std::vector<PollRequest> PlanRequests(const PollPoints& points, int maxGap);

// The plan as CSV lines with a header: device (as first written), unit,
// table (holding, input, coils, discrete), address, count, and the names of
// the points served, apart by spaces.
std::string PlanText(const PollPoints& points, const std::vector<PollRequest>& requests);
