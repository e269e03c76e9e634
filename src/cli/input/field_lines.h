// The records of a delimited log, a line (or, inside quotes, several) at a
// time: the TEXT in one field of each, and where the results go.
#pragma once

#include "cli/input/block_reader.h"
#include "cli/input/csv_fields.h"
#include "cli/output/output_buffer.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// "\r\n" when `crlf`, else "\n": a line written back ends as it came.
void WriteLineEnd(bool crlf, OutputBuffer& out);

class FieldLines {
public:
    // Field `field` (from 1) of records whose fields are apart by `delimiter`
    // (kBlankRuns for runs of blanks); results in place of it when `replace`.
    FieldLines(std::size_t field, char delimiter, bool replace)
        : m_field(field), m_delimiter(delimiter), m_replace(replace)
    {
    }

    // Adds `line` (valid until the record is written) to the record being
    // read; false while a quoted field is open, so the record goes on after
    // a line break: the one that ended the line before, "\r\n" when `crlf`.
    bool Add(std::string_view line, bool crlf);
    bool Open() const { return m_open; }
    // Whether the open record has grown past the longest line read whole.
    bool TooLong() const { return m_tooLong; }

    // The TEXT of the record's field, or nullptr when it has fewer fields.
    const std::string_view* Text();

    // Writes the record with `results` (items apart by the delimiter)
    // appended, or in place of the field, and the line end its last line
    // came with.
    void Write(std::string_view results, OutputBuffer& out) const;
    // The same in one reservation, for results of at most `room` bytes that
    // the caller writes at the place returned and ends with WriteRest, which
    // commits the line; nothing is written out before. Null, reserving
    // nothing, for a record too long to take in one.
    char* WriteUpToResults(std::size_t room, OutputBuffer& out) const;
    void WriteRest(char* resultsEnd, OutputBuffer& out) const;

private:
    bool FindPlainField(std::string_view line);

    std::size_t m_field;
    char m_delimiter;
    bool m_replace;
    std::string_view m_record; // the line itself, or m_joined across lines
    std::string m_joined;
    CsvField m_found{}; // the field, when the record has it
    bool m_has = false;
    std::vector<CsvField> m_fields;
    std::string m_scratch;
    std::string_view m_text;
    bool m_open = false;
    bool m_tooLong = false;
    std::size_t m_resume = 0; // where an open record's scan goes on
    bool m_crlf = false; // the last line added ended in "\r\n"
};
