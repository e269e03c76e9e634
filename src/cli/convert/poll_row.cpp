#include "cli/convert/poll_row.h"

#include "cli/input/item_sink.h"
#include "cli/output/json_text.h"
#include "core/text_chars.h"

namespace {

// Moves `at` past a run of digits; false when there is none.
bool SkipDigits(std::string_view text, std::size_t& at)
{
    const std::size_t start = at;
    while (at < text.size() && text_chars::IsDigit(text[at]))
        ++at;
    return at > start;
}

} // namespace

bool IsJsonNumber(std::string_view text)
{
    std::size_t at = text.starts_with('-') ? 1 : 0;
    if (at < text.size() && text[at] == '0')
        ++at;
    else if (!SkipDigits(text, at))
        return false;
    if (at < text.size() && text[at] == '.' && !SkipDigits(text, ++at))
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        if (!SkipDigits(text, at))
            return false;
    }
    return at == text.size();
}

PollRows::PollRows(const PollPoints& points, bool json, char delimiter)
    : m_json(json), m_delimiter(delimiter)
{
    for (const PollPoint& point : points.points) {
        m_columns.insert(m_columns.end(), point.columns.begin(), point.columns.end());
        m_widths.push_back(point.columns.size());
    }
}

std::string PollRows::Header() const
{
    if (m_json)
        return {};
    ItemSink items(m_delimiter);
    items.Add("time");
    for (const std::string& column : m_columns)
        items.Add(column);
    return std::string(items.Line()) + "\n";
}

std::string PollRows::Row(std::string_view time,
                          const std::vector<std::vector<std::string>>& values) const
{
    if (!m_json) {
        ItemSink items(m_delimiter);
        items.Add(time);
        for (std::size_t p = 0; p < m_widths.size(); ++p)
            for (std::size_t k = 0; k < m_widths[p]; ++k)
                items.Add(k < values[p].size() ? std::string_view(values[p][k])
                                               : std::string_view());
        return std::string(items.Line()) + "\n";
    }
    std::string line = "{\"time\": " + Json(time);
    std::size_t column = 0;
    for (std::size_t p = 0; p < m_widths.size(); ++p)
        for (std::size_t k = 0; k < m_widths[p]; ++k, ++column) {
            line += ", " + Json(m_columns[column]) + ": ";
            line += k >= values[p].size()        ? std::string("null")
                    : IsJsonNumber(values[p][k]) ? values[p][k]
                                                  : Json(values[p][k]);
        }
    return line + "}\n";
}
