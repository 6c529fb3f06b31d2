#include <iostream>

#include "console/Console.h"

int main(int argc, char** argv) { return tavrin::RunConsole(argc, argv, std::cin, std::cout); }
