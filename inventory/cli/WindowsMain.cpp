#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Escape.h"
#include "HiveKind.h"
#include "Inventory.h"
#include "LiveRegistry.h"
#include "Options.h"

using namespace inventory;

namespace {

constexpr char kProgram[] = "quillmark-inventory";
// What the live registry calls the control set in use.
constexpr char kCurrentControlSet[] = "CurrentControlSet";

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

ExitStatus ReadSource(const Source& source, const RenderOptions& render) {
    std::string name = source.kind == Source::Kind::kLocal ? LocalMachineName() : source.name;
    try {
        Report report;
        switch (source.kind) {
            case Source::Kind::kLocal:
                report = TakeInventory(*OpenLocalSystem(), name, kCurrentControlSet);
                break;
            case Source::Kind::kRemote:
                report = TakeInventory(*OpenRemoteSystem(source.name), name, kCurrentControlSet);
                break;
            case Source::Kind::kHive: {
                const auto root = LoadHiveFile(source.name);
                if (const HiveKind kind = KindOfHive(*root); kind != HiveKind::kSystem)
                    throw ReadError(std::string(HiveKindText(kind)) + ", not a SYSTEM hive");
                report = TakeInventory(*root, name);
                break;
            }
        }
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
        status = std::max(status, static_cast<int>(ReadSource(source, options.render)));
    return status;
}
