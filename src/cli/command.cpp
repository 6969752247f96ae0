#include "cli/command.h"

#include "cli/plan.h"
#include "cli/practice.h"
#include "cli/report.h"
#include "cli/sets.h"
#include "cli/split.h"
#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "platform/appinfo.h"

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace cli {

namespace {

constexpr const char* kUsage =
    "Usage: quillmark [--report] [--json] [--color=WHEN] [--site S]\n"
    "                 ADDRESS/BITS... | -\n"
    "       quillmark --subnets NETWORK [--mask BITS] [--limit N] [--json]\n"
    "                           [--rfc3021]\n"
    "       quillmark --plan NETWORK [NAME=]HOSTS... | - [--json] [--rfc3021]\n"
    "       quillmark --aggregate NETWORK... | - [--json]\n"
    "       quillmark --summarize NETWORK... | - [--json] [--color=WHEN]\n"
    "       quillmark --range FIRST-LAST | FIRST LAST [--json]\n"
    "       quillmark --exclude NETWORK EXCLUDED... | - [--json]\n"
    "       quillmark --contains NETWORK ADDRESS... | - [--json]\n"
    "       quillmark --practice [--count N] [--seed S] [--types LIST]\n"
    "                 [--classes LIST] [--masks A-B] [--subnet-zero] [--rfc3021]\n"
    "                 [--color=WHEN]\n"
    "       quillmark --help | --version\n"
    "       quillmark                       (opens the window)\n"
    "\n"
    "One verb a run; --report when none is given.\n"
    "  --report    what the window shows for each address: its mask, network and\n"
    "              broadcast in binary and decimal, host and subnet portions,\n"
    "              class, usable range and counts, then the address's type\n"
    "              (IANA special-purpose registry) and reverse DNS zones. The\n"
    "              mask is 8 to 31 bits or dotted: 192.168.1.77/26 or\n"
    "              192.168.1.77/255.255.255.192.\n"
    "              An IPv6 address (any text with \":\") has a prefix length\n"
    "              from 0 to 128, or none for /128, and may carry a zone:\n"
    "              2001:db8::1/64, fe80::1%eth0/64, ::ffff:192.0.2.1. Its report\n"
    "              shows it expanded with its portions, the network, last\n"
    "              address, counts, interface ID and MAC, an embedded IPv4\n"
    "              address, the type and the reverse DNS zones.\n"
    "  --subnets   one row a subnet of NETWORK at --mask BITS (BITS from the\n"
    "              network's own to 32). Without --mask, ADDRESS/M lists the\n"
    "              subnets at /M of the address's class network (IPv4 only: an\n"
    "              IPv6 network needs --mask, from its own length to 128)\n"
    "  --plan      the smallest subnet for each host count, largest first, each\n"
    "              aligned to its size; then the unused space as fewest blocks\n"
    "  --aggregate the fewest blocks covering exactly the union of the networks\n"
    "              and ranges, in address order, IPv4 first; a network with host\n"
    "              bits set counts as its block (10.0.0.77/24 as 10.0.0.0/24)\n"
    "  --summarize the one smallest block covering every network (the summary\n"
    "              route): the inputs in binary with their common bits marked,\n"
    "              and the addresses it covers that no input holds\n"
    "  --range     the fewest blocks covering exactly FIRST to LAST\n"
    "  --exclude   what is left of NETWORK once each EXCLUDED network or range\n"
    "              (each inside NETWORK) is cut out, as the fewest blocks\n"
    "  --contains  for each address, network or range: whether it lies inside\n"
    "              NETWORK. Exit status 0 when all do, 1 when any does not\n"
    "  --practice  asks a set of questions one at a time, reads each answer as a\n"
    "              line of standard input, explains a wrong one and ends with the\n"
    "              score (also when the input ends); the same seed and options\n"
    "              give the same set, here and in the practice window\n"
    "\n"
    "NETWORK is ADDRESS/BITS with BITS from 0 to 32, ADDRESS/MASK, or a bare\n"
    "ADDRESS (one host, /32), or an IPv6 ADDRESS/LEN (--plan takes IPv4\n"
    "only). --aggregate, --exclude and --contains also take a range FIRST-LAST\n"
    "wherever they take a network (--summarize takes networks only); the set\n"
    "verbs treat IPv4 and IPv6 apart, and --range, --exclude and --contains\n"
    "need one family. Octets, lengths and counts are plain decimal\n"
    "without leading zeros (\"010\" is refused, not read as 10 or as octal 8).\n"
    "\"-\" reads the verb's list from standard input: addresses one per line,\n"
    "host counts one per line or separated by blanks, networks one per line;\n"
    "blank lines and lines starting with \"#\" are skipped, and a blank and\n"
    "\"#\" start a comment to the end of the line.\n"
    "\n"
    "Options:\n"
    "  --json          JSON Lines: one object per address, subnet or block\n"
    "  --color=WHEN    (--report, --summarize, --practice) colour the binary and\n"
    "                  hex digits by portion (a summary: the common bits): auto\n"
    "                  (the default: on a terminal, unless NO_COLOR is set),\n"
    "                  always or never\n"
    "  --mask BITS     (--subnets) the subnets' mask length or dotted mask\n"
    "  --site S        (--report) an IPv6 network's routing prefix is its first S\n"
    "                  bits (0 to its prefix length); the bits after it, to the\n"
    "                  prefix length, are the subnet ID\n"
    "  --limit N       (--subnets) at most N rows\n"
    "  --rfc3021       (--subnets, --plan, --practice) a /31 has 2 usable hosts,\n"
    "                  a /32 one\n"
    "  --count N       (--practice) N questions, 1 to 1000 (default 10)\n"
    "  --seed S        (--practice) the set's seed (default: a random one, shown)\n"
    "  --types LIST    (--practice) question types, separated by commas: network,\n"
    "                  broadcast, first, last (usable host), subnets, hosts (number\n"
    "                  of), mask (of a length), length (of a mask), which (subnet\n"
    "                  holds a host), summary, vlsm; or all (the default)\n"
    "  --classes LIST  (--practice) address classes: A, B, C or several (AC, A,C)\n"
    "  --masks A-B     (--practice) mask lengths from A to B, 8 to 32 (default\n"
    "                  16-30), or one length\n"
    "  --subnet-zero   (--practice) count subnet zero and the all-ones subnet: 2^S\n"
    "                  subnets rather than the classful 2^S - 2\n"
    "  --              what follows is an operand, even if it starts with \"-\"\n"
    "  -h, --help      show this help and exit\n"
    "  -V, --version   show the version and exit\n"
    "A value follows its option (--mask 30) or is joined to it (--mask=30);\n"
    "--color takes its value only joined (--color=never).\n"
    "\n"
    "Exit status: 0 success; 1 the output could not be written or standard input\n"
    "could not be read; 2 bad input or usage, each bad input named on standard\n"
    "error (--report and --contains still answer for the others; --plan and the\n"
    "other set verbs print nothing, since part of an answer would be wrong);\n"
    "141 the reader of the output went away. --contains answers 0 or 1 and\n"
    "gives 2 for any failure, as grep does.\n";

} // namespace

const std::vector<Verb>& Verbs()
{
    static const std::vector<Verb> verbs = {
        {"--report", kOptJson | kOptColor | kOptSite, 1, -1, 0, "no address given", RunReport},
        {"--subnets", kOptJson | kOptMask | kOptLimit | kOptRfc3021, 1, 1, -1,
         "--subnets needs a network, such as 10.0.0.0/8", RunSubnets},
        {"--plan", kOptJson | kOptRfc3021, 2, -1, 1,
         "--plan needs a network and host counts, such as 10.0.0.0/24 50 14", RunPlan},
        {"--aggregate", kOptJson, 1, -1, 0, "--aggregate needs networks, such as 10.0.0.0/25 10.0.0.128/25, or -",
         RunAggregate},
        {"--summarize", kOptJson | kOptColor, 1, -1, 0,
         "--summarize needs networks, such as 10.1.4.0/24 10.1.6.0/24, or -", RunSummarize},
        {"--range", kOptJson, 1, 2, -1, "--range needs a range, such as 10.0.0.5-10.0.0.17", RunRange},
        {"--exclude", kOptJson, 2, -1, 1,
         "--exclude needs a network and what to cut out of it, such as 10.0.0.0/24 10.0.0.64/26", RunExclude},
        {"--contains", kOptJson, 2, -1, 1,
         "--contains needs a network and addresses to test, such as 10.0.0.0/8 10.1.2.3", RunContains},
        {"--practice",
         kOptColor | kOptRfc3021 | kOptCount | kOptSeed | kOptTypes | kOptClasses | kOptMasks | kOptSubnetZero, 0, 0,
         -1, "", RunPractice},
    };
    return verbs;
}

int Run(const std::vector<std::string>& args, const Environment& env)
{
    const Command c = ParseCommandLine(args, Verbs());
    Output out(env);
    if (!c.error.empty()) {
        out.problem(c.error + "; try \"quillmark --help\"");
        return kExitBadInput;
    }
    if (c.help) {
        out.buffer() << kUsage;
        return out.finish(kExitOk);
    }
    if (c.version) {
        const platform::AppInfo& a = platform::App();
        out.buffer() << a.title << ' ' << std::int64_t(a.major) << '.' << std::int64_t(a.minor) << '.'
                     << std::int64_t(a.revision) << '\n';
        return out.finish(kExitOk);
    }
    return c.verb->run(c, out, env);
}

#ifdef _WIN32
namespace {
// The console as the report needs it for the run: UTF-8 (the "…" of a
// message cut short) and colour sequences understood; as it was afterwards.
// Pipes and files get the bytes unchanged: no CR added, no ^Z read as the end.
class WindowsConsole {
public:
    WindowsConsole()
    {
        for (int fd : {0, 1, 2})
            _setmode(fd, _O_BINARY);
        out_ = GetStdHandle(STD_OUTPUT_HANDLE);
        if (!GetConsoleMode(out_, &mode_))
            return; // not a console (NUL is a character device too, so not isatty)
        console_ = true;
        codePage_ = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
        colour_ = SetConsoleMode(out_, mode_ | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
    }
    ~WindowsConsole()
    {
        if (!console_)
            return;
        SetConsoleOutputCP(codePage_);
        SetConsoleMode(out_, mode_);
    }
    WindowsConsole(const WindowsConsole&) = delete;
    WindowsConsole& operator=(const WindowsConsole&) = delete;

    bool isConsole() const { return console_; }
    bool showsColour() const { return colour_; }

private:
    HANDLE out_ = nullptr;
    DWORD mode_ = 0;
    UINT codePage_ = 0;
    bool console_ = false;
    bool colour_ = false;
};
} // namespace
#endif

int Main(int argc, char** argv)
{
    Environment env;
    const char* noColor = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
#ifdef _WIN32
    const WindowsConsole console;
    env.outIsTerminal = console.isConsole();
    // A console too old for colour sequences would show them as text.
    env.dumbTerminal = console.isConsole() && !console.showsColour();
#else
    env.outIsTerminal = isatty(STDOUT_FILENO) == 1;
#endif
    env.noColor = noColor && *noColor;
    env.dumbTerminal = env.dumbTerminal || (term && std::strcmp(term, "dumb") == 0);
    // The share is written with the system's decimal separator, as the window
    // writes it; nothing else of the locale is used.
    env.systemDecimalPoint = [] {
        std::string point = ".";
        if (std::setlocale(LC_NUMERIC, "")) {
            point = std::localeconv()->decimal_point;
            std::setlocale(LC_NUMERIC, "C");
        }
        return point;
    };
    // A reader that goes away ends the program quietly, whatever the parent
    // left SIGPIPE set to: the write sees EPIPE and the status says so.
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    // The window's error handling: an unexpected error is written to
    // error.log; without windows its reason goes to standard error and the
    // run ends with status 1.
    clsErrHandler& eh = gErrHandlerRenew();
    eh.Destination(platform::AppPath() + platform::pathSeparator() + "error.log");
    eh.DisplayMsgOnError(false);
    eh.IncludeExpandedInfo(true);
    eh.MaxProcStackItems(50);
    return errors::Function<int>("Main()", [&](int& status) {
        status = kExitFailure; // what the run ends with if an error cuts it short
        status = Run(std::vector<std::string>(argv + 1, argv + argc), env);
    });
}

} // namespace cli
