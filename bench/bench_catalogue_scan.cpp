// ScanCatalogue reads text from a file anyone can write, so its time must
// grow linearly with the text whatever the text holds. Each family below
// grows one hostile shape over a range of sizes and lets Google Benchmark
// fit a linear model to the times (the "_BigO" row gives the time per byte,
// the "_RMS" row how far the points stray from a straight line: a few per
// cent for linear growth, tens of per cent for quadratic). N is the text's
// length in bytes.
//
//  - Records: ordinary records, up to 100,000 of them.
//  - LongValues: records whose values are 100 KB each.
//  - Unclosed: a value that never closes (no double quote after it), on
//    texts of 6.4 MB to 100 MB.
//  - OpeningQuotesOnly: keys with their opening quotes and no closing ones,
//    so every value runs on to the next key's opening quote.
//  - TabsWithoutLocation: the tab layouts' fields with no "Location=".
//  - HiddenQuotes: Shift JIS text in which every double quote is the second
//    byte of a character, so every quote the byte search finds is rejected.

#include "platform/CodePage.h"
#include "profile/CatalogueFiles.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

using namespace quorvane;

namespace {

constexpr std::size_t kLongValue = 100 * 1000;

const CodePage& ShiftJis() {
    static const CodePage codePage = CodePage::Make("SHIFT_JIS").value();
    return codePage;
}

std::string Value(std::size_t length, char fill) {
    return std::string(length, fill);
}

// expectedRecords: what the text holds by construction, when that is known.
void Scan(benchmark::State& state, CatalogueLayout layout, const std::string& text,
          const CodePage& codePage, std::optional<std::size_t> expectedRecords) {
    std::size_t found = 0;
    for (auto _ : state) {
        std::vector<CatalogueRecord> records = ScanCatalogue(layout, text, codePage);
        found = records.size();
        benchmark::DoNotOptimize(records.data());
    }
    if (expectedRecords && found != *expectedRecords)
        state.SkipWithError("the scan did not find the records the text holds");
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["records"] = static_cast<double>(found);
}

void BM_ScanRecords(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::string text = "<L>";
    for (std::size_t i = 0; i < count; ++i)
        text += "<I Friendly=\"QgBvAG4AZwBvAA==\" Location=\"object" + std::to_string(i) +
                ".cab\" stamp=\"PHN0YW1wIC8+\"/>";
    text += "</L>";
    Scan(state, CatalogueLayout::Packaged, text, CodePage::Ansi(), count);
}
BENCHMARK(BM_ScanRecords)
    ->Arg(3125)
    ->Arg(6250)
    ->Arg(12500)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_ScanLongValues(benchmark::State& state) {
    const auto count = static_cast<std::size_t>(state.range(0));
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += "\t" + Value(kLongValue, 'k') + "\t" + Value(kLongValue, 'n') + "\t<E Location=\"" +
                Value(kLongValue, 'l') + "\"/>";
    Scan(state, CatalogueLayout::CustomEmoticons, text, CodePage::Ansi(), count);
}
BENCHMARK(BM_ScanLongValues)
    ->RangeMultiplier(2)
    ->Range(2, 64)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// One key, then megabytes without a double quote: the value never ends, and
// the scan must give up at the end of the text once, not once per key
// behind it.
void BM_ScanUnclosed(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::string text = "<I Friendly=\"";
    while (text.size() < size)
        text += "QQA= Location=x" + Value(64, 'x') + ".png stamp=S ";
    Scan(state, CatalogueLayout::Packaged, text, CodePage::Ansi(), 0);
}
// A single pass at memory speed: below a few megabytes the text sits in
// the caches and the times say more about them than about growth, so this
// family starts where the others end.
BENCHMARK(BM_ScanUnclosed)
    ->RangeMultiplier(2)
    ->Range(64 * kLongValue, 1024 * kLongValue)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_ScanOpeningQuotesOnly(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::string text;
    while (text.size() < size)
        text += "Friendly=\"QQA= Location=\"" + Value(64, 'x') + " stamp=\"S ";
    Scan(state, CatalogueLayout::Packaged, text, CodePage::Ansi(), std::nullopt);
}
BENCHMARK(BM_ScanOpeningQuotesOnly)
    ->RangeMultiplier(2)
    ->Range(kLongValue, 64 * kLongValue)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

void BM_ScanTabsWithoutLocation(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::string text;
    while (text.size() < size)
        text += "\t:-)\tSmile\t<E Locat=\"a.png\"/>";
    Scan(state, CatalogueLayout::CustomEmoticons, text, CodePage::Ansi(), 0);
}
BENCHMARK(BM_ScanTabsWithoutLocation)
    ->RangeMultiplier(2)
    ->Range(kLongValue, 64 * kLongValue)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

// One record whose Location value is followed by a long run of "\x81\""
// pairs: in Shift JIS each pair is one character, so none of those quotes
// ends the value and the search must step over each one once.
void BM_ScanHiddenQuotesShiftJis(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::string text = "Friendly=\"QQA=\" Location=\"a";
    while (text.size() < size)
        text += "\x81\"";
    Scan(state, CatalogueLayout::RegularBackgrounds, text, ShiftJis(), 0);
}
BENCHMARK(BM_ScanHiddenQuotesShiftJis)
    ->RangeMultiplier(2)
    ->Range(kLongValue, 64 * kLongValue)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
