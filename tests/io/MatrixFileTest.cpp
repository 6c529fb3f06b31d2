#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <random>

#include "Scratch.h"
#include "io/AtomicFile.h"
#include "io/Extended80.h"
#include "io/MatrixFile.h"

// The replacement below pairs malloc with free on purpose.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

// Largest single operator-new request while a read is being watched.
static size_t g_largestRequest = 0;
static bool g_watching = false;
void* operator new(size_t n) {
  if (g_watching && n > g_largestRequest) g_largestRequest = n;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace tavrin {
namespace {

// An independent writer of the file layout: every value is put at its
// offset from the section tables, not through the program's writer.
constexpr size_t A = 0, B = 80, C = 760, D = 828, E = 858, F = 970, G = 1050;

struct Image {
  std::string b;
  // v's n low bytes, least significant first, at off; the image grows as needed.
  void Put(size_t off, uint64_t v, size_t n) {
    if (b.size() < off + n) b.resize(off + n, '\0');
    for (size_t k = 0; k < n; ++k) b[off + k] = static_cast<char>(k < 8 ? v >> (8 * k) : 0);
  }
  void I32(size_t off, int32_t v) { Put(off, static_cast<uint32_t>(v), 4); }
  void U16(size_t off, uint16_t v) { Put(off, v, 2); }
  void U8(size_t off, uint8_t v) { Put(off, v, 1); }
  void Text(size_t off, const std::string& s) {
    for (size_t k = 0; k < s.size(); ++k) U8(off + k, static_cast<uint8_t>(s[k]));
  }
  void Real(size_t off, long double x) {  // the x87 memory image itself
    Put(off, 0, 10);
    std::memcpy(&b[off], &x, 10);
  }
};

// Sections A to F of a file as a new window A (letter 1) would write them.
Image Appearance(int32_t version, int32_t kind, int32_t rows, int32_t cols) {
  Image im;
  im.b.assign(G, '\0');
  // Section A word by word: type, version, left, top, width, height, ...,
  // layout (-1/2.54 x 100 first), the marker pair and word 19.
  const int32_t words[20] = {441, version, 11, 22, 333, 244, 0, 0, 28, -39, 300, 100, 100, 0, 0, 10, 15,
                             19451947, 19471945, 1};
  for (int k = 0; k < 20; ++k) im.I32(A + 4 * k, words[k]);
  const int points[10] = {12, 10, 10, 8, 12, 10, 10, 10, 10, 10};
  const char* faces[10] = {"Courier New", "Symbol", "Courier New", "Courier New", "Times",
                           "Times", "Courier New", "Courier New", "Courier New", "Courier New"};
  for (int k = 0; k < 10; ++k) {
    size_t lf = B + 40 + 60 * k;
    im.I32(B + 4 * k, points[k]);
    im.I32(lf + 0, -(points[k] * 96 / 72));
    im.I32(lf + 16, 400);
    im.U8(lf + 23, k == 1 ? 2 : 0);            // character set
    im.U8(lf + 24, 8);                          // output precision
    im.U8(lf + 25, 2);                          // clip precision
    im.U8(lf + 26, 1);                          // quality
    im.U8(lf + 27, k == 0 ? 0x31 : (k == 4 || k == 5) ? 2 : 0);
    im.Text(lf + 28, faces[k]);
  }
  for (int k = 0; k < 15; ++k) im.U16(D + 2 * k, 19);
  im.U16(D + 0, 1);  // background: letter A
  im.U16(D + 8, 0);  // highlight
  im.U16(D + 18, 0); // border
  const int rgb[28][3] = {{0, 0, 0},       {126, 222, 255}, {255, 204, 204}, {255, 126, 222}, {255, 222, 126},
                          {222, 255, 126}, {126, 255, 222}, {255, 255, 191}, {255, 191, 255}, {191, 255, 255},
                          {255, 255, 222}, {255, 222, 255}, {222, 255, 255}, {177, 222, 212}, {177, 212, 222},
                          {212, 177, 222}, {212, 222, 177}, {222, 177, 212}, {222, 212, 177}, {191, 241, 222},
                          {191, 222, 241}, {222, 241, 191}, {222, 191, 241}, {241, 222, 191}, {241, 191, 222},
                          {255, 150, 234}, {150, 234, 255}, {255, 255, 255}};
  for (int k = 0; k < 28; ++k) im.Put(E + 4 * k, rgb[k][0] | rgb[k][1] << 8 | rgb[k][2] << 16, 3);
  im.I32(F + 0, rows);
  im.I32(F + 4, cols);
  im.I32(F + 8, kind);
  im.I32(F + 16, 9);  // width
  im.I32(F + 20, 3);  // places
  im.I32(F + 52, 1);  // notebook follows
  return im;
}

void AddNotebook(Image& im, const std::string& text) {
  size_t off = im.b.size();
  im.U16(off, static_cast<uint16_t>(text.size() + 1));
  im.Text(off + 2, text);
  im.U8(off + 2 + text.size(), 0);
}

MatrixFileData NewWindowData(MatrixKind kind, int rows, int cols) {
  MatrixFileData d;
  d.kind = kind;
  d.appearance = WindowAppearance::ForNewWindow(1);
  d.complex = ComplexMatrix(rows, cols);
  d.integer = IntegerMatrix(rows, cols);
  return d;
}

bool SameBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }

TEST(MatrixFile, ReadsIndependentRealImageAndWritesItBack) {
  Image im = Appearance(2, 0, 2, 3);
  const long double values[6] = {1.5L, -2.25L, 1.0L / 3.0L, 0.0L, 1e300L, -7.0L};
  for (int k = 0; k < 6; ++k) im.Real(G + 10 * k, values[k]);
  AddNotebook(im, "random (0,1)");
  ASSERT_EQ(im.b.size(), 80u + 40 + 600 + 40 + 68 + 30 + 112 + 80 + 10 * 6 + 2 + 13);

  MatrixFileData d = NewWindowData(MatrixKind::Real, 3, 3);
  d.appearance.left = 999;
  ASSERT_EQ(ReadMatrixBytes(im.b, MatrixKind::Real, d), ResultCode::Ok);
  EXPECT_EQ(d.complex.rows, 2);
  EXPECT_EQ(d.complex.cols, 3);
  for (int k = 0; k < 6; ++k) {
    EXPECT_TRUE(SameBits(d.complex.e()[k].re, values[k])) << k;
    EXPECT_EQ(d.complex.e()[k].im, 0.0L);
  }
  EXPECT_EQ(d.format.width, 9);
  EXPECT_EQ(d.format.places, 3);
  EXPECT_FALSE(d.format.scientific);
  EXPECT_EQ(d.notebook, "random (0,1)");
  EXPECT_EQ(d.appearance.left, 11);
  EXPECT_EQ(d.appearance.height, 244);
  EXPECT_EQ(d.appearance.fonts[0].Face(), "Courier New");
  EXPECT_EQ(d.appearance.fonts[0].height, -16);
  EXPECT_EQ(d.appearance.Background(), Rgb(126, 222, 255));
  EXPECT_NEAR(static_cast<double>(d.appearance.layout[1]), 3.0, 1e-15);
  // Writing the read data gives the same bytes, and a new window A writes the same appearance.
  EXPECT_EQ(MatrixFileBytes(d), im.b);
  MatrixFileData fresh = NewWindowData(MatrixKind::Real, 2, 3);
  fresh.appearance.left = 11, fresh.appearance.top = 22, fresh.appearance.width = 333, fresh.appearance.height = 244;
  fresh.complex = d.complex;
  fresh.format.width = 9, fresh.format.places = 3;
  fresh.notebook = "random (0,1)";
  EXPECT_EQ(MatrixFileBytes(fresh), im.b);
}

TEST(MatrixFile, IntegerLayoutOf12345) {
  MatrixFileData d = NewWindowData(MatrixKind::Integer, 1, 1);
  d.integer.e[0] = BigInteger(12345);
  d.integer.denominator = BigInteger(1);
  std::string bytes = MatrixFileBytes(d);
  const unsigned char expected[] = {1, 0, 0, 0, 0, 0x29, 0x09, 1, 0,  // t=1, +, 2345, 1
                                    0, 0, 0, 0, 0, 1, 0,              // t=0, +, 1
                                    1, 0, 0};                         // empty notebook
  ASSERT_EQ(bytes.size(), G + sizeof expected);
  EXPECT_EQ(bytes.substr(G), std::string(reinterpret_cast<const char*>(expected), sizeof expected));
  EXPECT_EQ(bytes.substr(F + 8, 4), std::string("\x05\0\0\0", 4));

  Image im = Appearance(2, 5, 1, 2);
  size_t off = G;
  auto bigint = [&](int32_t t, uint8_t sign, std::initializer_list<uint16_t> limbs) {
    im.I32(off, t);
    im.U8(off + 4, sign);
    off += 5;
    for (uint16_t l : limbs) im.U16(off, l), off += 2;
  };
  bigint(2, 1, {8901, 4567, 123});  // -12345678901
  bigint(0, 0, {0});
  bigint(0, 0, {7});
  AddNotebook(im, "");
  MatrixFileData r = NewWindowData(MatrixKind::Integer, 3, 3);
  ASSERT_EQ(ReadMatrixBytes(im.b, MatrixKind::Integer, r), ResultCode::Ok);
  EXPECT_EQ(r.integer.e[0].ToString(), "-12345678901");
  EXPECT_TRUE(r.integer.e[1].IsZero());
  EXPECT_EQ(r.integer.denominator.ToString(), "7");
  EXPECT_EQ(MatrixFileBytes(r), im.b);
}

TEST(MatrixFile, EmptyNotebookAndSizes) {
  MatrixFileData d = NewWindowData(MatrixKind::Real, 4, 5);
  std::string bytes = MatrixFileBytes(d);
  EXPECT_EQ(bytes.size(), 80u + 40 + 600 + 40 + 68 + 30 + 112 + 80 + 10 * 20 + 2 + 1);
  EXPECT_EQ(bytes.substr(bytes.size() - 3), std::string("\x01\x00\x00", 3));
  d.kind = MatrixKind::Complex;
  EXPECT_EQ(MatrixFileBytes(d).size(), G + 20u * 20 + 3);
  d.notebook = std::string(70000, 'x');  // kept to the notebook's 64000 characters
  EXPECT_EQ(MatrixFileBytes(d).size(), G + 20u * 20 + 2 + 64001);
}

TEST(MatrixFile, ComplexRoundTripIsExactToTheBit) {
  const long double specials[] = {1.0L / 3.0L, -std::acos(-1.0L), LDBL_MAX, -LDBL_MIN, LDBL_TRUE_MIN,
                                  -0.0L, std::numeric_limits<long double>::infinity(), 1e-4000L};
  MatrixFileData d = NewWindowData(MatrixKind::Complex, 2, 4);
  for (int k = 0; k < 8; ++k) d.complex.e()[k] = Complex(specials[k], specials[7 - k]);
  std::string bytes = MatrixFileBytes(d);
  for (int k = 0; k < 8; ++k) {  // the file holds the x87 images
    long double re = specials[k], im = specials[7 - k];
    EXPECT_EQ(std::memcmp(bytes.data() + G + 20 * k, &re, 10), 0) << k;
    EXPECT_EQ(std::memcmp(bytes.data() + G + 20 * k + 10, &im, 10), 0) << k;
  }
  MatrixFileData r = NewWindowData(MatrixKind::Complex, 1, 1);
  ASSERT_EQ(ReadMatrixBytes(bytes, MatrixKind::Complex, r), ResultCode::Ok);
  for (int k = 0; k < 8; ++k) {
    EXPECT_TRUE(SameBits(r.complex.e()[k].re, specials[k])) << k;
    EXPECT_TRUE(SameBits(r.complex.e()[k].im, specials[7 - k])) << k;
  }
  EXPECT_EQ(MatrixFileBytes(r), bytes);
}

TEST(Extended80, ConverterMatchesTheHardwareImage) {
  std::mt19937_64 rng(7);
  for (int k = 0; k < 20000; ++k) {
    uint64_t bits = rng();
    double dv;
    std::memcpy(&dv, &bits, 8);
    long double x = std::isnan(dv) ? 1.0L : static_cast<long double>(dv) * (1.0L + 1.0L / (1 + (rng() % 1000)));
    if (k % 3 == 0) x = std::ldexp(x, static_cast<int>(rng() % 32000) - 16000);
    uint8_t out[10];
    Extended80ToBytes(x, out);
    ASSERT_EQ(std::memcmp(out, &x, 10), 0) << k;
    ASSERT_TRUE(SameBits(Extended80FromBytes(out), x));
  }
  // An unnormal (integer bit clear, exponent set) is no number.
  const uint8_t unnormal[10] = {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F};
  EXPECT_TRUE(std::isnan(Extended80FromBytes(unnormal)));
}

TEST(MatrixFile, RefusalsGiveCode11AndAZeroMatrix) {
  auto image = [](int32_t type, int32_t version, int32_t kind) {
    Image im = Appearance(version, kind, 1, 2);
    im.I32(A, type);
    im.Real(G, 5.0L);
    im.Real(G + 10, 6.0L);
    if (kind == 3) im.b.resize(G + 40, '\0');
    AddNotebook(im, "n");
    return im.b;
  };
  struct Case {
    const char* what;
    std::string bytes;
    MatrixKind expected;
  } cases[] = {
      {"type 440", image(440, 2, 0), MatrixKind::Real}, {"version 3", image(441, 3, 0), MatrixKind::Real},
      {"version 0", image(441, 0, 0), MatrixKind::Real}, {"kind 4", image(441, 2, 4), MatrixKind::Real},
      {"complex file in real mode", image(441, 2, 3), MatrixKind::Real},
      {"real file in integer mode", image(441, 2, 0), MatrixKind::Integer},
      {"truncated entries", image(441, 2, 0).substr(0, G + 15), MatrixKind::Real},
      {"empty", std::string(), MatrixKind::Real},
  };
  for (const Case& c : cases) {
    MatrixFileData d = NewWindowData(c.expected, 2, 2);
    d.complex.e()[0] = Complex(9);
    d.integer.e[0] = BigInteger(9);
    d.notebook = "before";
    WindowAppearance before = d.appearance;
    EXPECT_EQ(ReadMatrixBytes(c.bytes, c.expected, d), ResultCode::CannotOpenFile) << c.what;
    EXPECT_EQ(d.kind, c.expected) << c.what;
    if (c.expected == MatrixKind::Integer) {
      EXPECT_EQ(d.integer, IntegerMatrix(2, 2)) << c.what;
    } else {
      EXPECT_EQ(d.complex, ComplexMatrix(2, 2)) << c.what;
    }
    EXPECT_EQ(d.notebook, "before") << c.what;
    EXPECT_EQ(d.appearance.left, before.left) << c.what;
  }
  // Version 1 is still read.
  MatrixFileData d = NewWindowData(MatrixKind::Real, 1, 1);
  EXPECT_EQ(ReadMatrixBytes(image(441, 1, 0), MatrixKind::Real, d), ResultCode::Ok);
  EXPECT_EQ(d.version, 1);
  EXPECT_EQ(d.complex.e()[1].re, 6.0L);
  MatrixFileData missing = NewWindowData(MatrixKind::Real, 2, 2);
  EXPECT_EQ(ReadMatrixFile("/nonexistent/dir/x.fma", MatrixKind::Real, missing), ResultCode::CannotOpenFile);
}

TEST(MatrixFile, WindowRecordValues) {
  Image im = Appearance(2, 0, 1, 1);
  im.I32(A + 36, 0);            // zero first layout value reads as -1/2.54
  im.I32(A + 40, -250);
  im.I32(F + 36, 1);            // scientific
  im.Real(G, 1.0L);
  AddNotebook(im, "");
  MatrixFileData d = NewWindowData(MatrixKind::Real, 1, 1);
  ASSERT_EQ(ReadMatrixBytes(im.b, MatrixKind::Real, d), ResultCode::Ok);
  EXPECT_EQ(d.appearance.layout[0], -1.0L / 2.54L);
  EXPECT_EQ(d.appearance.layout[1], -2.5L);
  EXPECT_TRUE(d.format.scientific);

  // A broken marker pair leaves the window's palette alone; a longer palette section is skipped over.
  Image bad = Appearance(2, 0, 1, 1);
  bad.I32(A + 72, 1);
  bad.I32(E, 0x123456);
  bad.Real(G, 2.0L);
  AddNotebook(bad, "");
  d = NewWindowData(MatrixKind::Real, 1, 1);
  ASSERT_EQ(ReadMatrixBytes(bad.b, MatrixKind::Real, d), ResultCode::Ok);
  EXPECT_EQ(d.appearance.palette[0], 0u);
  Image longer = Appearance(2, 0, 1, 1);
  longer.I32(A + 32, 30);
  longer.b.insert(F, std::string("\x11\x22\x33\x00\x44\x55\x66\x00", 8));
  longer.I32(E, 0x0A0B0C);
  longer.Real(G + 8, 3.0L);
  AddNotebook(longer, "x");
  d = NewWindowData(MatrixKind::Real, 1, 1);
  ASSERT_EQ(ReadMatrixBytes(longer.b, MatrixKind::Real, d), ResultCode::Ok);
  EXPECT_EQ(d.appearance.palette[0], 0x0A0B0Cu);
  EXPECT_EQ(d.complex.e()[0].re, 3.0L);
  EXPECT_EQ(d.notebook, "x");

  struct Rounding {
    long double value;
    int32_t word;
  } rounding[] = {{-1.0L / 2.54L, -39}, {0.125L, 12}, {-0.126L, -13}, {0.135L, 14}, {3e7L, 2147483647},
                  {-3e7L, -2147483647}, {1.0L, 100}};
  for (const Rounding& r : rounding) EXPECT_EQ(LayoutWord(r.value), r.word) << static_cast<double>(r.value);
}

class FileTest : public ::testing::Test {
 protected:
  void TearDown() override { SetWriteHook(nullptr); }
  std::string Path(const char* name) const { return scratch_ / name; }
  size_t FilesInDir() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(scratch_.dir), {}));
  }
  Scratch scratch_;
};

