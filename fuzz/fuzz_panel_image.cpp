// libFuzzer target: a fields panel's stream image. Arbitrary bytes are
// loaded into a filter panel with records of several data types; loading
// either succeeds or raises a framework exception. Either way the panel
// shows what its records hold (the list update closed, nothing pending,
// applied values equal to edit values), and what it holds then saves to an
// image that loads back to the same values and texts.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/core/exceptions.h"
#include "run/tbnset.h"
#include "run/tbnset/filter_panel.h"

namespace {

using namespace tabulon;

// Every value and comment text, exactly. A blob record keeps whatever
// kind of value it is given and is saved as its text, which comes back as
// a text: only its text is compared.
std::string Snapshot(TFieldsSetModel& panel) {
  std::string s;
  TFieldsList* list = panel.GetFields();
  for (int i = 0; i < list->Count(); ++i) {
    TFieldRecord* r = list->GetItem(i);
    for (int slot = 0; slot < 2; ++slot) {
      const Variant& v = r->GetAsVariant(slot);
      if (r->GetDataType() != ftBlob) s += std::to_string(v.Type());
      s += ":";
      if (!VarIsClear(v))
        s += v.Type() == varDouble || v.Type() == varDate ? std::to_string(v.AsDouble())
                                                          : VarToStr(v);
      s += "|" + r->GetCommentText(slot) + ";";
    }
  }
  return s;
}

bool Consistent(TFieldsSetModel& panel) {
  TFieldsList* list = panel.GetFields();
  if (list->UpdateCount() != 0) return false;
  if (list->Changes.Contains(lcApply) || list->Changes.Contains(lcSettings) ||
      list->Changes.Contains(lcPending))
    return false;
  for (int i = 0; i < list->Count(); ++i)
    for (int slot = 0; slot < 2; ++slot) {
      const Variant& a = list->GetItem(i)->GetAppliedValue(slot);
      const Variant& e = list->GetItem(i)->GetAsVariant(slot);
      if (a.Type() != e.Type() || (!VarIsClear(a) && VarToStr(a) != VarToStr(e))) return false;
    }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::unique_ptr<TComponent> owner(new TComponent(nullptr));
  auto* panel = new TDBFilterPanel(owner.get());
  panel->GetFields()->SetDefaultFields(false);
  const std::pair<const char*, TFieldType> records[] = {
      {"NAME", ftString}, {"AGE", ftSmallint}, {"OK", ftBoolean}, {"PRICE", ftCurrency},
      {"BORN", ftDate},   {"PIC", ftBlob},     {"F", ftFloat},    {"N", ftInteger}};
  for (const auto& [name, type] : records) {
    TFieldRecord* r = panel->GetFields()->Add();
    r->SetFieldName(name);
    r->SetRecordKind(rkCalculated);
    r->SetDataType(type);
  }
  try {
    panel->LoadFromString(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const Exception&) {
  }
  if (!Consistent(*panel)) std::abort();
  const std::string before = Snapshot(*panel);
  // Whatever loading left is a valid set of values: it saves and loads back.
  std::string image;
  panel->SaveToString(image, {soValues, soCommentTexts, soFiltered});
  panel->ClearValues();
  panel->LoadFromString(image);
  if (Snapshot(*panel) != before) std::abort();
  return 0;
}
