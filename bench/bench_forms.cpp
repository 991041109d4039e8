// Typing into an edit (plain and masked) and running a scripted modal dialog, against
// baselines that do only the unavoidable work: appending the same code
// points to a string, and showing and hiding the form without input.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "platform/forms/button.h"
#include "platform/forms/edit.h"
#include "platform/forms/form.h"
#include "platform/forms/maskedit.h"
#include "platform/forms/textutil.h"
#include "platform/host/host.h"

namespace tabulon {
namespace {

constexpr int kChars = 200;

void BM_Baseline_AppendCodePoints(benchmark::State& state) {
  for (auto _ : state) {
    std::string s;
    for (int i = 0; i < kChars; ++i) s += forms_detail::EncodeUtf8(U'a' + (i % 26));
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_Baseline_AppendCodePoints);

// 200 keystrokes (key down, character, key up) through the form into an edit.
void BM_TypeIntoEdit(benchmark::State& state) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  form.Show();
  for (auto _ : state) {
    edit->SetText("");
    for (int i = 0; i < kChars; ++i) form.PressKey(0xE5, {}, U'a' + (i % 26));
    benchmark::DoNotOptimize(edit->GetText());
  }
  form.Hide();
}
BENCHMARK(BM_TypeIntoEdit);

// The same 200 keystrokes into a masked edit of 200 positions (letters with
// a literal every tenth position): each fills the next position and steps
// over literals, against the plain edit above.
void BM_TypeIntoMaskEdit(benchmark::State& state) {
  TForm form(nullptr);
  auto* edit = new TMaskEdit(&form);
  edit->SetParent(&form);
  std::string mask;
  for (int i = 0; i < kChars; ++i) mask += i % 10 == 9 ? '-' : 'l';
  edit->SetEditMask(mask + ";1;_");
  form.Show();
  for (auto _ : state) {
    edit->SetText("");
    for (int i = 0; i < kChars; ++i) form.PressKey(0xE5, {}, U'a' + (i % 26));
    benchmark::DoNotOptimize(edit->GetEditText());
  }
  form.Hide();
}
BENCHMARK(BM_TypeIntoMaskEdit);

std::unique_ptr<TForm> MakeDialog() {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName("fmBench");
  auto* edit = new TEdit(form.get());
  edit->SetName("edName");
  edit->SetParent(form.get());
  auto* ok = new TButton(form.get());
  ok->SetName("bbOk");
  ok->SetParent(form.get());
  ok->SetTop(40);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  return form;
}

void BM_Baseline_ShowHide(benchmark::State& state) {
  auto form = MakeDialog();
  for (auto _ : state) {
    form->Show();
    form->Hide();
  }
}
BENCHMARK(BM_Baseline_ShowHide);

// One modal showing driven by a parsed script: type five characters, press Enter.
void BM_ScriptedModalDialog(benchmark::State& state) {
  auto form = MakeDialog();
  auto steps = ParseScript("type \"hello\"\nkey Enter\n");
  for (auto _ : state) {
    THost host;
    host.Queue(steps);
    benchmark::DoNotOptimize(form->ShowModal());
  }
}
BENCHMARK(BM_ScriptedModalDialog);

}  // namespace
}  // namespace tabulon

BENCHMARK_MAIN();
