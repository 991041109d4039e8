// The find and filter dialogs over a small client dataset, shown under the
// scripted host: what the user does inside the form is a callback (values
// given through the records, as the editors give them) and a script.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/db/client_dataset.h"
#include "platform/host/host.h"
#include "run/tbndlg.h"
#include "tests/run/test_util.h"

namespace tabulon::test {

/// A find dialog whose setup form is a plain form the script closes (or a
/// callback confirms), so that visiting Setup needs no setup classes.
class TProbeFindDialog : public TDBFindDialog {
  TBN_CLASS(TProbeFindDialog, TDBFindDialog)
 public:
  using TDBFindDialog::TDBFindDialog;
  int SetupShown = 0;

 protected:
  TCustomForm* CreateSetupForm() override;
};

/// The same for the filter dialog.
class TProbeFilterDialog : public TDBFilterDialog {
  TBN_CLASS(TProbeFilterDialog, TDBFilterDialog)
 public:
  using TDBFilterDialog::TDBFilterDialog;

 protected:
  TCustomForm* CreateSetupForm() override;
};

/// People 1 Ann, 2 Bob, 3 Bea, 4 Carl, 5 Bert, 6 Dan, with a NAME record
/// compared by its start.
class DialogTest : public ::testing::Test {
 protected:
  DialogTest();
  ~DialogTest() override;

  /// Binds `dialog` to the people and gives it the NAME record.
  void Bind(TFieldsSet* dialog);
  /// Gives the last bound dialog's NAME `text` inside the form.
  std::function<void(TCustomForm&)> Type(const char* text);
  /// One showing: `inForm` runs as the form's first input (may be empty),
  /// then `script`. Returns what Execute returned.
  bool Show(TFieldsSet* dialog, const std::function<void(TCustomForm&)>& inForm,
            const std::string& script);
  /// ID of the current person.
  int Id() const;
  /// IDs of the people the dataset shows, in order: "2,3,5".
  std::string Ids() const;
  /// NAME's edit value in slot 0 as text ("" for Null).
  static std::string Name(TFieldsSet* dialog);

  TComponent owner{nullptr};
  TFieldsSet* bound = nullptr;
  TClientDataSet* people = nullptr;
  TDataSource* source = nullptr;
  std::unique_ptr<THost> host;
};

}  // namespace tabulon::test
