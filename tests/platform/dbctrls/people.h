// Helper of the data-control tests: a client dataset of numbered people.
#pragma once

#include <string>

#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"

namespace tabulon::testing {

/// `count` people with ID (shown 4 characters wide) and NAME "Name<id>"; with
/// `cities`, also CITY, one of four in turn; the first record current.
inline TClientDataSet* People(TComponent* owner, int count, bool cities = false) {
  auto* ds = new TClientDataSet(owner);
  ds->GetFieldDefs()->Add("ID", ftInteger);
  ds->GetFieldDefs()->Add("NAME", ftString, 10);
  if (cities) ds->GetFieldDefs()->Add("CITY", ftString, 8);
  ds->CreateDataSet();
  const char* names[] = {"Leeds", "Paris", "Rome", "Oslo"};
  for (int i = 1; i <= count; ++i) {
    Variant id(i), name("Name" + std::to_string(i));
    if (cities)
      ds->AppendRecord({id, name, Variant(names[i % 4])});
    else
      ds->AppendRecord({id, name});
  }
  ds->FieldByName("ID")->SetDisplayWidth(4);
  ds->First();
  return ds;
}

}  // namespace tabulon::testing
