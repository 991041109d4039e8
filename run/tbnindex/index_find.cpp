// TQXIndexDefs::IndexFind: bisection over record numbers. The current record
// is the first pivot; the search then runs with the dataset's filter off
// (every record has its number) between the first or last record and the
// pivot, and lands by the seek option. The records it compares are read
// where they stand, through a record window selecting them by number, so
// the cursor moves once, onto the record the search lands on, however many
// records the bisection compares. On a filtered dataset the landing takes
// the record found by its bookmark and, when the filter hides it, the
// nearest shown record in the direction the seek option searches, checked
// against the key again, so the result is what a search over the shown
// records alone would give.
#include <bit>

#include "platform/db/dataset.h"
#include "platform/db/record_window.h"
#include "run/tbnindex/index_defs.h"

namespace tabulon {

namespace {

// Switches a filtered dataset's filter off for the search and on again:
// explicitly on the normal path, from the destructor when an exception
// passes (a failure to re-filter then gives way to the exception in flight).
class TFilterSwitch {
 public:
  TFilterSwitch(TDataSet* ds, bool filtered) : ds_(ds), filtered_(filtered) {}
  ~TFilterSwitch() {
    if (off_) try {
        ds_->SetFiltered(true);
      } catch (...) {
      }
  }
  TFilterSwitch(const TFilterSwitch&) = delete;
  TFilterSwitch& operator=(const TFilterSwitch&) = delete;
  void Off() {
    if (filtered_ && !off_) {
      ds_->SetFiltered(false);
      off_ = true;
    }
  }
  void On() {
    if (off_) {
      off_ = false;
      ds_->SetFiltered(true);
    }
  }

