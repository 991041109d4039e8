// Fixtures of the layout tests: exact text metrics, a small dataset whose
// records have chosen labels and widths, a fields panel that counts its
// editors and the editor bindings of each pass, and a readable trace of
// where every row's controls went.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/forms/edit.h"
#include "platform/graphics/textmetrics.h"
#include "tests/run/panel_fixture.h"

namespace tabulon::test {

/// An edit that counts its instances.
class TCountingEdit : public TEdit {
  TBN_CLASS(TCountingEdit, TEdit)
 public:
  explicit TCountingEdit(TComponent* owner) : TEdit(owner) { ++Created; }
  ~TCountingEdit() override { ++Freed; }
  static inline int Created = 0;
  static inline int Freed = 0;
};

/// A second editor class, for records whose editor class changes.
class TOtherEdit : public TCountingEdit {
  TBN_CLASS(TOtherEdit, TCountingEdit)
 public:
  explicit TOtherEdit(TComponent* owner) : TCountingEdit(owner) {}
};

/// A fields panel whose editors count themselves.
class TLayoutPanel : public TTestPanel {
  TBN_CLASS(TLayoutPanel, TTestPanel)
 public:
  explicit TLayoutPanel(TComponent* owner) : TTestPanel(owner) {}
  /// TCountingEdit, or the class chosen for the record in EditorClasses.
  const TClass* EditorClass(TFieldRecord* record, int slot) override;
  /// Counts the bindings (one per placed editor and pass).
  bool BindEditor(TControl* editor, TFieldRecord* record, int slot) override;
  std::map<TFieldRecord*, const TClass*> EditorClasses;
  int Binds = 0;
};

/// Fixed metrics (6 px characters, 13 px lines) and a form stand-in of
/// 400 x 300 with a layout panel on it, linked to a dataset NAME (string),
/// AGE (integer, two editors), CITY (string) whose records are labelled
/// "Name", "Age", "City of birth" with display widths 10, 3 and 20.
struct LayoutOnForm {
  /// With `exactMetrics` false, the current text metrics stay in use.
  explicit LayoutOnForm(bool exactMetrics = true);
  ~LayoutOnForm();
  TFieldRecord* Record(int i) const { return Panel->GetFields()->GetItem(i); }
  std::optional<TTextMetricsScope> Metrics;
  std::unique_ptr<TComponent> Owner;
  TClientDataSet* DataSet;
  TDataSource* Source;
  TPanel* Form;
  TLayoutPanel* Panel;
};

/// The rows' controls in list order: "Label: c1,4 w55,27 e85,0,66 m.. o.. f.. n..",
/// rows joined by " | ". c caption, w "with", o "on" (left,top); e and f
/// the editors, m and n the comments (left,top,width). Rows without
/// controls are left out.
std::string Layout(TPanelFieldsSet* panel);

/// Number of controls (captions, editors, comments) in the panel's scroll box.
int BoxControls(TPanelFieldsSet* panel);

}  // namespace tabulon::test
