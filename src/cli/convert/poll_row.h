// poll's output: one row a sample, CSV with a header or JSON Lines.
#pragma once

#include "cli/convert/poll_points.h"

#include <string>
#include <string_view>
#include <vector>

class PollRows {
public:
    // Rows of `points`' columns, after "time": CSV apart by `delimiter`, or
    // with `json` one JSON object a row.
    PollRows(const PollPoints& points, bool json, char delimiter);

    // The CSV header line, "time" and every point's columns, with its line
    // end; empty for JSON Lines, whose keys name themselves.
    std::string Header() const;

    // The row of a sample taken at `time`, with its line end: `values[p]`
    // holds point p's items, one for each of its columns, or none when it
    // was not read (an empty cell; null in JSON). In JSON a value that is a
    // JSON number stands as one, any other ("nan", "inf", hex) as a string.
    std::string Row(std::string_view time, const std::vector<std::vector<std::string>>& values) const;

private:
    std::vector<std::string> m_columns;
    std::vector<std::size_t> m_widths; // columns of each point
    bool m_json;
    char m_delimiter;
};

// Whether `text` is a number as JSON writes one: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumber(std::string_view text);
