#include <gtest/gtest.h>

#include <cmath>

#include "io/TextImport.h"

namespace tavrin {
namespace {

std::vector<long double> Entries(const ComplexMatrix& m) {
  std::vector<long double> v;
  for (const Complex& z : m.Entries()) {
    EXPECT_EQ(z.im, 0.0L);
    v.push_back(z.re);
  }
  return v;
}

TEST(ImportText, Examples) {
  struct Case {
    const char* text;
    int rows, cols;
    std::vector<long double> entries;
  } cases[] = {
      {"1 2 3\n4 5\n", 2, 3, {1, 2, 3, 4, 5, 0}}, {"x = 3, y = -2.5", 1, 2, {3, -2.5L}},
      {"1.5e3", 1, 1, {1500}},                       // one number with its exponent
      {"x,y\n1,-2\n3.5,4e-3\n", 2, 2, {1, -2, 3.5L, 4e-3L}},  // the header line is skipped
      {"x1 x2\n1 2", 1, 2, {1, 2}},                 // names are no numbers
      {"name - value\n\n7 -1.5E+2", 1, 2, {7, -150}},
      {"e5 -e3 2e 1E+2x", 1, 5, {5, 0, 3, 2, 100}},   // only a number takes an exponent
      {"-1.25e-2,3", 1, 2, {-0.0125L, 3}}, {"left - right", 1, 1, {0}}, {"2012/07/25", 1, 3, {2012, 7, 25}},
      {"1 2\n\n\n3 4", 2, 2, {1, 2, 3, 4}},         // blank lines make no rows; no final line feed
      {"\n\n1\r\n2\r\n\r\n", 2, 1, {1, 2}}, {"1.5.2 3-4 --5 . -.5", 1, 5, {1.5L, 3, 0, 0, -0.5L}},
      {"a\tb 7\nno numbers here\n8 9", 2, 2, {7, 0, 8, 9}}, {"+4 \xE9" "5", 1, 2, {4, 5}},
  };
  for (const Case& c : cases) {
    ComplexMatrix m;
    ASSERT_EQ(ImportText(c.text, m), ResultCode::Ok) << c.text;
    EXPECT_EQ(m.rows, c.rows) << c.text;
    EXPECT_EQ(m.cols, c.cols) << c.text;
    EXPECT_EQ(Entries(m), c.entries) << c.text;
  }
  ComplexMatrix m(1, 1);
  EXPECT_EQ(ImportText("", m), ResultCode::CouldNotFind);
  EXPECT_EQ(ImportText("no numbers\nat all", m), ResultCode::InconsistentData);
  EXPECT_EQ(m, ComplexMatrix(1, 1));  // left alone on failure
  std::string wide(3000, ' ');         // 1500 rows and a row of 1500 fields: a big but sane matrix
  for (size_t k = 0; k < wide.size(); k += 2) wide[k] = '1';
  std::string text = wide + "\n" + std::string(1499, '\n');
  ASSERT_EQ(ImportText(text, m), ResultCode::Ok);
  EXPECT_EQ(m.rows, 1);
  EXPECT_EQ(m.cols, 1500);
  std::string many;
  for (int k = 0; k < 70000; ++k) many += "1\n";  // more rows than a 16-bit counter holds
  ASSERT_EQ(ImportText(many, m), ResultCode::Ok);
  EXPECT_EQ(m.rows, 70000);
}

TEST(ImportText, OversizedIsLowMemory) {
  // 40000 one-field rows and one row of 40000 fields would need 1.6e9 entries.
  std::string text;
  for (int k = 0; k < 40000; ++k) text += "1 ";
  text += "\n";
  for (int k = 0; k < 40000; ++k) text += "1\n";
  ComplexMatrix m;
  EXPECT_EQ(ImportText(text, m), ResultCode::LowMemory);
}

TEST(OpenByName, ExtensionGivesTheMode) {
  struct Case {
    const char* path;
    std::optional<Mode> mode;
  } cases[] = {
      {"/home/u/a.fma", Mode::Real},   {"b.CMA", Mode::Complex},    {"c.Ima", Mode::Integer},
      {"notes.txt", std::nullopt},     {"noext", std::nullopt},     {"x.fmat", std::nullopt},
      {"x.fm", std::nullopt},          {"dir.fma/file", std::nullopt}, {".ima", Mode::Integer},
  };
  for (const Case& c : cases) EXPECT_EQ(ModeForPath(c.path), c.mode) << c.path;
}

TEST(ImportTable, SpreadsheetTexts) {
  struct Case {
    const char* text;
    bool table;
    char delimiter;
    bool header;
    int rows, cols;
    std::vector<long double> entries;
  } cases[] = {
      {"a,b,c\n1,2,3\n4,5,6\n", true, ',', true, 2, 3, {1, 2, 3, 4, 5, 6}},
      {"x\ty\r\n1.5e3\t-2E-2\r\n7\t\r\n", true, '\t', true, 2, 2, {1500, -0.02L, 7, 0}},
      {"1e3 2.5\n-3 +4\n", true, ' ', false, 2, 2, {1000, 2.5L, -3, 4}},
      {"\"v 1\";\"v 2\"\n1;2\n3\n", true, ';', true, 2, 2, {1, 2, 3, 0}},
      {"2012/07/25", false, ' ', false, 1, 3, {2012, 7, 25}},     // not a table: the Paste scanner
      {"x = 3, y = -2.5", false, ' ', false, 1, 2, {3, -2.5L}},
      {"1,2\nsum,3\n", false, ' ', false, 2, 2, {1, 2, 3, 0}},
  };
  for (const Case& c : cases) {
    ComplexMatrix m;
    TableImportInfo info;
    ASSERT_EQ(ImportTable(c.text, m, &info), ResultCode::Ok) << c.text;
    EXPECT_EQ(info.table, c.table) << c.text;
    EXPECT_EQ(info.delimiter, c.delimiter) << c.text;
    EXPECT_EQ(info.headerSkipped, c.header) << c.text;
    EXPECT_EQ(m.rows, c.rows) << c.text;
    EXPECT_EQ(m.cols, c.cols) << c.text;
    EXPECT_EQ(Entries(m), c.entries) << c.text;
  }
  ComplexMatrix m;
  ASSERT_EQ(ImportTable("inf,-nan\n", m), ResultCode::Ok);
  EXPECT_TRUE(std::isinf(m.entry(0).re));
  EXPECT_TRUE(std::isnan(m.entry(1).re));
  EXPECT_EQ(ImportTable("", m), ResultCode::CouldNotFind);
  EXPECT_EQ(ImportTable("only,words\nhere,too", m), ResultCode::InconsistentData);
}

}  // namespace
}  // namespace tavrin
