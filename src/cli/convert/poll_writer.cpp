#include "cli/convert/poll_writer.h"

#include "cli/input/run_status.h"

#include <cstdio>

PollWriter::PollWriter(const PollPoints& points, const std::vector<PollRequest>& requests,
                       const PollRows& rows, OutputBuffer& out, const CliStreams& io)
    : m_points(points), m_requests(requests), m_rows(rows), m_out(out), m_io(io),
      m_requestOf(points.points.size())
{
    for (std::size_t r = 0; r < requests.size(); ++r)
        for (const std::size_t p : requests[r].points)
            m_requestOf[p] = r;
}

bool PollWriter::Write(const PollSample& sample, bool& failed)
{
    std::vector<std::pair<std::string, std::string>> faults; // what, and the points
    for (std::size_t r = 0; r < m_requests.size(); ++r) {
        const PollRequest& request = m_requests[r];
        const ReadResult& result = sample.results[r];
        if (result.failure == ReadFailure::None)
            continue;
        // A read the signal cut short is no fault of the device's.
        failed = failed || result.failure != ReadFailure::Interrupted;
        // Requests a failed connect left unread share its line.
        const bool same = !faults.empty() && faults.back().first == result.error;
        if (!same)
            faults.emplace_back(result.error, "");
        for (const std::size_t p : request.points)
            faults.back().second +=
                (faults.back().second.empty() ? "" : ", ") + m_points.points[p].name;
    }
    std::vector<std::vector<std::string>> values(m_points.points.size());
    for (std::size_t p = 0; p < values.size(); ++p) {
        const PollPoint& point = m_points.points[p];
        const PollRequest& request = m_requests[m_requestOf[p]];
        const ReadResult& result = sample.results[m_requestOf[p]];
        if (result.failure != ReadFailure::None)
            continue;
        std::string error;
        values[p] = point.target.Items(
            std::span(result.registers)
                .subspan(point.target.Address() - request.address, point.target.Count()),
            error);
        failed = failed || !error.empty();
        if (!error.empty())
            faults.emplace_back(m_points.devices[point.device].settings.device + " unit " +
                                    std::to_string(point.unit) + " address " +
                                    std::to_string(point.target.Address()) + ": " + error,
                                point.name);
    }
    if (!faults.empty()) {
        if (!FlushOrReport(m_out, m_io))
            return false;
        for (const auto& [what, names] : faults)
            std::fprintf(m_io.err, "tarvel-cli: %s: %s; no value for %s\n",
                         sample.time.c_str(), what.c_str(), names.c_str());
        std::fflush(m_io.err);
    }
    const std::string row = m_rows.Row(sample.time, values);
    m_out.Append(row.data(), row.size());
    return true;
}
