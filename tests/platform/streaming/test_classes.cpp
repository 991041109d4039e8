#include "tests/platform/streaming/test_classes.h"

#include <algorithm>
#include <stdexcept>

#include "platform/core/class_builder.h"
#include "platform/streaming/reader.h"
#include "platform/streaming/writer.h"

const tabulon::TTypeInfo* tabulon::TypeInfoTraits<tabulon::test::TTestColor>::Get() {
  static const TTypeInfo info = [] {
    TTypeInfo t;
    t.Kind = tkInteger;
    t.Name = "TTestColor";
    t.MinValue = INT32_MIN;
    t.MaxValue = INT32_MAX;
    t.Idents = {{"clRed", 0x0000FF}, {"clBtnFace", -16777201}};
    return t;
  }();
  return &info;
}

namespace tabulon::test {

std::vector<std::string>* gTrace = nullptr;
void Trace(const std::string& s) {
  if (gTrace) gTrace->push_back(s);
}

TBN_REGISTER(TTestFont) {
  b.Property("Name", &TTestFont::GetName, &TTestFont::SetName);
  b.Property("Size", &TTestFont::GetSize, &TTestFont::SetSize).Default(8);
  b.Property("Style", &TTestFont::GetStyle, &TTestFont::SetStyle).Default(TFontStyles{});
}

TBN_REGISTER(TTestItem) {
  b.Property("Caption", &TTestItem::GetCaption, &TTestItem::SetCaption);
  b.Property("Value", &TTestItem::GetValue, &TTestItem::SetValue).Default(0);
  b.Property("Target", &TTestItem::GetTarget, &TTestItem::SetTarget);
}

TBN_REGISTER(TTestCaptions) {
  b.Property("With", &TTestCaptions::GetWith, &TTestCaptions::SetWith)
      .Stored(&TTestCaptions::IsWithStored, "IsWithStored");
}

std::string TTestCaptions::GetWith() const {
  bool blank = with_.find_first_not_of(' ') == std::string::npos;
  if (owner_ && owner_->ComponentState().Contains(csWriting) && blank) return with_ + " ";
  return with_;
}

void TTestCaptions::SetWith(const std::string& v) {
  bool blank = v.find_first_not_of(' ') == std::string::npos;
  if (owner_ && owner_->ComponentState().Contains(csLoading) && blank && !v.empty())
    with_ = v.substr(1);
  else
    with_ = v;
}

TBN_REGISTER(TStreamProbe) {
  b.Property("Count", &TStreamProbe::GetCount, &TStreamProbe::SetCount).Default(0);
  b.Property("Big", &TStreamProbe::GetBig, &TStreamProbe::SetBig).Default(0);
  b.Property("Letter", &TStreamProbe::GetLetter, &TStreamProbe::SetLetter).Default(0);
  b.Property("Shade", &TStreamProbe::GetShade, &TStreamProbe::SetShade).Default(shMedium);
  b.Property("Enabled", &TStreamProbe::GetEnabled, &TStreamProbe::SetEnabled).Default(true);
  b.Property("Color", &TStreamProbe::GetColor, &TStreamProbe::SetColor).Default(0);
  b.Property("Ratio", &TStreamProbe::GetRatio, &TStreamProbe::SetRatio);
  b.Property("Scale", &TStreamProbe::GetScale, &TStreamProbe::SetScale);
  b.Property("Caption", &TStreamProbe::GetCaption, &TStreamProbe::SetCaption)
      .Stored(&TStreamProbe::IsCaptionStored, "IsCaptionStored");
  b.Property("Data", &TStreamProbe::GetData, &TStreamProbe::SetData);
  b.Property("Font", &TStreamProbe::GetFont, &TStreamProbe::SetFont);
  b.Property("Items", &TStreamProbe::GetItems);
  b.Property("Lines", &TStreamProbe::GetLines);
  b.Property("Captions", &TStreamProbe::GetCaptions);
  b.Property("Buddy", &TStreamProbe::GetBuddy, &TStreamProbe::SetBuddy);
  b.Property("Explode", &TStreamProbe::GetExplode, &TStreamProbe::SetExplode).Default(0);
  b.Property("OnPoke", &TStreamProbe::OnPoke);
}

TStreamProbe::TStreamProbe(TComponent* owner)
    : TComponent(owner),
      font_(std::make_unique<TTestFont>()),
      items_(std::make_unique<TOwnedCollection>(this, TTestItem::StaticClass())),
      lines_(std::make_unique<TStringList>()),
      captions_(std::make_unique<TTestCaptions>(this)) {}

TStreamProbe::~TStreamProbe() = default;

void TStreamProbe::SetCount(int32_t v) {
  TComponentState s = ComponentState();
  Trace(GetName() + ".Count loading=" + std::to_string(s.Contains(csLoading)) +
        " reading=" + std::to_string(s.Contains(csReading)));
  count_ = v;
}

void TStreamProbe::SetExplode(int v) {
  if (v) throw std::runtime_error("boom");
}

void TStreamProbe::Loaded() {
  TComponent::Loaded();
  Trace(GetName() + ":loaded");
}

void TStreamProbe::SetBuddy(TStreamProbe* b) {
  if (buddy_ == b) return;
  if (buddy_) buddy_->RemoveFreeNotification(this);
  buddy_ = b;
  if (b) b->FreeNotification(this);
}

void TStreamProbe::Notification(TComponent* c, TOperation op) {
  if (op == opRemove && c == buddy_) buddy_ = nullptr;
  TComponent::Notification(c, op);
}

void TStreamProbe::DefineProperties(TFiler* filer) {
  TComponent::DefineProperties(filer);
  filer->DefineProperty(
      "Values", [this](TReader* r) { ReadValues(r); }, [this](TWriter* w) { WriteValues(w); },
      !values.empty());
  filer->DefineBinaryProperty(
      "Blob",
      [this](TStream* s) {
        blob.assign(static_cast<size_t>(s->GetSize()), '\0');
        s->ReadBuffer(blob.data(), s->GetSize());
      },
      [this](TStream* s) { s->WriteBuffer(blob.data(), static_cast<int64_t>(blob.size())); },
      !blob.empty());
}

void TStreamProbe::WriteValues(TWriter* writer) {
  writer->WriteListBegin();
  writer->WriteFloat(0.1L);
  for (const auto& [name, value] : values) {
    writer->WriteString(name);
    switch (VarType(value)) {
      case varString:
        writer->WriteString(value.AsString());
        break;
      case varBoolean:
        writer->WriteBoolean(value.AsBoolean());
        break;
      case varDouble:
        writer->WriteFloat(value.AsDouble());
        break;
      default:
        writer->WriteInteger(value.AsInt64());
    }
  }
  writer->WriteListEnd();
}

void TStreamProbe::ReadValues(TReader* reader) {
  reader->ReadListBegin();
  versioned = reader->NextValue() == vaExtended;
  if (versioned) reader->ReadFloat();
  values.clear();
  while (!reader->EndOfList()) {
    std::string name = reader->ReadString();
    switch (reader->NextValue()) {
      case vaExtended:
        values.emplace_back(name, Variant(static_cast<double>(reader->ReadFloat())));
        break;
      case vaTrue:
      case vaFalse:
        values.emplace_back(name, Variant(reader->ReadBoolean()));
        break;
      case vaInt8:
      case vaInt16:
      case vaInt32:
        values.emplace_back(name, Variant(reader->ReadInteger()));
        break;
      default:
        values.emplace_back(name, Variant(reader->ReadString()));
    }
  }
  reader->ReadListEnd();
}

TBN_REGISTER(TTestControl) {}

TTestControl::~TTestControl() {
  SetParentComponent(nullptr);
  for (TTestControl* c : children) c->parent_ = nullptr;
}

void TTestControl::SetParentComponent(TComponent* p) {
  if (p == placedIn_) return;  // an inherited form reads the control again
  placedIn_ = p;
  if (parent_) std::erase(parent_->children, this);
  parent_ = dynamic_cast<TTestControl*>(p);
  if (parent_) parent_->children.push_back(this);
  if (p) Trace(GetName() + ".Parent=" + p->GetName());
}

void TTestControl::GetChildren(const TGetChildProc& proc, TComponent*) {
  for (TTestControl* c : std::vector<TTestControl*>(children)) proc(c);
}

TBN_REGISTER(TTestForm) {
  b.Method("Poke", &TTestForm::Poke);
  b.Method("Other", &TTestForm::Other);
  b.Field("bbOk", &TTestForm::bbOk);
  b.Field("Panel1", &TTestForm::Panel1);
}

void TTestForm::Loaded() {
  TComponent::Loaded();
  Trace(GetName() + ":loaded");
}

void TTestForm::GetChildren(const TGetChildProc& proc, TComponent* root) {
  if (root != this) return;
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    if (!c->HasParent() || !c->GetParentComponent()) proc(c);
  }
}

TBN_REGISTER(TTestDerivedForm) { b.Field("bbHelp", &TTestDerivedForm::bbHelp); }

}  // namespace tabulon::test
