#include "ui/main_window/application.h"

int main(int argc, char* argv[]) { return vintrel::ui::runProgram(argc, argv); }
