// The find panel against a linear walk in index order. Random rows under
// several orders (ascending, descending, case-insensitive, two-field keys),
// random criteria (exact values, prefixes, internal parts, ranges, case
// rules) and every find option: a first search and the chain of next
// searches after it must land on exactly the records the walk names, and a
// search that finds nothing must leave the dataset where it was.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "platform/db/client_dataset.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/sysutils/locale_compare.h"
#include "platform/sysutils/strutils.h"
#include "run/tbnclientset.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon {
namespace {

enum { kK1, kK2, kK3 };  // integer, text, float
const char* const kNames[] = {"K1", "K2", "K3"};

struct TKey {
  int Column;
  bool Descending;
  bool CaseInsensitive;
};
struct TOrder {
  const char* Name;
  const char* Fields;
  const char* Desc;
  const char* CaseIns;
  std::vector<TKey> Keys;
};
const TOrder kOrders[] = {
    {"K1", "K1", "", "", {{kK1, false, false}}},
    {"K1 desc", "K1", "K1", "", {{kK1, true, false}}},
    {"K2 nocase;K1", "K2;K1", "", "K2", {{kK2, false, true}, {kK1, false, false}}},
    {"K2 desc", "K2", "K2", "", {{kK2, true, false}}},
    {"K2 nocase desc;K3", "K2;K3", "K2", "K2", {{kK2, true, true}, {kK3, false, false}}},
    {"K1;K2", "K1;K2", "", "", {{kK1, false, false}, {kK2, false, false}}},
};
const TFindOptions kOptions[] = {foIndexExact, foIndexNearest, foFast, foNormal};

struct TRow {
  int Id;
  Variant V[3];
};

// One entered criterion.
struct TCriterion {
  int Column;
  TCompareType Compare;
  TCountType Count;
  bool CaseInsensitive;
  Variant Low, High;
};

int TextCompare(const Variant& a, const Variant& b, bool ci) {
  return CompareLocale(LOCALE_USER_DEFAULT, VarToStr(a), VarToStr(b), ci);
}

// Whether a row matches a criterion: exact value, initial or internal part,
// or a range (whose upper text bound is an initial part for prefixes).
bool Matches(const TRow& row, const TCriterion& c) {
  const Variant& f = row.V[c.Column];
  if (c.Column != kK2) {
    if (c.Count == coOne) return VarCompare(c.Low, f) == 0;
    return VarCompare(c.Low, f) <= 0 && (c.High.IsNull() || VarCompare(c.High, f) >= 0);
  }
  const std::string text = VarToStr(f);
  const auto cut = [&](const Variant& v) { return Variant(text.substr(0, VarToStr(v).size())); };
  if (c.Count == coTwo) {
    if (c.Low.IsNull() == false && TextCompare(c.Low, f, c.CaseInsensitive) > 0) return false;
    if (c.High.IsNull()) return true;
    return TextCompare(c.High, c.Compare == ctExact ? f : cut(c.High), c.CaseInsensitive) >= 0;
  }
  switch (c.Compare) {
    case ctExact:
      return TextCompare(c.Low, f, c.CaseInsensitive) == 0;
    case ctInitial:
      return TextCompare(c.Low, cut(c.Low), c.CaseInsensitive) == 0;
    case ctInternal: {
      std::string v = VarToStr(c.Low);
      std::string t = text;
      if (c.CaseInsensitive) {
        v = AnsiUpperCase(v);
        t = AnsiUpperCase(t);
      }
      return !v.empty() && t.find(v) != std::string::npos;
    }
  }
  return false;
}

// Where a row stands against a key over the first key fields, in index order.
int KeyCompare(const TRow& row, const std::vector<TKey>& keys, const std::vector<Variant>& key) {
  for (size_t i = 0; i < key.size(); ++i) {
    const TKey& k = keys[i];
    int r = k.Column == kK2 ? TextCompare(row.V[k.Column], key[i], k.CaseInsensitive)
                            : VarCompare(row.V[k.Column], key[i]);
    if (k.Descending) r = -r;
    if (r != 0) return r;
  }
  return 0;
}

class FindDifferential : public ::testing::Test {
 protected:
  std::mt19937 rng{77031};
  TComponent owner{nullptr};

  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  template <class T, size_t N>
  const T& Pick(const T (&pool)[N]) {
    return pool[static_cast<size_t>(Rand(0, static_cast<int>(N) - 1))];
  }

  Variant RandomValue(int column) {
    static const char* const texts[] = {"a", "A",  "ab", "aB", "Ab",  "abc",
                                        "b", "ba", "B",  "bc", "abd", "c"};
    static const double floats[] = {0.0, 1.5, 2.0, 2.5};
    if (column == kK1) return Rand(0, 5);
    if (column == kK2) return std::string(Pick(texts));
    return Pick(floats);
  }

