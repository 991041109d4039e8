// THost: frames of queued input, modal notifications and the actions.
#include "platform/host/host.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "platform/controls/application.h"
#include "platform/core/exceptions.h"
#include "platform/core/format.h"
#include "platform/db/dataset.h"
#include "platform/dbctrls/dbgrid.h"
#include "platform/dbctrls/dblookup.h"
#include "platform/forms/checkbox.h"
#include "platform/forms/combobox.h"
#include "platform/forms/edit.h"
#include "platform/forms/listbox.h"
#include "platform/forms/mouse.h"
#include "platform/forms/pagecontrol.h"
#include "platform/forms/popupchoice.h"
#include "platform/forms/radiobutton.h"
#include "platform/graphics/bitmap.h"
#include "platform/graphics/canvas.h"

namespace tabulon {
namespace {

int ToInt(const std::string& s) { return std::stoi(s); }

const char* const kButtonNames[] = {"Yes",   "No",     "OK",  "Cancel", "Abort",
                                    "Retry", "Ignore", "All", "Help"};

TMsgDlgBtn ParseButton(const std::string& name, int line) {
  for (int i = 0; i <= mbHelp; ++i) {
    std::string n = kButtonNames[i];
    if (n.size() == name.size() && std::equal(n.begin(), n.end(), name.begin(), [](char a, char b) {
          return std::tolower(a) == std::tolower(b);
        }))
      return static_cast<TMsgDlgBtn>(i);
  }
  throw EConvertError(Format("Script line %d: no message box button '%s'", {line, name}));
}

// Decodes UTF-8 text into code points (malformed bytes become U+FFFD).
std::u32string Decode(std::string_view s) {
  std::u32string out;
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    int n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + static_cast<size_t>(n) > s.size()) {
      out += 0xFFFD;
      ++i;
      continue;
    }
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    for (int k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += c;
    i += static_cast<size_t>(n);
  }
  return out;
}

}  // namespace

THost::THost() : previous_(SetInputSource(this)) { frames_.push_back(Frame{}); }

THost::~THost() { SetInputSource(previous_); }

void THost::Run(std::string_view script) { Queue(ParseScript(script)); }

void THost::Queue(const std::vector<TScriptStep>& steps) {
  for (const TScriptStep& s : steps) frames_.front().Steps.push_back(s);
}

void THost::OnNextModal(std::function<void(TCustomForm&)> fn) {
  nextModal_.push_back(Pending{{}, std::move(fn)});
}

void THost::OnNextModal(std::string_view script) {
  nextModal_.push_back(Pending{ParseScript(script), nullptr});
}

void THost::AnswerNextMessage(TMsgDlgBtn button) { answers_.push_back(button); }

int THost::PendingSteps() const {
  int n = 0;
  for (const Frame& f : frames_) n += static_cast<int>(f.Steps.size()) + (f.Callback ? 1 : 0);
  return n;
}

void THost::ModalStarted(TCustomForm* form) {
  auto* box = dynamic_cast<TMessageForm*>(form);
  if (box) messages_.push_back({box->GetDlgType(), box->GetCaption(), box->GetMessage()});
  if (box && !answers_.empty()) {
    TMsgDlgBtn answer = answers_.front();
    answers_.pop_front();
    Frame f;
    f.Form = form;
    f.Callback = [this, answer, line = currentLine_](TCustomForm& shown) {
      TButton* b = static_cast<TMessageForm&>(shown).FindDlgButton(answer);
      if (!b)
        throw EComponentError(Format("Script line %d: the message box has no '%s' button",
                                     {line, std::string(kButtonNames[answer])}));
      Click(b);
    };
    frames_.push_back(std::move(f));
    return;
  }
  if (!nextModal_.empty()) {
    Pending p = std::move(nextModal_.front());
    nextModal_.pop_front();
    Frame f;
    f.Form = form;
    f.Steps.assign(p.Steps.begin(), p.Steps.end());
    f.Callback = std::move(p.Callback);
    frames_.push_back(std::move(f));
  }
}

void THost::ModalClosing(TCustomForm* form) {
  if (OnModalClosing) OnModalClosing(*form);
}

void THost::ModalEnded(TCustomForm* form) {
  while (frames_.size() > 1 && frames_.back().Form == form) frames_.pop_back();
}

