#include "cli/convert/poll_points.h"

#include "cli/convert/read_settings.h"
#include "cli/options/parse_options.h"
#include "cli/output/printable.h"
#include "core/text_chars.h"
#include "device/device_address.h"

#include <algorithm>

namespace {

constexpr OptionUse kPointOptions[] = {
    {"--order"}, {"--format"},   {"--digits"}, {"--input"},  {"--coils"},
    {"--discrete"}, {"--reference"}, {"--unit"}, {"--count"}, {"--baud"},
    {"--parity"}, {"--stop-bits"}, {"--rs485"},
};
const CommandUsage kPointUsage{.name = "a points line",
                               .synopsis = "NAME DEVICE ADDRESS WHAT [OPTION...]",
                               .summary = {},
                               .description = {},
                               .options = kPointOptions,
                               .examples = {}};

constexpr std::size_t kLongestName = 64;

bool IsNameChar(char c)
{
    const char folded = text_chars::FoldCase(c);
    return text_chars::IsDigit(c) || (folded >= 'a' && folded <= 'z') || c == '_';
}

// Whether `name` can stand as a column name in CSV, JSON, SQL and the like.
bool IsColumnName(std::string_view name, bool leadingDigit)
{
    return !name.empty() && name.size() <= kLongestName &&
           (leadingDigit || !text_chars::IsDigit(name.front())) &&
           std::all_of(name.begin(), name.end(), IsNameChar);
}

// One connection's key: TCP host (in any case) and port, or a serial path.
std::string DeviceKey(const DeviceAddress& where)
{
    if (!where.tcp)
        return where.path;
    std::string host = where.host;
    std::transform(host.begin(), host.end(), host.begin(),
                   text_chars::FoldCase);
    return "tcp://" + host + ":" + std::to_string(where.port);
}

// Takes a line's serial settings into its device's, refusing one that
// differs from what an earlier line gave.
bool MergeSerial(const ReadOptions& given, ReadOptions& device, const std::string& text,
                 std::string& error)
{
    const auto take = [&](const auto& value, auto& into, const char* name, auto show) {
        if (!value)
            return true;
        if (into && *into != *value) {
            error = std::string(name) + " " + show(*value) + ", but an earlier line gives " +
                    Printable(text) + " " + name + " " + show(*into);
            return false;
        }
        into = value;
        return true;
    };
    const auto number = [](int v) { return std::to_string(v); };
    const auto letter = [](char v) { return std::string(1, v); };
    device.rs485 = device.rs485 || given.rs485;
    return take(given.baud, device.baud, "--baud", number) &&
           take(given.parity, device.parity, "--parity", letter) &&
           take(given.stopBits, device.stopBits, "--stop-bits", number);
}

// The columns of `point`: its name alone, or with each field or place.
std::vector<std::string> Columns(const std::string& name, const ReadTarget& target, bool record,
                                 std::string& error)
{
    const std::vector<std::string> names = target.Names();
    if (names.size() == 1 && !record)
        return {name};
    std::vector<std::string> columns;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string part = record ? names[k] : std::to_string(k + 1);
        if (!IsColumnName(part, true)) {
            error = "field name '" + Printable(part) +
                    "' cannot stand in a column name (letters, digits and '_')";
            return {};
        }
        columns.push_back(name);
        columns.back().append(".").append(part);
    }
    return columns;
}

