// Painting a data grid of 30 visible rows over a client dataset of
// 1,000,000 records with the current record at the start, the middle and
// the end, against painting 30 rows of a plain list box in the same run.
// Counters: the records a paint read and the record positions the last
// window fill examined (a filter adds the records it rejects on the way).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/dbctrls/dbgrid.h"
#include "platform/forms/form.h"
#include "platform/forms/listbox.h"
#include "platform/graphics/bitmap.h"

namespace tabulon {
namespace {

constexpr int kRecords = 1000000;
constexpr int kRows = 30;

// One dataset and one grid for the whole run: building a million records
// takes far longer than any paint.
struct Fixture {
  Fixture() {
    form.SetBounds(0, 0, 800, 900);
    ds = new TClientDataSet(&form);
    ds->GetFieldDefs()->Add("ID", ftInteger);
    ds->GetFieldDefs()->Add("NAME", ftString, 20);
    ds->GetFieldDefs()->Add("CITY", ftString, 12);
    ds->GetFieldDefs()->Add("AMOUNT", ftFloat);
    ds->CreateDataSet();
    ds->Reserve(kRecords);
    const char* cities[] = {"Leeds", "Paris", "Rome", "Oslo", "Lisbon"};
    for (int i = 1; i <= kRecords; ++i)
      ds->AppendRecord({Variant(i), Variant("Customer " + std::to_string(i)),
                        Variant(cities[i % 5]), Variant(i * 0.25)});
    ds->First();
    auto* src = new TDataSource(&form);
    src->SetDataSet(ds);
    grid = new TDBGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 640, 100);
    grid->SetDataSource(src);
    // Exactly kRows data rows: the title, the rows, the border and a spare pixel.
    grid->SetHeight(4 + grid->GetTitleHeight() + kRows * grid->GetRowHeight() + 1);
    list = new TListBox(&form);
    list->SetParent(&form);
    for (int i = 0; i < 1000; ++i) list->GetItems()->Add("Customer " + std::to_string(i));
    list->SetBounds(0, 0, 640, 4 + kRows * list->GetItemHeight() + 1);
  }
  TForm form{nullptr};
  TClientDataSet* ds;
  TDBGrid* grid;
  TListBox* list;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void PaintGrid(benchmark::State& state, int recNo, bool filtered) {
  Fixture& f = Shared();
  f.ds->SetOnFilterRecord(
      [&f](TDataSet*, bool& accept) { accept = f.ds->FieldByName("ID")->GetAsInteger() % 3 == 0; });
  f.ds->SetFiltered(filtered);
  f.ds->SetRecNo(recNo);
  if (f.grid->VisibleRowCount() != kRows) state.SkipWithError("the grid does not show 30 rows");
  TBitmap bmp(f.grid->GetWidth(), f.grid->GetHeight());
  TCanvas canvas(&bmp);
  for (auto _ : state) f.grid->PaintTo(canvas, 0, 0);
  state.counters["reads"] = f.grid->GetPaintReads();
  state.counters["visited"] = f.grid->GetWindowVisited();
  f.ds->SetFiltered(false);
}

void BM_Baseline_ListBoxPaint30Rows(benchmark::State& state) {
  Fixture& f = Shared();
  f.list->SetTopIndex(500);
  TBitmap bmp(f.list->GetWidth(), f.list->GetHeight());
  TCanvas canvas(&bmp);
  for (auto _ : state) f.list->PaintTo(canvas, 0, 0);
  state.counters["rows"] = f.list->VisibleRows();
}
BENCHMARK(BM_Baseline_ListBoxPaint30Rows);

void BM_GridPaint_Start(benchmark::State& state) { PaintGrid(state, 1, false); }
BENCHMARK(BM_GridPaint_Start);
void BM_GridPaint_Middle(benchmark::State& state) { PaintGrid(state, kRecords / 2, false); }
BENCHMARK(BM_GridPaint_Middle);
void BM_GridPaint_End(benchmark::State& state) { PaintGrid(state, kRecords, false); }
BENCHMARK(BM_GridPaint_End);
// Every third record passes the filter.
void BM_GridPaint_FilteredMiddle(benchmark::State& state) { PaintGrid(state, kRecords / 2, true); }
BENCHMARK(BM_GridPaint_FilteredMiddle);

// Moving one record down and painting, as holding the Down key does.
void BM_GridNextAndPaint(benchmark::State& state) {
  Fixture& f = Shared();
  f.ds->SetRecNo(kRecords / 2);
  TBitmap bmp(f.grid->GetWidth(), f.grid->GetHeight());
  TCanvas canvas(&bmp);
  for (auto _ : state) {
    f.ds->Next();
    if (f.ds->GetEof()) f.ds->SetRecNo(kRecords / 2);
    f.grid->PaintTo(canvas, 0, 0);
  }
  state.counters["reads"] = f.grid->GetPaintReads();
}
BENCHMARK(BM_GridNextAndPaint);

}  // namespace
}  // namespace tabulon

BENCHMARK_MAIN();