  std::vector<TRow> RandomRows() {
    std::vector<TRow> rows(static_cast<size_t>(Rand(0, 4) == 0 ? Rand(0, 2) : Rand(3, 40)));
    for (size_t i = 0; i < rows.size(); ++i) {
      rows[i].Id = static_cast<int>(i) + 1;
      for (int c = 0; c < 3; ++c) rows[i].V[c] = RandomValue(c);
    }
    return rows;
  }

  // A value of a random row (so that matches exist) or a random one; texts
  // are sometimes cut to a prefix or an internal part.
  Variant EnteredValue(const std::vector<TRow>& shown, int column, TCompareType compare) {
    Variant v =
        shown.empty() || Rand(0, 3) == 0
            ? RandomValue(column)
            : shown[static_cast<size_t>(Rand(0, static_cast<int>(shown.size()) - 1))].V[column];
    if (column == kK2 && compare != ctExact) {
      std::string t = VarToStr(v);
      size_t from = compare == ctInternal ? static_cast<size_t>(Rand(0, 1)) : 0;
      from = std::min(from, t.size() - 1);
      v = t.substr(from, static_cast<size_t>(Rand(1, static_cast<int>(t.size() - from))));
    }
    return v;
  }

  std::vector<TCriterion> RandomCriteria(const std::vector<TRow>& shown) {
    std::vector<TCriterion> out;
    for (int column = 0; column < 3; ++column) {
      if (Rand(0, 2) == 0) continue;
      TCriterion c{column, ctExact, coOne, Rand(0, 1) == 1, Null, Null};
      if (column == kK2) c.Compare = static_cast<TCompareType>(Rand(0, 2));
      if (c.Compare != ctInternal && Rand(0, 2) == 0) c.Count = coTwo;
      c.Low = EnteredValue(shown, column, c.Compare);
      if (c.Count == coTwo) {
        const int form = Rand(0, 2);  // equal bounds, a true range, open above
        c.High = form == 0 ? c.Low : form == 1 ? EnteredValue(shown, column, c.Compare) : Null;
        if (form == 1 && column != kK2 && VarCompare(c.Low, c.High) > 0) std::swap(c.Low, c.High);
      }
      out.push_back(c);
    }
    return out;
  }

  static int CurrentId(TDataSet* ds) {
    return ds->IsEmpty() ? -1 : ds->FieldByName("ID")->GetAsInteger();
  }

  // The criteria as the panel applies them under `option`: index options
  // use only the index's fields, exactly, one value, the index's case rule.
  static std::vector<TCriterion> Effective(const std::vector<TCriterion>& criteria,
                                           const TOrder& order, TFindOptions option) {
    if (option != foIndexExact && option != foIndexNearest) return criteria;
    std::vector<TCriterion> out;
    for (const TKey& k : order.Keys)
      for (const TCriterion& c : criteria)
        if (c.Column == k.Column)
          out.push_back({c.Column, ctExact, coOne, k.CaseInsensitive, c.Low, Null});
    return out;
  }

  // The row a search lands on (-1: none) by walking the rows in index order.
  static int Oracle(const std::vector<TRow>& rows, const TOrder& order, TFindOptions option,
                    std::vector<TCriterion> criteria, int currentIndex, bool restart) {
    // Under foIndexNearest the entries for a leading part of the index form
    // the key; a first search lands on the nearest record at or after it
    // and takes the first record from there that matches the rest; a next
    // search compares the last key entry of a text field as a prefix.
    size_t leading = 0;
    if (option == foIndexNearest)
      while (leading < criteria.size() && criteria[leading].Column == order.Keys[leading].Column)
        ++leading;
    int from = restart ? 0 : currentIndex + 1;
    std::vector<TCriterion> rest = criteria;
    if (option == foIndexNearest && restart) {
      if (leading > 0) {
        std::vector<Variant> key;
        for (size_t i = 0; i < leading; ++i) key.push_back(criteria[i].Low);
        // In descending order the records that begin with the text come
        // before it: the seek goes past them all.
        const TKey& last = order.Keys[leading - 1];
        if (last.Column == kK2 && last.Descending) key.back() = VarToStr(key.back()) + "\xFF";
        from = static_cast<int>(rows.size()) - 1;
        for (size_t i = 0; i < rows.size(); ++i)
          if (KeyCompare(rows[i], order.Keys, key) >= 0) {
            from = static_cast<int>(i);
            break;
          }
      }
      rest.erase(rest.begin(), rest.begin() + static_cast<long>(leading));
    } else if (option == foIndexNearest && leading > 0 && criteria[leading - 1].Column == kK2) {
      // A collation groups the texts that begin alike only without case.
      criteria[leading - 1].Compare = ctInitial;
      criteria[leading - 1].CaseInsensitive = true;
      rest = criteria;
    }
    for (int i = std::max(from, 0); i < static_cast<int>(rows.size()); ++i) {
      bool all = true;
      for (const TCriterion& c : rest) all = all && Matches(rows[static_cast<size_t>(i)], c);
      if (all) return i;
    }
    return -1;
  }

