#include "cli/input/csv_fields.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

bool SplitCsv(std::string_view record, char delimiter, std::vector<CsvField>& fields,
              std::size_t& resume)
{
    const bool blanks = delimiter == kBlankRuns;
    const auto isDelimiter = [&](char c) { return blanks ? IsBlank(c) : c == delimiter; };
    const std::size_t size = record.size();
    std::size_t k = resume;
    CsvField field{};
    bool inQuotes = resume > 0; // the last field's quotes are still open
    if (inQuotes) {
        field = fields.back();
        fields.pop_back();
    } else {
        fields.clear();
        while (blanks && k < size && IsBlank(record[k]))
            ++k;
        if (blanks && k == size)
            return true; // no field at all
    }
    for (;;) {
        if (!inQuotes) {
            field = {k, k, k < size && record[k] == '"'};
            inQuotes = field.quoted;
            k += inQuotes ? 1 : 0;
        }
        if (inQuotes) {
            for (;; ++k) {
                if (k == size) {
                    fields.push_back(field);
                    resume = k;
                    return false;
                }
                if (record[k] == '"') {
                    if (k + 1 < size && record[k + 1] == '"')
                        ++k;
                    else
                        break;
                }
            }
            ++k;
            inQuotes = false;
        }
        while (k < size && !isDelimiter(record[k]))
            ++k;
        field.end = k;
        fields.push_back(field);
        if (k == size)
            break;
        ++k;
        while (blanks && k < size && IsBlank(record[k]))
            ++k;
        if (blanks && k == size)
            break;
    }
    resume = 0;
    return true;
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
