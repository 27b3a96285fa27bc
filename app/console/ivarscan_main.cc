#include "app/console/console_main.h"

int main(int argc, char** argv) { return ivarscan::RunConsole(argc, argv, ivarscan::kVariant25); }
