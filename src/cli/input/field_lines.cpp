#include "cli/input/field_lines.h"

#include <cstring>

void WriteLineEnd(bool crlf, OutputBuffer& out)
{
    out.Append(crlf ? "\r\n" : "\n", crlf ? 2 : 1);
}

bool FieldLines::Add(std::string_view line, bool crlf)
{
    const bool joined = m_open;
    if (joined) {
        m_joined.append(m_crlf ? "\r\n" : "\n").append(line);
        m_record = m_joined;
    } else {
        m_record = line; // no copy: most records are one line without quotes
    }
    m_crlf = crlf;
    if (m_delimiter != kBlankRuns && std::memchr(line.data(), '"', line.size()) == nullptr &&
        !joined) {
        // Without quotes, only the delimiters before the field matter.
        std::size_t begin = 0;
        for (std::size_t k = 1; k < m_field; ++k) {
            const void* next = std::memchr(line.data() + begin, m_delimiter, line.size() - begin);
            if (next == nullptr) {
                m_has = false;
                return true;
            }
            begin = static_cast<std::size_t>(static_cast<const char*>(next) - line.data()) + 1;
        }
        const void* end = std::memchr(line.data() + begin, m_delimiter, line.size() - begin);
        m_found = {begin,
                   end == nullptr
                       ? line.size()
                       : static_cast<std::size_t>(static_cast<const char*>(end) - line.data()),
                   false};
        m_has = true;
        return true;
    }
    if (!joined)
        m_resume = 0;
    m_open = !SplitCsv(m_record, m_delimiter, m_fields, m_resume);
    if (m_open && !joined)
        m_joined.assign(line); // the buffer behind `line` moves on
    m_tooLong = m_open && m_joined.size() > BlockReader::kMaxLine;
    m_has = !m_open && m_fields.size() >= m_field;
    if (m_has)
        m_found = m_fields[m_field - 1];
    return !m_open;
}

const std::string_view* FieldLines::Text()
{
    if (!m_has)
        return nullptr;
    m_text = FieldText(m_record, m_found, m_scratch);
    return &m_text;
}

void FieldLines::Write(std::string_view results, OutputBuffer& out) const
{
    const char delimiter = m_delimiter == kBlankRuns ? ' ' : m_delimiter;
    if (m_replace) {
        out.Append(m_record.data(), m_found.begin);
        out.Append(results.data(), results.size());
        const std::string_view rest = m_record.substr(m_found.end);
        out.Append(rest.data(), rest.size());
    } else {
        out.Append(m_record.data(), m_record.size());
        out.Append(&delimiter, 1);
        out.Append(results.data(), results.size());
    }
    WriteLineEnd(m_crlf, out);
}
