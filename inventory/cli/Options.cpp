#include "Options.h"

#include <cerrno>
#include <cstdlib>

namespace inventory {
namespace {

unsigned PositiveNumber(const std::string& option, const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const unsigned long number = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || text[0] == '-' || errno != 0 || number == 0 || number > 100000)
        throw UsageError(option + " wants a whole number above 0, not '" + text + "'");
    return static_cast<unsigned>(number);
}

Format ParseFormat(const std::string& text) {
    if (text == "text") return Format::kText;
    if (text == "tsv") return Format::kTsv;
    if (text == "jsonl") return Format::kJsonl;
    throw UsageError("--format is text, tsv or jsonl, not '" + text + "'");
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args, Platform platform) {
    Options options;
    const bool windows = platform == Platform::kWindows;
    bool onlyInputs = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (onlyInputs || arg.empty() || arg[0] != '-' || arg == "-") {
            if (windows) throw UsageError("unexpected argument '" + arg + "': name a hive file with --hive");
            options.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyInputs = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (const std::size_t equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = arg.substr(equals + 1);
            arg.resize(equals);
            hasValue = true;
        }
        const auto take = [&]() -> std::string {
            if (hasValue) return value;
            if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
            return args[++i];
        };
        const auto noValue = [&] {
            if (hasValue) throw UsageError(arg + " takes no value");
        };
        if (arg == "-h" || arg == "--help") {
            noValue();
            options.help = true;
        } else if (arg == "--version") {
            noValue();
            options.version = true;
        } else if (arg == "--all") {
            noValue();
            options.render.all = true;
        } else if (arg == "--sort") {
            const std::string order = take();
            if (order != "time" && order != "name") throw UsageError("--sort is time or name, not '" + order + "'");
            options.render.byTime = order == "time";
        } else if (arg == "--format") {
            options.render.format = ParseFormat(take());
        } else if (!windows && arg == "--jobs") {
            options.jobs = PositiveNumber(arg, take());
        } else if (!windows && arg == "--no-logs") {
            noValue();
            options.replayLogs = false;
        } else if (!windows && arg == "--recover") {
            options.recoverTo = take();
            if (options.recoverTo->empty()) throw UsageError("--recover needs a file to write");
        } else if (!windows && arg == "--timeout") {
            options.timeoutSeconds = PositiveNumber(arg, take());
        } else if (windows && arg == "--machine") {
            const std::string name = take();
            if (name.empty()) throw UsageError("--machine needs a machine name");
            options.sources.push_back({Source::Kind::kRemote, name});
        } else if (windows && arg == "--hive") {
            const std::string file = take();
            if (file.empty()) throw UsageError("--hive needs a file");
            options.sources.push_back({Source::Kind::kHive, file});
        } else {
            throw UsageError("unknown option '" + arg + "'");
        }
    }
    if (!windows && options.inputs.empty() && !options.help && !options.version)
        throw UsageError(options.recoverTo ? "--recover OUT wants the hive file to recover"
                                           : "name at least one SYSTEM hive file or folder");
    if (options.recoverTo && options.inputs.size() > 1)
        throw UsageError("--recover OUT takes one hive file, not " + std::to_string(options.inputs.size()));
    if (windows && options.sources.empty()) options.sources.push_back({Source::Kind::kLocal, ""});
    return options;
}

std::string HelpText(Platform platform) {
    const bool windows = platform == Platform::kWindows;
    std::string text = windows ? "Usage: quillmark-inventory [options] [--machine NAME | --hive FILE]...\n"
                                 "Lists the software attached to a Windows machine's network stack: network\n"
                                 "services, NDIS filters and protocols, Winsock catalogs, WFP providers, callouts\n"
                                 "and filters, network providers, Windows Firewall; each marked os (Windows' own),\n"
                                 "3p (third party) or ? (unknown). Reads this machine's registry unless told\n"
                                 "otherwise.\n"
                                 "\n"
                                 "  --machine NAME   read a remote machine's registry (Remote Registry service)\n"
                                 "  --hive FILE      read a SYSTEM hive file; Windows loads it and replays its\n"
                                 "                   transaction logs itself\n"
                               : "Usage: quillmark-inventory [options] HIVE|FOLDER...\n"
                                 "       quillmark-inventory --recover OUT HIVE\n"
                                 "Lists the software attached to a Windows machine's network stack, read from\n"
                                 "SYSTEM registry hive files: network services, NDIS filters and protocols,\n"
                                 "Winsock catalogs, WFP providers, callouts and filters, network providers,\n"
                                 "Windows Firewall; each marked os (Windows' own), 3p (third party) or ?\n"
                                 "(unknown). A FOLDER is searched for SYSTEM hives, whatever their names; hives\n"
                                 "are read in parallel, reported in order. A dirty hive is read with the\n"
                                 "transaction logs beside it (NAME.LOG, .LOG1, .LOG2) replayed in memory; no file\n"
                                 "is ever written.\n"
                                 "\n";
    text +=
        "  --format FORMAT  text (default): a summary per machine, then what is not Windows' own\n"
        "                   tsv: every entry in the line format, for diffing\n"
        "                   jsonl: one JSON object per entry, for log pipelines\n"
        "  --all            text: show Windows' own entries too, and every WFP callout and filter\n"
        "  --sort ORDER     text: list each block by name (default) or by time, the key\n"
        "                   written last first\n";
    if (!windows)
        text +=
            "  --no-logs        read dirty hives as they are, without their logs\n"
            "  --recover OUT    write HIVE (any hive) with its logs replayed to the new file OUT\n"
            "  --jobs N         read N hives at a time (default: one per core)\n"
            "  --timeout SECS   give up on a hive after SECS seconds (default 60)\n";
    text +=
        "  -h, --help       show this help\n"
        "  --version        show the version\n"
        "\n"
        "Exit status: 0 nothing third-party or unknown, 1 something third-party, unknown or\n"
        "suspicious, 2 a hive could not be read (wholly or in part) or the command line is wrong.\n";
    return text;
}

}  // namespace inventory
