// The dataset contract, run against every dataset kind: the client dataset,
// the SQLite table and the SQLite query over the same people rows.
#include <gtest/gtest.h>

#include "platform/core/strings.h"
#include "platform/db/db_error.h"
#include "platform/db/index_defs.h"
#include "platform/sysutils/datetime.h"
#include "platform/sysutils/strutils.h"
#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

class Contract : public ::testing::TestWithParam<Kind> {
 protected:
  TempDatabase db;
  TComponent owner{nullptr};
  TDataSet* d = MakePeople(GetParam(), &owner, db);
  int Id() { return d->FieldByName("ID")->GetAsInteger(); }
};

TEST_P(Contract, NavigatesWithBofEofAndRecordNumbers) {
  d->Open();
  EXPECT_TRUE(d->GetBof());
  EXPECT_FALSE(d->GetEof());
  EXPECT_EQ(d->GetRecNo(), 1);
  EXPECT_EQ(d->GetRecordCount(), 8);
  std::string ids;
  for (; !d->GetEof(); d->Next()) ids += std::to_string(Id());
  EXPECT_EQ(ids, "12345678");
  EXPECT_EQ(d->GetRecNo(), 8);  // Eof stays on the last record
  d->Prior();
  EXPECT_FALSE(d->GetEof());
  EXPECT_EQ(Id(), 7);
  d->First();
  EXPECT_EQ(d->MoveBy(100), 7);
  EXPECT_TRUE(d->GetEof());
  EXPECT_EQ(d->MoveBy(-3), -3);
  EXPECT_EQ(Id(), 5);
  EXPECT_EQ(d->MoveBy(-10), -4);
  EXPECT_TRUE(d->GetBof());
  for (auto [to, want] : std::vector<std::pair<int, int>>{{3, 3}, {0, 1}, {99, 8}, {6, 6}}) {
    d->SetRecNo(to);
    EXPECT_EQ(d->GetRecNo(), want);
    EXPECT_EQ(Id(), want);
  }
  d->Last();
  EXPECT_TRUE(d->GetEof());
  EXPECT_EQ(Id(), 8);
}

TEST_P(Contract, EmptyResultHasNoCurrentRecord) {
  TempDatabase empty(std::vector<Person>{});
  TComponent o(nullptr);
  TDataSet* e = MakePeople(GetParam(), &o, empty);
  e->Open();
  EXPECT_TRUE(e->GetBof() && e->GetEof() && e->IsEmpty());
  EXPECT_EQ(e->GetRecNo(), -1);
  EXPECT_EQ(e->GetRecordCount(), 0);
  EXPECT_EQ(e->MoveBy(1), 0);
  e->SetRecNo(3);
  EXPECT_TRUE(e->GetBookmark().IsNull());
  EXPECT_TRUE(e->FieldByName("NAME")->IsNull());
  EXPECT_EQ(e->FieldByName("NAME")->GetAsString(), "");
  EXPECT_TRUE(VarIsNull(e->FieldByName("ID")->GetValue()));
  EXPECT_FALSE(e->Locate("ID", Variant(1), {}));
}

