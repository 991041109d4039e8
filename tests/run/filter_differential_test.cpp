// The filter panel against a plain evaluation of the same criteria: random
// criteria (exact, initial and internal parts; single values and ranges;
// both case rules; Null fields and open bounds) over a few thousand random
// records, on a client dataset and on a SQLite table holding the same rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <random>

#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {
namespace {

constexpr int kRows = 3000;

struct Row {
  int Id;
  std::optional<std::string> Name;
  std::optional<int> Age;
  std::optional<double> Born;
  std::optional<double> Score;
};

// One record's criterion as the oracle sees it: effective settings and values.
struct Criterion {
  TCountType Count = coNone;
  TCompareType Compare = ctExact;
  bool CaseInsensitive = false;
  Variant Low, High;
};

// Ordinal comparison, ASCII letters folded when case does not matter.
int Cmp(const std::string& a, const std::string& b, bool ci) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    int x = static_cast<unsigned char>(ci ? std::toupper(a[i]) : a[i]);
    int y = static_cast<unsigned char>(ci ? std::toupper(b[i]) : b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string Left(const std::string& s, size_t n) { return s.substr(0, std::min(n, s.size())); }

// The text rule shared by strings and the texts of numbers.
bool TextMatches(const Criterion& c, const std::string& f, bool ci) {
  auto text = [](const Variant& v) { return VarIsClear(v) ? std::string() : VarToStr(v); };
  if (c.Count == coOne) {
    const std::string a = text(c.Low);
    switch (c.Compare) {
      case ctExact:
        return Cmp(a, f, ci) == 0;
      case ctInitial:
        return Cmp(a, Left(f, a.size()), ci) == 0;
      case ctInternal:
        return !a.empty() && (ci ? Upper(f).find(Upper(a)) : f.find(a)) != std::string::npos;
    }
  }
  if (Cmp(text(c.Low), f, ci) > 0) return false;
  if (VarIsClear(c.High)) return true;
  const std::string h = text(c.High);
  return Cmp(h, c.Compare == ctExact ? f : Left(f, h.size()), ci) >= 0;
}

// The value rule of numbers and dates compared as values.
bool ValueMatches(const Criterion& c, std::optional<double> f) {
  auto num = [](const Variant& v) { return v.AsDouble(); };
  if (c.Count == coOne) return f && *f == num(c.Low);
  if (!VarIsClear(c.Low) && (!f || *f < num(c.Low))) return false;
  return VarIsClear(c.High) || !f || *f <= num(c.High);
}

bool Oracle(const Row& r, const Criterion crit[4]) {
  if (crit[0].Count != coNone &&
      !TextMatches(crit[0], r.Name.value_or(""), crit[0].CaseInsensitive))
    return false;
  if (crit[1].Count != coNone) {
    if (crit[1].Compare == ctExact) {
      if (!ValueMatches(crit[1], r.Age ? std::optional<double>(*r.Age) : std::nullopt))
        return false;
    } else if (!TextMatches(crit[1], r.Age ? std::to_string(*r.Age) : "", false)) {
      return false;
    }
  }
  if (crit[2].Count != coNone && !ValueMatches(crit[2], r.Born)) return false;
  if (crit[3].Count != coNone && !ValueMatches(crit[3], r.Score)) return false;
  return true;
}

std::vector<Row> RandomRows(std::mt19937& rng) {
  std::vector<Row> rows;
  auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
  const std::string letters = "abAB";
  for (int i = 0; i < kRows; ++i) {
    Row r{i + 1, {}, {}, {}, {}};
    if (!chance(8)) {
      std::string s;
      for (int n = 1 + static_cast<int>(rng() % 4); n > 0; --n) s += letters[rng() % 4];
      r.Name = s;
    }
    if (!chance(8)) r.Age = static_cast<int>(rng() % 130);
    if (!chance(8)) r.Born = D(2000, 1, 1) + static_cast<int>(rng() % 40);
    if (!chance(8)) r.Score = static_cast<int>(rng() % 40) / 4.0;
    rows.push_back(r);
  }
  return rows;
}

Variant Opt(const std::optional<std::string>& v) { return v ? Variant(*v) : Variant(Null); }
Variant Opt(const std::optional<int>& v) { return v ? Variant(int32_t(*v)) : Variant(Null); }
Variant OptDate(const std::optional<double>& v) {
  return v ? Variant::FromDate(*v) : Variant(Null);
}
Variant Opt(const std::optional<double>& v) { return v ? Variant(*v) : Variant(Null); }

// Random criteria written into the panel's records; the oracle reads back
// the settings in effect (an internal part never meets a range).
void RandomCriteria(std::mt19937& rng, TDBFilterPanel* panel, Criterion crit[4]) {
  static const char* const kFields[] = {"NAME", "AGE", "BORN", "SCORE"};
  auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  auto value = [&](int field) -> Variant {
    switch (field) {
      case 0: {
        std::string s;
        for (int n = 1 + pick(2); n > 0; --n) s += "abAB"[pick(4)];
        return Variant(s);
      }
      case 1:
        return Variant(int32_t(pick(130)));
      case 2:
        return Variant::FromDate(D(2000, 1, 1) + pick(40));
      default:
        return Variant(pick(40) / 4.0);
    }
  };
  panel->BeginUpdate();
  for (int f = 0; f < 4; ++f) {
    TFieldRecord* r = panel->FieldByName(kFields[f]);
    const bool on = pick(100) < 55;
    r->SetCount(on ? (pick(2) ? coTwo : coOne) : coNone);
    r->SetCompare(f <= 1 ? static_cast<TCompareType>(pick(3)) : ctExact);
    r->SetCaseInsensitive(pick(2) == 1);
    Variant low = value(f), high = value(f);
    if (r->GetCount() == coTwo) {
      const int open = pick(5);
      if (open == 0) low = Null;
      if (open == 1) high = Null;
    }
    r->SetAsVariant(0, low);
    r->SetAsVariant(1, high);
    crit[f] = Criterion{r->GetCount(), r->GetCompare(), r->GetCaseInsensitive(), r->GetAsVariant(0),
                        r->GetAsVariant(1)};
  }
  panel->EndUpdate();
}

// Runs the random rounds on one dataset and compares with the oracle.
void RunRounds(TDataSet* ds, const std::vector<Row>& rows, unsigned seed) {
  TComponent owner(nullptr);
  auto* source = new TDataSource(&owner);
  source->SetDataSet(ds);
  auto* panel = new TDBFilterPanel(&owner);
  panel->SetLocaleID(-1);
  panel->SetDataSource(source);
  panel->SetFiltered(true);
  std::mt19937 rng(seed);
  TField* id = ds->FieldByName("ID");
  int nonEmpty = 0, partial = 0;
  for (int round = 0; round < 120; ++round) {
    const bool app = round % 3 == 0;
    panel->OnFilterRecord =
        app ? TFilterRecordEvent([id](TDataSet*, bool& accept) { accept = id->GetAsInteger() % 7; })
            : TFilterRecordEvent();
    Criterion crit[4];
    RandomCriteria(rng, panel, crit);
    std::vector<int> want, got;
    for (const Row& r : rows)
      if ((!app || r.Id % 7) && Oracle(r, crit)) want.push_back(r.Id);
    for (ds->First(); !ds->GetEof(); ds->Next()) got.push_back(id->GetAsInteger());
    ASSERT_EQ(got, want) << ds->ClassName() << " round " << round;
    nonEmpty += !want.empty();
    partial += !want.empty() && want.size() < rows.size();
  }
  // The rounds exercised real selections, not only all or nothing.
  EXPECT_GT(partial, 40);
  EXPECT_GT(nonEmpty, 60);
  TObject::Free(panel);
  EXPECT_FALSE(ds->GetFiltered());
}

TEST(FilterPanelDifferential, ClientDataSetAndSQLiteTableAgreeWithAPlainEvaluation) {
  std::mt19937 rng(20261206);
  const std::vector<Row> rows = RandomRows(rng);

  TComponent owner(nullptr);
  auto* client = new TClientDataSet(&owner);
  client->GetFieldDefs()->Add("ID", ftInteger);
  client->GetFieldDefs()->Add("NAME", ftString, 20);
  client->GetFieldDefs()->Add("AGE", ftInteger);
  client->GetFieldDefs()->Add("BORN", ftDate);
  client->GetFieldDefs()->Add("SCORE", ftFloat);
  client->CreateDataSet();
  client->DisableControls();
  for (const Row& r : rows)
    client->AppendRecord(
        {Variant(int32_t(r.Id)), Opt(r.Name), Opt(r.Age), OptDate(r.Born), Opt(r.Score)});
  client->EnableControls();
  RunRounds(client, rows, 7);

  auto* db = new TSQLiteConnection(&owner);
  db->SetFileName(":memory:");
  db->ExecSQL(
      "CREATE TABLE PEOPLE (ID INTEGER, NAME VARCHAR(20), AGE INTEGER, BORN DATE, SCORE FLOAT)");
  db->ExecSQL("BEGIN");
  for (const Row& r : rows)
    db->ExecSQL("INSERT INTO PEOPLE VALUES (?, ?, ?, ?, ?)",
                {Variant(int32_t(r.Id)), Opt(r.Name), Opt(r.Age), OptDate(r.Born), Opt(r.Score)});
  db->ExecSQL("COMMIT");
  auto* table = new TTable(&owner);
  table->SetConnection(db);
  table->SetTableName("PEOPLE");
  table->Open();
  RunRounds(table, rows, 7);
}

}  // namespace
}  // namespace tabulon::test
