#pragma once
#include <string>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;
struct TexOptions;

// Open: code 4 before any dialog when no letter is free or hidden; then
// the path chosen through the port (or given) is read into a new letter of
// the current mode (11 when it cannot be read; nothing is stored).
ResultCode Open(Application& app, const std::string& path = std::string());
// Dropped or handed-over files and the console's `open`: the extension
// (.fma/.cma/.ima, either case) chooses the workspace; anything else is
// ignored silently (Stopped).
ResultCode OpenByName(Application& app, const std::string& path);
// Paste: a real matrix from text (code 2 empty, 6 no numbers).
ResultCode Paste(Application& app, const std::string& text);
// Save (path empty: the document's file name, else a save dialog) and Save
// As (saveAs: always ask, or use path when given; an existing file asks
// "overwrite existing file?"). Code 12 when the file cannot be written.
ResultCode Save(Application& app, MatrixDocument& doc, const std::string& path = std::string(), bool saveAs = false);
// TeX and LaTeX export of a document to path: the overwrite question when
// the file exists (unless the caller asked it already), then "TeX file
// saved". form: 0 TeX matrix, 1 TeX table, 2 LaTeX array, 3 LaTeX tabular.
// Code 12 when it cannot be written.
ResultCode ExportTex(Application& app, const MatrixDocument& doc, const std::string& path, int form,
                     const TexOptions& options, bool askOverwrite = true);
// The close questions: "do you want Save requests?", then per modified
// window "save changes to <name>". False when Cancel stopped the close, or
// when a save asked for was cancelled or failed.
bool RequestClose(Application& app);

// Console: `open PATH`, `save L [PATH]`, `tex L PATH FORM [options]`,
// `paste` (then lines up to ".").
ResultCode OpenLine(Application& app, CommandLine& line);
ResultCode SaveLine(Application& app, CommandLine& line);
ResultCode TexLine(Application& app, CommandLine& line);
ResultCode PasteLine(Application& app, CommandLine& line);

}  // namespace tavrin
