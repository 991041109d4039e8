// The setup forms over the dialog tests' people, with a memo column added:
// the real find and filter dialogs (their Setup opens the registered setup
// forms), a way to run one setup form with a callback as the person inside
// it, and the owner's settings as form-file text, the oracle for "what the
// setup changed".
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "platform/db/field_defs.h"
#include "platform/streaming/formres.h"
#include "run/tbnstpfn.h"
#include "tests/run/dialog_fixture.h"

namespace tabulon::test {

class SetupTest : public DialogTest {
 protected:
  SetupTest() {
    // Fresh people with a memo column: ID, NAME, NOTE.
    people->Close();
    people->GetFieldDefs()->Add("NOTE", ftMemo);
    people->CreateDataSet();
    int id = 0;
    for (const char* name : {"Ann", "Bob", "Bea", "Carl", "Bert", "Dan"})
      people->AppendRecord({++id, name, std::string("note of ") + name});
    people->First();
    people->SetName("People");
    source->SetName("PeopleSource");
    owner.SetName("Owner");
  }

  /// Shows `dialog`'s setup form (as its Setup button does); `inForm` is the
  /// person inside it and must close it. Returns what ShowSetupForm returned.
  bool RunSetup(TFieldsSet* dialog, const std::function<void(TfmSetupRecord&)>& inForm) {
    host->OnNextModal([inForm](TCustomForm& form) {
      auto* setup = dynamic_cast<TfmSetupRecord*>(&form);
      ASSERT_NE(setup, nullptr) << form.ClassName();
      inForm(*setup);
    });
    return dialog->ShowSetupForm();
  }

  /// Everything of `dialog` a form file keeps.
  static std::string Text(TFieldsSet* dialog) { return ComponentToText(dialog); }

  /// What changed from `before` to `after`, line by line (indentation
  /// dropped, order kept): "-Line" for a line gone, "+Line" for a new one,
  /// joined by "|". Empty when nothing changed.
  static std::string Changes(const std::string& before, const std::string& after) {
    auto lines = [](const std::string& text) {
      std::vector<std::string> out;
      for (size_t start = 0; start < text.size();) {
        size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        line.erase(0, std::min(line.find_first_not_of(' '), line.size()));
        out.push_back(line);
        start = end + 1;
      }
      return out;
    };
    std::vector<std::string> a = lines(before), b = lines(after);
    std::string out;
    auto take = [&](std::vector<std::string>& from, const std::vector<std::string>& other,
                    const char* sign) {
      std::vector<std::string> left = other;
      for (const std::string& line : from) {
        auto it = std::find(left.begin(), left.end(), line);
        if (it != left.end())
          left.erase(it);
        else
          out += (out.empty() ? "" : "|") + (sign + line);
      }
    };
    take(a, b, "-");
    take(b, a, "+");
    return out;
  }
};

}  // namespace tabulon::test
