// Reading property lists: the bundle's resources and the settings file are read at start-up and
// whenever a screen loads. The XML read is measured against the binary read of the same tree in
// the same run; the interesting figure is the ratio between the two.
#include "foundation/PlistFile.h"
#include "foundation/PlistValue.h"
#include "foundation/StringFormat.h"

#include <benchmark/benchmark.h>
#include <string>

using fretkit::PlistFile;
using fretkit::PlistValue;

namespace {

// About the size of the largest resource list: a few hundred countries with names and codes.
PlistValue countryList() {
    PlistValue list = PlistValue::array();
    for (int i = 0; i < 250; ++i) {
        list.append(
            PlistValue::dictionary({{"code", fretkit::stringWithFormat("C%d", i)},
                                    {"name", fretkit::stringWithFormat("Country number %d", i)},
                                    {"rank", i},
                                    {"share", i * 0.25}}));
    }
    return list;
}

void readList(benchmark::State& state, PlistFile::Format format) {
    const std::string bytes = *PlistFile::serialize(countryList(), format);
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlistFile::parse(bytes));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void BM_ReadBinaryBaseline(benchmark::State& state) {
    readList(state, PlistFile::Format::Binary);
}

void BM_ReadXml(benchmark::State& state) {
    readList(state, PlistFile::Format::Xml);
}

void BM_LookupByKey(benchmark::State& state) {
    const PlistValue list = countryList();
    for (auto _ : state) {
        int total = 0;
        for (const PlistValue& country : list.arrayItems()) {
            total += country["rank"].intValue();
        }
        benchmark::DoNotOptimize(total);
    }
}

} // namespace

BENCHMARK(BM_ReadBinaryBaseline);
BENCHMARK(BM_ReadXml);
BENCHMARK(BM_LookupByKey);
BENCHMARK_MAIN();
