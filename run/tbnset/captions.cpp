// Range captions of the panel and of each record.
#include "run/tbnset/captions.h"

#include "platform/core/class_builder.h"
#include "platform/core/resstrings.h"
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/list.h"
#include "run/tbnset/record.h"

namespace tabulon {

namespace {
bool IsBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }
int CaptionId(int index) { return index == 0 ? 25102 : 25103; }
}  // namespace

TFieldCaptions::TFieldCaptions() {
  captions_[0] = LoadStr(25102);
  captions_[1] = LoadStr(25103);
}

std::string TFieldCaptions::GetCaption(int index) const {
  const std::string& text = captions_[index];
  if (GetComponentState().Contains(csWriting) && IsBlank(text)) return text + ' ';
  return text;
}

void TFieldCaptions::SetCaption(int index, const std::string& value) {
  if (value == captions_[index]) return;
  std::string text = value;
  if (GetComponentState().Contains(csLoading) && IsBlank(text) && !text.empty()) text.erase(0, 1);
  captions_[index] = text;
  Changed();
}

bool TFieldCaptions::IsCaptionStored(int index) const {
  return captions_[index] != LoadStr(CaptionId(index));
}

void TFieldCaptions::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TFieldCaptions*>(source)) {
    SetCaption(0, src->GetCaption(0));
    SetCaption(1, src->GetCaption(1));
    return;
  }
  TPersistent::Assign(source);
}

TBN_REGISTER(TFieldCaptions) {
  b.IndexedProperty("WithCaption", 0, &TFieldCaptions::GetCaption, &TFieldCaptions::SetCaption)
      .Stored([](const TFieldCaptions* c) { return c->IsCaptionStored(0); }, "IsCaptionStored");
  b.IndexedProperty("OnCaption", 1, &TFieldCaptions::GetCaption, &TFieldCaptions::SetCaption)
      .Stored([](const TFieldCaptions* c) { return c->IsCaptionStored(1); }, "IsCaptionStored");
}

// ---- TFieldRecordCaptions ----

namespace {
TFieldRecordValue CaptionMember(int index) { return index == 0 ? frvWithCaption : frvOnCaption; }
}  // namespace

TFieldRecordCaptions::TFieldRecordCaptions(TFieldRecord* record) : record_(record) {}

std::string TFieldRecordCaptions::GetCaption(int index) const {
  if (record_->assigned_.Contains(CaptionMember(index))) return TFieldCaptions::GetCaption(index);
  return DefaultCaption(index);
}

std::string TFieldRecordCaptions::DefaultCaption(int index) const {
  TFieldsSetModel* panel = record_->GetPanel();
  return panel ? panel->GetCaptions()->GetCaption(index) : std::string();
}

void TFieldRecordCaptions::SetCaption(int index, const std::string& value) {
  TFieldRecordValue member = CaptionMember(index);
  if (record_->assigned_.Contains(member) && GetCaption(index) == value) return;
  const std::string shown = GetCaption(index);
  const std::string stored = StoredCaption(index);
  record_->assigned_.Include(member);
  TFieldCaptions::SetCaption(index, value);
  // The stored text may stay while what is shown changes (the panel's
  // caption gives way to the record's own).
  if (StoredCaption(index) == stored && GetCaption(index) != shown) Changed();
}

bool TFieldRecordCaptions::IsCaptionStored(int index) const {
  return record_->assigned_.Contains(CaptionMember(index)) &&
         GetCaption(index) != DefaultCaption(index);
}

void TFieldRecordCaptions::Changed() {
  record_->AddChanges({lcLayout});
  record_->Notify();
}

TComponentState TFieldRecordCaptions::GetComponentState() const {
  TFieldsSetModel* panel = record_->GetPanel();
  return panel ? panel->GetComponentState() : TComponentState();
}

TPersistent* TFieldRecordCaptions::GetOwner() const { return record_; }

TBN_REGISTER(TFieldRecordCaptions) {}

// ---- TComponentCaptions ----

TComponentCaptions::TComponentCaptions(TFieldsSetModel* panel) : panel_(panel) {}

void TComponentCaptions::Changed() { panel_->WndChanged(); }

TComponentState TComponentCaptions::GetComponentState() const {
  return panel_->GetComponentState();
}

TPersistent* TComponentCaptions::GetOwner() const { return panel_->GetComponent(); }

TBN_REGISTER(TComponentCaptions) {}

}  // namespace tabulon
