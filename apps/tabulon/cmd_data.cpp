// tabulon data DBFILE (--table NAME | --sql TEXT) [--index NAME | --order "A;B DESC"] [--limit N]:
// opens a SQLite table or query through the dataset layer and prints its
// field definitions, index definitions and records in the chosen order.
#include <algorithm>
#include <ostream>

#include "apps/tabulon/command.h"
#include "apps/tabulon/records_text.h"
#include "platform/core/format.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/index_defs.h"
#include "platform/db/sqlite_connection.h"
#include "platform/db/sqlite_dataset.h"

namespace tabulon::app {
namespace {

std::string OptionsText(TIndexOptions o) {
  std::string out;
  for (int i = ixPrimary; i <= ixExpression; ++i)
    if (o.Contains(static_cast<TIndexOption>(i)))
      out += (out.empty() ? "" : ",") + TypeInfoOf<TIndexOption>()->EnumName(i);
  return "[" + out + "]";
}

int Usage(CommandContext& ctx, const std::string& why) {
  ctx.Err << "tabulon data: " << why
          << "\nusage: tabulon data DBFILE (--table NAME | --sql TEXT) [--index NAME | --order "
             "\"A;B DESC\"] [--limit N]\n";
  return 2;
}

int Run(CommandContext& ctx) {
  std::string file, table, sql, index, order;
  long limit = 20;
  for (size_t i = 0; i < ctx.Args.size(); ++i) {
    const std::string& a = ctx.Args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= ctx.Args.size()) return false;
      out = ctx.Args[++i];
      return true;
    };
    std::string limitText;
    if (a == "--table") {
      if (!value(table)) return Usage(ctx, "--table needs a name");
    } else if (a == "--sql") {
      if (!value(sql)) return Usage(ctx, "--sql needs a statement");
    } else if (a == "--index") {
      if (!value(index)) return Usage(ctx, "--index needs a name");
    } else if (a == "--order") {
      if (!value(order)) return Usage(ctx, "--order needs a field list");
    } else if (a == "--limit") {
      if (!value(limitText)) return Usage(ctx, "--limit needs a number");
      char* end = nullptr;
      limit = std::strtol(limitText.c_str(), &end, 10);
      if (*end || limit < 0) return Usage(ctx, "--limit needs a number of 0 or more (0: all)");
    } else if (!a.empty() && a[0] == '-') {
      return Usage(ctx, "unknown option " + a);
    } else if (file.empty()) {
      file = a;
    } else {
      return Usage(ctx, "unexpected argument " + a);
    }
  }
  if (file.empty()) return Usage(ctx, "no database file given");
  if (table.empty() == sql.empty()) return Usage(ctx, "give either --table or --sql");
  if (!index.empty() && !order.empty()) return Usage(ctx, "give either --index or --order");

  TSQLiteConnection conn(nullptr);
  conn.SetName("Database");
  conn.SetFileName(file);
  conn.SetReadOnly(true);
  std::unique_ptr<TSQLiteDataSet> data;
  if (!table.empty()) {
    auto t = std::make_unique<TTable>(nullptr);
    t->SetTableName(table);
    data = std::move(t);
  } else {
    auto q = std::make_unique<TQuery>(nullptr);
    q->GetSQL()->SetText(sql);
    data = std::move(q);
  }
  data->SetName("Data");
  data->SetConnection(&conn);
  if (!index.empty()) data->SetIndexName(index);
  if (!order.empty()) data->SetIndexFieldNames(order);
  data->Open();

  ctx.Out << "Fields:\n";
  for (int i = 0; i < data->GetFieldCount(); ++i) {
    TField* f = data->Fields(i);
    ctx.Out << "  " << Pad(std::to_string(i + 1), 3) << Pad(f->GetFieldName(), 20) << " "
            << Pad(FieldTypeName(f->GetDataType()), 10) << " size " << f->GetSize() << "\n";
  }
  TIndexDefs* defs = data->GetIndexDefs();
  ctx.Out << "Indexes:" << (defs->Count() == 0 ? " none" : "") << "\n";
  for (int i = 0; i < defs->Count(); ++i) {
    TIndexDef* d = defs->Items(i);
    ctx.Out << "  " << Pad(d->GetName(), 20) << " " << Pad(d->GetFields(), 24) << " "
            << OptionsText(d->GetOptions());
    if (!d->GetDescFields().empty()) ctx.Out << " desc " << d->GetDescFields();
    if (!d->GetCaseInsFields().empty()) ctx.Out << " nocase " << d->GetCaseInsFields();
    ctx.Out << "\n";
  }
  int total = data->GetRecordCount();
  long shown = limit == 0 ? total : std::min<long>(limit, total);
  ctx.Out << "Records: " << shown << " of " << total;
  if (!data->GetIndexName().empty()) ctx.Out << ", index " << data->GetIndexName();
  if (!data->GetIndexFieldNames().empty()) ctx.Out << ", order " << data->GetIndexFieldNames();
  ctx.Out << "\n";
  PrintRecords(ctx.Out, data.get(), shown);
  return 0;
}

}  // namespace

TBN_COMMAND("data",
            "DBFILE (--table NAME | --sql TEXT) [--index NAME | --order \"A;B DESC\"] [--limit N]",
            "prints the fields, indexes and records of a SQLite table or query through the dataset "
            "layer",
            Run);

}  // namespace tabulon::app
