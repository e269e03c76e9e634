// The time now as a log line starts with it.
#pragma once

#include <string>

// The system clock's time in ISO 8601 UTC with milliseconds,
// "2026-12-09T08:00:00.100Z"; never the local zone or locale.
std::string UtcTimeText();
