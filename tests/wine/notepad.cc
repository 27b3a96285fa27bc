// Stand-in for the system's text editor, put beside the program under test so that
// WinExec("notepad FILE", 1) starts it. It records its whole command line in
// notepad-command-line.txt and a copy of the file it was asked to open, as it found it,
// in notepad-saw.txt, both in the current folder, and ends.
#include <windows.h>

#include <fstream>
#include <string>

int main() {
  const std::string command_line = ::GetCommandLineA();
  std::ofstream("notepad-command-line.txt", std::ios::binary) << command_line;

  const std::size_t blank = command_line.find(' ');
  if (blank == std::string::npos) return 0;
  std::ifstream opened(command_line.substr(blank + 1), std::ios::binary);
  if (opened) std::ofstream("notepad-saw.txt", std::ios::binary) << opened.rdbuf();
  return 0;
}
