// Fixture of the panel editor tests: a shown form with a filter panel over
// a small people dataset, driven by the scripted host as a person types.
// The panel's editor events and every application of the values (with the
// names the dataset then shows) go into one trace.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/db/client_dataset.h"
#include "platform/forms/button.h"
#include "platform/forms/form.h"
#include "platform/host/host.h"
#include "run/tbnset.h"
#include "tests/run/test_util.h"

namespace tabulon::test {

/// A filter panel that reports every update of its dataset.
class TTracedFilterPanel : public TDBFilterPanel {
  TBN_CLASS(TTracedFilterPanel, TDBFilterPanel)
 public:
  explicit TTracedFilterPanel(TComponent* owner) : TDBFilterPanel(owner) {}
  /// Filters, then appends "apply[a,b];" with the first field of each
  /// record the dataset shows.
  void UpdateDataSet() override;
  std::string* Trace = nullptr;
};

/// People NAME, AGE, CITY: Ann 5 Berlin, Bob 12 Paris, Bea 31 Berlin,
/// Carl 45 Rome, Bert 120 Paris. The panel's records: NAME (initial part),
/// AGE (a range), CITY (a pick list Berlin, Paris, Rome). A button "Other"
/// beside the panel takes the focus out of it.
struct EditorsOnForm {
  EditorsOnForm();
  ~EditorsOnForm();
  /// Runs a script at once on the shown form.
  void Play(std::string_view script);
  /// Clicks into the editor of a record's slot (the mouse focuses it).
  void ClickInto(const std::string& field, int slot = 0);
  TCustomQXMaskEdit* Editor(const std::string& field, int slot = 0) const;
  TFieldRecord* Record(const std::string& field) const { return Panel->FieldByName(field); }
  /// The trace so far; cleared.
  std::string Take() { return std::exchange(Trace, std::string()); }
  /// The first field of each record the dataset shows, comma-separated.
  std::string Shown() const;

  std::unique_ptr<TForm> Form;
  TClientDataSet* People = nullptr;
  TDataSource* Source = nullptr;
  TTracedFilterPanel* Panel = nullptr;
  TButton* Other = nullptr;
  THost Host;
  std::string Trace;
};

}  // namespace tabulon::test
