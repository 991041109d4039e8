// The fields panel's layout pass over 100 records (a caption and an editor
// each), against the baseline of creating the same 100 labels and 100
// edits by hand in the same kind of scroll box: the first pass (which
// creates every control), a pass that moves every control, and a pass
// that changes nothing (which must create and free nothing).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/controls/label.h"
#include "platform/core/class_builder.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field_defs.h"
#include "platform/forms/edit.h"
#include "run/tbnset.h"

namespace tabulon {

constexpr int kRecords = 100;

// An edit that counts its instances.
class TBenchEdit : public TEdit {
  TBN_CLASS(TBenchEdit, TEdit)
 public:
  explicit TBenchEdit(TComponent* owner) : TEdit(owner) { ++Created; }
  ~TBenchEdit() override { ++Freed; }
  static inline long Created = 0;
  static inline long Freed = 0;
};
TBN_REGISTER(TBenchEdit) {}

// A concrete panel with plain field records and counting editors.
class TBenchPanel : public TPanelFieldsSet {
  TBN_CLASS(TBenchPanel, TPanelFieldsSet)
 public:
  explicit TBenchPanel(TComponent* owner) : TPanelFieldsSet(owner) {
    Fields = new TFieldsList(this, TFieldRecord::StaticClass());
  }
  const TClass* EditorClass(TFieldRecord*, int) override { return TBenchEdit::StaticClass(); }
  /// Frees every row's controls, so that the next pass creates them anew.
  void FreeRows() {
    for (int i = 0; i < Fields->Count(); ++i) Fields->GetItem(i)->DestroyComponents();
  }
};
TBN_REGISTER(TBenchPanel) {}

namespace {

// A dataset of 100 string fields and a panel showing them.
struct Setup {
  Setup() : owner(std::make_unique<TComponent>(nullptr)) {
    auto* ds = new TClientDataSet(owner.get());
    for (int i = 0; i < kRecords; ++i)
      ds->GetFieldDefs()->Add("FIELD" + std::to_string(i), ftString, 10 + i % 20);
    ds->CreateDataSet();
    auto* source = new TDataSource(owner.get());
    source->SetDataSet(ds);
    form = new TPanel(owner.get());
    form->SetBounds(0, 0, 400, 300);
    panel = new TBenchPanel(owner.get());
    panel->SetParent(form);
    panel->SetAlign(alClient);
    panel->SetDataSource(source);
  }
  std::unique_ptr<TComponent> owner;
  TPanel* form;
  TBenchPanel* panel;
};

// Editors created and freed per iteration.
void Report(benchmark::State& state, long created, long freed) {
  state.counters["created"] = benchmark::Counter(static_cast<double>(TBenchEdit::Created - created),
                                                 benchmark::Counter::kAvgIterations);
  state.counters["freed"] = benchmark::Counter(static_cast<double>(TBenchEdit::Freed - freed),
                                               benchmark::Counter::kAvgIterations);
}

// What the first pass makes, made by hand: 100 captions and 100 edits,
// font, text and place set, parented to a scroll box.
void BM_Baseline_HandMadeRows(benchmark::State& state) {
  TScrollBox box(nullptr);
  box.SetBounds(0, 0, 392, 292);
  TFont font;
  for (auto _ : state) {
    state.PauseTiming();
    while (box.GetControlCount() > 0) TObject::Free(box.GetControls(box.GetControlCount() - 1));
    state.ResumeTiming();
    for (int i = 0; i < kRecords; ++i) {
      auto* label = new TLabel(&box);
      label->SetParentFont(false);
      label->SetFont(&font);
      label->SetCaption("FIELD" + std::to_string(i));
      label->SetBounds(1, i * 23 + 4, label->GetWidth(), label->GetHeight());
      label->SetParent(&box);
      auto* edit = new TEdit(&box);
      edit->SetParentFont(false);
      edit->SetFont(&font);
      edit->SetBounds(60, i * 23, 100, 21);
      edit->SetParent(&box);
      edit->SetText("");
    }
    benchmark::DoNotOptimize(box.GetControlCount());
  }
}
BENCHMARK(BM_Baseline_HandMadeRows)->Unit(benchmark::kMicrosecond);

void BM_FirstPass(benchmark::State& state) {
  Setup s;
  long created = TBenchEdit::Created, freed = TBenchEdit::Freed;
  for (auto _ : state) {
    state.PauseTiming();
    s.panel->FreeRows();
    state.ResumeTiming();
    s.panel->PaintFields();
    benchmark::DoNotOptimize(s.panel->GetRequiredHeight());
  }
  Report(state, created, freed);
}
BENCHMARK(BM_FirstPass)->Unit(benchmark::kMicrosecond);

void BM_MovingPass(benchmark::State& state) {
  Setup s;
  long created = TBenchEdit::Created, freed = TBenchEdit::Freed;
  bool formatted = false;
  for (auto _ : state) {
    s.panel->SetPosState(formatted ? psOneLineFmt : psOneLine);
    formatted = !formatted;
  }
  Report(state, created, freed);
}
BENCHMARK(BM_MovingPass)->Unit(benchmark::kMicrosecond);

void BM_UnchangedPass(benchmark::State& state) {
  Setup s;
  long created = TBenchEdit::Created, freed = TBenchEdit::Freed;
  for (auto _ : state) s.panel->WndChanged();
  Report(state, created, freed);
}
BENCHMARK(BM_UnchangedPass)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tabulon

BENCHMARK_MAIN();
