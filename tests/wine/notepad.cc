// Stand-in for the system's text editor, put beside the program under test so that
// WinExec("notepad FILE", 1) starts it. It keeps a copy of the file it was asked to open,
// as it found it, in notepad-saw.txt, and then records its whole command line in
// notepad-command-line.txt (written last, so that its presence means both are complete),
// both in the current folder, and ends.
#include <windows.h>

#include <fstream>
#include <string>

int main() {
  const std::string command_line = ::GetCommandLineA();
  const std::size_t blank = command_line.find(' ');
  if (blank != std::string::npos) {
    std::ifstream opened(command_line.substr(blank + 1), std::ios::binary);
    if (opened) std::ofstream("notepad-saw.txt", std::ios::binary) << opened.rdbuf();
  }
  std::ofstream("notepad-command-line.txt.new", std::ios::binary) << command_line;
  ::MoveFileA("notepad-command-line.txt.new", "notepad-command-line.txt");
  return 0;
}