// The point of one line's `words`, its device found or added in `points`.
std::optional<PollPoint> ParsePoint(const std::vector<std::string>& words,
                                    const CliOptions& base, PollPoints& points,
                                    std::vector<ReadOptions>& serial,
                                    std::vector<std::string>& keys, std::string& error)
{
    std::vector<std::string_view> views(words.begin(), words.end());
    CliOptions options = base;
    const auto taken = ParseCliOptions(views, kPointUsage, options, error);
    if (!taken)
        return std::nullopt;
    const std::vector<std::string_view>& rest = taken->text;
    const bool bits = options.read.coils || options.read.discrete; // no WHAT
    if (taken->help || rest.size() < (bits ? 3U : 4U)) {
        error = "a point is NAME DEVICE ADDRESS WHAT [OPTION...]";
        return std::nullopt;
    }
    PollPoint point;
    point.name = std::string(rest[0]);
    if (!IsColumnName(point.name, false) || text_chars::EqualIgnoringCase(point.name, "time")) {
        error = "NAME '" + Printable(point.name) +
                "' is not a column name: a letter or '_', then letters, digits or '_', at most " +
                std::to_string(kLongestName) + ", and not 'time'";
        return std::nullopt;
    }
    if (options.read.units.size() != 1) {
        error = "a point reads one --unit";
        return std::nullopt;
    }
    point.unit = options.read.units.front();
    const bool record = rest.size() > 3 && rest[3] == "record";
    if (rest.size() > 3 && rest[3] == "inspect") {
        error = "inspect is not a point; poll reads values";
        return std::nullopt;
    }
    auto target = ReadTarget::Parse(std::span(rest).subspan(2), options, error);
    if (!target || !ReadSettings(rest[1], options.read, error))
        return std::nullopt;
    point.columns = Columns(point.name, *target, record, error);
    if (point.columns.empty())
        return std::nullopt;
    std::string ignored;
    const std::string key = DeviceKey(*ParseDeviceAddress(rest[1], ignored));
    const auto known = std::find(keys.begin(), keys.end(), key);
    point.device = static_cast<std::size_t>(known - keys.begin());
    if (known == keys.end()) {
        keys.push_back(key);
        serial.emplace_back();
        points.devices.push_back({DeviceSettings{.device = std::string(rest[1])}});
    }
    if (!MergeSerial(options.read, serial[point.device],
                     points.devices[point.device].settings.device, error))
        return std::nullopt;
    point.target = std::move(*target);
    return point;
}

} // namespace

std::optional<std::vector<std::string>> SplitPointWords(std::string_view line, std::string& error)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t\r", at);
        if (at == std::string_view::npos || line[at] == '#')
            return words;
        std::string word;
        for (; at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r';) {
            const char c = line[at++];
            if (c != '\'' && c != '"') {
                word += c;
                continue;
            }
            const std::size_t close = line.find(c, at);
            if (close == std::string_view::npos) {
                error = std::string("a ") + (c == '"' ? "double" : "single") +
                        " quote left open";
                return std::nullopt;
            }
            word += line.substr(at, close - at);
            at = close + 1;
        }
        words.push_back(std::move(word));
    }
}

std::optional<PollPoints> ParsePollPoints(std::string_view text, const CliOptions& options,
                                          std::string& error)
{
    // A point takes the command line's style of values, and none of its
    // output options: its values go into a row of poll's.
    CliOptions base;
    static_cast<ValueStyle&>(base) = options;
    PollPoints points;
    std::vector<ReadOptions> serial; // what each device's lines gave
    std::vector<std::string> keys;
    std::size_t number = 0;
    // A byte order mark, as some Windows editors write one, is not a name.
    const std::size_t start = text.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    for (std::size_t at = start; at < text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        at = end + 1;
        const std::string where = "line " + std::to_string(number + 1) + ": ";
        const auto words = SplitPointWords(line, error);
        if (!words) {
            error.insert(0, where);
            return std::nullopt;
        }
        if (words->empty())
            continue;
        auto point = ParsePoint(*words, base, points, serial, keys, error);
        if (!point) {
            error.insert(0, where);
            return std::nullopt;
        }
        point->line = number + 1;
        for (const PollPoint& earlier : points.points)
            if (text_chars::EqualIgnoringCase(earlier.name, point->name)) {
                error = where + "NAME '" + point->name + "' is taken by line " +
                        std::to_string(earlier.line);
                return std::nullopt;
            }
        points.points.push_back(std::move(*point));
    }
    if (points.points.empty()) {
        error = "no points: each line is NAME DEVICE ADDRESS WHAT [OPTION...]";
        return std::nullopt;
    }
    for (std::size_t d = 0; d < points.devices.size(); ++d) {
        ReadOptions read = serial[d];
        read.timeoutMs = options.read.timeoutMs;
        read.retries = options.read.retries;
        // Every unit of the device was checked with its line.
        points.devices[d].settings =
            *ReadSettings(points.devices[d].settings.device, read, error);
    }
    return points;
}
