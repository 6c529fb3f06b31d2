#include <cmath>
#include <cstring>

#include "lang/FormulaEngine.h"

namespace tavrin {

namespace {
struct SlotInit {
  int slot;
  const char* name;
  int code;
};
constexpr SlotInit kInit[] = {
    {0, "!", 33},          {1, "ARCTAN", 128},   {2, "ATN", 128},      {3, "TAN", 129},
    {4, "COS", 130},       {5, "EXP", 131},      {6, "FACT", 132},     {7, "INT", 133},
    {8, "SINH", 134},      {9, "COSH", 135},     {10, "TANH", 136},    {11, "ARCCOS", 137},
    {12, "LN", 138},       {13, "ABS", 139},     {14, "ARCSIN", 140},  {15, "SIN", 142},
    {16, "SEC", 143},      {17, "CSC", 144},     {18, "COT", 145},     {19, "ARG", 147},
    {20, "SGN", 148},      {21, "FRAC", 149},    {22, "LOG", 150},     {23, "ITER", 151},
    {24, "ROOT", 152},     {25, "MAX", 153},     {26, "MIN", 154},     {27, "SECH", 155},
    {28, "COTH", 156},     {29, "CSCH", 157},    {30, "POW", 158},     {31, "BINOM", 159},
    {32, "SUM", 161},      {33, "PROD", 162},    {34, "RAND", 163},    {35, "RND", 163},
    {36, "RANDOM", 163},   {39, "GAMMA", 169},   {40, "CIS", 170},     {41, "RE", 171},
    {42, "IM", 172},       {43, "CONJ", 173},    {45, "NINF", 175},    {46, "PINF", 176},
    {47, "CHI", 177},      {48, "JOINX", 180},   {49, "JOINT", 181},   {50, "JOINR", 182},
    {51, "JOINU", 183},    {52, "FLOOR", 195},   {53, "CEIL", 196},    {54, "MOD", 208},
    {55, "GCD", 209},      {56, "ARGSINH", 210}, {57, "ARGCOSH", 211}, {58, "ARGTANH", 212},
    {59, "ARGCOTH", 213},  {60, "ARCCOT", 214},  {61, "LG", 215},      {62, "PI", 227},
    {63, "PHI", 232},      {64, "SQR", 251},     {65, "SQRT", 251},    {66, "DEG", 255},
    {67, "POWER", 158},
};
}  // namespace

KeywordTable::KeywordTable() {
  for (const SlotInit& s : kInit) {
    std::strncpy(slots_[s.slot].name, s.name, sizeof slots_[s.slot].name - 1);
    slots_[s.slot].code = static_cast<int16_t>(s.code);
  }
}

int KeywordTable::Lookup(std::string_view word, bool complexSwitch) const {
  if (word.empty()) return 0;
  for (int i = 0; i < kSlots; ++i) {
    const Slot& s = slots_[i];
    if (s.name[0] == 0) continue;
    if (word != std::string_view(s.name)) continue;
    if (!complexSwitch && (i == 41 || i == 42 || i == 43)) continue;
    return s.code;
  }
  return 0;
}

FormulaClasses::FormulaClasses() {
  for (int c = 64; c <= 90; ++c) letter[c] = true;
  for (int c : {151, 152, 158, 159, 191, 215}) twoArgument[c] = true;
  for (int c : {153, 154, 180, 181, 182, 183, 190, 193, 194, 208, 209}) list[c] = true;
  for (int c : {42, 43, 45, 47, 94, 124, 161, 162, 220, 221}) binaryOperator[c] = true;
  for (int c = 0; c < 256; ++c)
    if (twoArgument[c] || list[c]) binaryOperator[c] = true;
  for (int c = 128; c < 256; ++c)
    if (c != 161 && c != 162 && c != 220 && c != 221 && !twoArgument[c] && !list[c])
      oneArgument[c] = true;
  for (int c = 0; c < 256; ++c) {
    operatorContext[c] = binaryOperator[c];
    operandStart[c] = letter[c] || oneArgument[c];
    permitted[c] = letter[c] || binaryOperator[c] || oneArgument[c];
  }
  operatorContext[fcode::kMarker] = operatorContext[fcode::kNegate] = operatorContext['('] = true;
  operandStart[fcode::kNumber] = operandStart['('] = true;
  for (int c : {33, 40, 41, 44, 46}) permitted[c] = true;
  for (int c = '0'; c <= '9'; ++c) permitted[c] = true;
}

const FormulaClasses& Classes() {
  static const FormulaClasses classes;
  return classes;
}

FormulaNode::~FormulaNode() = default;

FormulaEngine::FormulaEngine() { variable('E') = Complex(std::exp(1.0L), 0.0L); }

void FormulaEngine::SetComplexSwitch(bool on) {
  complex_ = on;
  if (on) variable('I') = Complex(0.0L, 1.0L);
}

void FreeFormulaTree(std::unique_ptr<FormulaNode>& root) { root.reset(); }

}  // namespace tavrin
