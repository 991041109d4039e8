// Reading and writing a form of 500 components, binary and text, against
// two baselines in the same run: building the same components in code and
// copying the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/core/class_builder.h"
#include "platform/streaming/objtext.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/streams.h"
#include "platform/streaming/writer.h"

namespace bench {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

}  // namespace bench

TBN_ENUM(bench::TAlignment, "taLeftJustify", "taRightJustify", "taCenter");

namespace bench {

class TBenchFont : public tabulon::TPersistent {
  TBN_CLASS(TBenchFont, tabulon::TPersistent)
 public:
  TBenchFont() = default;
  std::string name = "Sans";
  int size = 8;
};

/// A control-like component with the usual mix of published properties.
class TBenchControl : public tabulon::TComponent {
  TBN_CLASS(TBenchControl, tabulon::TComponent)
 public:
  explicit TBenchControl(tabulon::TComponent* owner)
      : TComponent(owner), font(std::make_unique<TBenchFont>()) {}
  int left = 0, top = 0, width = 0, height = 0;
  std::string caption;
  TAlignment alignment = taLeftJustify;
  bool visible = true;
  double ratio = 0;
  std::unique_ptr<TBenchFont> font;
  TBenchControl* focusControl = nullptr;
};

class TBenchForm : public tabulon::TComponent {
  TBN_CLASS(TBenchForm, tabulon::TComponent)
 public:
  explicit TBenchForm(tabulon::TComponent* owner) : TComponent(owner) {}
};

TBN_REGISTER(TBenchFont) {
  b.Property("Name", &TBenchFont::name);
  b.Property("Size", &TBenchFont::size).Default(8);
}

TBN_REGISTER(TBenchControl) {
  b.Property("Left", &TBenchControl::left).Default(0);
  b.Property("Top", &TBenchControl::top).Default(0);
  b.Property("Width", &TBenchControl::width).Default(0);
  b.Property("Height", &TBenchControl::height).Default(0);
  b.Property("Caption", &TBenchControl::caption);
  b.Property("Alignment", &TBenchControl::alignment).Default(taLeftJustify);
  b.Property("Visible", &TBenchControl::visible).Default(true);
  b.Property("Ratio", &TBenchControl::ratio);
  b.Property("Font", [](TBenchControl* c) { return c->font.get(); });
  b.Property("FocusControl", &TBenchControl::focusControl);
}

TBN_REGISTER(TBenchForm) {}

constexpr int kComponents = 500;

// The form, built in code: the first baseline.
TBenchForm* BuildForm() {
  auto* form = new TBenchForm(nullptr);
  form->SetName("Form1");
  TBenchControl* previous = nullptr;
  for (int i = 0; i < kComponents; ++i) {
    auto* c = new TBenchControl(form);
    c->SetName("Control" + std::to_string(i));
    c->left = 8 + i % 40 * 20;
    c->top = 8 + i / 40 * 24;
    c->width = 120;
    c->height = 21;
    c->caption = "Caption of control " + std::to_string(i);
    c->alignment = static_cast<TAlignment>(i % 3);
    c->visible = i % 7 != 0;
    c->ratio = i * 0.25;
    c->font->name = i % 2 ? "Mono" : "Serif";
    c->font->size = 8 + i % 5;
    c->focusControl = previous;
    previous = c;
  }
  return form;
}

std::string BinaryForm() {
  std::unique_ptr<TBenchForm> form(BuildForm());
  tabulon::TStringStream s;
  s.WriteComponent(form.get());
  return s.DataString();
}

std::string TextForm(const std::string& binary) {
  tabulon::TStringStream in(binary), out;
  tabulon::ObjectBinaryToText(&in, &out);
  return out.DataString();
}

void BM_BuildInCode(benchmark::State& state) {
  for (auto _ : state) {
    TBenchForm* form = BuildForm();
    benchmark::DoNotOptimize(form);
    tabulon::TObject::Free(form);
  }
  state.SetItemsProcessed(state.iterations() * kComponents);
}

void BM_CopyBinaryBytes(benchmark::State& state) {
  std::string binary = BinaryForm();
  std::string copy(binary.size(), '\0');
  for (auto _ : state) {
    std::memcpy(copy.data(), binary.data(), binary.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(binary.size()));
}

void BM_WriteBinary(benchmark::State& state) {
  std::unique_ptr<TBenchForm> form(BuildForm());
  int64_t bytes = 0;
  for (auto _ : state) {
    tabulon::TMemoryStream s;
    s.WriteComponent(form.get());
    bytes = s.GetSize();
  }
  state.SetItemsProcessed(state.iterations() * kComponents);
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ReadBinary(benchmark::State& state) {
  std::string binary = BinaryForm();
  for (auto _ : state) {
    tabulon::TStringStream s(binary);
    tabulon::TComponent* form = s.ReadComponent(nullptr);
    benchmark::DoNotOptimize(form);
    tabulon::TObject::Free(form);
  }
  state.SetItemsProcessed(state.iterations() * kComponents);
}

void BM_WriteText(benchmark::State& state) {
  std::unique_ptr<TBenchForm> form(BuildForm());
  int64_t bytes = 0;
  for (auto _ : state) {
    tabulon::TMemoryStream binary;
    binary.WriteComponent(form.get());
    binary.SetPosition(0);
    tabulon::TStringStream text;
    tabulon::ObjectBinaryToText(&binary, &text);
    bytes = text.GetSize();
  }
  state.SetItemsProcessed(state.iterations() * kComponents);
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ReadText(benchmark::State& state) {
  std::string text = TextForm(BinaryForm());
  for (auto _ : state) {
    tabulon::TStringStream in(text);
    tabulon::TMemoryStream binary;
    tabulon::ObjectTextToBinary(&in, &binary);
    binary.SetPosition(0);
    tabulon::TComponent* form = binary.ReadComponent(nullptr);
    benchmark::DoNotOptimize(form);
    tabulon::TObject::Free(form);
  }
  state.SetItemsProcessed(state.iterations() * kComponents);
}

BENCHMARK(BM_BuildInCode);
BENCHMARK(BM_CopyBinaryBytes);
BENCHMARK(BM_WriteBinary);
BENCHMARK(BM_ReadBinary);
BENCHMARK(BM_WriteText);
BENCHMARK(BM_ReadText);

}  // namespace bench

BENCHMARK_MAIN();
