// Throughput of the class source scanner on class sources shaped like real ones: a class
// statement followed by declarations with types, initial values, line and block
// comments, continuation lines and hidden members.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "engine/scanner.h"

namespace ivarscan {
namespace {

// The declaration lines a class source cycles through; each holds a few names.
constexpr const char* kDeclarations[] = {
    "\tEXPORT oDCName%d AS SingleLineEdit\t// name field\r\n",
    "\tPROTECT nCount%d := 0, ;\r\n\t\tcTitle%d AS STRING\r\n",
    "\tINSTANCE aCache%d := {1, 2, \"a, b\"} AS ARRAY\r\n",
    "\t/* kept for the old layout\r\n\tEXPORT oOld%d\r\n\t*/\r\n",
    "\tHIDDEN hPriv%d AS PTR\r\n",
    "\tEXPORT DIM abBuf%d[256] AS BYTE, lReady%d := FALSE AS LOGIC /* set by Init */\r\n",
    "\tPROTECT oOwner%d IS MyStruct // back link\r\n",
    "\texport cSep%d := ',', cQuote%d := \"'\", ;\r\n\t       nWidth%d AS INT\r\n",
};

// A class source with `count` declaration lines, every name numbered by its line.
std::string ClassSource(int count) {
  std::string source = "CLASS OrderWindow INHERIT DataWindow\r\n";
  char line[256];
  for (int i = 0; i < count; ++i) {
    const char* pattern = kDeclarations[i % std::size(kDeclarations)];
    std::snprintf(line, sizeof line, pattern, i, i, i);
    source += line;
  }
  return source;
}

void BM_GetVisibleIvars(benchmark::State& state) {
  const std::string source = ClassSource(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(GETVISIBLEIVARS(source));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));
  state.counters["source_bytes"] = static_cast<double>(source.size());
}
BENCHMARK(BM_GetVisibleIvars)->Arg(12)->Arg(40)->Arg(200)->Arg(20000);

// As a run scans: with the line on which each name starts.
void BM_GetVisibleIvarsWithLines(benchmark::State& state) {
  const std::string source = ClassSource(static_cast<int>(state.range(0)));
  std::vector<std::size_t> lines;
  for (auto _ : state) benchmark::DoNotOptimize(GETVISIBLEIVARS(source, &lines));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.size()));
  state.counters["source_bytes"] = static_cast<double>(source.size());
}
BENCHMARK(BM_GetVisibleIvarsWithLines)->Arg(12)->Arg(40)->Arg(200)->Arg(20000);

}  // namespace
}  // namespace ivarscan

BENCHMARK_MAIN();
