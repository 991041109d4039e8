// libFuzzer target: the binary filer reader. Arbitrary bytes are read as a
// component stream into live components and converted to text; both either
// succeed or raise a framework exception. Binary -> text -> binary is the
// identity for every binary the converter accepts: the text always reads
// back, to the same text, and the binary it gives is a fixed point.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/core/class_builder.h"
#include "platform/core/collection.h"
#include "platform/core/exceptions.h"
#include "platform/core/strings.h"
#include "platform/streaming/objtext.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/streams.h"

namespace fuzz {

enum TKind { kOne, kTwo, kThree };
using TKinds = tabulon::TSet<TKind>;

}  // namespace fuzz

TBN_ENUM(fuzz::TKind, "kOne", "kTwo", "kThree");

namespace fuzz {

/// A component with one property of every kind the reader sets.
class TFuzzItem : public tabulon::TCollectionItem {
  TBN_CLASS(TFuzzItem, tabulon::TCollectionItem)
 public:
  explicit TFuzzItem(tabulon::TCollection* c) : TCollectionItem(c) {}
  std::string text;
};

class TFuzzProbe : public tabulon::TComponent {
  TBN_CLASS(TFuzzProbe, tabulon::TComponent)
 public:
  explicit TFuzzProbe(tabulon::TComponent* owner)
      : TComponent(owner),
        items(std::make_unique<tabulon::TOwnedCollection>(this, TFuzzItem::StaticClass())),
        lines(std::make_unique<tabulon::TStringList>()) {}
  void Notification(tabulon::TComponent* c, tabulon::TOperation op) override {
    if (op == tabulon::opRemove && c == buddy) buddy = nullptr;
    TComponent::Notification(c, op);
  }
  void SetBuddy(TFuzzProbe* b) {
    if (buddy) buddy->RemoveFreeNotification(this);
    buddy = b;
    if (b) b->FreeNotification(this);
  }
  void Poke(tabulon::TObject*) {}
  TKind kind = kOne;
  TKinds kinds;
  double ratio = 0;
  float scale = 0;
  int64_t big = 0;
  char letter = 0;
  bool flag = false;
  std::string caption;
  std::unique_ptr<tabulon::TOwnedCollection> items;
  std::unique_ptr<tabulon::TStringList> lines;
  TFuzzProbe* buddy = nullptr;
  tabulon::TNotifyEvent onPoke;
};

TBN_REGISTER(TFuzzItem) { b.Property("Text", &TFuzzItem::text); }

TBN_REGISTER(TFuzzProbe) {
  b.Property("Kind", &TFuzzProbe::kind).Default(kOne);
  b.Property("Kinds", &TFuzzProbe::kinds);
  b.Property("Ratio", &TFuzzProbe::ratio);
  b.Property("Scale", &TFuzzProbe::scale);
  b.Property("Big", &TFuzzProbe::big);
  b.Property("Letter", &TFuzzProbe::letter);
  b.Property("Flag", &TFuzzProbe::flag);
  b.Property("Caption", &TFuzzProbe::caption);
  b.Property("Items", [](TFuzzProbe* p) { return p->items.get(); });
  b.Property("Lines", [](TFuzzProbe* p) { return p->lines.get(); });
  b.Property(
      "Buddy", [](TFuzzProbe* p) { return p->buddy; }, &TFuzzProbe::SetBuddy);
  b.Property("OnPoke", &TFuzzProbe::onPoke);
  b.Method("Poke", &TFuzzProbe::Poke);
}

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  try {
    tabulon::TStringStream s(input);
    tabulon::TReader reader(&s, 64);
    tabulon::TObject::Free(reader.ReadRootComponent(nullptr));
  } catch (const tabulon::Exception&) {
  }
  std::string text;
  try {
    tabulon::TStringStream in(input), out;
    tabulon::ObjectBinaryToText(&in, &out);
    text = out.DataString();
  } catch (const tabulon::Exception&) {
    return 0;
  }
  // Every text the converter writes reads back: to a binary that gives the
  // same text, and that is a fixed point byte for byte (the input itself
  // may use other encodings of the same values, such as a wider integer).
  // Any exception here is a failure.
  std::string binary;
  try {
    tabulon::TStringStream t1(text), b1, t2;
    tabulon::ObjectTextToBinary(&t1, &b1);
    binary = b1.DataString();
    b1.SetPosition(0);
    tabulon::ObjectBinaryToText(&b1, &t2);
    if (t2.DataString() != text) std::abort();
    tabulon::TStringStream t3(text), b2;
    tabulon::ObjectTextToBinary(&t3, &b2);
    if (b2.DataString() != binary) std::abort();
  } catch (...) {
    std::abort();
  }
  return 0;
}
