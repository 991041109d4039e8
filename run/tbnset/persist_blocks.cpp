// The values and comment-texts blocks of a fields panel: the custom form
// file properties "Values" and "CommentTexts" and the sections of the
// panel's stream image. Entries name their record (by Name; the old layout
// without a version marker by position) so that values survive records
// being added, removed or moved between saving and loading. Values are
// written by the class of the record's data type and read by the class of
// the type stored with them; the record's value write then converts them
// to its own type.
#include <cmath>
#include <cstdint>

#include "platform/streaming/reader.h"
#include "platform/streaming/writer.h"
#include "run/tbnset/fieldsset.h"
#include "run/tbnset/panel.h"
#include "run/tbnset/persist_p.h"

namespace tabulon {

using detail::InListUpdate;

namespace {

// Version marker at the start of a values or comment-texts block; the old
// layout has none (its first item is an integer or the list end).
constexpr long double kBlockVersion = 0.1L;

// How a value of a data type is written and read back.
enum class TValueClass { Text, Integer, Boolean, Float, DateTime, Other };

// The class of a data-type ordinal. Ordinals come from untrusted data, so
// they are classified as numbers and never cast to TFieldType unchecked.
TValueClass ValueClassOf(int type) {
  switch (type) {
    case ftString:
    case ftMemo:
    case ftFmtMemo:
      return TValueClass::Text;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return TValueClass::Integer;
    case ftBoolean:
      return TValueClass::Boolean;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
      return TValueClass::Float;
    case ftDate:
    case ftTime:
    case ftDateTime:
      return TValueClass::DateTime;
    default:
      return TValueClass::Other;
  }
}

void WriteTypedValue(TWriter* writer, const TFieldRecord* record, const Variant& value) {
  switch (ValueClassOf(record->GetDataType())) {
    case TValueClass::Text:
      writer->WriteString(VarToStr(value));
      break;
    case TValueClass::Integer:
      writer->WriteInteger(value.AsInteger());
      break;
    case TValueClass::Boolean:
      writer->WriteBoolean(value.AsBoolean());
      break;
    case TValueClass::Float:
      // Currency goes through its exact scaled integer, not through a double.
      writer->WriteFloat(value.Type() == varCurrency
                             ? static_cast<long double>(value.AsCurrency().Value) / Currency::kScale
                             : static_cast<long double>(value.AsDouble()));
      break;
    case TValueClass::DateTime:
      writer->WriteFloat(value.AsDate());
      break;
    case TValueClass::Other:
      writer->WriteString(record->VariantToText(value));
      break;
  }
}

// A float read for the stored type `type`. Currency and BCD amounts come
// back through their scaled integer when they fit it: a double would lose
// the last digits of amounts above about 9e11.
Variant FloatValue(long double value, int type) {
  if (type == ftCurrency || type == ftBCD) {
    const long double scaled = std::nearbyint(value * Currency::kScale);
    constexpr long double kLimit = 9223372036854775808.0L;  // 2^63
    if (scaled >= -kLimit && scaled < kLimit)
      return Variant(Currency::FromRaw(static_cast<int64_t>(scaled)));
  }
  return Variant(value);
}

// A value of the stored type `type`; texts of other types stay texts (the
// old layout converts them with the receiving record).
Variant ReadTypedValue(TReader* reader, int type) {
  switch (ValueClassOf(type)) {
    case TValueClass::Integer:
      return Variant(reader->ReadInteger());
    case TValueClass::Boolean:
      return Variant(reader->ReadBoolean());
    case TValueClass::Float:
      return FloatValue(reader->ReadFloat(), type);
    case TValueClass::DateTime:
      return Variant::FromDate(static_cast<double>(reader->ReadFloat()));
    case TValueClass::Text:
    case TValueClass::Other:
      break;
  }
  return Variant(reader->ReadString());
}

// Reads the record an entry starts with: by Name (null when there is no
// such record any more) or, in the old layout, by position (EListError
// when outside the list).
TFieldRecord* ReadEntryRecord(TFieldsSetModel* panel, TReader* reader, bool versioned) {
  if (versioned) return panel->FindFieldRecord(reader->ReadString());
  return panel->GetFields()->GetItem(reader->ReadInteger());
}

// Reads the version marker when the block has one.
bool ReadBlockVersion(TReader* reader) {
  if (reader->NextValue() != vaExtended) return false;
  reader->ReadFloat();
  return true;
}

}  // namespace

void TFieldsSetModel::ClearValues() {
  InListUpdate(Fields, [&] {
    for (int i = 0; i < Fields->Count(); ++i) {
      TFieldRecord* record = Fields->GetItem(i);
      record->SetAsVariant(0, Null);
      record->SetAsVariant(1, Null);
    }
  });
}

void TFieldsSetModel::DefineValuesProperties(TFiler* filer) {
  const bool stored = IsFieldsStored();
  filer->DefineProperty(
      "Values", [this](TReader* r) { ReadValues(r); }, [this](TWriter* w) { WriteValues(w); },
      stored);
  filer->DefineProperty(
      "CommentTexts", [this](TReader* r) { ReadCommentTexts(r); },
      [this](TWriter* w) { WriteCommentTexts(w); }, stored);
}

void TPanelFieldsSet::DefineProperties(TFiler* filer) {
  TCustomPanel::DefineProperties(filer);
  DefineValuesProperties(filer);
}

void TFieldsSetModel::WriteValues(TWriter* writer) {
  writer->WriteListBegin();
  writer->WriteFloat(kBlockVersion);
  for (int i = 0; i < Fields->Count(); ++i) {
    TFieldRecord* record = Fields->GetItem(i);
    if (record->IsNull(0) && record->IsNull(1)) continue;
    writer->WriteString(record->GetName());
    writer->WriteInteger(record->GetDataType());
    writer->WriteListBegin();
    for (int slot = 0; slot < 2; ++slot) {
      if (record->IsNull(slot)) continue;
      writer->WriteInteger(slot);
      WriteTypedValue(writer, record, record->GetAsVariant(slot));
    }
    writer->WriteListEnd();
  }
  writer->WriteListEnd();
}

void TFieldsSetModel::ReadValues(TReader* reader) {
  reader->ReadListBegin();
  const bool versioned = ReadBlockVersion(reader);
  InListUpdate(Fields, [&] {
    ClearValues();
    while (!reader->EndOfList()) {
      TFieldRecord* record = ReadEntryRecord(this, reader, versioned);
      // The stored type is an 8-bit ordinal.
      const int type = static_cast<uint8_t>(reader->ReadInteger());
      const bool convertText = !versioned && ValueClassOf(type) == TValueClass::Other;
      reader->ReadListBegin();
      while (!reader->EndOfList()) {
        const int32_t slot = reader->ReadInteger();
        Variant value = ReadTypedValue(reader, type);
        if (!record || (slot != 0 && slot != 1)) continue;
        if (convertText) value = record->TextToVariant(value.AsString());
        record->SetAsVariant(slot, value);
      }
      reader->ReadListEnd();
    }
  });
  reader->ReadListEnd();
}

void TFieldsSetModel::WriteCommentTexts(TWriter* writer) {
  writer->WriteListBegin();
  writer->WriteFloat(kBlockVersion);
  for (int i = 0; i < Fields->Count(); ++i) {
    TFieldRecord* record = Fields->GetItem(i);
    if (record->GetCommentText(0).empty() && record->GetCommentText(1).empty()) continue;
    writer->WriteString(record->GetName());
    writer->WriteListBegin();
    for (int slot = 0; slot < 2; ++slot) {
      const std::string text = record->GetCommentText(slot);
      if (text.empty()) continue;
      writer->WriteInteger(slot);
      writer->WriteString(text);
    }
    writer->WriteListEnd();
  }
  writer->WriteListEnd();
}

void TFieldsSetModel::ReadCommentTexts(TReader* reader) {
  reader->ReadListBegin();
  const bool versioned = ReadBlockVersion(reader);
  // Comment texts are shown by the layout: a change re-lays out once, at
  // the end of the list update.
  auto setText = [this](TFieldRecord* record, int slot, const std::string& text) {
    if (record->GetCommentText(slot) == text) return;
    record->SetCommentText(slot, text);
    Fields->Changes.Include(lcLayout);
  };
  InListUpdate(Fields, [&] {
    if (versioned) {
      for (int i = 0; i < Fields->Count(); ++i) {
        setText(Fields->GetItem(i), 0, std::string());
        setText(Fields->GetItem(i), 1, std::string());
      }
    }
    while (!reader->EndOfList()) {
      TFieldRecord* record = ReadEntryRecord(this, reader, versioned);
      reader->ReadListBegin();
      while (!reader->EndOfList()) {
        const int32_t slot = reader->ReadInteger();
        const std::string text = reader->ReadString();
        if (record && (slot == 0 || slot == 1)) setText(record, slot, text);
      }
      reader->ReadListEnd();
    }
  });
  reader->ReadListEnd();
}

}  // namespace tabulon
