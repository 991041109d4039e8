// tabulon sample-db FILE [--scale N] [--force]: writes the bundled sample
// database, generated from code so that nothing binary is kept in the
// repository. An existing file is replaced only with --force; a directory
// never is.
// Three tables with indexes: CUSTOMERS (1,000 rows), PARTS (400) and
// ORDERS (4,000) at scale 1; the data is pseudo-random but fixed (the same
// file on every run), with realistic names, places, dates and amounts.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "apps/tabulon/command.h"
#include "platform/core/currency.h"
#include "platform/db/sqlite_connection.h"
#include "platform/sysutils/datetime.h"

namespace tabulon::app {
namespace {

// A small deterministic generator (the same sample everywhere).
struct Rng {
  uint64_t s = 0x9E3779B97F4A7C15ull;
  uint32_t Next() {
    s ^= s << 13;
    s ^= s >> 7;
    s ^= s << 17;
    return static_cast<uint32_t>(s >> 11);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  template <class T, size_t N>
  const T& Pick(const T (&a)[N]) {
    return a[Below(static_cast<int>(N))];
  }
};

const char* const kFirst[] = {"Anna",    "Bernd",  "Chloé",   "David", "Elif", "Farid", "Greta",
                              "Hiroshi", "Ingrid", "Jonas",   "Katja", "Luca", "Mia",   "Nils",
                              "Olga",    "Pedro",  "Quentin", "Rosa",  "Sven", "Tanja", "Ugo",
                              "Vera",    "Wim",    "Xenia",   "Yusuf", "Zoë"};
const char* const kLast[] = {"Müller",  "Schmidt", "Dubois",   "Rossi",  "García", "Nowak",
                             "Jensen",  "Novák",   "Silva",    "Yilmaz", "Smith",  "Bauer",
                             "Lefèvre", "Weber",   "Kowalski", "Costa",  "Berg",   "Fischer",
                             "Moreau",  "Horvat",  "Öztürk",   "Larsen", "Romano", "Keller"};
const char* const kCompanyKind[] = {"GmbH", "AG", "SARL", "S.p.A.", "Ltd", "KG", "BV", "AB"};
struct Place {
  const char* City;
  const char* Country;
  const char* Phone;
};
const Place kPlaces[] = {
    {"Berlin", "Germany", "+49 30"},        {"Hamburg", "Germany", "+49 40"},
    {"München", "Germany", "+49 89"},       {"Köln", "Germany", "+49 221"},
    {"Wien", "Austria", "+43 1"},           {"Zürich", "Switzerland", "+41 44"},
    {"Paris", "France", "+33 1"},           {"Lyon", "France", "+33 4"},
    {"Milano", "Italy", "+39 02"},          {"Roma", "Italy", "+39 06"},
    {"Madrid", "Spain", "+34 91"},          {"Lisboa", "Portugal", "+351 21"},
    {"Amsterdam", "Netherlands", "+31 20"}, {"Stockholm", "Sweden", "+46 8"},
    {"København", "Denmark", "+45 3"},      {"Warszawa", "Poland", "+48 22"},
    {"Praha", "Czechia", "+420 2"},         {"London", "United Kingdom", "+44 20"}};
const char* const kCategory[] = {"Fasteners",  "Bearings", "Hydraulics", "Electrical",
                                 "Pneumatics", "Tools",    "Seals",      "Sensors"};
const char* const kPartNoun[] = {"Bolt",  "Nut",    "Washer",  "Bearing", "Valve",  "Cylinder",
                                 "Relay", "Switch", "Gasket",  "O-Ring",  "Sensor", "Drill",
                                 "Clamp", "Hose",   "Fitting", "Spring"};
const char* const kPartAdj[] = {"steel",     "brass",         "stainless", "heavy-duty",
                                "miniature", "high-pressure", "insulated", "metric",
                                "imperial",  "coated"};

std::string Iso(double d) {
  int y, m, day;
  DecodeDate(d, y, m, day);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, day);
  return buf;
}

Variant Money(int64_t cents) { return Variant(Currency::FromRaw(cents * 100)); }

int Run(CommandContext& ctx) {
  std::string file;
  int scale = 1;
  bool force = false;
  for (size_t i = 0; i < ctx.Args.size(); ++i) {
    const std::string& a = ctx.Args[i];
    if (a == "--scale") {
      const std::string value = i + 1 < ctx.Args.size() ? ctx.Args[++i] : std::string();
      auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), scale);
      if (value.empty() || ec != std::errc() || end != value.data() + value.size() || scale < 1 ||
          scale > 1000)
        throw EUsageError("--scale needs a whole number from 1 to 1000");
    } else if (a == "--force") {
      force = true;
    } else if (a.size() > 1 && a[0] == '-') {
      throw EUsageError("unknown option " + a);
    } else if (file.empty()) {
      file = a;
    } else {
      throw EUsageError("unexpected argument " + a);
    }
  }
  if (file.empty()) throw EUsageError("no database file given");
  // Only a file the user gives up with --force is replaced; never a directory.
  std::error_code ec;
  auto status = std::filesystem::symlink_status(file, ec);
  if (std::filesystem::is_directory(std::filesystem::status(file, ec)))
    throw EInputError(file + " is a directory");
  if (std::filesystem::exists(status)) {
    if (!force) throw EInputError(file + " already exists (--force replaces it)");
    if (!std::filesystem::remove(file, ec))
      throw EInputError("Cannot remove " + file + ": " + ec.message());
  }
  TSQLiteConnection db(nullptr);
  db.SetName("Sample");
  db.SetFileName(file);
  db.SetCreateIfMissing(true);
  db.ExecSQL(R"(
    CREATE TABLE CUSTOMERS (
      CUSTNO INTEGER PRIMARY KEY, COMPANY VARCHAR(40) NOT NULL, CONTACT VARCHAR(30),
      CITY VARCHAR(20), COUNTRY VARCHAR(20), PHONE VARCHAR(20), SINCE DATE, CREDIT MONEY,
      ACTIVE BOOLEAN);
    CREATE INDEX IX_CUST_COMPANY ON CUSTOMERS (COMPANY COLLATE NOCASE);
    CREATE INDEX IX_CUST_PLACE ON CUSTOMERS (COUNTRY, CITY);
    CREATE TABLE PARTS (
      PARTNO INTEGER PRIMARY KEY, DESCRIPTION VARCHAR(40), CATEGORY VARCHAR(20),
      PRICE MONEY, ONHAND INTEGER);
    CREATE UNIQUE INDEX IX_PART_DESC ON PARTS (DESCRIPTION COLLATE NOCASE);
    CREATE INDEX IX_PART_PRICE ON PARTS (PRICE DESC);
    CREATE TABLE ORDERS (
      ORDERNO INTEGER PRIMARY KEY, CUSTNO INTEGER REFERENCES CUSTOMERS, PARTNO INTEGER
      REFERENCES PARTS, QTY SMALLINT, ORDERED DATE, SHIPPED DATE, AMOUNT MONEY);
    CREATE INDEX IX_ORD_CUST ON ORDERS (CUSTNO, ORDERED DESC);
    CREATE INDEX IX_ORD_DATE ON ORDERS (ORDERED DESC);
  )");
  Rng rng;
  db.ExecSQL("BEGIN");
  const int customers = 1000 * scale, parts = 400 * scale, orders = 4000 * scale;
  const double start = EncodeDate(2015, 1, 1);
  for (int c = 1; c <= customers; ++c) {
    const Place& p = rng.Pick(kPlaces);
    // Every draw is its own statement: the operands of + are evaluated in
    // an order the compiler chooses, and the data must not depend on it.
    std::string last = rng.Pick(kLast);
    const char* kind = rng.Pick(kCompanyKind);
    const char* noun = rng.Pick(kPartNoun);
    std::string company = last + " " + noun + "s " + kind;
    if (c % 7 == 0) company = rng.Pick(kLast) + std::string(" & ") + company;
    company += " #" + std::to_string(c);
    const char* contactLast = rng.Pick(kLast);
    std::string contact = std::string(rng.Pick(kFirst)) + " " + contactLast;
    std::string phone = std::string(p.Phone) + " " + std::to_string(100000 + rng.Below(900000));
    db.ExecSQL("INSERT INTO CUSTOMERS VALUES (?,?,?,?,?,?,?,?,?)",
               {Variant(c), Variant(company), Variant(contact), Variant(p.City), Variant(p.Country),
                Variant(phone), Variant(Iso(start + rng.Below(3000))),
                Money(500 * (1 + rng.Below(200))), Variant(rng.Below(10) != 0)});
  }
  for (int i = 1; i <= parts; ++i) {
    const int size = 2 + rng.Below(40);
    const char* noun = rng.Pick(kPartNoun);
    std::string desc = std::string(rng.Pick(kPartAdj)) + " " + noun + " " + std::to_string(size) +
                       "mm #" + std::to_string(i);
    db.ExecSQL("INSERT INTO PARTS VALUES (?,?,?,?,?)",
               {Variant(1000 + i), Variant(desc), Variant(rng.Pick(kCategory)),
                Money(25 + rng.Below(25000)), Variant(rng.Below(500))});
  }
  for (int o = 1; o <= orders; ++o) {
    int part = 1000 + 1 + rng.Below(parts);
    int qty = 1 + rng.Below(50);
    double ordered = start + rng.Below(3600);
    Variant shipped = rng.Below(8) == 0 ? Null : Variant(Iso(ordered + 1 + rng.Below(14)));
    db.ExecSQL("INSERT INTO ORDERS VALUES (?,?,?,?,?,?,?)",
               {Variant(o), Variant(1 + rng.Below(customers)), Variant(part), Variant(qty),
                Variant(Iso(ordered)), shipped, Money(int64_t{qty} * (25 + rng.Below(25000)))});
  }
  db.ExecSQL("COMMIT");
  ctx.Out << "wrote " << file << ": " << customers << " customers, " << parts << " parts, "
          << orders << " orders\n";
  return 0;
}

}  // namespace

TBN_COMMAND("sample-db", "FILE [--scale N] [--force]",
            "writes the sample database (customers, parts, orders with indexes) used by the demo; "
            "an existing FILE is replaced only with --force",
            Run);

}  // namespace tabulon::app
