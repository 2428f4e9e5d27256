// Writes the sample molecules into the directory given, with the program's
// own molecule writer; fails when a sample could not be built as planned.
#include <iostream>
#include <string>

#include "distribution/samplemolecules.h"
#include "framework/messagebox.h"
#include "editor/filefailure.h"
#include "model/moleculefile.h"

namespace {

class TConsoleMessages : public kovala::IMessageBox {
 public:
  kovala::TAnswer MessageBox(const std::string& text, const std::string& caption, kovala::TIcon,
                             kovala::TButtons) override {
    std::cerr << caption << ": " << text << '\n';
    return kovala::TAnswer::Cancel;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " DIRECTORY\n";
    return 2;
  }
  const std::string directory = argv[1];
  TConsoleMessages messages;
  int failures = 0;
  for (const kovala::TSampleMolecule& sample : kovala::BuildSampleMolecules()) {
    for (const std::string& surprise : sample.surprises) {
      std::cerr << sample.fileName << ": " << surprise << '\n';
      ++failures;
    }
    if (sample.surprises.empty() &&
        !kovala::WriteMoleculeFile(directory + "/" + sample.fileName, sample.molecule, messages))
      ++failures;
  }
  return failures == 0 ? 0 : 1;
}