  TClientDataSet* MakeDataSet(const std::vector<TRow>& rows, const TOrder& order) {
    auto* ds = new TClientDataSet(&owner);
    ds->GetFieldDefs()->Add("ID", ftInteger);
    ds->GetFieldDefs()->Add("K1", ftInteger);
    ds->GetFieldDefs()->Add("K2", ftString, 10);
    ds->GetFieldDefs()->Add("K3", ftFloat);
    TIndexDef* def = ds->GetIndexDefs()->Add("IX", order.Fields, {});
    def->SetDescFields(order.Desc);
    def->SetCaseInsFields(order.CaseIns);
    ds->CreateDataSet();
    for (const TRow& r : rows) ds->AppendRecord({r.Id, r.V[0], r.V[1], r.V[2]});
    ds->SetIndexName("IX");
    return ds;
  }

  static std::vector<TRow> Scan(TDataSet* ds) {
    std::vector<TRow> out;
    for (ds->First(); !ds->GetEof(); ds->Next()) {
      TRow r{ds->FieldByName("ID")->GetAsInteger(), {}};
      for (int c = 0; c < 3; ++c) r.V[c] = ds->FieldByName(kNames[c])->GetValue();
      out.push_back(r);
    }
    return out;
  }

  // Enters the criteria into the panel (clearing every other record).
  static void Enter(TDBCustomFindPanel* panel, const std::vector<TCriterion>& criteria,
                    TFindOptions option) {
    panel->SetFindOptions(foFast);
    for (int i = 0; i < panel->GetFields()->Count(); ++i) {
      panel->GetFields()->GetItem(i)->Clear(0);
      panel->GetFields()->GetItem(i)->Clear(1);
    }
    for (const TCriterion& c : criteria) {
      TFieldRecord* r = panel->FieldByName(kNames[c.Column]);
      r->SetCompare(c.Compare);
      r->SetCount(c.Count);
      r->SetCaseInsensitive(c.CaseInsensitive);
      r->SetAsVariant(0, c.Low);
      r->SetAsVariant(1, c.High);
    }
    panel->SetFindOptions(option);
  }
};

TEST_F(FindDifferential, FirstAndNextSearchesFollowALinearWalk) {
  int searches = 0, found = 0;
  for (const TOrder& order : kOrders) {
    for (int round = 0; round < 60; ++round) {
      std::vector<TRow> rows = RandomRows();
      TClientDataSet* ds = MakeDataSet(rows, order);
      auto* source = new TDataSource(&owner);
      source->SetDataSet(ds);
      auto* panel = new TQXClientFindPanel(&owner);
      panel->SetUpdateState(usNone);
      panel->SetDataSource(source);
      const std::vector<TRow> shown = Scan(ds);
      for (int trial = 0; trial < 8; ++trial) {
        const std::vector<TCriterion> criteria = RandomCriteria(shown);
        for (TFindOptions option : kOptions) {
          Enter(panel, criteria, option);
          const std::vector<TCriterion> effective = Effective(criteria, order, option);
          int at = shown.empty() ? -1 : Rand(0, static_cast<int>(shown.size()) - 1);
          ds->First();
          if (at > 0) ds->MoveBy(at);
          bool restart = true;
          for (int step = 0; step < 50; ++step) {
            panel->SetRestart(restart);
            const int startId = CurrentId(ds);
            const int expect = Oracle(shown, order, option, effective, at, restart);
            testing::Message what;
            what << order.Name << " option " << option << " step " << step << " start " << startId
                 << " criteria";
            for (const TCriterion& c : criteria)
              what << " [" << kNames[c.Column] << " " << c.Compare << " " << c.Count << " ci "
                   << c.CaseInsensitive << " " << c.Low << ".." << c.High << "]";
            SCOPED_TRACE(what);
            const bool result = panel->Locate();
            ++searches;
            const bool searched = !effective.empty() || option == foIndexNearest;
            if (!searched) {
              ASSERT_FALSE(result);
              ASSERT_EQ(CurrentId(ds), startId);
              break;
            }
            ASSERT_EQ(result, expect >= 0);
            if (expect < 0) {
              ASSERT_EQ(CurrentId(ds), startId);  // back on the starting record
              break;
            }
            ++found;
            ASSERT_EQ(CurrentId(ds), shown[static_cast<size_t>(expect)].Id);
            at = expect;
            restart = false;
          }
          if (HasFatalFailure()) return;
        }
      }
      TObject::Free(panel);
      TObject::Free(source);
      TObject::Free(ds);
    }
  }
  // The data must give both outcomes plenty of times.
  EXPECT_GT(found, searches / 4);
  EXPECT_GT(searches - found, searches / 8);
}

}  // namespace
}  // namespace tabulon
