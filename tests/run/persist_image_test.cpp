// The panel's stream image: its bytes, round trips through streams, files,
// strings and value buffers with the locale switched between saving and
// loading, truncated and corrupted images, sections a panel does not
// handle, and the filter panel's Filtered section.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "platform/core/list.h"
#include "platform/streaming/streams.h"
#include "run/tbnset/filter_panel.h"
#include "tests/run/fieldsset_fixture.h"
#include "tests/run/panel_fixture.h"
#include "tests/run/persist_fixture.h"

namespace tabulon::test {
namespace {

const std::string kEnd = B({0});
const std::string kList = B({1});

std::string Image(TFieldsSetModel& p, TSaveOptions options) {
  std::string s;
  p.SaveToString(s, options);
  return s;
}

// Whether the panel shows what its records hold: the list update closed,
// nothing left pending, every applied value the edit value (usAuto).
void ExpectConsistent(TFieldsSetModel& p, const std::string& context) {
  TFieldsList* list = p.GetFields();
  EXPECT_EQ(list->UpdateCount(), 0) << context;
  EXPECT_FALSE(list->Changes.Contains(lcApply) || list->Changes.Contains(lcSettings) ||
               list->Changes.Contains(lcPending))
      << context;
  for (int i = 0; i < list->Count(); ++i)
    for (int slot = 0; slot < 2; ++slot)
      EXPECT_EQ(Exact(list->GetItem(i)->GetAppliedValue(slot)),
                Exact(list->GetItem(i)->GetAsVariant(slot)))
          << context << " record " << i << " slot " << slot;
}

TEST(ValueImage, SectionsAreWrittenInOrderAfterTheVersion) {
  PanelOnForm f;
  TTestPanel& p = *f.Panel;
  AddCalc(p, "AGE", ftInteger)->SetCommentText(1, "max");
  const std::string comments =
      kList + kExt01 + Str("AGE") + kList + B({2, 1}) + Str("max") + kEnd + kEnd;
  EXPECT_EQ(Image(p, {soCommentTexts}), kList + kExt0 + B({2, 1}) + comments + kEnd);
  EXPECT_EQ(Image(p, {}), kList + kExt0 + kEnd);
  // The base panel writes nothing for soFiltered but its ordinal; the order
  // is fixed whatever the set.
  EXPECT_EQ(
      Image(p, {soFiltered, soCommentTexts, soValues}),
      kList + kExt0 + B({2, 0}) + kList + kExt01 + kEnd + B({2, 1}) + comments + B({2, 2}) + kEnd);
}

TEST(ValueImage, RoundTripsThroughEveryCarrierUnderEitherLocale) {
  const TFormatSettings plain = FormatSettings();
  const TFormatSettings comma = CommaDayMonthYear();
  const std::string path = testing::TempDir() + "tabulon_values.img";
  // Each carrier saves the image somewhere and loads it back from there.
  TMemoryStream stream;
  int64_t end = 0;
  std::string data;
  const TSaveOptions both = {soValues, soCommentTexts};
  const struct {
    const char* Name;
    std::function<void(TFieldsSetModel&)> Save, Load;
  } carriers[] = {
      // The image sits between other bytes; the reader leaves the stream
      // right after it.
      {"stream",
       [&](TFieldsSetModel& from) {
         stream.Clear();
         stream.Write("ab", 2);
         from.SaveToStream(&stream, both);
         end = stream.GetPosition();
         stream.Write("yz", 2);
         stream.SetPosition(2);
       },
       [&](TFieldsSetModel& to) {
         to.LoadFromStream(&stream);
         EXPECT_EQ(stream.GetPosition(), end);
       }},
      {"file", [&](TFieldsSetModel& from) { from.SaveToFile(path, both); },
       [&](TFieldsSetModel& to) { to.LoadFromFile(path); }},
      {"string", [&](TFieldsSetModel& from) { from.SaveToString(data, both); },
       [&](TFieldsSetModel& to) { to.LoadFromString(data); }},
  };
  for (bool commaFirst : {false, true}) {
    for (const auto& c : carriers) {
      PanelOnForm from, to;
      AddEveryClass(*from.Panel);
      AddEveryClass(*to.Panel, false);
      to.Panel->FindFieldRecord("I")->SetAsInteger(0, 99);  // replaced
      to.Panel->Trace.clear();
      {
        TFormatSettingsScope scope(commaFirst ? comma : plain);
        c.Save(*from.Panel);
      }
      {
        TFormatSettingsScope scope(commaFirst ? plain : comma);
        c.Load(*to.Panel);
      }
      EXPECT_EQ(Dump(*to.Panel), Dump(*from.Panel)) << c.Name << " comma first " << commaFirst;
      // Written like typing under usAuto: the dataset is updated once.
      EXPECT_EQ(to.Panel->TakeTrace(), "update paint") << c.Name;
    }
  }
  std::remove(path.c_str());
}

TEST(ValueImage, FilesAreReplacedAndMissingOnesRaise) {
  const std::string path = testing::TempDir() + "tabulon_values_short.img";
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer(std::string(500, 'x').data(), 500);
  }
  PanelOnForm f;
  AddCalc(*f.Panel, "AGE", ftInteger)->SetAsInteger(0, 4);
  f.Panel->SaveToFile(path, {soValues});
  {
    TFileStream in(path, fmOpenRead);
    EXPECT_EQ(in.GetSize(), static_cast<int64_t>(Image(*f.Panel, {soValues}).size()));
  }
  std::remove(path.c_str());
  EXPECT_THROW(f.Panel->LoadFromFile(path), EFOpenError);
  EXPECT_EQ(Dump(*f.Panel), "AGE=I4,Null; ");
}

TEST(ValueImage, BadImagesRaiseTheReadersErrorAndLeaveAConsistentPanel) {
  PanelOnForm from, to;
  AddEveryClass(*from.Panel);
  AddEveryClass(*to.Panel, false);
  const std::string image = Image(*from.Panel, {soValues, soCommentTexts});
  // Every truncation: the reader's error; what was written before stays
  // visible (applied, nothing pending, the update bracket closed).
  for (size_t n = 0; n < image.size(); ++n) {
    to.Panel->FindFieldRecord("I")->SetAsInteger(1, 5);
    EXPECT_THROW(to.Panel->LoadFromString(image.substr(0, n)), EReadError) << n;
    ExpectConsistent(*to.Panel, "cut at " + std::to_string(n));
  }
  // Every byte replaced by tags and extremes: a framework error or success,
  // never a crash, and the panel stays consistent.
  int failures = 0;
  for (size_t i = 0; i < image.size(); ++i) {
    for (int v : {0x00, 0x01, 0x02, 0x05, 0x06, 0x09, 0x0C, 0x13, 0x7F, 0x80, 0xFF}) {
      std::string bad = image;
      bad[i] = static_cast<char>(v);
      try {
        to.Panel->LoadFromString(bad);
      } catch (const Exception&) {
        ++failures;
      }
      ExpectConsistent(*to.Panel, "byte " + std::to_string(i) + " := " + std::to_string(v));
    }
  }
  EXPECT_GT(failures, 0);
  // The intact image still loads completely afterwards.
  to.Panel->LoadFromString(image);
  EXPECT_EQ(Dump(*to.Panel), Dump(*from.Panel));
}

TEST(ValueImage, ASectionThePanelDoesNotHandleIsLeftUnreadAndTheReadFails) {
  PanelOnForm f;
  AddCalc(*f.Panel, "AGE", ftInteger);
  // A filter panel's Filtered section (true), and an ordinal no option has.
  for (const std::string& section : {B({2, 2, 9}), B({2, 7, 6, 1, 'x'})})
    EXPECT_EQ(
        MessageOf<EReadError>([&] { f.Panel->LoadFromString(kList + kExt0 + section + kEnd); }),
        "Invalid property value");
  // Without data such a section passes: the base panel's own image.
  f.Panel->LoadFromString(Image(*f.Panel, {soValues, soFiltered}));
}

// A dataset with a field for every record of EveryClass.
struct EveryData {
  EveryData() : Owner(std::make_unique<TComponent>(nullptr)) {
    DataSet = new TClientDataSet(Owner.get());
    for (const EveryRow& row : EveryClass())
      DataSet->GetFieldDefs()->Add(row.Name, row.Type, row.Type == ftString ? 20 : 0);
    DataSet->CreateDataSet();
    Source = new TDataSource(Owner.get());
    Source->SetDataSet(DataSet);
  }
  std::unique_ptr<TComponent> Owner;
  TClientDataSet* DataSet;
  TDataSource* Source;
};

TEST(ValueBuffer, KeepsTheEnteredValuesByFieldName) {
  EveryData data;
  PanelOnForm f(data.Source);
  TTestPanel& p = *f.Panel;
  TFieldsList* list = p.GetFields();
  ASSERT_EQ(list->Count(), static_cast<int>(EveryClass().size()));
  for (int i = 0; i < list->Count(); ++i) list->GetItem(i)->SetCount(coTwo);
  SetEveryValue(p);
  const std::string dump = Dump(p);

  // Before any SaveToBuffer reading changes nothing.
  p.ReadFromBuffer();
  EXPECT_EQ(Dump(p), dump);
  p.SaveToBuffer();
  {
    TFormatSettingsScope locale(CommaDayMonthYear());
    p.ClearValues();
    p.Trace.clear();
    p.ReadFromBuffer();
  }
  EXPECT_EQ(Dump(p), dump);
  EXPECT_EQ(p.TakeTrace(), "update");

  // A record whose FieldName changed only in case gets its values back; a
  // record that held no values has no entry and is cleared.
  TFieldRecord* i = p.FindFieldRecord("I");
  TFieldRecord* bcd = p.FindFieldRecord("BCD");
  bcd->SetAsInteger(0, 1);
  bcd->SetCount(coNone);  // not taken into the buffer
  i->SetAsInteger(0, 7);
  i->SetFieldName("i");
  p.SaveToBuffer();  // replaces the saved set
  i->SetFieldName("I");
  i->SetAsInteger(0, 8);
  p.ReadFromBuffer();
  EXPECT_EQ(Exact(i->GetAsVariant(0)), "I7");
  EXPECT_EQ(Exact(bcd->GetAsVariant(0)), "Null");

  // After ClearBuffer the emptied list clears every record.
  p.ClearBuffer();
  p.ReadFromBuffer();
  for (int n = 0; n < list->Count(); ++n)
    EXPECT_TRUE(list->GetItem(n)->IsNull(0) && list->GetItem(n)->IsNull(1)) << n;
}

TEST(ValueBuffer, AnyListCanHoldASet) {
  PeopleData people;
  PanelOnForm f(people.Source);
  TTestPanel& p = *f.Panel;
  TFieldRecord* name = p.FieldByName("NAME");
  TFieldRecord* age = p.FieldByName("AGE");
  name->SetAsString(0, "Smith");
  age->SetAsInteger(0, 30);
  TList* list = nullptr;
  p.GetBuffer(list);  // nothing to read
  p.SetBuffer(list);
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 2);
  auto* entry = static_cast<TBufferField*>(list->Get(1));
  EXPECT_EQ(entry->FieldName, "AGE");
  EXPECT_EQ(Exact(entry->Values[0]), "I30");
  entry->FieldName = "age";
  entry->Values[0] = Variant(int32_t(31));
  name->SetAsString(0, "Jones");
  p.GetBuffer(list);
  EXPECT_EQ(name->GetAsString(0), "Smith");
  EXPECT_EQ(age->GetAsInteger(0), 31);
  // Refilling empties the list first.
  age->Clear(0);
  p.SetBuffer(list);
  EXPECT_EQ(list->Count(), 1);
  TFieldsSetModel::ClearBfr(list);
  EXPECT_EQ(list->Count(), 0);
  delete list;
}

