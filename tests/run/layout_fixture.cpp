// The layout panel, its form and dataset, and the layout trace.
#include "tests/run/layout_fixture.h"

#include "platform/controls/label.h"
#include "platform/core/class_builder.h"

namespace tabulon::test {

TBN_REGISTER(TCountingEdit) {}
TBN_REGISTER(TOtherEdit) {}
TBN_REGISTER(TLayoutPanel) {}

const TClass* TLayoutPanel::EditorClass(TFieldRecord* record, int) {
  auto it = EditorClasses.find(record);
  return it != EditorClasses.end() ? it->second : TCountingEdit::StaticClass();
}

bool TLayoutPanel::BindEditor(TControl* editor, TFieldRecord* record, int slot) {
  ++Binds;
  return TTestPanel::BindEditor(editor, record, slot);
}

LayoutOnForm::LayoutOnForm(bool exactMetrics) : Owner(std::make_unique<TComponent>(nullptr)) {
  if (exactMetrics) Metrics.emplace(std::make_unique<TFixedTextMetrics>());
  DataSet = new TClientDataSet(Owner.get());
  DataSet->SetName("Places");
  TFieldDefs* defs = DataSet->GetFieldDefs();
  defs->Add("NAME", ftString, 20);
  defs->Add("AGE", ftInteger);
  defs->Add("CITY", ftString, 20);
  DataSet->CreateDataSet();
  Source = new TDataSource(Owner.get());
  Source->SetDataSet(DataSet);
  Form = new TPanel(nullptr);
  Form->SetName("Form1");
  Form->SetBounds(0, 0, 400, 300);
  Panel = new TLayoutPanel(Form);
  Panel->SetName("FieldsPanel1");
  Panel->SetParent(Form);
  Panel->BeginPaint();
  Panel->SetDataSource(Source);
  const char* labels[] = {"Name", "Age", "City of birth"};
  const int widths[] = {10, 3, 20};
  for (int i = 0; i < 3; ++i) {
    Record(i)->SetDisplayLabel(labels[i]);
    Record(i)->SetDisplayWidth(widths[i]);
  }
  Panel->EndPaint();
  Panel->Trace.clear();
  Panel->Binds = 0;
}

LayoutOnForm::~LayoutOnForm() {
  TObject::Free(Form);
  Owner.reset();
}

namespace {
void Put(std::string& out, char kind, TComponent* c, bool width) {
  auto* control = dynamic_cast<TControl*>(c);
  if (!control) return;
  out += std::string(" ") + kind + std::to_string(control->GetLeft()) + "," +
         std::to_string(control->GetTop());
  if (width) out += "," + std::to_string(control->GetWidth());
}
}  // namespace

std::string Layout(TPanelFieldsSet* panel) {
  std::string out;
  TFieldsList* list = panel->GetFields();
  for (int i = 0; i < list->Count(); ++i) {
    TFieldRecord* r = list->GetItem(i);
    std::string row;
    Put(row, 'c', r->CaptionLabels[0], false);
    Put(row, 'w', r->CaptionLabels[1], false);
    Put(row, 'e', r->Editors[0], true);
    Put(row, 'm', r->CommentLabels[0], true);
    Put(row, 'o', r->CaptionLabels[2], false);
    Put(row, 'f', r->Editors[1], true);
    Put(row, 'n', r->CommentLabels[1], true);
    if (row.empty()) continue;
    out += (out.empty() ? "" : " | ") + r->GetDisplayLabel() + ":" + row;
  }
  return out;
}

int BoxControls(TPanelFieldsSet* panel) {
  return panel->GetScrollingFieldsSet()->GetControlCount();
}

}  // namespace tabulon::test
