// poll's output of a sample: its faults on standard error, then its row.
#pragma once

#include "cli/convert/poll_plan.h"
#include "cli/convert/poll_row.h"
#include "cli/convert/poll_sampler.h"
#include "cli/output/output_buffer.h"
#include "cli/output/std_streams.h"

#include <vector>

class PollWriter {
public:
    PollWriter(const PollPoints& points, const std::vector<PollRequest>& requests,
               const PollRows& rows, OutputBuffer& out, const CliStreams& io);

    // Writes `sample`: a line on standard error for each failed request
    // (requests a failed connect left unread share one) and each point whose
    // value has no right answer, with the sample's time and the points left
    // without a value; then its row into the output. Sets `failed` when a
    // device failed a read or a point has no value, but not for a read a
    // signal cut short. False when the output cannot be written.
    bool Write(const PollSample& sample, bool& failed);

private:
    const PollPoints& m_points;
    const std::vector<PollRequest>& m_requests;
    const PollRows& m_rows;
    OutputBuffer& m_out;
    const CliStreams& m_io;
    std::vector<std::size_t> m_requestOf; // each point's request
};
