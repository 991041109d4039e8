// Finding records from code with TQXFinder: a small order-desk program that
// looks customers up by name and by city. Built with the project and run by
// ctest, so it stays in step with the library.
#include <cstdio>
#include <string>

#include "platform/core/exceptions.h"
#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "run/tbnfinder.h"

using namespace tabulon;

namespace {

std::string Current(TDataSet* customers) {
  return customers->FieldByName("NAME")->GetAsString() + " (" +
         customers->FieldByName("CITY")->GetAsString() + ")";
}

int Fail(const char* what) {
  std::fprintf(stderr, "finder example: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  TComponent form(nullptr);  // owns the components, as a form would

  // The customers, sorted by name (an index the dataset keeps).
  auto* customers = new TClientDataSet(&form);
  customers->GetFieldDefs()->Add("CUSTNO", ftInteger);
  customers->GetFieldDefs()->Add("NAME", ftString, 30);
  customers->GetFieldDefs()->Add("CITY", ftString, 20);
  customers->CreateDataSet();
  customers->AppendRecord({1, "Keller Valves AG", "Zürich"});
  customers->AppendRecord({2, "Bauer Bolts GmbH", "Berlin"});
  customers->AppendRecord({3, "Costa Seals S.p.A.", "Milano"});
  customers->AppendRecord({4, "Berg Relays AB", "Stockholm"});
  customers->AppendRecord({5, "Dubois Springs SARL", "Paris"});
  customers->SetIndexFieldNames("NAME");

  // The finder learns the order from the dataset: no description needed.
  auto* finder = new TQXFinder(&form);
  finder->SetDataSet(customers);

  // An exact key: found, the dataset now stands on that customer.
  if (!finder->FindKey({"Costa Seals S.p.A."})) return Fail("FindKey missed");
  std::printf("FindKey:     %s\n", Current(customers).c_str());

  // A key that is not there: FindKey reports false and does not move.
  if (finder->FindKey({"Fischer"})) return Fail("FindKey found a missing key");
  std::printf("not found:   still %s\n", Current(customers).c_str());

  // The nearest record at or after a partial name.
  finder->FindNearest({"Be"});
  std::printf("FindNearest: %s\n", Current(customers).c_str());

  // The last customer whose name comes before "D".
  if (!finder->Seek("D", dsoBefore)) return Fail("Seek missed");
  std::printf("Seek before: %s\n", Current(customers).c_str());

  // Another order, typed in by the application: city, descending. The
  // finder's description no longer follows the dataset's index, so the
  // dataset is sorted the same way to keep the search meaningful.
  customers->SetIndexFieldNames("CITY DESC");
  finder->GetDataSetIndex()->SetFieldNames("CITY");
  finder->GetDataSetIndex()->SetDescFields("CITY");
  if (!finder->FindRecord({"Paris"}, dsoFirstEQ, dgoNone)) return Fail("FindRecord missed");
  std::printf("by city:     %s\n", Current(customers).c_str());

  // A key of a kind the finder cannot use is refused before anything moves.
  try {
    finder->FindKey({static_cast<TObject*>(&form)});
    return Fail("a component was taken as a key");
  } catch (const EDatabaseError& e) {
    std::printf("refused:     %s\n", e.what());
  }
  return 0;
}