TEST_F(FileTest, FailedSaveKeepsTheOldFile) {
  const std::string path = Path("mat1.fma");
  MatrixFileData d = NewWindowData(MatrixKind::Real, 2, 2);
  d.complex.e()[0] = Complex(1);
  ASSERT_EQ(WriteMatrixFile(path, d), ResultCode::Ok);
  std::string old;
  ASSERT_TRUE(ReadWholeFile(path, old));
  d.complex.e()[0] = Complex(2);
  for (WriteStage stage : {WriteStage::Create, WriteStage::Write, WriteStage::Flush, WriteStage::Rename}) {
    SetWriteHook([stage](WriteStage s) { return s != stage; });
    EXPECT_EQ(WriteMatrixFile(path, d), ResultCode::CannotSaveFile);
    std::string now;
    ASSERT_TRUE(ReadWholeFile(path, now));
    EXPECT_EQ(now, old);
    EXPECT_EQ(FilesInDir(), 1u);  // no temporary file left behind
  }
  SetWriteHook(nullptr);
  ASSERT_EQ(WriteMatrixFile(path, d), ResultCode::Ok);
  MatrixFileData r = NewWindowData(MatrixKind::Real, 1, 1);
  ASSERT_EQ(ReadMatrixFile(path, MatrixKind::Real, r), ResultCode::Ok);
  EXPECT_EQ(r.complex.entry(0).re, 2.0L);
  EXPECT_EQ(FilesInDir(), 1u);

  // A folder that is really a file cannot take the file at all.
  std::ofstream(Path("plain")) << "x";
  EXPECT_EQ(WriteMatrixFile(Path("plain") + "/mat.fma", d), ResultCode::CannotSaveFile);
  EXPECT_FALSE(WriteFileAtomically("", "x"));
}