TEST_P(Contract, DefaultFieldsComeFromTheDefinitionsAndGoOnClose) {
  d->Open();
  TStringList names;
  d->GetFieldNames(&names);
  EXPECT_EQ(names.GetCommaText(), "ID,NAME,BORN,SCORE,ACTIVE");
  EXPECT_TRUE(d->GetDefaultFields());
  TField* name = d->FieldByName("name");
  EXPECT_EQ(name->GetDataType(), ftString);
  EXPECT_EQ(name->GetSize(), 20);
  EXPECT_EQ(name->GetDisplayWidth(), 20);
  EXPECT_EQ(name->GetIndex(), 1);
  EXPECT_EQ(d->FieldByName("SCORE")->GetAlignment(), taRightJustify);
  EXPECT_EQ(d->FieldByName("ID")->GetDataType(), GetParam() == Kind::Table ? ftAutoInc : ftInteger);
  // Record 1: delta, 1980-05-01, 7.5, true.
  EXPECT_EQ(name->GetAsString(), "delta");
  EXPECT_EQ(d->FieldByName("BORN")->GetAsDateTime(), EncodeDate(1980, 5, 1));
  EXPECT_EQ(VarType(d->FieldByName("BORN")->GetValue()), varDate);
  EXPECT_DOUBLE_EQ(d->FieldByName("SCORE")->GetAsFloat(), 7.5);
  EXPECT_TRUE(d->FieldByName("ACTIVE")->GetAsBoolean());
  EXPECT_EQ(d->FieldByName("ACTIVE")->GetAsString(), "True");
  Variant pair = d->GetFieldValues("NAME;ID");
  ASSERT_TRUE(pair.IsArray());
  EXPECT_EQ(pair.GetElement(0).AsString(), "delta");
  EXPECT_EQ(pair.GetElement(1).AsInteger(), 1);
  std::vector<TField*> list;
  d->GetFieldList(list, "SCORE; ID");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1]->GetFieldName(), "ID");
  EXPECT_EQ(d->FindField("NOPE"), nullptr);
  EXPECT_DB_ERROR(d->FieldByName("NOPE"), "People: Field 'NOPE' not found");
  EXPECT_DB_ERROR(d->GetFieldList(list, "ID;NOPE"), "People: Field 'NOPE' not found");
  EXPECT_DB_ERROR(d->Fields(5), "People: Field index out of range");
  d->Close();
  EXPECT_EQ(d->GetFieldCount(), 0);
}

TEST_P(Contract, NothingOnAClosedDatasetCrashes) {
  const std::string closed = "People: Cannot perform this operation on a closed dataset";
  EXPECT_DB_ERROR(d->First(), closed);
  EXPECT_DB_ERROR(d->Next(), closed);
  EXPECT_DB_ERROR(d->MoveBy(-2), closed);
  EXPECT_DB_ERROR(d->SetRecNo(2), closed);
  EXPECT_DB_ERROR(d->Refresh(), closed);
  EXPECT_DB_ERROR(d->Locate("ID", Variant(1), {}), closed);
  EXPECT_DB_ERROR(d->Lookup("ID", Variant(1), "NAME"), closed);
  EXPECT_DB_ERROR(d->Edit(), closed);
  EXPECT_DB_ERROR(d->SetKey(), closed);
  EXPECT_DB_ERROR(d->GotoBookmark(TBookmark{0, 0}), closed);
  EXPECT_EQ(d->GetRecNo(), -1);
  EXPECT_EQ(d->GetRecordCount(), 0);
  EXPECT_TRUE(d->IsEmpty());
  EXPECT_TRUE(d->GetBookmark().IsNull());
  d->SetFiltered(true);  // only stored
  d->DisableControls();
  d->EnableControls();
  EXPECT_TRUE(d->GetFiltered());
}

TEST_P(Contract, LocateAndLookup) {
  d->Open();
  EXPECT_FALSE(d->Locate("NAME", Variant("ALPHA"), {}));
  EXPECT_EQ(Id(), 1);
  EXPECT_TRUE(d->Locate("NAME", Variant("ALPHA"), {loCaseInsensitive}));
  EXPECT_EQ(Id(), 2);
  EXPECT_TRUE(d->Locate("NAME", Variant("alpha"), {}));
  EXPECT_EQ(Id(), 5);
  EXPECT_FALSE(d->Locate("NAME", Variant("BR"), {loPartialKey}));
  EXPECT_TRUE(d->Locate("NAME", Variant("br"), {loPartialKey}));
  EXPECT_EQ(Id(), 7);
  EXPECT_TRUE(d->Locate("NAME", Variant("bR"), {loPartialKey, loCaseInsensitive}));
  EXPECT_EQ(Id(), 4);
  EXPECT_TRUE(d->Locate("SCORE;ACTIVE", VarArrayOf({Variant(7.5), Variant(true)}), {}));
  EXPECT_EQ(Id(), 1);
  EXPECT_TRUE(d->Locate("ID", Variant("6"), {}));  // converted to the field's type
  EXPECT_EQ(Id(), 6);
  double born = EncodeDate(1999, 9, 9);
  EXPECT_TRUE(d->Locate("BORN", Variant::FromDate(born), {}));
  EXPECT_EQ(Id(), 7);
  Variant r = d->Lookup("ID", Variant(6), "NAME;SCORE");
  EXPECT_EQ(Id(), 7);  // Lookup does not move
  ASSERT_TRUE(r.IsArray());
  EXPECT_EQ(r.GetElement(0).AsString(), "Echo");
  EXPECT_EQ(r.GetElement(1).AsDouble(), 8.0);
  EXPECT_EQ(d->Lookup("NAME", Variant("Bravo"), "ID").AsInteger(), 4);
  EXPECT_TRUE(VarIsNull(d->Lookup("ID", Variant(42), "NAME")));
  EXPECT_DB_ERROR(d->Locate("ID;NAME", Variant(1), {}),
                  "People: Locate needs one value for each of the 2 fields 'ID;NAME'");
  EXPECT_DB_ERROR(d->Locate("ID", Variant("x1"), {}),
                  "Type mismatch for field 'ID', expecting: " +
                      std::string(FieldTypeName(d->FieldByName("ID")->GetDataType())) +
                      " actual: String");
}