bool THost::DeliverInput(TCustomForm* form) {
  // The innermost frame with input left gives the next piece.
  for (size_t i = frames_.size(); i-- > 0;) {
    Frame& f = frames_[i];
    if (f.Callback) {
      auto fn = std::move(f.Callback);
      f.Callback = nullptr;
      fn(*form);
      Application()->ProcessMessages();
      return true;
    }
    if (!f.Steps.empty()) {
      TScriptStep step = std::move(f.Steps.front());
      f.Steps.pop_front();
      Execute(step);
      return true;
    }
  }
  return false;
}

TCustomForm* THost::ActiveForm() const {
  TCustomForm* f = tabulon::ActiveForm();
  if (!f) throw EInvalidOperation("No active form to take the input");
  return f;
}

TControl* THost::FindControl(const std::string& name) const {
  TCustomForm* form = ActiveForm();
  if (form->GetName() == name) return form;
  std::function<TComponent*(TComponent*)> find = [&](TComponent* owner) -> TComponent* {
    if (TComponent* c = owner->FindComponent(name)) return c;
    for (int i = 0; i < owner->ComponentCount(); ++i)
      if (TComponent* c = find(owner->Components(i))) return c;
    return nullptr;
  };
  auto* c = dynamic_cast<TControl*>(find(form));
  if (!c && OnFindControl) c = OnFindControl(*form, name);
  if (!c)
    throw EComponentError(Format("Script line %d: no control named '%s' on form '%s'",
                                 {currentLine_, name, form->GetName()}));
  return c;
}

void THost::Execute(const TScriptStep& s) {
  currentLine_ = s.Line;
  const auto& a = s.Args;
  if (s.Command == "type") {
    TypeText(a[0]);
  } else if (s.Command == "key") {
    PressKey(a[0]);
  } else if (s.Command == "click" || s.Command == "dblclick") {
    bool dbl = s.Command == "dblclick";
    if (a.size() == 3 && a[0] == "at" && !s.Quoted[0])
      ClickAt({ToInt(a[1]), ToInt(a[2])}, dbl);
    else if (a.size() == 3)
      Click(FindControl(a[0]), {ToInt(a[1]), ToInt(a[2])}, dbl);
    else {
      TControl* c = FindControl(a[0]);
      Click(c, {c->GetClientWidth() / 2, c->GetClientHeight() / 2}, dbl);
    }
  } else if (s.Command == "drag") {
    size_t to = static_cast<size_t>(std::find(a.begin(), a.end(), "to") - a.begin());
    TControl* from = FindControl(a[0]);
    TControl* dest = FindControl(a[to + 1]);
    TPoint p1 = to == 3 ? TPoint{ToInt(a[1]), ToInt(a[2])}
                        : TPoint{from->GetClientWidth() / 2, from->GetClientHeight() / 2};
    TPoint p2 = a.size() - to - 1 == 3
                    ? TPoint{ToInt(a[to + 2]), ToInt(a[to + 3])}
                    : TPoint{dest->GetClientWidth() / 2, dest->GetClientHeight() / 2};
    Drag(from, p1, dest, p2);
  } else if (s.Command == "choose") {
    TControl* c = FindControl(a[0]);
    bool index =
        !s.Quoted[1] && !a[1].empty() &&
        std::all_of(a[1].begin(), a[1].end(), [](char ch) { return ch >= '0' && ch <= '9'; });
    if (index)
      Choose(c, ToInt(a[1]));
    else
      Choose(c, a[1]);
  } else if (s.Command == "focus") {
    auto* w = dynamic_cast<TWinControl*>(FindControl(a[0]));
    if (!w)
      throw EComponentError(Format("Script line %d: '%s' cannot take the focus", {s.Line, a[0]}));
    w->SetFocus();
  } else if (s.Command == "answer") {
    AnswerNextMessage(ParseButton(a[0], s.Line));
  } else if (s.Command == "close") {
    CloseActiveForm();
  } else if (s.Command == "snapshot") {
    Snapshot(a[0]);
  }
  Application()->ProcessMessages();
}

void THost::Snapshot(const std::string& path) { SaveFormPicture(*ActiveForm(), path); }

