// Table rows print as their name, so a failure and ctest's test list name the
// input rather than dumping its bytes. Included inside no namespace: the
// unnamed namespace below is the one each test file's rows live in.
#pragma once

#include <ostream>

namespace {

template <class Row>
requires requires(const Row& row)
{
    row.name;
}
void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

} // namespace
