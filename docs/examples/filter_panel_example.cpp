// A filter panel on one's own form. The form file (filter_panel_example.dfm)
// holds a table, its data source and a filter panel over them; the program
// loads it, gives the panel's CITY record a value as a person would type it
// into the panel and prints the customers the table then shows.
//   filter_panel_example FORM.dfm CITY    (run where the form's sample.db is)
#include <exception>
#include <iostream>
#include <memory>

#include "platform/db/dataset.h"         // TDataSet
#include "platform/db/field.h"           // TField
#include "platform/streaming/formres.h"  // ReadComponentResFile
#include "run/tbnset.h"                  // TDBFilterPanel, TFieldRecord

using namespace tabulon;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: filter_panel_example FORM.dfm CITY\n";
    return 2;
  }
  try {
    // Reads the form file into live components; the table opens as it loads.
    std::unique_ptr<TComponent> form(ReadComponentResFile(argv[1], nullptr));
    auto* panel = dynamic_cast<TDBFilterPanel*>(form->FindComponent("FilterPanel"));
    auto* customers = dynamic_cast<TDataSet*>(form->FindComponent("Customers"));
    if (!panel || !customers) {
      std::cerr << argv[1] << ": no FilterPanel or Customers on the form\n";
      return 1;
    }
    // The panel filters as soon as a value changes.
    panel->FieldByName("CITY")->SetAsString(0, argv[2]);
    std::cout << customers->GetRecordCount() << " customers in " << argv[2] << "\n";
    for (customers->First(); !customers->GetEof(); customers->Next())
      std::cout << customers->FieldByName("COMPANY")->GetAsString() << "\n";
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
