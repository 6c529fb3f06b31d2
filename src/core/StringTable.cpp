#include "core/StringTable.h"

#include <unordered_map>

namespace tavrin {

namespace {

const std::unordered_map<int, const char*>& Table() {
  static const std::unordered_map<int, const char*> table = {
      {2, "careful!"},
      {13, "overwrite existing file?"},
      {32, "Matrix files (*.FMA)|*.fma"},
      {33, "Matrix files (*.CMA)|*.cma"},
      {34, "Matrix files (*.IMA)|*.ima"},
      {62, "hmm ..."},
      {63, "text-window font"},
      {104, "background"},
      {105, "border color"},
      {106, "highlight entry"},
      {107, "border font"},
      {108, "matrix-entry font"},
      {109, "text-window font"},
      // labels, titles and notebook descriptions
      {201, "determinant"},
      {202, "trace"},
      {203, "rank"},
      {204, "do you want Save requests?"},
      {205, "maximize"},
      {206, "minimize"},
      {207, "solution column"},
      {208, "step"},
      {209, "characteristic polynomial"},
      {210, "coefficient"},
      {211, "roots"},
      {212, "degree"},
      {213, "save changes to "},
      {214, "linear program data"},
      {215, "zeros"},
      {216, "random"},
      {217, "diagonal"},
      {218, "probability rows"},
      {219, "probability columns"},
      {220, "projection"},
      {221, "reflection"},
      {222, "solution"},
      {223, "kernel basis"},
      {224, "column"},
      {225, "rotation"},
      {226, " 2D"},
      {227, "multiplicity"},
      {228, "echelon form"},
      {229, " 3D"},
      {230, "real"},
      {231, "complex"},
      {232, "integer"},
      {233, "random unimodular"},
      {234, "new matrix"},
      {235, "operations"},
      {236, "calculations for M"},
      {237, "2D rotation"},
      {238, "3D rotation"},
      {239, "projection | reflection"},
      {240, "unimodular"},
      {241, "formula"},
      // general conditions: code c is string 400 + c
      {401, "cannot understand"},
      {402, "could not find"},
      {403, "low memory...trouble!"},
      {404, "no more room"},
      {405, "not available"},
      {406, "inconsistent data"},
      {407, "not implemented"},
      {408, "no data"},
      {409, "nothing to do"},
      {410, "nothing to show"},
      {411, "cannot open file"},
      {412, "cannot save file"},
      {413, "overwrite existing file?"},
      {414, "positive value?"},
      {415, "negative value?"},
      {416, "zero value?"},
      {417, "out of bounds"},
      {418, "value expected"},
      {419, "text too long"},
      {420, "too large"},
      {421, "too small"},
      {422, "cannot print"},
      {423, "no printer"},
      {424, "clipboard empty"},
      {425, "need at least one"},
      {426, "not possible"},
      // calculation conditions
      {501, "could not calculate"},
      {502, "not a matrix"},
      {503, "imcompatible"},
      {504, "not square"},
      {505, "not a column vector"},
      {506, "not a row vector"},
      {507, "no feasible vectors"},
      {508, "matrix not found"},
      {509, "integer expected"},
      {510, "Pythagorean data expected"},
      {511, "editing in progress"},
      {512, "unbounded objective"},  // next to 507, for the same dialog
      // caption prompts of long work
      {601, "press Q to quit"},
      {602, "busy -- please wait"},
      {603, "press S to stop"},
      {604, "saving ..."},
      {605, "printing ..."},
      {606, "reading ..."},
      {607, "calculating ..."},
      {608, "press Q to quit printing"},
      {609, "press Esc to quit"},
      {610, "one moment please"},
      {611, "Esc cancels autofeed"},
      {999, "MATICON"},
  };
  return table;
}

}  // namespace

const char* String(int id) {
  const auto& table = Table();
  auto it = table.find(id);
  return it == table.end() ? "" : it->second;
}

std::string CodeMessage(ResultCode code) { return String(400 + CodeNumber(code)); }

}  // namespace tavrin
