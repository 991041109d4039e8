// Record location of the find panel. A search works out how much of the
// index the entered values can use (IndexFieldCheck), makes its starting
// move (a seek of that key, the first record, or the next one), then tests
// records with CheckRecord, moving forward while they still carry the key.
// It ends on the record found or back on the record it started from.
#include <algorithm>

#include "platform/controls/application.h"
#include "platform/core/resstrings.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/forms/msgdlg.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnset/find_panel.h"

namespace tabulon {

namespace {

// Shows the hourglass for the length of a search when asked to; the
// default cursor comes back also when an exception passes.
class THourGlass {
 public:
  explicit THourGlass(bool show) : show_(show) {
    if (show_) Screen()->SetCursor(crHourGlass);
  }
  ~THourGlass() {
    if (show_) Screen()->SetCursor(crDefault);
  }
  THourGlass(const THourGlass&) = delete;
  THourGlass& operator=(const THourGlass&) = delete;

 private:
  bool show_;
};

// Sets a flag for the length of a scope.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = old_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

bool IsTextField(const TField* field) {
  return field && TFieldsSetModel::CaseSensitiveDependent(field->GetDataType());
}

}  // namespace

bool TDBCustomFindPanel::Locate() {
  if (!DataLink->GetActive() || !Fields) return false;
  if (UpdateState != usAuto &&
      (Fields->Changes.Contains(lcSettings) || Fields->Changes.Contains(lcPending))) {
    if (Fields->Changes.Contains(lcPending)) {
      Fields->Changes.Exclude(lcPending);
      Fields->Changes.Include(lcApply);
    }
    Fields->NotifyChanged();
  }
  if (Fields->GetFieldMap().empty() && FFindOptions != foIndexNearest) return false;
  bool found;
  {
    THourGlass hourGlass(ChangeCursor);
    found = Search(DataLink->GetDataSet());
  }
  if (!found && FShowBox) ShowNotFound();
  return found;
}

bool TDBCustomFindPanel::Search(TDataSet* ds) {
  TFlagScope searching(searching_);
  ds->DisableControls();
  TBookmark start;
  bool found = false;
  try {
    start = ds->GetBookmark();
    TBookmark mark = start;
    // The order may have changed since the panel last looked.
    TQXFindIndex* index = GetFindIndex();
    if (index->IsUpdateDataSet()) index->UpdateDataSet();
    if (index->IsUpdateIndex()) index->UpdateIndex();
    int a, b;
    IndexFieldCheck(a, b);
    const int pos = std::max(a, b);
    if (StartAt(pos)) {
      const int last = static_cast<int>(Fields->GetFieldMap().size()) - 1;
      const bool keyBound = !(FFindOptions == foIndexNearest && FRestart);
      for (;;) {
        // In index order no later record can carry the key.
        if (keyBound && IndexCompare(pos) != fcoEqual) break;
        if (CheckRecord(a + 1, last)) {
          found = true;
          mark = ds->GetBookmark();
          break;
        }
        ds->MoveBy(1);
        if (ds->GetEof()) break;
      }
    }
    if (!mark.IsNull()) ds->GotoBookmark(mark);
    ds->FreeBookmark(mark);
    ds->FreeBookmark(start);
  } catch (...) {
    // Back where the search started, as far as the dataset still allows;
    // the first failure is the one the caller gets.
    try {
      if (!start.IsNull() && ds->BookmarkValid(start)) ds->GotoBookmark(start);
    } catch (...) {
    }
    try {
      ds->Refresh();
    } catch (...) {
    }
    ds->EnableControls();
    throw;
  }
  ds->EnableControls();
  return found;
}

bool TDBCustomFindPanel::StartAt(int pos) {
  GotoPosition(pos);
  // A move to the next record that ran off the end leaves nothing to test:
  // the record it stayed on is the one the search started from.
  return !DataLink->GetDataSet()->GetEof();
}

void TDBCustomFindPanel::GotoPosition(int pos) {
  TDataSet* ds = DataLink->GetDataSet();
  if (pos < 0) {
    // A next search always moves on first, under every option, so that
    // it never reports the record it started on.
    if (FRestart)
      ds->First();
    else
      ds->MoveBy(1);
    return;
  }
  if (FRestart) {
    GotoKey(pos);
    return;
  }
  switch (IndexCompare(pos)) {
    case fcoEqual:
      ds->MoveBy(1);  // continue among the records with the key
      break;
    case fcoLess:
      GotoKey(pos);  // the current record lies before the key
      break;
    case fcoMore:
      break;  // past the key: the search ends as not found
  }
}

bool TDBCustomFindPanel::FindKey(const Variant& keyValues, bool exact) {
  TQXFindIndex* index = GetFindIndex();
  if (exact) return index->FindKey(keyValues);
  index->FindNearest(keyValues);
  return true;
}

void TDBCustomFindPanel::GotoKey(int pos) {
  TQXFindIndex* index = GetFindIndex();
  const std::vector<int>& map = Fields->GetFieldMap();
  std::vector<Variant> key(static_cast<size_t>(pos) + 1);
  for (int i = 0; i <= pos; ++i) {
    TFieldRecord* record = Fields->GetItem(map[static_cast<size_t>(i)]);
    const TIndexFieldDef def = index->GetItem(i);
    Variant value = record->GetAppliedValue(0);
    if (def.Descending) {
      if (CountState(record) == coTwo && !VarIsClear(record->GetAppliedValue(1)))
        value = record->GetAppliedValue(1);
      // In descending order the records that begin with a text come before
      // the text itself: seek past all of them, with the highest character
      // (0xFF is above every byte, and above every character in a
      // collation), up to the field's size and at least once.
      if (i == pos && (CompareState(record) != ctExact || FFindOptions == foIndexNearest) &&
          IsTextField(def.Field) && !VarIsClear(value)) {
        std::string text = VarToStr(value);
        const int length = static_cast<int>(Utf8Length(text));
        text.append(static_cast<size_t>(std::max(def.Field->GetSize() - length, 1)), '\xFF');
        value = text;
      }
    }
    key[static_cast<size_t>(i)] = value;
  }
  FindKey(VarArrayOf(key), FFindOptions == foIndexExact);
}

bool TDBCustomFindPanel::LooseningPrefix(const TIndexFieldDef& def) {
  return IsTextField(def.Field) && !def.CaseInsensitive && GetFindIndex()->GetLocaleID() != -1;
}

TFieldCompareOption TDBCustomFindPanel::CompareKey(const Variant& fieldValue,
                                                   const Variant& entered,
                                                   const TIndexFieldDef& def, bool prefix) {
  if (!prefix) return GetFindIndex()->CheckIndexField(fieldValue, entered, def);
  const std::string text = VarToStr(entered);
  const std::string value = VarToStr(fieldValue);
  const std::string cut(Utf8Left(value, Utf8Length(text)));
  // Under a collation, case weighs less than the characters that follow:
  // "aB" sorts between "ab" and "abc". The records that begin with a text
  // in a case-sensitive collation order are therefore only contiguous when
  // the beginnings are compared without case; CheckRecord then decides the
  // case. An ordinal order keeps them together as they are.
  TIndexFieldDef loose = def;
  if (LooseningPrefix(def)) loose.CaseInsensitive = true;
  return GetFindIndex()->CheckIndexField(Variant(cut), Variant(text), loose);
}

TFieldCompareOption TDBCustomFindPanel::IndexCompare(int pos) {
  TQXFindIndex* index = GetFindIndex();
  const std::vector<int>& map = Fields->GetFieldMap();
  for (int i = 0; i <= pos; ++i) {
    TFieldRecord* record = Fields->GetItem(map[static_cast<size_t>(i)]);
    const TIndexFieldDef def = index->GetItem(i);
    const Variant value = record->GetFieldValue();
    const bool exact = CompareState(record) == ctExact;
    TFieldCompareOption result = fcoEqual;
    switch (CountState(record)) {
      case coOne: {
        const bool prefix = !exact || (i == pos && FFindOptions == foIndexNearest &&
                                       CaseSensitiveDependent(record->GetDataType()));
        result = CompareKey(value, record->GetAppliedValue(0), def, prefix);
        break;
      }
      case coTwo: {
        const TFieldCompareOption below = def.Descending ? fcoMore : fcoLess;
        const TFieldCompareOption above = def.Descending ? fcoLess : fcoMore;
        if (!VarIsClear(record->GetAppliedValue(0)) &&
            CompareKey(value, record->GetAppliedValue(0), def, !exact) == below) {
          result = below;
        } else if (!VarIsClear(record->GetAppliedValue(1)) &&
                   CompareKey(value, record->GetAppliedValue(1), def, !exact) == above) {
          result = above;
        }
        break;
      }
      default:
        break;
    }
    if (result != fcoEqual) return result;
  }
  return fcoEqual;
}

void TDBCustomFindPanel::IndexFieldCheck(int& a, int& b) {
  a = -1;
  b = -1;
  if (FFindOptions == foNormal) return;
  TQXFindIndex* index = GetFindIndex();
  const std::vector<int>& map = Fields->GetFieldMap();
  const int n = std::min(static_cast<int>(map.size()), index->GetCount());
  for (int i = 0; i < n; ++i) {
    TFieldRecord* record = Fields->GetItem(map[static_cast<size_t>(i)]);
    const TIndexFieldDef def = index->GetItem(i);
    if (!def.Field || def.Field != record->GetField()) return;
    const TCompareType compare = CompareState(record);
    const bool text = CaseSensitiveDependent(record->GetDataType());
    if (compare == ctInternal || (compare == ctInitial && !text)) return;
    // A descending range open above cannot be sought by its lower bound:
    // the records above it come first. CheckRecord decides it instead.
    if (def.Descending && CountState(record) == coTwo && VarIsClear(record->GetAppliedValue(1)))
      return;
    if (text && record->GetCaseInsensitive() != def.CaseInsensitive) {
      // The index is looser than the record: it positions, CheckRecord decides.
      if (!record->GetCaseInsensitive()) b = i;
      return;
    }
    // A prefix on a case-sensitive collation order is bounded by the index
    // without case (see CompareKey): the index positions, CheckRecord decides.
    if (compare != ctExact && LooseningPrefix(def)) {
      b = i;
      return;
    }
    a = i;
    if (compare != ctExact) return;  // a prefix ends the usable key
    if (CountState(record) == coTwo) {
      const Variant& low = record->GetAppliedValue(0);
      const Variant& high = record->GetAppliedValue(1);
      // A true range ends the usable key; equal bounds are one key value.
      if (VarIsClear(low) || VarIsClear(high) || VarCompare(low, high) != 0) return;
    }
  }
}

void TDBCustomFindPanel::ShowNotFound() {
  const std::string& own =
      FRestart ? FMessages->GetRecordNotFound() : FMessages->GetNextRecordNotFound();
  ShowMessage(own.empty() ? LoadStr(FRestart ? 25109 : 25110) : own);
}

}  // namespace tabulon
