// The fields of a delimited line, read as RFC 4180 reads CSV: a field may be
// quoted, a doubled quote inside stands for one, and a delimiter or line
// break inside quotes is part of the field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Where a field stands in its record, quotes included.
struct CsvField {
    std::size_t begin;
    std::size_t end;
    bool quoted;
};

// The delimiter ' ' stands for runs of spaces and tabs, with blanks at the
// ends of the record ignored.
inline constexpr char kBlankRuns = ' ';

// Splits `record` into `fields` (replacing what it held). False when a
// quoted field is still open at the end: the record goes on after a line
// break, and `resume` is where the scan stopped, so that a call with the
// record grown by its next line, the same `fields` and `resume`, goes on
// from there rather than from the start (a field of many lines is read in
// one pass). `resume` 0 starts afresh, and is 0 again once the record is
// whole. A quote that closes before something other than the delimiter is
// taken leniently, the rest of the field following it.
bool SplitCsv(std::string_view record, char delimiter, std::vector<CsvField>& fields,
              std::size_t& resume);

// The text of `field` in `record`: without its quotes, doubled quotes undone.
std::string_view FieldText(std::string_view record, const CsvField& field, std::string& scratch);
