#pragma once

namespace tavrin::command_id {

// The menu command ids of the main frame and the matrix window, as their
// menu resources number them. The command table (CommandTable.h) says which
// command each one runs and when it is enabled.
enum : int {
  // Main frame.
  kOpen = 59,
  kPaste = 99,
  kHelpFile = 330,
  kHelpCalc = 331,
  kHelpView = 332,
  kHelpProgram = 354,
  kAbout = 355,
  kModeReal = 400,
  kModeComplex = 401,
  kModeInteger = 402,
  kNew = 500,
  kViewFirst = 501,  // View | A .. Z
  kViewLast = 526,
  kOneMatrixFirst = 531,  // One matrix | A .. Z
  kOneMatrixLast = 556,
  kFormula = 560,
  kLinearProgram = 616,
  kSolve = 617,
  kCalculate = 618,
  kEchelon = 619,
  kCopyColumn = 620,
  kWhiteBackgrounds = 628,
  kRotate2D = 630,
  kRotate3D = 631,
  kReflectProject = 632,
  kUnimodular = 633,
  kIntegerRotate3D = 634,
  kOperations = 662,
  kExit = 24310,

  // Matrix window.
  kSave = 57,
  kSaveAs = 58,
  kFontEntry = 60,
  kFontText = 66,
  kNotes = 75,
  kHyphen = 92,
  kUndo = 98,
  kFormat = 105,
  kBackground = 200,
  kHighlight = 204,
  kBorder = 209,
  kBitmap = 310,
  kShiftLeft = 322,
  kShiftRight = 323,
  kShiftDown = 324,
  kShiftUp = 325,
  kHelpMatrixFile = 330,  // the matrix window's three help items
  kHelpMatrixEdit = 331,
  kHelpMatrixMisc = 332,
  kClose = 357,
  kColByCol = 601,
  kTextOut = 603,
  kDimensions = 604,
  kRemoveRows = 607,
  kRemoveColumns = 608,
  kExchangeColumns = 609,
  kExchangeRows = 610,
  kInsertRow = 611,
  kInsertColumn = 612,
  kTexMatrix = 622,
  kTexTable = 623,
  kLatexArray = 624,
  kLatexTabular = 625,
  kSteps = 690,
  kSaveSteps = 691,
  kCopySteps = 692,
  kCopyAsFirst = 700,  // Copy as | one item per kind
  kCopyBlock = 720,
  kPasteBlock = 721,
  kRedo = 722,
};

}  // namespace tavrin::command_id
