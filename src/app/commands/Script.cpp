#include "app/commands/Script.h"

#include <cstdlib>

#include "app/commands/CommandLine.h"
#include "app/commands/CommandTable.h"
#include "core/Random.h"

namespace tavrin {

ResultCode SeedLine(Application& app, CommandLine& line) {
  if (line.size() != 2) return line.Usage();
  app.random().Seed(static_cast<uint32_t>(std::strtoul(line[1].c_str(), nullptr, 10)));
  return ResultCode::Ok;
}

ResultCode AnswerLine(Application&, CommandLine& line) {
  const std::string a = line.size() == 2 ? line.Lower(1) : "";
  if (a == "yes") line.setAnswer(Answer::Yes);
  else if (a == "no") line.setAnswer(Answer::No);
  else if (a == "cancel") line.setAnswer(Answer::Cancel);
  else return line.Usage();
  return ResultCode::Ok;
}

ResultCode EchoLine(Application&, CommandLine& line) {
  line.out << line.Rest(1) << "\n";
  return ResultCode::Ok;
}

ResultCode HelpLine(Application&, CommandLine& line) {
  line.out << HelpText();
  return ResultCode::Ok;
}

ResultCode QuitLine(Application&, CommandLine& line) {
  line.quit = true;
  return ResultCode::Ok;
}

}  // namespace tavrin
