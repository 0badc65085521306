// lockbench takes no input: arguments and environment are ignored, so every
// run is the same run.
#include "driver/Benchmark.h"

int main() {
  return RunBenchmark();
}