void SaveFormPicture(TCustomForm& form, const std::string& path) {
  TBitmap bitmap(form.GetWidth(), form.GetHeight());
  TCanvas canvas(&bitmap);
  form.PaintTo(canvas, 0, 0);
  bitmap.SaveToPNGFile(path);
}

void THost::TypeText(std::string_view text) {
  for (char32_t c : Decode(text)) {
    TKeySpec k = KeyForChar(c);
    ActiveForm()->PressKey(k.Key, k.Shift, k.Char);
    Application()->ProcessMessages();
  }
}

void THost::PressKey(uint16_t key, TShiftState shift, char32_t ch) {
  ActiveForm()->PressKey(key, shift, ch);
  Application()->ProcessMessages();
}

void THost::PressKey(std::string_view keyText) {
  TKeySpec k = ParseKey(keyText);
  PressKey(k.Key, k.Shift, k.Char);
}

void THost::Click(TControl* control) {
  Click(control, {control->GetClientWidth() / 2, control->GetClientHeight() / 2});
}

void THost::Click(TControl* control, TPoint local, bool dbl) {
  ClickAt(control->ClientToScreen(local), dbl);
}

void THost::ClickAt(TPoint screen, bool dbl) {
  SendMouseMove(screen, {});
  SendMouseDown(screen, mbLeft, {}, false);
  SendMouseUp(screen, mbLeft, {});
  if (dbl) {
    SendMouseDown(screen, mbLeft, {}, true);
    SendMouseUp(screen, mbLeft, {});
  }
  Application()->ProcessMessages();
}

void THost::Drag(TControl* from, TPoint fromLocal, TControl* to, TPoint toLocal) {
  TPoint a = from->ClientToScreen(fromLocal);
  TPoint b = to->ClientToScreen(toLocal);
  SendMouseMove(a, {});
  SendMouseDown(a, mbLeft, {});
  // Through the midpoint, then onto the target, with the button held.
  SendMouseMove({(a.X + b.X) / 2, (a.Y + b.Y) / 2}, {ssLeft});
  SendMouseMove(b, {ssLeft});
  SendMouseUp(b, mbLeft, {});
  Application()->ProcessMessages();
}

// Opens a drop-down control's list by its button; null when it stays closed.
static TControl* OpenChoiceList(THost& host, TPopupChooser* chooser) {
  if (!chooser->ChoiceList() && chooser->DropButtonControl())
    host.Click(chooser->DropButtonControl());
  return chooser->ChoiceList();
}

void THost::Choose(TControl* control, const std::string& text) {
  if (auto* chooser = dynamic_cast<TPopupChooser*>(control)) {
    if (TControl* list = OpenChoiceList(*this, chooser)) Choose(list, text);
    return;
  }
  if (dynamic_cast<TCustomDBGrid*>(control))
    throw EComponentError(Format("Script line %d: rows of grid '%s' are chosen by number",
                                 {currentLine_, control->GetName()}));
  int index = -1;
  if (auto* lookup = dynamic_cast<TDBLookupListBox*>(control)) {
    // The rows shown, by the text of the list field they show first.
    const auto& fields = lookup->GetListFields();
    int col = static_cast<int>(std::find(fields.begin(), fields.end(), lookup->GetListField()) -
                               fields.begin());
    for (int r = 0; r < lookup->GetRowsShown() && index < 0; ++r)
      if (lookup->GetCellText(r, col) == text) index = r;
  } else if (auto* cb = dynamic_cast<TCustomComboBox*>(control))
    index = cb->GetItems()->IndexOf(text);
  else if (auto* lb = dynamic_cast<TCustomListBox*>(control))
    index = lb->GetItems()->IndexOf(text);
  else if (auto* pc = dynamic_cast<TPageControl*>(control)) {
    for (int i = 0; i < pc->GetPageCount(); ++i)
      if (pc->GetPages(i)->GetCaption() == text) index = i;
  }
  if (index < 0)
    throw EComponentError(
        Format("Script line %d: '%s' has no item '%s'", {currentLine_, control->GetName(), text}));
  Choose(control, index);
}

