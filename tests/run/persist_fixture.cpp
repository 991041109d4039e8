// Helpers of the value persistence tests.
#include "tests/run/persist_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "platform/streaming/reader.h"
#include "platform/streaming/streams.h"
#include "platform/streaming/writer.h"

namespace tabulon::test {

TFieldRecord* AddCalc(TFieldsSetModel& panel, const std::string& name, TFieldType type) {
  TFieldRecord* r = panel.GetFields()->Add();
  r->SetFieldName(name);
  r->SetRecordKind(rkCalculated);
  r->SetDataType(type);
  return r;
}

const std::vector<EveryRow>& EveryClass() {
  static const std::vector<EveryRow> rows = {
      {"S", ftString, Variant("Smith"), Variant("Zeta")},
      {"M", ftMemo, Variant("line 1\r\nline 2"), Null},
      {"FM", ftFmtMemo, Null, Variant("\xC3\xA9t\xC3\xA9")},
      {"SI", ftSmallint, Variant(int16_t(-7)), Variant(int16_t(300))},
      {"I", ftInteger, Variant(int32_t(123456)), Variant(int32_t(-1))},
      {"W", ftWord, Variant(int32_t(65535)), Variant(int32_t(0))},
      {"AI", ftAutoInc, Variant(int32_t(1)), Variant(int32_t(2))},
      {"B", ftBoolean, Variant(false), Variant(true)},
      {"F", ftFloat, Variant(1234.5625), Variant(-0.1)},
      {"C", ftCurrency, Variant(Currency::FromRaw(123456)), Variant(Currency::FromRaw(INT64_MAX))},
      {"BCD", ftBCD, Variant(Currency::FromRaw(999900)), Null},
      {"DA", ftDate, Variant::FromDate(45000), Variant::FromDate(2)},
      {"T", ftTime, Variant::FromDate(0.75), Variant::FromDate(0.1)},
      {"DT", ftDateTime, Variant::FromDate(45000.5), Variant::FromDate(-700.25)},
      {"BL", ftBlob, Variant("raw bytes"), Null},
  };
  return rows;
}

void SetEveryValue(TFieldsSetModel& panel) {
  for (const EveryRow& row : EveryClass()) {
    TFieldRecord* r = panel.FindFieldRecord(row.Name);
    r->SetAsVariant(0, row.Low);
    r->SetAsVariant(1, row.High);
  }
  panel.FindFieldRecord("S")->SetCommentText(0, "surname");
  panel.FindFieldRecord("DT")->SetCommentText(1, "until");
}

void AddEveryClass(TFieldsSetModel& panel, bool values) {
  panel.GetFields()->SetDefaultFields(false);
  for (const EveryRow& row : EveryClass()) AddCalc(panel, row.Name, row.Type);
  if (values) SetEveryValue(panel);
}

std::string Exact(const Variant& v) {
  char buf[64];
  switch (v.Type()) {
    case varNull:
      return "Null";
    case varEmpty:
      return "Empty";
    case varSmallint:
      return "S" + std::to_string(v.AsSmallint());
    case varInteger:
      return "I" + std::to_string(v.AsInteger());
    case varBoolean:
      return v.AsBoolean() ? "True" : "False";
    case varDouble:
      std::snprintf(buf, sizeof buf, "F%a", v.AsDouble());
      return buf;
    case varDate:
      std::snprintf(buf, sizeof buf, "D%a", v.AsDate());
      return buf;
    case varCurrency:
      return "C" + std::to_string(v.AsCurrency().Value);
    case varString:
      return "'" + v.AsString() + "'";
    default:
      return "type" + std::to_string(v.Type());
  }
}

std::string Dump(const TFieldsSetModel& panel) {
  std::string s;
  TFieldsList* list = panel.GetFields();
  for (int i = 0; i < list->Count(); ++i) {
    TFieldRecord* r = list->GetItem(i);
    s += r->GetName() + "=" + Exact(r->GetAsVariant(0)) + "," + Exact(r->GetAsVariant(1));
    if (!r->GetCommentText(0).empty() || !r->GetCommentText(1).empty())
      s += " [" + r->GetCommentText(0) + "|" + r->GetCommentText(1) + "]";
    s += "; ";
  }
  return s;
}

std::string B(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}

std::string Str(const std::string& s) { return B({6, static_cast<int>(s.size())}) + s; }

const std::string kExt0 = B({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
const std::string kExt01 = B({5, 0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F});
const std::string kExtD = B({5, 0, 0, 0, 0, 0, 0, 0xC8, 0xAF, 0x0E, 0x40});
const std::string kExtDT = B({5, 0, 0, 0, 0, 0, 0x80, 0xC8, 0xAF, 0x0E, 0x40});

std::string WriteBlock(TFieldsSetModel& panel, void (TFieldsSetModel::*write)(TWriter*)) {
  TStringStream s;
  TWriter w(&s, 1024);
  (panel.*write)(&w);
  w.FlushBuffer();
  return s.DataString();
}

void ReadBlock(TFieldsSetModel& panel, void (TFieldsSetModel::*read)(TReader*),
               const std::string& bytes) {
  TStringStream s(bytes);
  {
    TReader r(&s, 1024);
    (panel.*read)(&r);
  }
  EXPECT_EQ(s.GetPosition(), static_cast<int64_t>(bytes.size())) << "bytes left unread";
}

TFormatSettings CommaDayMonthYear() {
  TFormatSettings s = FormatSettings();
  s.DecimalSeparator = ',';
  s.ThousandSeparator = '.';
  s.DateSeparator = '.';
  s.ShortDateFormat = "dd.MM.yyyy";
  s.LongDateFormat = "dd MMMM yyyy";
  return s;
}

}  // namespace tabulon::test
