// The filter panel against a dataset that records what it was told: the
// event written into its OnFilterRecord, its Filtered flag, and the re-read
// from the first record; then the records it shows. Also releasing the
// dataset on relink and destruction, following the dataset's own flag, the
// records a filter panel builds in default-fields mode, and the panel's
// published properties.
#include <gtest/gtest.h>

#include "platform/controls/application.h"
#include "platform/core/class_builder.h"
#include "platform/core/props.h"
#include "platform/db/db_error.h"
#include "tests/run/fieldsset_fixture.h"

namespace tabulon::test {

/// A client dataset whose "Filtered" and "OnFilterRecord" (redeclared in
/// place) and scrolls append to Log.
class TTracedDataSet : public TClientDataSet {
  TBN_CLASS(TTracedDataSet, TClientDataSet)
 public:
  explicit TTracedDataSet(TComponent* owner) : TClientDataSet(owner) {
    // Only First scrolls in the steps traced here.
    BeforeScroll = TDataSetNotifyEvent([this](TDataSet*) { Log.push_back("first"); });
  }
  bool TracedFiltered() const { return !FlagReadsOff && GetFiltered(); }
  void TraceFiltered(bool v) {
    Log.push_back(std::string("filtered:") + (v ? "1" : "0"));
    FlagReadsOff = false;
    SetFiltered(v);
  }
  void TraceEvent(const TFilterRecordEvent& e) {
    auto* owner = dynamic_cast<TComponent*>(e.Data());
    Log.push_back("event:" + (!e ? std::string("-") : owner ? owner->GetName() : "?"));
    SetOnFilterRecord(e);
  }
  std::string Take() { return Join(std::exchange(Log, {})); }
  std::vector<std::string> Log;
  /// The published flag reads false (a dataset that changed it silently).
  bool FlagReadsOff = false;
};

/// A dataset class whose "Filtered" is text and "OnFilterRecord" a number:
/// neither is of the kind the panel looks for.
class TOddDataSet : public TClientDataSet {
  TBN_CLASS(TOddDataSet, TClientDataSet)
 public:
  using TClientDataSet::TClientDataSet;
  std::string GetFilterText() const { return text_; }
  void SetFilterText(const std::string& v) { text_ = v; }
  int GetHandlerNo() const { return no_; }
  void SetHandlerNo(int v) { no_ = v; }