 private:
  TDataSet* ds_;
  bool filtered_;
  bool off_ = false;
};

// DisableControls for the duration of the search, also when an exception passes.
struct TControlsOff {
  explicit TControlsOff(TDataSet* ds) : ds_(ds) { ds_->DisableControls(); }
  ~TControlsOff() { ds_->EnableControls(); }
  TControlsOff(const TControlsOff&) = delete;
  TControlsOff& operator=(const TControlsOff&) = delete;
  TDataSet* ds_;
};

// Moves a filtered dataset (filter on) to record `target` (its bookmark
// taken with the filter off) or, when the filter hides it, to the nearest
// shown record after it (`forward`) or before it. False when there is none.
// Record numbers count every record, so moving to a hidden number lands on
// the next shown record (or the last one before it when none follows).
bool LandShown(TDataSet* ds, int targetRecNo, const TBookmark& target, bool forward) {
  ds->SetRecNo(targetRecNo);
  if (ds->IsEmpty()) return false;
  int c = ds->CompareBookmarks(ds->GetBookmark(), target);
  if (c == 0) return true;
  if (forward) return c > 0;
  if (c < 0) return true;
  return ds->MoveBy(-1) != 0 && ds->CompareBookmarks(ds->GetBookmark(), target) < 0;
}

// The record number strictly between `lo` and `hi` (hi - lo > 1) with the
// most trailing zero bits. Any number inside keeps the search's bounds
// right; this one halves the range of the implicit binary tree over all
// record numbers, so each step descends one level of that tree (at most
// bit_width(n) steps, as plain halving) and the first pivots are the same
// records in every search, which keeps them in the processor's caches.
int Pivot(int lo, int hi) {
  const auto a = static_cast<unsigned>(lo + 1), b = static_cast<unsigned>(hi - 1);
  if (a >= b) return static_cast<int>(a);
  const unsigned top = 1u << (std::bit_width(a ^ b) - 1);  // highest differing bit
  if ((a & ((top << 1) - 1)) == 0) return static_cast<int>(a);
  return static_cast<int>(b & ~(top - 1));
}

}  // namespace

bool TQXIndexDefs::IndexFind(TQXGotoOption gotoOption) {
  TDataSet* ds = FDataSet;
  FFoundRecNo = -1;
  if (!ds || !ds->GetActive()) return false;
  TControlsOff controls(ds);
  // An empty (or wholly filtered-out) dataset has no record to compare; nor
  // has a record being inserted.
  if (ds->GetRecNo() < 0) return false;
  // A pending edit is posted (or cancelled) first, so that the search sees
  // the records in the order they will stay in.
  ds->CheckBrowseMode();
  const bool filtered = ds->GetFiltered();
  // Records are compared where they stand: the key fields read them by
  // number and the cursor does not move until the landing. Only the landing
  // of a filtered search moves it before the search knows whether it
  // failed, so only that search needs a bookmark to return to.
  TBookmark start = filtered ? ds->GetBookmark() : TBookmark();
  TFilterSwitch filter(ds, filtered);
  const TQXSeekOption so = FSeekOption;
  TRecordWindow probe(ds);
  auto standingAt = [&](int recNo) {
    const TFieldCompareOption r = KeyStanding(&probe, recNo);
    if (r == fcoEqual) FFoundRecNo = recNo;
    return r;
  };

  // The current record chooses the half that holds the answer.
  TFieldCompareOption c = standingAt(ds->GetRecNo());
  const bool towardsLast = c == fcoLess || (c == fcoEqual && (so == dsoLastEQ || so == dsoAfter));
  // Record numbers count every record, shown or not: the bisection runs
  // over all of them, with the filter off.
  filter.Off();
  int lo, hi;
  bool success = false;
  if (!towardsLast) {
    hi = ds->GetRecNo();
    lo = 1;
    switch (standingAt(lo)) {
      case fcoEqual:
        success = so != dsoBefore;
        if (so != dsoAfter && so != dsoLastEQ) hi = lo;
        break;
      case fcoMore:  // the first record is already past the key
        hi = lo;
        success = so == dsoAfterEQ || so == dsoAfter;
        break;
      case fcoLess:
        success = true;
        break;
    }
  } else {
    lo = ds->GetRecNo();
    hi = TRecordWindow::OrderCount(ds);
    switch (standingAt(hi)) {
      case fcoEqual:
        success = so != dsoAfter;
        if (so == dsoLastEQ) lo = hi;
        break;
      case fcoMore:
        success = true;
        break;
      case fcoLess:  // the last record is still before the key
        lo = hi;
        success = so == dsoBeforeEQ || so == dsoBefore;
        break;
    }
  }

  int target = -1;
  bool needEqual = false;  // the landing record must equal the key
  if (success) {
    // Records lo and hi bracket the answer; narrow until they are neighbours.
    const bool equalGoesUp = so == dsoLastEQ || so == dsoAfter;
    // The first key field's values may come from the dataset's key cache,
    // where each step costs a memory fetch: the keys of both records the
    // next step may compare start loading while this one compares.
    const TField* first = FKeyHigh >= 0 ? FIndexFields[0]->Field : nullptr;
    while (hi - lo > 1) {
      const int r = Pivot(lo, hi);
      if (first) {
        if (r - lo > 1) probe.Prefetch(Pivot(lo, r), first);
        if (hi - r > 1) probe.Prefetch(Pivot(r, hi), first);
      }
      switch (standingAt(r)) {
        case fcoEqual:
          (equalGoesUp ? lo : hi) = r;
          break;
        case fcoMore:
          hi = r;
          break;
        case fcoLess:
          lo = r;
          break;
      }
    }
    const int f = FFoundRecNo;
    switch (so) {
      case dsoFirstEQ:
      case dsoLastEQ:
        target = f;
        needEqual = true;
        break;
      case dsoAfterEQ:
        target = f >= 0 ? f : hi;
        break;
      case dsoAfter:
        target = f >= 0 ? f + 1 : hi;
        break;
      case dsoBeforeEQ:
        target = f >= 0 ? f : lo;
        needEqual = f >= 0;
        break;
      case dsoBefore:
        target = f >= 0 ? f - 1 : lo;
        break;
    }
    success = target >= 1;
  }
  probe.Restore();

  if (success && !filtered) {
    ds->SetRecNo(target);
  } else if (success) {
    ds->SetRecNo(target);
    const TBookmark found = ds->GetBookmark();
    filter.On();
    // First, after and the equal case of before-or-equal look forward from
    // the record found; last and before look backward.
    const bool forward =
        so == dsoFirstEQ || so == dsoAfterEQ || so == dsoAfter || (so == dsoBeforeEQ && needEqual);
    success = LandShown(ds, target, found, forward);
    if (success && needEqual) success = CheckIndexFields() == fcoEqual;
    // Before-or-equal without a shown equal record: the last shown one before it.
    if (!success && so == dsoBeforeEQ && needEqual) success = LandShown(ds, target, found, false);
  }
  filter.On();
  if (!success) {
    switch (gotoOption) {
      case dgoFirst:
        ds->First();
        break;
      case dgoLast:
        ds->Last();
        break;
      case dgoNone:  // unfiltered, the cursor is still on the starting record
        if (filtered) ds->GotoBookmark(start);
        break;
    }
  }
  ds->FreeBookmark(start);
  return success;
}

}  // namespace tabulon
