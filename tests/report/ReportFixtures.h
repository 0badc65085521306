// Reports as lockbench writes them, cut wherever a test needs.
#pragma once

#include "common/Schedule.h"

#include <string>

// The complete rows before Row, then Row's header and its first Measurements
// lines; Elapsed is 100 x (row + 1) + NumThread, so every cell is known.
inline std::string ReportText(int Row, int Measurements, const std::string& LineEnd = "\n") {
  std::string Text;
  for (int Index = 0; Index <= Row && Index < ScheduleRows; ++Index) {
    Text += "BufferSize=" + std::to_string(ScheduleBufferSizes[Index]) + LineEnd;
    const int Lines = Index < Row ? 8 : Measurements;
    for (int NumThread = 1; NumThread <= Lines; ++NumThread)
      Text += "NumThread=" + std::to_string(NumThread) + "\tElapsed\t" +
              std::to_string(100 * (Index + 1) + NumThread) + "\tmsec" + LineEnd;
  }
  return Text;
}

inline const std::string CompleteReport = ReportText(ScheduleRows, 0);