 private:
  std::string text_;
  int no_ = 0;
};

/// The application's own filter: hides the names in Hidden, counts calls.
class TAppFilter : public TComponent {
  TBN_CLASS(TAppFilter, TComponent)
 public:
  using TComponent::TComponent;
  void Filter(TDataSet* ds, bool& accept) {
    ++Calls;
    accept = Hidden.find(ds->FieldByName("NAME")->GetAsString()) == std::string::npos;
  }
  std::string Hidden;
  int Calls = 0;
};

TBN_REGISTER(TTracedDataSet) {
  b.Property("Filtered", &TTracedDataSet::TracedFiltered, &TTracedDataSet::TraceFiltered);
  b.Property("OnFilterRecord", &TTracedDataSet::GetOnFilterRecord, &TTracedDataSet::TraceEvent);
}
TBN_REGISTER(TOddDataSet) {
  b.Property("Filtered", &TOddDataSet::GetFilterText, &TOddDataSet::SetFilterText);
  b.Property("OnFilterRecord", &TOddDataSet::GetHandlerNo, &TOddDataSet::SetHandlerNo);
}
TBN_REGISTER(TAppFilter) {}

namespace {

// Owner, a traced dataset People (NAME, AGE, NOTE memo) with five rows, a
// source, an application filter App and a filter panel Filter1.
struct FilterWorld {
  FilterWorld() : Owner(std::make_unique<TComponent>(nullptr)) {
    DataSet = new TTracedDataSet(Owner.get());
    DataSet->SetName("People");
    DataSet->GetFieldDefs()->Add("NAME", ftString, 20);
    DataSet->GetFieldDefs()->Add("AGE", ftInteger);
    DataSet->GetFieldDefs()->Add("NOTE", ftMemo);
    DataSet->CreateDataSet();
    const char* names[] = {"Smith", "Jones", "smythe", "Brown", "Small"};
    for (int i = 0; i < 5; ++i)
      DataSet->AppendRecord({Variant(names[i]), Variant(int32_t(20 + i * 5)), Null});
    Source = new TDataSource(Owner.get());
    Source->SetName("PeopleSource");
    Source->SetDataSet(DataSet);
    App = new TAppFilter(Owner.get());
    App->SetName("App");
    Panel = new TDBFilterPanel(Owner.get());
    Panel->SetName("Filter1");
    Panel->SetDataSource(Source);
    DataSet->Log.clear();
  }
  TFieldRecord* Name() { return Panel->FieldByName("NAME"); }
  void UseApp() { Panel->OnFilterRecord = TFilterRecordEvent(App, &TAppFilter::Filter); }
  // The names the dataset shows, from its first record.
  std::string Shown() {
    std::string s = Column(DataSet);
    DataSet->Log.clear();
    return s;
  }
  std::unique_ptr<TComponent> Owner;
  TTracedDataSet* DataSet;
  TDataSource* Source;
  TAppFilter* App;
  TDBFilterPanel* Panel;
};

TEST(FilterPanel, SwitchingOnAndOffInstallsAndClearsTheHandler) {
  FilterWorld s;
  s.Name()->SetCompare(ctInitial);
  s.Name()->SetAsString(0, "Sm");
  // Each change applied while unfiltered only clears the event.
  EXPECT_EQ(s.DataSet->Take(), "event:- event:-");
  s.Panel->SetFiltered(true);
  EXPECT_EQ(s.DataSet->Take(), "event:- event:Filter1 filtered:1 first");
  EXPECT_EQ(s.Shown(), "Smith,smythe,Small");
  // A new value re-installs the handler and re-reads; the flag stays.
  s.Name()->SetAsString(0, "smy");
  EXPECT_EQ(s.DataSet->Take(), "event:- event:Filter1 first");
  EXPECT_EQ(s.Shown(), "smythe");
  // Off: the event is cleared at once, then again by the update.
  s.Panel->SetFiltered(false);
  EXPECT_EQ(s.DataSet->Take(), "event:- event:- filtered:0 first");
  EXPECT_EQ(s.Shown(), "Smith,Jones,smythe,Brown,Small");
}

TEST(FilterPanel, WithoutValuesTheApplicationFilterAloneOrNothingIsInstalled) {
  FilterWorld s;
  s.Panel->SetFiltered(true);
  // No records in effect, no application handler: the flag without an event.
  EXPECT_EQ(s.DataSet->Take(), "event:- filtered:1 first");
  EXPECT_TRUE(s.DataSet->GetFiltered());
  EXPECT_FALSE(s.DataSet->GetOnFilterRecord());
  EXPECT_EQ(s.Shown(), "Smith,Jones,smythe,Brown,Small");
  // The application's handler is installed itself, not the panel's.
  s.UseApp();
  s.App->Hidden = "Jones Brown";
  s.Panel->Changed();
  EXPECT_EQ(s.DataSet->Take(), "event:- event:App first");
  EXPECT_EQ(s.Shown(), "Smith,smythe,Small");
}

TEST(FilterPanel, TheApplicationFilterRunsFirstAndItsRefusalEndsTheTest) {
  FilterWorld s;
  s.UseApp();
  s.App->Hidden = "Smith";
  s.Name()->SetCompare(ctInitial);
  s.Name()->SetAsString(0, "Sm");
  s.DataSet->Log.clear();
  s.Panel->SetFiltered(true);
  EXPECT_EQ(s.DataSet->Take(), "event:- event:Filter1 filtered:1 first");
  s.App->Calls = 0;
  // Smith matches the values but is refused by the application; Jones and
  // Brown pass the application and fail the values.
  EXPECT_EQ(s.Shown(), "smythe,Small");
  EXPECT_EQ(s.App->Calls, 5);
  s.App->Hidden = "";
  s.Panel->Changed();
  EXPECT_EQ(s.Shown(), "Smith,smythe,Small");
}

TEST(FilterPanel, SettingTheSameValueActsOnlyWhenTheDataSetDisagrees) {
  FilterWorld s;
  s.Panel->SetFiltered(false);
  EXPECT_EQ(s.DataSet->Take(), "");
  s.Name()->SetAsString(0, "Brown");
  s.Panel->SetFiltered(true);
  s.DataSet->Take();
  s.Panel->SetFiltered(true);
  EXPECT_EQ(s.DataSet->Take(), "");
  // The flag reads off while the panel was not told: the same value
  // re-applies the filter.
  s.DataSet->FlagReadsOff = true;
  EXPECT_TRUE(s.Panel->GetFiltered());
  s.Panel->SetFiltered(true);
  EXPECT_EQ(s.DataSet->Take(), "event:- event:Filter1 filtered:1 first");
  EXPECT_EQ(s.Shown(), "Brown");
}

TEST(FilterPanel, SwitchingOffInsideAnUpdateStopsTheHandlerAtOnce) {
  FilterWorld s;
  s.Name()->SetAsString(0, "Jones");
  s.Panel->SetFiltered(true);
  EXPECT_EQ(s.Shown(), "Jones");
  s.Panel->BeginUpdate();
  s.Panel->SetFiltered(false);
  // Only the event was touched; the dataset still filters, with nobody to ask.
  EXPECT_EQ(s.DataSet->Take(), "event:-");
  EXPECT_EQ(s.Shown(), "Smith,Jones,smythe,Brown,Small");
  EXPECT_FALSE(s.Panel->GetFiltered());
  s.Panel->EndUpdate();
  EXPECT_EQ(s.DataSet->Take(), "event:- filtered:0 first");
}

TEST(FilterPanel, WithoutADataSetTheValueIsOnlyStored) {
  TComponent owner(nullptr);
  auto* panel = new TDBFilterPanel(&owner);
  panel->SetFiltered(true);
  EXPECT_TRUE(panel->GetFiltered());
  auto* source = new TDataSource(&owner);
  panel->SetDataSource(source);
  panel->SetFiltered(false);
  EXPECT_FALSE(panel->GetFiltered());
  panel->SetFiltered(true);
  EXPECT_TRUE(panel->GetFiltered());
}

TEST(FilterPanel, FollowsTheDataSetsOwnFlag) {
  FilterWorld s;
  s.Name()->SetAsString(0, "Small");
  s.DataSet->Take();
  // A grid or the application switches the dataset: the panel follows and
  // installs itself; its own write of the flag is not echoed back.
  s.DataSet->SetFiltered(true);
  EXPECT_TRUE(s.Panel->GetFiltered());
  EXPECT_EQ(s.DataSet->Take(), "event:- event:Filter1 first");
  EXPECT_EQ(s.Shown(), "Small");
  s.DataSet->SetFiltered(false);
  EXPECT_FALSE(s.Panel->GetFiltered());
  EXPECT_EQ(s.DataSet->Take(), "event:- event:-");
  EXPECT_EQ(s.Shown(), "Smith,Jones,smythe,Brown,Small");
}

TEST(FilterPanel, TheCursorAndTheGuardAreRestoredWhenTheDataSetRaises) {
  FilterWorld s;
  s.Panel->SetChangeCursor(true);
  s.UseApp();
  s.Panel->OnFilterRecord =
      TFilterRecordEvent([](TDataSet*, bool&) { throw EDatabaseError("refused"); });
  const int before = Screen()->GetCursorChangeCount();
  EXPECT_THROW(s.Panel->SetFiltered(true), EDatabaseError);
  EXPECT_EQ(Screen()->GetCursor(), crDefault);
  EXPECT_EQ(Screen()->GetCursorChangeCount() - before, 2);
  // The guard is down again: the panel still takes new values.
  s.Panel->OnFilterRecord = nullptr;
  s.Panel->SetFiltered(false);
  EXPECT_FALSE(s.Panel->GetFiltered());
  EXPECT_FALSE(s.DataSet->GetFiltered());
}

TEST(FilterPanel, ReleasesTheDataSetItLeaves) {
  FilterWorld s;
  s.UseApp();
  s.Name()->SetAsString(0, "Jones");
  s.Panel->SetFiltered(true);
  auto* other = new TTracedDataSet(s.Owner.get());
  other->SetName("Other");
  other->GetFieldDefs()->Add("NAME", ftString, 20);
  other->CreateDataSet();
  s.DataSet->Log.clear();
  // Relinking: the old dataset is unhooked; the application's handler
  // stays with the panel.
  s.Source->SetDataSet(other);
  EXPECT_EQ(s.DataSet->Take(), "event:- filtered:0");
  EXPECT_TRUE(s.Panel->OnFilterRecord);
  // Destroying the panel unhooks the dataset it serves.
  other->SetOnFilterRecord(TFilterRecordEvent(s.App, &TAppFilter::Filter));
  other->SetFiltered(true);
  other->Log.clear();
  TObject::Free(s.Panel);
  EXPECT_EQ(other->Take(), "event:- filtered:0");
}

TEST(FilterPanel, ADataSetDestroyedFirstLeavesNothingBehind) {
  FilterWorld s;
  s.Name()->SetAsString(0, "Jones");
  s.Panel->SetFiltered(true);
  TObject::Free(s.DataSet);
  EXPECT_EQ(s.Panel->GetDataLink()->GetDataSet(), nullptr);
  EXPECT_EQ(s.Panel->GetFields()->Count(), 0);
  s.Panel->SetFiltered(false);
  TObject::Free(s.Panel);
}

TEST(FilterPanel, SettingsAndFieldsChangedBetweenRecordsAreSeenAtOnce) {
  TComponent owner(nullptr);
  auto* ds = new TClientDataSet(&owner);
  auto* name = new TStringField(&owner);
  name->SetFieldName("NAME");
  name->SetSize(10);
  name->SetDataSet(ds);
  auto* age = new TIntegerField(&owner);
  age->SetFieldName("AGE");
  age->SetDataSet(ds);
  ds->CreateDataSet();
  ds->AppendRecord({Variant("Ann"), Variant(30)});
  ds->AppendRecord({Variant("Bob"), Variant(40)});
  auto* source = new TDataSource(&owner);
  source->SetDataSet(ds);
  auto* panel = new TDBFilterPanel(&owner);
  panel->SetDataSource(source);
  panel->FieldByName("AGE")->SetAsString(0, "40");
  panel->SetFiltered(true);
  auto shown = [&] { return Column(ds); };
  EXPECT_EQ(shown(), "Bob");
  // A setting changed inside the list's own update is in effect before the
  // list applies it.
  panel->GetFields()->BeginUpdate();
  panel->FieldByName("AGE")->SetCount(coTwo);
  EXPECT_EQ(shown(), "Bob");
  panel->FieldByName("AGE")->SetCompare(ctInitial);
  panel->GetFields()->EndUpdate();
  EXPECT_EQ(shown(), "Bob");
  // A field freed while the dataset holds its notifications back is not
  // read again: its record is skipped.
  ds->DisableControls();
  TObject::Free(age);
  EXPECT_EQ(shown(), "Ann,Bob");
  ds->EnableControls();
  EXPECT_EQ(shown(), "Ann,Bob");
}

TEST(FilterPanel, ADataSetLackingTheTwoPropertiesIsTolerated) {
  TComponent owner(nullptr);
  auto* ds = new TOddDataSet(&owner);
  ds->GetFieldDefs()->Add("NAME", ftString, 20);
  ds->CreateDataSet();
  ds->AppendRecord({Variant("Ann")});
  auto* source = new TDataSource(&owner);
  source->SetDataSet(ds);
  auto* panel = new TDBFilterPanel(&owner);
  panel->SetDataSource(source);
  panel->FieldByName("NAME")->SetAsString(0, "Bob");
  panel->SetFiltered(true);
  EXPECT_TRUE(panel->GetFiltered());
  EXPECT_FALSE(ds->GetFiltered());
  EXPECT_FALSE(ds->GetOnFilterRecord());
  EXPECT_EQ(ds->GetFilterText(), "");
  EXPECT_EQ(ds->GetHandlerNo(), 0);
  TObject::Free(panel);
  EXPECT_EQ(ds->GetHandlerNo(), 0);
}

TEST(FilterPanel, DefaultFieldsLeaveOutCalculatedAndMemoFields) {
  TComponent owner(nullptr);
  auto* codes = NewDataSet(&owner, {{"ID", ftInteger}, {"TEXT", ftString, 10}}, {{1, "one"}});
  auto* ds = new TClientDataSet(&owner);
  auto add = [&](TField* f, const char* name, TFieldKind kind) {
    f->SetFieldName(name);
    if (dynamic_cast<TStringField*>(f)) f->SetSize(10);
    f->SetFieldKind(kind);
    f->SetDataSet(ds);
    return f;
  };
  add(new TStringField(&owner), "NAME", fkData);
  add(new TIntegerField(&owner), "CODE", fkData);
  add(new TMemoField(&owner), "NOTE", fkData);
  add(new TIntegerField(&owner), "DOUBLE", fkCalculated);
  add(new TIntegerField(&owner), "TOTAL", fkInternalCalc);
  TField* lookup = add(new TStringField(&owner), "CODE_TEXT", fkLookup);
  lookup->SetKeyFields("CODE");
  lookup->SetLookupDataSet(codes);
  lookup->SetLookupKeyFields("ID");
  lookup->SetLookupResultField("TEXT");
  ds->CreateDataSet();
  ds->AppendRecord({Variant("Ann"), Variant(1)});
  auto* source = new TDataSource(&owner);
  source->SetDataSet(ds);
  auto* panel = new TDBFilterPanel(&owner);
  panel->SetDataSource(source);
  std::string names;
  for (int i = 0; i < panel->GetFields()->Count(); ++i)
    names += panel->GetFields()->GetItem(i)->GetFieldName() + " ";
  EXPECT_EQ(names, "NAME CODE TOTAL CODE_TEXT ");
  // Bound by hand, a memo record stays in the list but takes no value.
  panel->GetFields()->SetDefaultFields(false);
  TFieldRecord* note = panel->GetFields()->Add();
  note->SetFieldName("NOTE");
  note->SetAsString(0, "x");
  EXPECT_EQ(panel->GetFields()->Count(), 5);
  EXPECT_EQ(panel->CountState(note), coNone);
  EXPECT_TRUE(panel->GetFields()->GetFieldMap().empty());
}

TEST(FilterPanel, PublishesTheCommonSetAndItsOwnTwo) {
  // The panel control's own (Name, Tag, bounds) aside: the common set with
  // the two of the filter last.
  std::string names;
  int count = 0;
  for (const TPropInfo* p : TDBFilterPanel::StaticClass()->Properties()) {
    if (TCustomPanel::StaticClass()->FindProperty(p->Name)) continue;
    names += p->Name + " ";
    ++count;
  }
  EXPECT_EQ(count, 51) << names;
  EXPECT_NE(names.find("OnResize Filtered OnFilterRecord "), std::string::npos) << names;
  const TPropInfo* filtered = TDBFilterPanel::StaticClass()->FindProperty("Filtered");
  ASSERT_NE(filtered, nullptr);
  EXPECT_EQ(filtered->Kind(), tkEnumeration);
  const TPropInfo* event = TDBFilterPanel::StaticClass()->FindProperty("OnFilterRecord");
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(event->Kind(), tkMethod);
  EXPECT_EQ(TDBCustomFilterPanel::StaticClass()->FindProperty("Filtered"), nullptr);
}

}  // namespace
}  // namespace tabulon::test
