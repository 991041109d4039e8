// A concrete fields panel on the real panel control for the tests: it
// creates its list with TFieldRecord (or a chosen record class) right after
// the base constructor and traces the overridable steps; plus a form-like
// owner panel to put it on.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/panel.h"
#include "run/tbnset.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {

/// A fields panel whose hooks append to a trace.
class TTestPanel : public TPanelFieldsSet {
  TBN_CLASS(TTestPanel, TPanelFieldsSet)
 public:
  explicit TTestPanel(TComponent* owner, TStyleOptionsFactory styleFactory = nullptr);

  void SetOldDataSet(TDataSet* dataSet) override;
  void UpdateDataSet() override;
  void PaintPanel() override;

  /// "paint", "update", "old:<dataset>" in call order.
  std::vector<std::string> Trace;
  /// Where SetOldDataSet also reports (survives the panel), or null.
  std::vector<std::string>* Teardown = nullptr;
  /// What the constructor saw right after the base constructor.
  std::string Constructed;
  /// The trace joined by blanks; clears it.
  std::string TakeTrace();
};

/// A panel embedded in a dialog component: its style options follow the
/// owner's owner.
class TTestDialogPanel : public TTestPanel {
  TBN_CLASS(TTestDialogPanel, TTestPanel)
 public:
  explicit TTestDialogPanel(TComponent* owner);
};

/// A form class with published handlers for the panel's editor events.
class TEditEventsForm : public TPanel {
  TBN_CLASS(TEditEventsForm, TPanel)
 public:
  explicit TEditEventsForm(TComponent* owner) : TPanel(owner) {}
  void PanelEditChange(TFieldRecord* record, int editNo);
  void PanelEditKeyDown(TFieldRecord* record, uint16_t& key, TShiftState shift, int editNo);
  /// "change NAME 1", "key NAME 13 1" in call order.
  std::vector<std::string> Calls;
};

/// A form stand-in (a plain panel) with a fields panel on it.
struct PanelOnForm {
  explicit PanelOnForm(TDataSource* source = nullptr);
  ~PanelOnForm();
  TPanel* Form;
  TTestPanel* Panel;
};

}  // namespace tabulon::test
