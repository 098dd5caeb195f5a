#include "Cli.h"
#include "CliManPage.h"

#include <fstream>
#include <iostream>

// Writes the manual page of `fretkit` into the file named by the one argument.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fretkit-manpage FILE\n";
        return 2;
    }
    std::ofstream file(argv[1]);
    CliManPage::write(Cli(), file);
    file.close();
    if (!file) {
        std::cerr << "fretkit-manpage: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
