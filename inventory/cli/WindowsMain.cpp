#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Escape.h"
#include "LiveRegistry.h"
#include "Options.h"
#include "ReadSource.h"

using namespace inventory;

namespace {

constexpr char kProgram[] = "quillmark-inventory";

// UTF-8 to a console as characters, to a file or pipe as bytes.
void Write(DWORD which, const std::string& text) {
    const HANDLE handle = GetStdHandle(which);
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Widen(text);
        WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    } else {
        WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
}

std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide && i < count; ++i) arguments.push_back(Narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

ExitStatus Inventory(const Source& source, const RenderOptions& render) {
    const std::string name = SourceName(source);
    try {
        const Report report = ReadSource(source);
        Write(STD_OUTPUT_HANDLE, RenderReport(report, render));
        if (const int errors = Count(report).errors)
            Write(STD_ERROR_HANDLE, std::string(kProgram) + ": " + EscapeField(name) +
                                        ": damaged: " + std::to_string(errors) + " part(s) could not be read\n");
        return StatusOf(report);
    } catch (const ReadError& error) {
        Write(STD_OUTPUT_HANDLE, RenderFailure(name, error.what(), render));
        Write(STD_ERROR_HANDLE,
              std::string(kProgram) + ": " + EscapeField(name) + ": " + EscapeField(error.what()) + "\n");
        return kTrouble;
    }
}

}  // namespace

int main() {
    Options options;
    try {
        options = ParseOptions(Arguments(), Platform::kWindows);
    } catch (const UsageError& error) {
        Write(STD_ERROR_HANDLE, std::string(kProgram) + ": " + error.what() + " (see --help)\n");
        return kTrouble;
    }
    if (options.help) {
        Write(STD_OUTPUT_HANDLE, HelpText(Platform::kWindows));
        return 0;
    }
    if (options.version) {
        Write(STD_OUTPUT_HANDLE, std::string(kProgram) + " " + QUILLMARK_VERSION + "\n");
        return 0;
    }
    int status = kNothingFound;
    for (const Source& source : options.sources)
        status = std::max(status, static_cast<int>(Inventory(source, options.render)));
    return status;
}
