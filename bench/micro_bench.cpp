// Micro-benchmarks of the conversion's pieces: the time value, the timestamp, and the work done
// for each title (cue text, cue block, and a whole title through the streaming pass).

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "convert/conversion.h"
#include "convert/cues/cue_text.h"
#include "convert/cues/srt_writer.h"
#include "convert/cues/timestamp.h"
#include "convert/io/memory_io.h"
#include "convert/titles/time_value.h"

namespace {

using caplift::Seconds;

constexpr std::string_view kTimeValues[] = {"0s", "3600s", "1001/30000s", "377377/30000s",
                                            "86486400/24000s"};

void BM_GetTime(benchmark::State& state) {
  const std::string_view value = kTimeValues[state.range(0)];
  state.SetLabel(std::string(value));
  for (auto _ : state) benchmark::DoNotOptimize(caplift::getTime(value));
}
BENCHMARK(BM_GetTime)->DenseRange(0, std::size(kTimeValues) - 1);

constexpr Seconds kSeconds[] = {0, 12.0125, 3661.5, 359999.999};

void BM_ToHMS(benchmark::State& state) {
  const Seconds seconds = kSeconds[state.range(0)];
  for (auto _ : state) benchmark::DoNotOptimize(caplift::toHMS(seconds));
}
BENCHMARK(BM_ToHMS)->DenseRange(0, std::size(kSeconds) - 1);

void BM_AppendTimestamp(benchmark::State& state) {
  std::string out;
  for (auto _ : state) {
    out.clear();
    caplift::appendTimestamp(out, 3661500, ',');
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_AppendTimestamp);

void BM_CueText(benchmark::State& state) {
  const std::string joined = "  Subtitle line with a little text: café, 字幕\nand a second line  ";
  std::string out;
  for (auto _ : state) {
    out.clear();
    caplift::appendWithoutBlankLines(out, caplift::trimWhiteSpace(joined));
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_CueText);

void BM_CueBlock(benchmark::State& state) {
  std::string out;
  std::size_t number = 0;
  for (auto _ : state) {
    out.clear();
    caplift::Cue cue;
    cue.start = 3603604;
    cue.end = 3607207;
    cue.text = "Subtitle line, café";
    caplift::appendCueBlock(out, ++number, cue);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_CueBlock);

// A title as the generated exports hold it, connected to a clip.
constexpr std::string_view kTitle =
    "<asset-clip ref=\"r10\" offset=\"120120/30000s\" name=\"A001\" start=\"1801800/30000s\" "
    "duration=\"5005/30000s\" format=\"r1\" tcFormat=\"NDF\">\n"
    "  <title ref=\"r2\" lane=\"1\" offset=\"1801800/30000s\" name=\"the city - Basic Title\" "
    "start=\"3603600/1000s\" duration=\"3003/30000s\">\n"
    "    <param name=\"Position\" key=\"9999/999166631/999166633/1/100/101\" value=\"0 -450\"/>\n"
    "    <text>\n      <text-style ref=\"ts1\">We never wait for the morning train, "
    "café</text-style>\n"
    "    </text>\n    <text-style-def id=\"ts1\">\n      <text-style font=\"Helvetica\" "
    "fontSize=\"60\" fontFace=\"Regular\" fontColor=\"1 1 1 1\" alignment=\"center\"/>\n"
    "    </text-style-def>\n  </title>\n</asset-clip>\n";

class NullSink : public caplift::TextSink {
 public:
  bool write(std::string_view text) override {
    benchmark::DoNotOptimize(text.data());
    return true;
  }
};

// The streaming pass over a document of many such titles, per title: parsing included.
void BM_ConvertPerTitle(benchmark::State& state) {
  const auto titles = static_cast<std::size_t>(state.range(0));
  std::string document = "<fcpxml><spine>\n";
  for (std::size_t i = 0; i < titles; ++i) document += kTitle;
  document += "</spine></fcpxml>\n";
  for (auto _ : state) {
    caplift::MemorySource source(document);
    NullSink sink;
    auto failure = caplift::convertStream(source, sink);
    if (failure) state.SkipWithError(failure->description().c_str());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * titles));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_ConvertPerTitle)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
