// Reads a lockbench report back: the rows and their measurements, and, for a
// run that did not finish, where it stopped.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ReportRow {
  std::int32_t BufferSize;
  std::int32_t PassCount;
  // Milliseconds for NumThread = 1, 2, ...; shorter than MaxThreads when the
  // run stopped inside this row.
  std::vector<std::uint32_t> Elapsed;
};

struct Report {
  std::vector<ReportRow> Rows; // in schedule order, from the first row
  bool Complete = false;
  std::string Stopped; // for an incomplete run: where and why it stopped
};

struct ParseResult {
  bool Ok = false;
  Report Parsed;
  int Line = 0; // on failure: the 1-based line at fault
  std::string Error;
};

// Accepts LF and CR LF line ends. A run that ended on a creation failure or
// was cut off is read up to its last complete measurement; anything a
// lockbench run cannot have written is an error.
ParseResult ParseReport(std::string_view Text);
