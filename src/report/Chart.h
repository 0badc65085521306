// The contention chart: one line per BufferSize, milliseconds against thread
// count, drawn by gnuplot.
#pragma once

#include "report/ReportFile.h"

#include <string>

// The gnuplot terminal for OutputPath, chosen by its ending (.svg or .png);
// empty when it has neither.
std::string ChartTerminal(const std::string& OutputPath);

// The gnuplot script that draws Parsed into OutputPath, which must have a
// ChartTerminal.
std::string ChartScript(const Report& Parsed, const std::string& OutputPath);

// Runs gnuplot on Script. Returns an empty string on success, otherwise
// what went wrong, in one line.
std::string RunGnuplot(const std::string& Script);