TEST_P(Contract, CalculatedFieldsAreCalculatedWhileBrowsingWithoutAutoCalcFields) {
  d->SetAutoCalcFields(false);
  d->Open();
  auto* upper = new TStringField(&owner);
  upper->SetFieldName("UPPER");
  upper->SetFieldKind(fkCalculated);
  upper->SetDataSet(d);
  d->OnCalcFields = TDataSetNotifyEvent([](TDataSet* ds) {
    ds->FieldByName("UPPER")->SetAsString(UpperCase(ds->FieldByName("NAME")->GetAsString()));
  });
  EXPECT_EQ(Column(d, "UPPER"), "DELTA,ALPHA,CHARLIE,BRAVO,ALPHA,ECHO,BRAVO,FOXTROT");
  EXPECT_TRUE(d->Locate("UPPER", Variant("ECHO"), {}));
  EXPECT_EQ(Id(), 6);
}

TEST_P(Contract, FilterHandlerRunsOncePerVisitedRecordAndFirstRereads) {
  d->Open();
  std::string calls;
  d->SetOnFilterRecord(TFilterRecordEvent([&](TDataSet* ds, bool& accept) {
    int id = ds->FieldByName("ID")->GetAsInteger();
    calls += std::to_string(id) + ",";
    EXPECT_EQ(ds->GetState(), dsFilter);
    accept = id % 2 == 0;
  }));
  d->SetFiltered(true);
  EXPECT_EQ(Id(), 2);
  calls += "|";
  d->Next();
  calls += "|";
  d->Next();
  d->Next();
  calls += "|";
  d->Next();
  EXPECT_TRUE(d->GetEof());
  EXPECT_EQ(Id(), 8);
  calls += "|";
  d->Prior();
  d->First();
  EXPECT_EQ(calls, "1,2,|3,4,|5,6,7,8,||1,2,");
  // Record numbers stay positions with the filter off.
  EXPECT_EQ(d->GetRecNo(), 2);
  d->SetRecNo(5);  // rejected: the next accepted record
  EXPECT_EQ(Id(), 6);
  EXPECT_EQ(d->GetRecordCount(), 4);
  d->SetFiltered(false);
  EXPECT_EQ(Id(), 6);
  EXPECT_EQ(d->GetRecordCount(), 8);
}

TEST_P(Contract, BookmarksSurviveFilterChanges) {
  d->Open();
  d->SetRecNo(4);
  TBookmark b4 = d->GetBookmark();
  d->SetRecNo(7);
  TBookmark b7 = d->GetBookmark();
  EXPECT_EQ(d->CompareBookmarks(b4, b7), -1);
  EXPECT_EQ(d->CompareBookmarks(b7, b4), 1);
  EXPECT_EQ(d->CompareBookmarks(b7, b7), 0);
  // A null bookmark orders after every real one.
  EXPECT_EQ(d->CompareBookmarks(b4, TBookmark()), -1);
  EXPECT_EQ(d->CompareBookmarks(TBookmark(), b4), 1);
  EXPECT_EQ(d->CompareBookmarks(TBookmark(), TBookmark()), 0);
  bool evenOnly = true;
  d->SetOnFilterRecord(TFilterRecordEvent([&](TDataSet* ds, bool& accept) {
    accept = (ds->FieldByName("ID")->GetAsInteger() % 2 == 0) == evenOnly;
  }));
  d->SetFiltered(true);
  d->GotoBookmark(b4);
  EXPECT_EQ(Id(), 4);
  evenOnly = false;
  d->First();
  EXPECT_TRUE(d->BookmarkValid(b4));
  EXPECT_DB_ERROR(d->GotoBookmark(b4), "People: Record not found");
  d->GotoBookmark(b7);
  EXPECT_EQ(Id(), 7);
  d->SetFiltered(false);
  d->GotoBookmark(b4);
  EXPECT_EQ(d->GetRecNo(), 4);
  d->FreeBookmark(b4);
  EXPECT_TRUE(b4.IsNull());
  EXPECT_FALSE(d->BookmarkValid(b4));
  // Bookmarks follow their records through a change of order.
  d->SetIndexFieldNames("NAME");
  d->GotoBookmark(b7);
  EXPECT_EQ(Id(), 7);
  EXPECT_EQ(d->GetRecNo(), 3);  // alpha, Alpha, bravo, ...
}