// A filter panel over PEOPLE with Smith, Jones and Small.
struct FilterPeople {
  FilterPeople() {
    for (const char* n : {"Smith", "Jones", "Small"}) data.Add(Variant(n), Null, Null, Null, Null);
    Panel = new TDBFilterPanel(data.Owner.get());
    Panel->SetName("Filter1");
    Panel->SetDataSource(data.Source);
    Panel->FieldByName("NAME")->SetCompare(ctInitial);
  }
  std::string Shown() { return Column(data.DataSet); }
  PeopleData data;
  TDBFilterPanel* Panel;
};

TEST(ValueImage, AFilterPanelsImageSwitchesTheFilter) {
  FilterPeople w;
  w.Panel->FieldByName("NAME")->SetAsString(0, "Sm");
  w.Panel->SetFiltered(true);
  const std::string on = Image(*w.Panel, {soValues, soFiltered});
  EXPECT_EQ(on.substr(on.size() - 4), B({2, 2, 9, 0}));
  EXPECT_EQ(w.Shown(), "Smith,Small");

  w.Panel->SetFiltered(false);
  w.Panel->ClearValues();
  EXPECT_EQ(Image(*w.Panel, {soFiltered}), kList + kExt0 + B({2, 2, 8}) + kEnd);
  EXPECT_EQ(w.Shown(), "Smith,Jones,Small");
  w.Panel->LoadFromString(on);
  EXPECT_TRUE(w.Panel->GetFiltered());
  EXPECT_TRUE(w.data.DataSet->GetFiltered());
  EXPECT_EQ(w.Shown(), "Smith,Small");
  // Off again, the values kept; a panel that is not a filter panel cannot
  // read the image.
  w.Panel->LoadFromString(kList + kExt0 + B({2, 2, 8}) + kEnd);
  EXPECT_FALSE(w.data.DataSet->GetFiltered());
  EXPECT_EQ(w.Panel->FieldByName("NAME")->GetAsString(0), "Sm");
  EXPECT_EQ(w.Shown(), "Smith,Jones,Small");
  PanelOnForm plain;
  AddCalc(*plain.Panel, "NAME", ftString);
  EXPECT_THROW(plain.Panel->LoadFromString(on), EReadError);
}

}  // namespace
}  // namespace tabulon::test