void THost::Choose(TControl* control, int index) {
  if (auto* chooser = dynamic_cast<TPopupChooser*>(control)) {
    if (TControl* list = OpenChoiceList(*this, chooser)) Choose(list, index);
    return;
  }
  auto range = [&](int count) {
    if (index < 0 || index >= count)
      throw EComponentError(
          Format("Script line %d: '%s' has no item %d", {currentLine_, control->GetName(), index}));
  };
  if (auto* cb = dynamic_cast<TCustomComboBox*>(control)) {
    range(cb->GetItems()->Count());
    if (!cb->GetDroppedDown()) Click(cb);
    TComboListBox* list = cb->GetListBox();
    if (!cb->GetDroppedDown()) return;  // a disabled box does not open
    if (index < list->GetTopIndex() || index >= list->GetTopIndex() + list->VisibleRows())
      list->SetTopIndex(index);
    TRect r = list->ItemRect(index);
    Click(list, {r.Left + r.Width() / 2, r.Top + r.Height() / 2});
  } else if (auto* lb = dynamic_cast<TCustomListBox*>(control)) {
    range(lb->GetItems()->Count());
    if (index < lb->GetTopIndex() || index >= lb->GetTopIndex() + lb->VisibleRows())
      lb->SetTopIndex(index);
    TRect r = lb->ItemRect(index);
    Click(lb, {r.Left + r.Width() / 2, r.Top + r.Height() / 2});
  } else if (auto* lookup = dynamic_cast<TDBLookupListBox*>(control)) {
    // Rows are those the list shows now.
    range(lookup->GetRowsShown());
    TRect r = lookup->RowRect(index);
    Click(lookup, {r.Left + r.Width() / 2, r.Top + r.Height() / 2});
  } else if (auto* grid = dynamic_cast<TCustomDBGrid*>(control)) {
    // Rows are the records the dataset shows; the grid scrolls (moving the
    // dataset, as its scroll bar would) until the row is on screen.
    TDataSet* ds = grid->ActiveDataSet();
    range(ds ? ds->GetRecordCount() : 0);
    int row = grid->ScrollToRecord(index);
    TRect r = grid->RowRect(row);
    Click(grid, {r.Left + r.Width() / 2, r.Top + r.Height() / 2});
  } else if (auto* pc = dynamic_cast<TPageControl*>(control)) {
    range(pc->GetPageCount());
    TRect r = pc->TabRect(index);
    if (r.IsEmpty())
      throw EComponentError(Format("Script line %d: page %d of '%s' has no tab to click",
                                   {currentLine_, index, control->GetName()}));
    Click(pc, {r.Left + r.Width() / 2, r.Top + r.Height() / 2});
  } else {
    throw EComponentError(Format("Script line %d: '%s' has no items to choose from",
                                 {currentLine_, control->GetName()}));
  }
}

void THost::CloseActiveForm() {
  ActiveForm()->Close();
  Application()->ProcessMessages();
}

std::string DescribeControlValue(TControl* control) {
  if (auto* e = dynamic_cast<TCustomEdit*>(control)) return "\"" + e->GetText() + "\"";
  if (auto* c = dynamic_cast<TCustomCheckBox*>(control))
    return c->GetState() == cbGrayed ? "Grayed" : c->GetChecked() ? "True" : "False";
  if (auto* r = dynamic_cast<TRadioButton*>(control)) return r->GetChecked() ? "True" : "False";
  if (auto* cb = dynamic_cast<TCustomComboBox*>(control))
    return Format("%d \"%s\"", {cb->GetItemIndex(), cb->GetText()});
  if (auto* lb = dynamic_cast<TCustomListBox*>(control)) {
    std::string items;
    for (int i = 0; i < lb->GetItems()->Count(); ++i)
      items += (i ? ", " : "") + lb->GetItems()->Get(i);
    return Format("%d [%s]", {lb->GetItemIndex(), items});
  }
  if (auto* pc = dynamic_cast<TPageControl*>(control))
    return pc->GetActivePage() ? pc->GetActivePage()->GetName() : "(none)";
  if (auto* grid = dynamic_cast<TCustomDBGrid*>(control)) {
    // The current record as the grid shows it.
    std::string cells;
    int row = grid->GetActiveRow();
    for (int c = 0; row >= 0 && c < grid->GetColumnCount(); ++c)
      cells += (c ? ", " : "") + grid->GetCellText(row, c);
    return row < 0 ? "(no record)" : "[" + cells + "]";
  }
  return "\"" + control->GetCaption() + "\"";
}

}  // namespace tabulon