TEST_P(Contract, BookmarksLeadToTheirRecordOrNowhere) {
  d->Open();
  TBookmark b1 = d->GetBookmark();
  d->SetRecNo(7);
  TBookmark b7 = d->GetBookmark();
  d->SetRecNo(8);
  TBookmark b8 = d->GetBookmark();
  d->SetRecNo(5);
  TBookmark b5 = d->GetBookmark();
  // The record goes: through the client dataset, or elsewhere and a Refresh.
  auto remove = [&](int id) {
    if (GetParam() == Kind::Client) {
      d->Delete();
      return;
    }
    TSQLiteConnection other(nullptr);
    other.SetFileName(db.Path());
    other.ExecSQL("DELETE FROM PEOPLE WHERE ID = ?", {Variant(id)});
    d->Refresh();
  };
  remove(5);
  EXPECT_EQ(Id(), 6);  // the nearest record that followed
  EXPECT_FALSE(d->BookmarkValid(b5));
  EXPECT_DB_ERROR(d->GotoBookmark(b5), "People: Record not found");
  d->GotoBookmark(b7);
  EXPECT_EQ(Id(), 7);
  d->Last();
  remove(8);
  EXPECT_EQ(Id(), 7);  // none followed: the nearest before
  EXPECT_FALSE(d->BookmarkValid(b8));
  EXPECT_TRUE(d->BookmarkValid(b1));
  d->GotoBookmark(b1);
  EXPECT_EQ(Id(), 1);
  EXPECT_EQ(Column(d, "ID"), "1,2,3,4,6,7");
  // New records never take over old bookmarks, whatever slot they get.
  if (auto* c = dynamic_cast<TClientDataSet*>(d)) {
    c->EmptyDataSet();
    for (int i = 1; i <= 8; ++i) c->AppendRecord({Variant(i)});
  } else {
    d->Close();
    d->Open();
  }
  for (const TBookmark& b : {b1, b5, b7, b8}) EXPECT_FALSE(d->BookmarkValid(b));
  EXPECT_DB_ERROR(d->GotoBookmark(b1), "People: Record not found");
}

TEST_P(Contract, OrdersByFieldListsWithDirections) {
  d->Open();
  d->SetRecNo(6);  // ID 6 stays current through the reorder
  d->SetIndexFieldNames("NAME");
  EXPECT_EQ(Id(), 6);
  EXPECT_EQ(Column(d, "NAME"), "alpha,Alpha,bravo,Bravo,charlie,delta,Echo,foxtrot");
  d->SetIndexFieldNames("ACTIVE;SCORE DESC");
  EXPECT_EQ(Column(d, "ID"), "2,7,5,6,1,3,4,8");
  d->SetIndexFieldNames("SCORE desc; ID DESC");
  EXPECT_EQ(Column(d, "ID"), "2,6,3,1,7,5,4,8");
  EXPECT_EQ(d->IndexFieldCount(), 2);
  EXPECT_EQ(d->IndexFields(1)->GetFieldName(), "ID");
  EXPECT_DB_ERROR(d->SetIndexFieldNames("NOPE"), "People: Field 'NOPE' not found");
  EXPECT_EQ(d->GetIndexFieldNames(), "");
  EXPECT_EQ(Column(d, "ID"), "1,2,3,4,5,6,7,8");
}

