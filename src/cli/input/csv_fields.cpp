#include "cli/input/csv_fields.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

bool SplitCsv(std::string_view record, char delimiter, std::vector<CsvField>& fields)
{
    fields.clear();
    const bool blanks = delimiter == kBlankRuns;
    const auto isDelimiter = [&](char c) { return blanks ? IsBlank(c) : c == delimiter; };
    std::size_t k = 0;
    if (blanks) {
        while (k < record.size() && IsBlank(record[k]))
            ++k;
        if (k == record.size())
            return true; // no field at all
    }
    for (;;) {
        CsvField field{k, k, k < record.size() && record[k] == '"'};
        if (field.quoted) {
            for (++k;; ++k) {
                if (k == record.size())
                    return false;
                if (record[k] == '"') {
                    if (k + 1 < record.size() && record[k + 1] == '"')
                        ++k;
                    else
                        break;
                }
            }
            ++k;
        }
        while (k < record.size() && !isDelimiter(record[k]))
            ++k;
        field.end = k;
        fields.push_back(field);
        if (k == record.size())
            return true;
        ++k;
        if (blanks) {
            while (k < record.size() && IsBlank(record[k]))
                ++k;
            if (k == record.size())
                return true;
        }
    }
}

std::string_view FieldText(std::string_view record, const CsvField& field, std::string& scratch)
{
    const std::string_view raw = record.substr(field.begin, field.end - field.begin);
    if (!field.quoted)
        return raw;
    scratch.clear();
    const std::size_t close = raw.rfind('"');
    for (std::size_t k = 1; k < raw.size(); ++k) {
        if (k == close && close > 0) { // a lenient tail follows the closing quote
            scratch.append(raw.substr(k + 1));
            break;
        }
        scratch += raw[k];
        if (raw[k] == '"')
            ++k; // the second of a doubled quote
    }
    return scratch;
}
