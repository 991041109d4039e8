// Data files of the client dataset: the layer's own format (exact text and
// round trip), CSV with a header (inference, quoting), and bad input.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/db/db_error.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/sysutils/datetime.h"
#include "tests/platform/db/db_fixtures.h"

namespace tabulon::test {
namespace {

TClientDataSet* MakeMixed(TComponent* owner) {
  auto* d = new TClientDataSet(owner);
  d->SetName("Mixed");
  d->GetFieldDefs()->Add("ID", ftInteger, 0, true);
  d->GetFieldDefs()->Add("TXT", ftString, 30);
  d->GetFieldDefs()->Add("AMT", ftCurrency);
  d->GetFieldDefs()->Add("WHEN", ftDateTime);
  d->GetFieldDefs()->Add("NOTE", ftMemo);
  d->GetIndexDefs()->Add("BY_TXT", "TXT;ID", {ixCaseInsensitive})->SetDescFields("ID");
  d->CreateDataSet();
  d->AppendRecord({Variant(1), Variant("tab\there\\back"), Variant(Currency::FromRaw(-12345)),
                   Variant::FromDate(EncodeDate(2024, 3, 1) + EncodeTime(14, 30, 0, 0)),
                   Variant("line1\nline2\x01")});
  d->AppendRecord({Variant(2), Null, Null, Null, Null});
  return d;
}

TEST(NativeFile, WritesTheDocumentedTextAndReadsItBack) {
  TComponent owner(nullptr);
  TClientDataSet* d = MakeMixed(&owner);
  const std::string text = d->SaveToString();
  EXPECT_EQ(text,
            "TABULON DATA 1\n"
            "FIELD\tID\tftInteger\t0\t1\n"
            "FIELD\tTXT\tftString\t30\t0\n"
            "FIELD\tAMT\tftCurrency\t0\t0\n"
            "FIELD\tWHEN\tftDateTime\t0\t0\n"
            "FIELD\tNOTE\tftMemo\t0\t0\n"
            "INDEX\tBY_TXT\tTXT;ID\tixCaseInsensitive\tID\t\n"
            "DATA\t2\n"
            "1\ttab\\there\\\\back\t-1.2345\t2024-03-01 14:30:00\tline1\\nline2\\x01\n"
            "2\t\\N\t\\N\t\\N\t\\N\n");
  auto* copy = new TClientDataSet(&owner);
  copy->LoadFromString(text);
  EXPECT_EQ(copy->SaveToString(), text);
  EXPECT_EQ(copy->FieldByName("TXT")->GetAsString(), "tab\there\\back");
  EXPECT_EQ(copy->FieldByName("AMT")->GetAsCurrency().Value, -12345);
  EXPECT_EQ(copy->FieldByName("NOTE")->GetAsString(), "line1\nline2\x01");
  EXPECT_TRUE(copy->GetFieldDefs()->Items(0)->GetRequired());
  EXPECT_EQ(copy->GetIndexDefs()->Find("BY_TXT")->GetDescFields(), "ID");
  copy->Next();
  EXPECT_TRUE(copy->FieldByName("WHEN")->IsNull());
  // Through a file, and the FileName property opening it.
  std::string path = TempPath(".tbd");
  d->SaveToFile(path);
  auto* byName = new TClientDataSet(&owner);
  byName->SetFileName(path);
  byName->Open();
  EXPECT_EQ(byName->SaveToString(), text);
  std::remove(path.c_str());
}

TEST(NativeFile, AFileNameIsReadOnOpenAndWrittenOnCloseWhenChanged) {
  std::string path = TempPath(".dat"), csv = TempPath(".csv");
  TComponent owner(nullptr);
  MakeMixed(&owner)->SaveToFile(path);
  auto fileText = [](const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  std::string original = fileText(path);
  auto* d = new TClientDataSet(&owner);
  d->SetFileName(path);
  d->Open();
  EXPECT_EQ(Column(d, "ID"), "1,2");
  d->Close();  // unchanged: the file is left alone
  std::remove(path.c_str());
  EXPECT_EQ(fileText(path), "");
  d->Open();
  d->AppendRecord({Variant(3), Variant("three")});
  d->Last();
  d->Edit();
  d->FieldByName("TXT")->SetAsString("never posted");
  d->Close();  // the pending edit goes, the posted record is saved
  auto* e = new TClientDataSet(&owner);
  e->SetFileName(path);
  e->Open();
  EXPECT_EQ(Column(e, "ID"), "1,2,3");
  e->Last();
  EXPECT_EQ(e->FieldByName("TXT")->GetAsString(), "three");
  e->First();
  e->Delete();
  TObject::Free(e);  // destruction closes, and so saves
  TClientDataSet reread(nullptr);
  reread.LoadFromFile(path);
  EXPECT_EQ(Column(&reread, "ID"), "2,3");
  // Records under a new file name are saved to it, in the format of the name.
  reread.SetFileName(csv);
  reread.Close();
  EXPECT_EQ(fileText(csv).substr(0, 20), "ID,TXT,AMT,WHEN,NOTE");
  EXPECT_NE(original, fileText(path));
  std::remove(path.c_str());
  std::remove(csv.c_str());
}

TEST(CsvFile, InfersTypesAndHonoursQuoting) {
  TComponent owner(nullptr);
  std::string path = TempPath(".csv");
  {
    std::ofstream out(path, std::ios::binary);
    out << "ID,NAME,PRICE,NOTE\r\n1,\"Smith, J.\",2.5,\"said "
           "\"\"hi\"\"\"\n2,Ünal,3,\n3,\"two\nlines\",-1e2,x";
  }
  auto* d = new TClientDataSet(&owner);
  d->LoadFromFile(path);
  EXPECT_EQ(d->FieldByName("ID")->GetDataType(), ftInteger);
  EXPECT_EQ(d->FieldByName("PRICE")->GetDataType(), ftFloat);
  EXPECT_EQ(d->FieldByName("NAME")->GetDataType(), ftString);
  EXPECT_EQ(d->FieldByName("NAME")->GetSize(), 9);  // longest value in characters
  EXPECT_EQ(Column(d, "NAME"), "Smith, J.,Ünal,two\nlines");
  EXPECT_EQ(Column(d, "NOTE"), "said \"hi\",,x");
  EXPECT_EQ(Column(d, "PRICE"), "2.5,3,-100");
  d->SaveToFile(path);
  std::ifstream in(path, std::ios::binary);
  std::string back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(back,
            "ID,NAME,PRICE,NOTE\r\n1,\"Smith, J.\",2.5,\"said \"\"hi\"\"\"\r\n2,Ünal,3,\r\n"
            "3,\"two\nlines\",-100,x\r\n");
  std::remove(path.c_str());
}

TEST(DataFiles, BadInputRaisesAClearError) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "line 1: missing header"},
      {"TABULON DATA 2\n", "line 1: missing header"},
      {"TABULON DATA 1\nFIELD\tA\tftNope\t0\t0\nDATA\t0\n", "line 2: bad field type or size"},
      {"TABULON DATA 1\nFIELD\tA\tftString\t0\t0\nDATA\t0\n", "line 2: Invalid field size"},
      {"TABULON DATA 1\nFIELD\tA\tftInteger\t0\nDATA\t0\n", "line 2: bad FIELD line"},
      {"TABULON DATA 1\nFIELD\tA\tftInteger\t0\t0\n", "line 3: missing DATA line"},
      {"TABULON DATA 1\nDATA\t0\n", "line 2: no fields"},
      {"TABULON DATA 1\nFIELD\tA\tftInteger\t0\t0\nDATA\t2\n1\n",
       "line 3: record count does not match"},
      {"TABULON DATA 1\nFIELD\tA\tftInteger\t0\t0\nDATA\t1\nx\n",
       "line 4: bad value for field 'A'"},
      {"TABULON DATA 1\nFIELD\tA\tftSmallint\t0\t0\nDATA\t1\n70000\n",
       "line 4: bad value for field 'A'"},
      {"TABULON DATA 1\nFIELD\tA\tftString\t5\t0\nDATA\t1\na\\q\n", "line 4: bad escape"},
      {"TABULON DATA 1\nFIELD\tA\tftString\t5\t0\nDATA\t1\na\\x4\n", "line 4: bad escape"},
      {"TABULON DATA 1\nFIELD\tA\tftInteger\t0\t0\nDATA\t1\n1\t2\n",
       "line 4: wrong number of values"},
      {"TABULON DATA 1\nFIELD\tA\tftInteger\t0\t0\nFIELD\ta\tftInteger\t0\t0\nDATA\t0\n",
       "line 3: Duplicate field name 'a'"},
      {"TABULON DATA 1\nFIELD\tA\tftInteger\t0\t0\nINDEX\tI\tA\tixBogus\t\t\nDATA\t0\n",
       "line 3: bad index option ixBogus"},
  };
  TComponent owner(nullptr);
  auto* d = new TClientDataSet(&owner);
  d->SetName("F");
  for (const Case& c : cases) {
    EXPECT_DB_ERROR(d->LoadFromString(c.text, "x.tbd"),
                    std::string("F: Data file 'x.tbd' is invalid: ") + c.message);
    EXPECT_FALSE(d->GetActive());
  }
  EXPECT_DB_ERROR(d->LoadFromFile("/nonexistent/none.tbd"),
                  "F: Cannot open data file '/nonexistent/none.tbd': file not found");
  std::string csv = TempPath(".csv");
  for (auto [text, message] : std::vector<std::pair<std::string, std::string>>{
           {"A,B\n1\n", "line 2: wrong number of values"},
           {"A,B\n\"1,2\n", "line 2: bad quoting"},
           {"", "line 1: missing header"}}) {
    std::ofstream(csv, std::ios::binary) << text;
    TClientDataSet fresh(nullptr);
    fresh.SetName("F");
    EXPECT_DB_ERROR(fresh.LoadFromFile(csv), "F: Data file '" + csv + "' is invalid: " + message);
  }
  std::remove(csv.c_str());
}

}  // namespace
}  // namespace tabulon::test
