// The traced test panels and the form they sit on.
#include "tests/run/panel_fixture.h"

#include "platform/core/class_builder.h"
#include "platform/db/dataset.h"

namespace tabulon::test {

TTestPanel::TTestPanel(TComponent* owner, TStyleOptionsFactory styleFactory)
    : TPanelFieldsSet(owner, styleFactory) {
  Constructed = std::string(Fields ? "list" : "no-list") + (GetScrollingFieldsSet() ? " box" : "") +
                (GetStyleOptions() ? " style" : "") + (GetDataLink() ? " link" : "");
  Fields = new TFieldsList(this, TFieldRecord::StaticClass());
}

void TTestPanel::SetOldDataSet(TDataSet* dataSet) {
  std::string entry = "old:" + dataSet->GetName();
  Trace.push_back(entry);
  if (Teardown) {
    // What is still there when the dataset is handed over.
    entry += std::string(GetFields() ? " list" : "") + (GetScrollingFieldsSet() ? " box" : "") +
             (GetStyleOptions() ? " style" : "") + (GetCountOptions() ? " counts" : "") +
             (GetDataLink() ? " link" : "") + (GetMeasureLabel() ? " label" : "") +
             (GetCaptions() ? " captions" : "");
    Teardown->push_back(entry);
  }
}

void TTestPanel::UpdateDataSet() { Trace.push_back("update"); }
void TTestPanel::PaintPanel() {
  Trace.push_back("paint");
  TPanelFieldsSet::PaintPanel();
}

std::string TTestPanel::TakeTrace() { return Join(std::exchange(Trace, {})); }

TTestDialogPanel::TTestDialogPanel(TComponent* owner)
    : TTestPanel(owner,
                 [](TPanelFieldsSet* p) -> TStyleOptions* { return new TFSStyleOptions(p); }) {}

void TEditEventsForm::PanelEditChange(TFieldRecord* record, int editNo) {
  Calls.push_back("change " + record->GetName() + " " + std::to_string(editNo));
}

void TEditEventsForm::PanelEditKeyDown(TFieldRecord* record, uint16_t& key, TShiftState,
                                       int editNo) {
  Calls.push_back("key " + record->GetName() + " " + std::to_string(key) + " " +
                  std::to_string(editNo));
  key = 0;  // swallowed
}

TBN_REGISTER(TEditEventsForm) {
  b.Method("PanelEditChange", &TEditEventsForm::PanelEditChange);
  b.Method("PanelEditKeyDown", &TEditEventsForm::PanelEditKeyDown);
}

TBN_REGISTER(TTestPanel) {}
TBN_REGISTER(TTestDialogPanel) {}

PanelOnForm::PanelOnForm(TDataSource* source) {
  Form = new TPanel(nullptr);
  Form->SetName("Form1");
  Form->SetBounds(0, 0, 400, 300);
  Panel = new TTestPanel(Form);
  Panel->SetName("FieldsPanel1");
  Panel->SetParent(Form);
  if (source) Panel->SetDataSource(source);
  Panel->Trace.clear();
}

PanelOnForm::~PanelOnForm() { TObject::Free(Form); }

}  // namespace tabulon::test
