// The contention chart: one line per BufferSize, milliseconds against thread
// count, drawn by gnuplot.
#pragma once

#include "report/ReportFile.h"

#include <string>

// The gnuplot script that draws Parsed into OutputPath; the terminal follows
// the file name (.svg or .png). Empty when the name has neither.
std::string ChartScript(const Report& Parsed, const std::string& OutputPath);

// Runs gnuplot on Script. Returns an empty string on success, otherwise
// what went wrong, in one line.
std::string RunGnuplot(const std::string& Script);
