// Value buffers: a copy of the panel's edit values held in memory, by
// FieldName, in a list of TBufferField entries. The dialog form takes one
// when it is shown and gives it back when it is cancelled; the panel keeps
// one of its own (SaveToBuffer / ReadFromBuffer).
#include <memory>

#include "platform/sysutils/strutils.h"
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/persist_p.h"

namespace tabulon {

void TFieldsSetModel::SetBuffer(TList*& list) {
  if (list)
    ClearBfr(list);
  else
    list = new TList();
  for (int i = 0; i < Fields->Count(); ++i) {
    TFieldRecord* record = Fields->GetItem(i);
    if (!NotEmptyRecord(record)) continue;
    auto entry = std::make_unique<TBufferField>();
    entry->FieldName = record->GetFieldName();
    entry->Values[0] = record->GetAsVariant(0);
    entry->Values[1] = record->GetAsVariant(1);
    list->Add(entry.get());
    entry.release();  // owned by the list from here on
  }
}

void TFieldsSetModel::GetBuffer(TList*& list) {
  if (!list) return;
  detail::InListUpdate(Fields, [&] {
    for (int i = 0; i < Fields->Count(); ++i) {
      TFieldRecord* record = Fields->GetItem(i);
      const TBufferField* found = nullptr;
      for (void* item : list->List()) {
        const auto* entry = static_cast<const TBufferField*>(item);
        if (AnsiSameText(entry->FieldName, record->GetFieldName())) {
          found = entry;
          break;
        }
      }
      record->SetAsVariant(0, found ? found->Values[0] : Null);
      record->SetAsVariant(1, found ? found->Values[1] : Null);
    }
  });
}

void TFieldsSetModel::ClearBfr(TList*& list) {
  if (!list) return;
  for (void* item : list->List()) delete static_cast<TBufferField*>(item);
  list->Clear();
}

}  // namespace tabulon