TEST_F(FileTest, ReadOnlyFilesAreNotReplaced) {
  const std::string path = Path("mat1.fma");
  ASSERT_TRUE(WriteFileAtomically(path, "old"));
  struct Case {
    std::filesystem::perms perms;
    bool replaced;
  } cases[] = {{std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                    std::filesystem::perms::others_read,
                false},
               {std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, true}};
  for (const Case& c : cases) {
    std::filesystem::permissions(path, c.perms);
    EXPECT_EQ(WriteMatrixFile(path, NewWindowData(MatrixKind::Real, 1, 1)), c.replaced ? ResultCode::Ok : ResultCode::CannotSaveFile);
    std::string now;
    ASSERT_TRUE(ReadWholeFile(path, now));
    EXPECT_EQ(now == "old", !c.replaced);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all, c.perms);
    EXPECT_EQ(FilesInDir(), 1u);
  }
}

TEST_F(FileTest, StaleTemporariesOfTheSameFileAreCleared) {
  const char* stale[] = {".mat1.fma.tmp-AbC123", ".mat1.fma.tmp-zzzzzz"};
  const char* kept[] = {".mat2.fma.tmp-AbC123", ".mat1.fma.tmp-short", "mat1.fma.tmp-AbC123", ".mat1.fma.tmp-AbC1234"};
  for (const char* name : stale) std::ofstream(Path(name)) << std::string(1000, 'x');
  for (const char* name : kept) std::ofstream(Path(name)) << "x";
  ASSERT_TRUE(WriteFileAtomically(Path("mat1.fma"), "new"));
  for (const char* name : stale) EXPECT_FALSE(std::filesystem::exists(Path(name))) << name;
  for (const char* name : kept) EXPECT_TRUE(std::filesystem::exists(Path(name))) << name;
  EXPECT_EQ(FilesInDir(), 5u);
}

