// The sort order read from a query's SQL text, against a table of cases.
#include <gtest/gtest.h>

#include "run/tbnindex.h"

namespace tabulon {
namespace {

struct TOrderCase {
  const char* Sql;
  const char* FieldNames;
  const char* DescFields;
};

const TOrderCase kOrderCases[] = {
    // All columns of a table, ordered by a descending and an ascending field.
    {"SELECT * FROM CUSTOMER ORDER BY NAME DESC, CITY", "NAME;CITY", "NAME"},
    // Keywords in any letter case.
    {"select * from customer order by name desc, city", "name;city", "name"},
    {"Select * From Customer Order By Name Desc", "Name", "Name"},
    // Direction words in full, and an ascending word.
    {"SELECT * FROM T ORDER BY NAME DESCENDING, CITY ASCENDING, ZIP ASC", "NAME;CITY;ZIP", "NAME"},
    // Text after the direction word makes the item unusable.
    {"SELECT * FROM T ORDER BY NAME DESC NULLS, CITY", "CITY", ""},
    // Quoted literals: ORDER and commas inside them are not the statement's.
    {"SELECT * FROM T WHERE A = 'ORDER BY X' ORDER BY NAME", "NAME", ""},
    {"SELECT * FROM T WHERE A = 'x ORDER BY Y'", "", ""},
    {"SELECT * FROM T WHERE A = 'it''s ORDER BY X, Y' ORDER BY B, C DESC", "B;C", "C"},
    {"SELECT * FROM T WHERE A IN ('a, b', \"c, d\") ORDER BY A", "A", ""},
    // Qualifiers and aliases: the order item names the result field.
    {"SELECT C.NAME AS CUST, O.NAME ONAME FROM C, O ORDER BY O.NAME DESC, C.NAME", "ONAME;CUST",
     "ONAME"},
    {"select c.name as cust from c order by c.name", "cust", ""},
    {"SELECT NAME AS N, CITY FROM T ORDER BY N, CITY", "N;CITY", ""},
    // Repeated column names become NAME, NAME_1, NAME_2.
    {"SELECT A.ID, B.ID, C.ID FROM A, B, C ORDER BY B.ID, C.ID DESC, A.ID", "ID_1;ID_2;ID", "ID_2"},
    {"SELECT ID, ID_1, ID FROM T ORDER BY 3", "ID_2", ""},
    // An unqualified entry answers a qualified item only until a qualified one matches.
    {"SELECT ID, T.ID FROM T ORDER BY T.ID", "ID_1", ""},
    {"SELECT ID, T.ID FROM T ORDER BY X.ID", "ID", ""},
    {"SELECT ID, T.ID FROM T ORDER BY ID", "ID", ""},
    // Quoted names.
    {"SELECT \"First Name\" AS FN, \"Last Name\" FROM T ORDER BY \"Last Name\" DESC, FN",
     "Last Name;FN", "Last Name"},
    {"SELECT T.\"Zip Code\" FROM T ORDER BY T.\"Zip Code\"", "Zip Code", ""},
    // DISTINCT and ALL before the select list.
    {"SELECT DISTINCT NAME N FROM T ORDER BY NAME", "N", ""},
    {"SELECT ALL NAME AS N FROM T ORDER BY NAME DESC", "N", "N"},
    // Positions in the select list.
    {"SELECT NAME, CITY FROM T ORDER BY 2 DESC, 1", "CITY;NAME", "CITY"},
    // Commas inside function calls do not cut the select list.
    {"SELECT COALESCE(A, B) AS X, A FROM T ORDER BY A, X", "A;X", ""},
    // Only the statement's own ORDER BY counts, not one of a sub-select.
    {"SELECT * FROM T WHERE ID IN (SELECT ID FROM U ORDER BY X)", "", ""},
    {"SELECT * FROM T WHERE ID IN (SELECT ID FROM U ORDER BY X) ORDER BY NAME", "NAME", ""},
    // Line breaks and a closing semicolon.
    {"SELECT *\r\nFROM T\r\nORDER\r\nBY NAME,\r\n  CITY DESC;\r\n", "NAME;CITY", "CITY"},
    // Whole words only.
    {"SELECT * FROM ORDERS", "", ""},
    {"SELECT * FROM T ORDERBY X", "", ""},
    {"SELECT * FROM BORDER ORDER BY BYTES", "BYTES", ""},
    // No ORDER BY, ORDER without BY, ORDER BY at the very end.
    {"SELECT * FROM T", "", ""},
    {"SELECT * FROM T ORDER", "", ""},
    {"SELECT * FROM T ORDER NAME", "", ""},
    {"SELECT * FROM T ORDER BY", "", ""},
    {"SELECT * FROM T ORDER BY ;", "", ""},
    // Malformed text: unbalanced quotes and parentheses hide what follows them.
    {"SELECT * FROM T WHERE A = 'abc ORDER BY NAME", "", ""},
    {"SELECT 'x FROM T ORDER BY A", "", ""},
    {"SELECT * FROM T WHERE (A = 1 ORDER BY NAME", "", ""},
    {"SELECT * FROM T WHERE A = 1) ORDER BY NAME", "NAME", ""},
    {"ORDER BY A,,B", "A;B", ""},
    {"", "", ""},
};

TEST(SqlOrder, TableOfCases) {
  for (const TOrderCase& c : kOrderCases) {
    TSqlOrder order = SqlOrderFields(c.Sql);
    EXPECT_EQ(order.FieldNames, c.FieldNames) << c.Sql;
    EXPECT_EQ(order.DescFields, c.DescFields) << c.Sql;
  }
}

TEST(SqlOrder, SelectListEntries) {
  std::vector<TSqlFieldInfo> f =
      SqlSelectFields("select c.Name as Cust, \"o\".name, City Town, ID, id, T.* from C");
  ASSERT_EQ(f.size(), 6u);
  auto entry = [&](size_t i) { return f[i].TableName + "|" + f[i].FieldName + "|" + f[i].NewName; };
  EXPECT_EQ(entry(0), "C|NAME|Cust");
  EXPECT_EQ(entry(1), "O|NAME|name");
  EXPECT_EQ(entry(2), "|CITY|Town");
  EXPECT_EQ(entry(3), "|ID|ID");
  EXPECT_EQ(entry(4), "|ID|id_1");
  EXPECT_EQ(entry(5), "T|*|*");
  EXPECT_TRUE(SqlSelectFields("SELECT A, B").empty());
  EXPECT_TRUE(SqlSelectFields("UPDATE T SET A = 1").empty());
}

TEST(SqlOrder, DirectionSuffix) {
  struct {
    const char* Item;
    bool Ok;
    const char* Name;
    bool Descending;
  } cases[] = {
      {"NAME", true, "NAME", false},
      {"CITY DESC", true, "CITY", true},
      {"CITY  desc  ", true, "CITY", true},
      {"CITY DESCENDING", true, "CITY", true},
      {"CITY ASC", true, "CITY", false},
      {"CITY DESC X", false, "", false},
      {"DESCRIPTION", true, "DESCRIPTION", false},
      {"\"A DESC\"", true, "\"A DESC\"", false},
      {"DESC", false, "", true},
      {"  ", false, "", false},
  };
  for (const auto& c : cases) {
    std::string item = c.Item;
    bool desc = false;
    EXPECT_EQ(StripDirectionSuffix(item, desc), c.Ok) << c.Item;
    if (c.Ok) {
      EXPECT_EQ(item, c.Name) << c.Item;
      EXPECT_EQ(desc, c.Descending) << c.Item;
    }
  }
}

}  // namespace
}  // namespace tabulon
