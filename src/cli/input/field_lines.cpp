#include "cli/input/field_lines.h"

#include <algorithm>
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
    if (m_delimiter != kBlankRuns && !joined && FindPlainField(line))
        return true;
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

// The line's field found by the C library's byte search: one for a quote,
// which only the full reader takes, then one for each delimiter up to the
// field's end. False, having found nothing, for a line with a quote.
bool FieldLines::FindPlainField(std::string_view line)
{
    const char* const data = line.data();
    const std::size_t size = line.size();
    if (size > 0 && std::memchr(data, '"', size) != nullptr)
        return false;
    std::size_t begin = 0;
    std::size_t end = size;
    std::size_t delimiters = 0; // found so far
    for (std::size_t at = 0; at < size;) {
        const void* const hit = std::memchr(data + at, m_delimiter, size - at);
        if (hit == nullptr)
            break;
        const auto k = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (++delimiters == m_field - 1) {
            begin = k + 1;
        } else if (delimiters == m_field) {
            end = k;
            break;
        }
        at = k + 1;
    }
    m_has = m_field == 1 || delimiters >= m_field - 1;
    if (!m_has)
        begin = size;
    m_found = {begin, std::max(begin, end), false};
    return true;
}

const std::string_view* FieldLines::Text()
{
    if (!m_has)
        return nullptr;
    m_text = FieldText(m_record, m_found, m_scratch);
    return &m_text;
}

char* FieldLines::WriteUpToResults(std::size_t room, OutputBuffer& out) const
{
    if (m_record.size() + 1 + room + 2 > OutputBuffer::kCapacity)
        return nullptr;
    char* o = out.Reserve(m_record.size() + 1 + room + 2);
    const std::size_t head = m_replace ? m_found.begin : m_record.size();
    o = std::copy_n(m_record.data(), head, o);
    if (!m_replace)
        *o++ = m_delimiter == kBlankRuns ? ' ' : m_delimiter;
    return o;
}

void FieldLines::WriteRest(char* resultsEnd, OutputBuffer& out) const
{
    char* o = resultsEnd;
    if (m_replace)
        o = std::copy(m_record.begin() + static_cast<std::ptrdiff_t>(m_found.end), m_record.end(),
                      o);
    if (m_crlf)
        *o++ = '\r';
    *o++ = '\n';
    out.Commit(o);
}

void FieldLines::Write(std::string_view results, OutputBuffer& out) const
{
    const char delimiter = m_delimiter == kBlankRuns ? ' ' : m_delimiter;
    const std::size_t size = m_record.size() + 1 + results.size() + 2;
    if (size <= OutputBuffer::kCapacity) { // the line in one reservation
        char* o = out.Reserve(size);
        const std::size_t head = m_replace ? m_found.begin : m_record.size();
        o = std::copy_n(m_record.data(), head, o);
        if (!m_replace)
            *o++ = delimiter;
        o = std::copy_n(results.data(), results.size(), o);
        if (m_replace)
            o = std::copy(m_record.begin() + static_cast<std::ptrdiff_t>(m_found.end),
                          m_record.end(), o);
        if (m_crlf)
            *o++ = '\r';
        *o++ = '\n';
        out.Commit(o);
        return;
    }
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
