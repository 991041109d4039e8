// Enumerations and small value types shared by the dataset layer: field data
// types and kinds, dataset states, data events, locate and index options,
// and the bookmark token.
#pragma once

#include <cstdint>

#include "platform/core/set.h"
#include "platform/core/typeinfo.h"

namespace tabulon {

/// Data type of a field.
enum TFieldType {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
};

/// Where a field's value comes from.
enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

/// What a dataset is doing.
enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert, dsSetKey, dsCalcFields, dsFilter };

/// Notifications a dataset sends to its data sources and their links.
enum TDataEvent {
  deFieldChange,      // a field's value changed; info = the field
  deRecordChange,     // the current record changed its contents
  deDataSetChange,    // records must be re-read (refresh, filter, edits)
  deDataSetScroll,    // the current record moved; info = distance
  deLayoutChange,     // the set of fields changed
  deUpdateRecord,     // the record is about to be posted
  deUpdateState,      // the dataset opened, closed or changed its state
  deCheckBrowseMode,  // controls should post their pending edits
};

/// Options of Locate.
enum TDataLocateOption { loCaseInsensitive, loPartialKey };
using TLocateOptions = TSet<TDataLocateOption>;

/// Options of an index definition.
enum TIndexOption { ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression };
using TIndexOptions = TSet<TIndexOption>;

/// A position token: the identity of a record, valid across changes of the
/// filter and of the order; null when it names no record.
struct TBookmark {
  uint32_t Id = UINT32_MAX;  // physical record slot
  uint32_t Serial = 0;       // serial number of the record in that slot
  bool IsNull() const { return Id == UINT32_MAX; }
  bool operator==(const TBookmark&) const = default;
};

/// Whether fields of this type hold text compared as text (string, memo).
bool IsTextFieldType(TFieldType t);
/// The readable name of a field type ("String", "Integer", ...).
const char* FieldTypeName(TFieldType t);

}  // namespace tabulon

TBN_ENUM(tabulon::TFieldType, "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord",
         "ftBoolean", "ftFloat", "ftCurrency", "ftBCD", "ftDate", "ftTime", "ftDateTime", "ftBytes",
         "ftVarBytes", "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic", "ftFmtMemo", "ftParadoxOle",
         "ftDBaseOle", "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString", "ftLargeint");
TBN_ENUM(tabulon::TFieldKind, "fkData", "fkCalculated", "fkLookup", "fkInternalCalc");
TBN_ENUM(tabulon::TDataSetState, "dsInactive", "dsBrowse", "dsEdit", "dsInsert", "dsSetKey",
         "dsCalcFields", "dsFilter");
TBN_ENUM(tabulon::TDataLocateOption, "loCaseInsensitive", "loPartialKey");
TBN_ENUM(tabulon::TIndexOption, "ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive",
         "ixExpression");
