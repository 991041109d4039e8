// Helper of the data-control tests: a client dataset of numbered people.
#pragma once

#include <string>

#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"

namespace tabulon::testing {

/// `count` people: ID (shown 4 characters wide), NAME "Name<id>" and CITY,
/// one of four in turn; the first record current.
inline TClientDataSet* People(TComponent* owner, int count) {
  auto* ds = new TClientDataSet(owner);
  ds->GetFieldDefs()->Add("ID", ftInteger);
  ds->GetFieldDefs()->Add("NAME", ftString, 10);
  ds->GetFieldDefs()->Add("CITY", ftString, 8);
  ds->CreateDataSet();
  const char* cities[] = {"Leeds", "Paris", "Rome", "Oslo"};
  for (int i = 1; i <= count; ++i)
    ds->AppendRecord({Variant(i), Variant("Name" + std::to_string(i)), Variant(cities[i % 4])});
  ds->FieldByName("ID")->SetDisplayWidth(4);
  ds->First();
  return ds;
}

}  // namespace tabulon::testing
