// Laying out and painting a panel with 200 labels, against baselines that
// do only the unavoidable work: measuring the 200 captions directly and
// filling a bitmap of the same size pixel by pixel.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/controls/label.h"
#include "platform/controls/panel.h"
#include "platform/graphics/canvas.h"

namespace tabulon {
namespace {

constexpr int kLabels = 200, kColumns = 4, kColumnWidth = 100, kRowHeight = 18;
constexpr int kWidth = kColumns * kColumnWidth, kHeight = (kLabels / kColumns) * kRowHeight;

std::string Caption(int i) { return "Field number " + std::to_string(i); }

// A panel holding 200 auto-sized labels in a grid.
std::unique_ptr<TPanel> MakePanel() {
  auto panel = std::make_unique<TPanel>(nullptr);
  panel->SetBounds(0, 0, kWidth, kHeight);
  panel->DisableAlign();
  for (int i = 0; i < kLabels; ++i) {
    auto* l = new TLabel(panel.get());
    l->SetParent(panel.get());
    l->SetBounds((i % kColumns) * kColumnWidth + 4, (i / kColumns) * kRowHeight + 2, 10, 10);
    l->SetCaption(Caption(i));
  }
  panel->EnableAlign();
  return panel;
}

void BM_Baseline_MeasureCaptions(benchmark::State& state) {
  TFont font;
  TTextMetricsProvider& tm = TextMetrics();
  std::vector<std::string> captions;
  for (int i = 0; i < kLabels; ++i) captions.push_back(Caption(i));
  for (auto _ : state) {
    int total = 0;
    for (const auto& c : captions) total += tm.TextWidth(font, c) + tm.GetMetrics(font).tmHeight;
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_Baseline_MeasureCaptions);

void BM_CreateAndLayOut200Labels(benchmark::State& state) {
  for (auto _ : state) {
    auto panel = MakePanel();
    benchmark::DoNotOptimize(panel->GetControls(kLabels - 1)->GetWidth());
  }
}
BENCHMARK(BM_CreateAndLayOut200Labels);

void BM_RelayoutOnParentFontChange(benchmark::State& state) {
  auto panel = MakePanel();
  int size = 8;
  for (auto _ : state) {
    size = size == 8 ? 9 : 8;
    panel->GetFont()->SetSize(size);  // every label follows and re-measures
    benchmark::DoNotOptimize(panel->GetControls(0)->GetWidth());
  }
}
BENCHMARK(BM_RelayoutOnParentFontChange);

void BM_Baseline_FillPixels(benchmark::State& state) {
  TBitmap bmp(kWidth, kHeight);
  uint32_t c = 0xC0C0C0;
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) bmp.PutRaw(x, y, c);
    c ^= 0x010101;
    benchmark::DoNotOptimize(bmp.GetRaw(1, 1));
  }
}
BENCHMARK(BM_Baseline_FillPixels);

void BM_Paint200Labels(benchmark::State& state) {
  auto panel = MakePanel();
  TBitmap bmp(kWidth, kHeight);
  for (auto _ : state) {
    panel->PaintTo(bmp.Canvas(), 0, 0);
    benchmark::DoNotOptimize(bmp.GetRaw(10, 10));
  }
}
BENCHMARK(BM_Paint200Labels);

}  // namespace
}  // namespace tabulon

BENCHMARK_MAIN();
