// TCustomLookupEdit: when typing searches the list, whether the search is
// exact, and the selection of the completed tail of the text.
#include "platform/core/format.h"
#include "run/tbnctrls.h"

namespace tabulon {

namespace {
constexpr uint16_t kVkBack = 0x08, kVkDelete = 0x2E, kVkLeft = 0x25, kVkRight = 0x27;
}  // namespace

TSearchState TCustomLookupEdit::GetSearchState() const { return ssNone; }

void TCustomLookupEdit::SetText(const std::string& v) {
  if (state_.Contains(peValueChanging) || !CanModify()) return;
  state_.Include(peValueChanging);
  try {
    TCustomMaskEdit::SetText(v);
  } catch (...) {
    state_.Exclude(peValueChanging);
    throw;
  }
  state_.Exclude(peValueChanging);
}

bool TCustomLookupEdit::ReplaceText(int start, int count, const std::string& insert) {
  // A character typed over a selection is reported as two changes, the
  // removal and then the insertion, so that the insertion searches again:
  // typing over an auto-completed tail refines the search at that key.
  if (IsMasked() || count <= 0 || insert.empty())
    return inherited::ReplaceText(start, count, insert);
  bool removed = inherited::ReplaceText(start, count, "");
  bool inserted = inherited::ReplaceText(start, 0, insert);
  return removed || inserted;
}

void TCustomLookupEdit::KeyDown(uint16_t& key, TShiftState shift) {
  // The edit control applies Delete inside its key handling, so the state
  // is set before the inherited handling runs.
  auto ignoreFor = [this](uint16_t k) {
    return GetSelLength() > 0 || k == kVkBack || k == kVkDelete;
  };
  if (ignoreFor(key))
    state_.Include(peIgnoreChange);
  else
    state_.Exclude(peIgnoreChange);
  inherited::KeyDown(key, shift);
}

void TCustomLookupEdit::KeyPress(char32_t& key) {
  inherited::KeyPress(key);
  if (key >= 32) state_.Include(peKeyPressing);
}

void TCustomLookupEdit::Change() {
  if (state_.Contains(peTextChanging)) return;
  if (GetListActive() && !state_.Contains(peValueChanging)) {
    state_.Include(peTextChanging);
    bool skipped = false;
    try {
      if (state_.Contains(peKeyPressing)) {
        state_.Exclude(peKeyPressing);
        skipped = state_.Contains(peIgnoreChange);
      }
      const TSearchState search = GetSearchState();
      if (!skipped && search != ssNone) {
        const int typed = static_cast<int>(Utf8Length(GetEditText()));
        const bool exact = search == ssExact || state_.Contains(peIgnoreChange);
        if (DoSearch(exact) && !exact) {
          SetSelStart(typed);
          SetSelLength(static_cast<int>(Utf8Length(GetEditText())) - typed);
        }
      }
    } catch (...) {
      state_.Exclude(peIgnoreChange);
      state_.Exclude(peTextChanging);
      throw;
    }
    state_.Exclude(peIgnoreChange);
    state_.Exclude(peTextChanging);
    if (skipped) return;
  }
  inherited::Change();
}

void TCustomLookupEdit::DoAfterCloseUp(bool accept) {
  if (accept && GetAutoSelect()) SelectAll();
  inherited::DoAfterCloseUp(accept);
}

void TCustomLookupEdit::WndProc(TMessage& msg) {
  inherited::WndProc(msg);
  // The open list sees the keys too (a consumed key arrives as 0), except
  // the sideways arrows that move the caret in the text.
  if (GetListVisible() && msg.Msg == WM_KEYDOWN && msg.WParam != kVkLeft &&
      msg.WParam != kVkRight) {
    TMessage copy{WM_KEYDOWN, msg.WParam, msg.LParam, 0};
    GetPopup()->WndProc(copy);
  }
}

}  // namespace tabulon
