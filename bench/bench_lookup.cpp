// A keystroke in a lookup edit over a 100,000-record list dataset with its
// data list open (the search, the key change and the repaint of the list)
// against the dataset's Locate alone for the same text in the same run; and
// opening the data list, counting the records its paint reads.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "platform/controls/application.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/forms/form.h"
#include "platform/graphics/bitmap.h"
#include "run/tbnlookup.h"

namespace tabulon {
namespace {

constexpr int kRecords = 100000;

std::string Company(int i) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "Customer %06d", i);
  return buf;
}

struct Fixture {
  Fixture() {
    form.SetBounds(0, 0, 400, 300);
    ds = new TClientDataSet(&form);
    ds->GetFieldDefs()->Add("CUSTNO", ftInteger);
    ds->GetFieldDefs()->Add("COMPANY", ftString, 20);
    ds->CreateDataSet();
    ds->Reserve(kRecords);
    for (int i = 1; i <= kRecords; ++i) ds->AppendRecord({Variant(i), Variant(Company(i))});
    ds->First();
    auto* src = new TDataSource(&form);
    src->SetDataSet(ds);
    edit = new TQXLookupEdit(&form);
    edit->SetParent(&form);
    edit->SetListSource(src);
    edit->SetKeyFieldName("CUSTNO");
    edit->SetListFieldName("COMPANY");
    form.Show();
    edit->SetFocus();
  }
  TForm form{nullptr};
  TClientDataSet* ds;
  TQXLookupEdit* edit;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

// The text before the key; the key completes it to record 50,000.
const char* const kTyped = "customer 05000";

void BM_LookupKeystroke(benchmark::State& state) {
  Fixture& f = Shared();
  f.edit->DropDown();
  TQXPopupDataList* list = f.edit->GetDataList();
  TBitmap bmp(list->GetWidth(), list->GetHeight());
  TCanvas canvas(&bmp);
  for (auto _ : state) {
    state.PauseTiming();
    f.edit->SetText(kTyped);
    f.edit->SetSelStart(static_cast<int>(std::string(kTyped).size()));
    f.ds->First();
    state.ResumeTiming();
    f.form.PressKey('0', {}, U'0');
    list->PaintTo(canvas, 0, 0);
  }
  if (f.edit->GetKeyValue() != Variant(50000)) state.SkipWithError("the key was not found");
  state.counters["reads"] = list->GetPaintReads();
  f.edit->CloseUp(false);
}
BENCHMARK(BM_LookupKeystroke)->Unit(benchmark::kMicrosecond);

void BM_LocateAlone(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    f.ds->First();
    state.ResumeTiming();
    benchmark::DoNotOptimize(f.ds->Locate("COMPANY", Variant(std::string("CUSTOMER 050000")),
                                          {loCaseInsensitive, loPartialKey}));
  }
}
BENCHMARK(BM_LocateAlone)->Unit(benchmark::kMicrosecond);

void BM_OpenDataList(benchmark::State& state) {
  Fixture& f = Shared();
  f.edit->SetKeyValue(Variant(kRecords / 2));
  TQXPopupDataList* list = f.edit->GetDataList();
  for (auto _ : state) {
    f.edit->DropDown();
    TBitmap bmp(list->GetWidth(), list->GetHeight());
    TCanvas canvas(&bmp);
    list->PaintTo(canvas, 0, 0);
    f.edit->CloseUp(false);
  }
  state.counters["reads"] = list->GetPaintReads();
  state.counters["rows"] = list->GetRowCount();
}
BENCHMARK(BM_OpenDataList)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tabulon

BENCHMARK_MAIN();
