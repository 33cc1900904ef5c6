#include "RunProgram.h"

#include <sys/wait.h>

#include <cstdlib>

namespace inventory::test {

ProgramRun RunInventory(const std::string& folder, const std::string& arguments) {
    const std::string command = "cd '" + folder + "' && " + QUILLMARK_INVENTORY + " " + arguments + " >.out 2>.err";
    ProgramRun run;
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadAll(folder + "/.out");
    run.err = ReadAll(folder + "/.err");
    return run;
}

}  // namespace inventory::test
