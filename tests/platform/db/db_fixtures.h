// Shared fixtures of the dataset tests: a recording data link, the sample
// people data, and one factory per dataset kind so that the contract tests
// run against the client dataset, the SQLite table and the SQLite query.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/db/client_dataset.h"
#include "platform/db/datasource.h"
#include "platform/db/field.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"
#include "tests/platform/expect_throw.h"

/// Expects `stmt` to raise EDatabaseError with exactly `text`.
#define EXPECT_DB_ERROR(stmt, text) \
  ::tabulon::testing::ExpectThrow<EDatabaseError>([&] { stmt; }, text)

namespace tabulon::test {

/// Appends "event:arg;" for every notification it receives.
class TRecordingLink : public TDataLink {
 public:
  std::string log;
  /// Returns the log and clears it.
  std::string Take() {
    std::string s = log;
    log.clear();
    return s;
  }

 protected:
  void ActiveChanged() override;
  void LayoutChanged() override;
  void DataSetChanged() override;
  void RecordChanged(TField* field) override;
  void EditingChanged() override;
};

/// One row of the people sample.
struct Person {
  int Id;
  const char* Name;
  const char* Born;  // ISO date
  double Score;
  bool Active;
};
extern const std::vector<Person> kPeople;

enum class Kind { Client, Table, Query };
std::string KindName(Kind k);

/// A temporary SQLite file holding table PEOPLE (ID INTEGER PRIMARY KEY,
/// NAME VARCHAR(20), BORN DATE, SCORE REAL, ACTIVE BOOLEAN) with indexes
/// IX_NAME (NAME COLLATE NOCASE) and IX_SCORE (SCORE DESC); removed on destruction.
class TempDatabase {
 public:
  explicit TempDatabase(const std::vector<Person>& rows = kPeople);
  ~TempDatabase();
  const std::string& Path() const { return path_; }
  const std::vector<Person>& Rows() const { return rows_; }

 private:
  std::string path_;
  std::vector<Person> rows_;
};

/// Makes a closed dataset of kind `k` over the rows of `db`, named "People",
/// owned by `owner` (the connection too, for SQLite kinds; the client dataset
/// holds a copy of the rows).
TDataSet* MakePeople(Kind k, TComponent* owner, const TempDatabase& db,
                     const std::string& name = "People");
/// A client dataset with the people fields and rows, open.
TClientDataSet* MakeClientPeople(TComponent* owner, const std::vector<Person>& rows = kPeople,
                                 const std::string& name = "People");

/// The values of `field` over the visible records, first to last, joined by ",".
std::string Column(TDataSet* d, const std::string& field);
/// A path for a temporary file (unique per call).
std::string TempPath(const std::string& suffix);

}  // namespace tabulon::test