TEST_P(Contract, KeyedSearchLandsOnTheFirstEqualOrNextRecord) {
  d->Open();
  d->SetIndexFieldNames("SCORE;NAME");
  d->SetKey();
  EXPECT_EQ(d->GetState(), dsSetKey);
  d->FieldByName("SCORE")->SetAsFloat(7.5);
  EXPECT_TRUE(d->GotoKey());
  EXPECT_EQ(Id(), 3);  // 7.5 charlie before 7.5 delta
  EXPECT_EQ(d->GetState(), dsBrowse);
  EXPECT_TRUE(d->FindKey({Variant(7.5), Variant("delta")}));
  EXPECT_EQ(Id(), 1);
  EXPECT_FALSE(d->FindKey({Variant(7.0)}));
  EXPECT_EQ(Id(), 1);  // stays
  d->FindNearest({Variant(7.0)});
  EXPECT_EQ(Id(), 3);  // 6.5 bravo < 7.0 < 7.5 charlie
  d->FindNearest({Variant(100.0)});
  EXPECT_EQ(Id(), 2);  // past the end: the last record
  d->SetIndexFieldNames("");
  EXPECT_DB_ERROR(d->FindKey({Variant(1)}), "People: No index currently active");
  EXPECT_DB_ERROR(d->GotoKey(), "People: Dataset not in key entry mode");
}

INSTANTIATE_TEST_SUITE_P(AllKinds, Contract,
                         ::testing::Values(Kind::Client, Kind::Table, Kind::Query),
                         [](const auto& info) { return KindName(info.param); });

// Named indexes: the client dataset's definitions and the table's schema.
class NamedIndexes : public Contract {};

TEST_P(NamedIndexes, OrderSearchAndFindByFields) {
  d->Open();
  d->SetIndexName("IX_NAME");
  EXPECT_EQ(Column(d, "ID"), "2,5,4,7,3,1,6,8");  // ties keep natural order
  d->SetIndexName("IX_SCORE");
  EXPECT_EQ(Column(d, "ID"), "2,6,1,3,7,5,4,8");
  d->SetIndexName("PRIMARY");
  EXPECT_EQ(Column(d, "ID"), "1,2,3,4,5,6,7,8");
  EXPECT_DB_ERROR(d->SetIndexName("IX_NOPE"), "People: Index 'IX_NOPE' not found");
  d->SetIndexName("IX_NAME");
  EXPECT_TRUE(d->FindKey({Variant("BRAVO")}));
  EXPECT_EQ(Id(), 4);
  d->FindNearest({Variant("c")});
  EXPECT_EQ(Id(), 3);
  // The search honours the filter: only active people.
  d->SetOnFilterRecord(TFilterRecordEvent(
      [](TDataSet* ds, bool& accept) { accept = ds->FieldByName("ACTIVE")->GetAsBoolean(); }));
  d->SetFiltered(true);
  EXPECT_FALSE(d->FindKey({Variant("ALPHA")}));
  EXPECT_TRUE(d->FindKey({Variant("bravo")}));
  EXPECT_EQ(Id(), 4);
  TIndexDefs* defs = d->GetIndexDefs();
  EXPECT_EQ(defs->FindIndexForFields("name")->GetName(), "IX_NAME");
  EXPECT_EQ(defs->FindIndexForFields("ID")->GetName(), "PRIMARY");
  EXPECT_TRUE(defs->Find("PRIMARY")->GetOptions().Contains(ixPrimary));
  EXPECT_EQ(defs->GetIndexForFields("NAME", true)->GetName(), "IX_NAME");
  EXPECT_EQ(defs->GetIndexForFields("ID", true), nullptr);
  EXPECT_DB_ERROR(defs->FindIndexForFields("SCORE"), "People: No index for fields 'SCORE'");
  EXPECT_DB_ERROR(defs->FindIndexForFields("NAME;ID"), "People: No index for fields 'NAME;ID'");
  EXPECT_EQ(defs->IndexOf("ix_score"), defs->Find("IX_SCORE")->GetIndex());
}

INSTANTIATE_TEST_SUITE_P(Indexed, NamedIndexes, ::testing::Values(Kind::Client, Kind::Table),
                         [](const auto& info) { return KindName(info.param); });

}  // namespace
}  // namespace tabulon::test