TEST_F(FileTest, SavingThroughALinkReplacesTheTarget) {
  ASSERT_TRUE(WriteFileAtomically(Path("target.txt"), "old"));
  std::filesystem::create_symlink(Path("target.txt"), Path("link.txt"));
  ASSERT_TRUE(WriteFileAtomically(Path("link.txt"), "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.txt")));
  std::string text;
  ASSERT_TRUE(ReadWholeFile(Path("target.txt"), text));
  EXPECT_EQ(text, "new");
}

// Random damage never crashes the reader, never makes it allocate more than
// the file could hold, and a refusal always leaves a zero matrix.
TEST(MatrixFile, SurvivesRandomDamage) {
  MatrixFileData base = NewWindowData(MatrixKind::Integer, 2, 2);
  base.integer.e = {BigInteger(12345), BigInteger(-7), BigInteger(0), BigInteger(99999999)};
  base.integer.denominator = BigInteger(3);
  base.notebook = "notes";
  MatrixFileData cbase = NewWindowData(MatrixKind::Complex, 2, 2);
  cbase.complex.e() = {Complex(1, 2), Complex(3, 4), Complex(5, 6), Complex(7, 8)};
  const std::string files[2] = {MatrixFileBytes(base), MatrixFileBytes(cbase)};
  const MatrixKind kinds[2] = {MatrixKind::Integer, MatrixKind::Complex};
  const size_t hot[] = {A + 4, A + 32, F, F + 4, F + 8, F + 16, F + 20, F + 52, G, G + 5};
  std::mt19937 rng(20240611);
  int accepted = 0;
  for (int n = 0; n < 10000; ++n) {
    int which = n % 2;
    std::string bytes = files[which];
    switch (rng() % 4) {
      case 0:
        for (int k = 0, flips = 1 + rng() % 4; k < flips; ++k) bytes[rng() % bytes.size()] ^= static_cast<char>(1 << (rng() % 8));
        break;
      case 1:
        bytes.resize(rng() % bytes.size());
        break;
      case 2: {
        size_t off = hot[rng() % std::size(hot)];
        uint32_t v = rng() % 2 ? 0x7FFFFFFFu : static_cast<uint32_t>(rng());
        for (int k = 0; k < 4; ++k) bytes[off + k] = static_cast<char>(v >> (8 * k));
        break;
      }
      default:
        bytes[bytes.size() - 1 - rng() % 40] = static_cast<char>(rng());
        break;
    }
    MatrixFileData d = NewWindowData(kinds[which], 2, 2);
    g_largestRequest = 0;
    g_watching = true;
    ResultCode rc = ReadMatrixBytes(bytes, kinds[which], d);
    g_watching = false;
    ASSERT_LE(g_largestRequest, 64 * bytes.size() + 4096) << n;
    ASSERT_TRUE(rc == ResultCode::Ok || rc == ResultCode::CannotOpenFile) << n;
    if (rc == ResultCode::Ok) {
      ++accepted;
    } else if (which == 0) {
      ASSERT_EQ(d.integer, IntegerMatrix(2, 2));
    } else {
      ASSERT_EQ(d.complex, ComplexMatrix(2, 2));
    }
  }
  EXPECT_GT(accepted, 0);
}


TEST_F(FileTest, LongNamesAreSavedToo) {
  const std::string path = Path("") + std::string(250, 'n') + ".tex";
  ASSERT_TRUE(WriteFileAtomically(path, "\\matrix{\r\n}\r\n"));
  std::string back;
  ASSERT_TRUE(ReadWholeFile(path, back));
  EXPECT_EQ(back, "\\matrix{\r\n}\r\n");
  EXPECT_EQ(FilesInDir(), 1u);
}
}  // namespace
}  // namespace tavrin
