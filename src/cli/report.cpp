#include "cli/report.h"

#include "cli/addressinput.h"
#include "cli/reportwriter.h"
#include "errors/clserrhandler.h"
#include "errors/procedure.h"
#include "model/subnetfacts.h"
#include "model/subnettexts.h"
#include "platform/appinfo.h"
#include "platform/privatefile.h"
#include "util/textsink.h"

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include <unistd.h>

namespace cli {

namespace {

constexpr const char* kUsage =
    "Usage: quillmark [--report] [--json] [--color=WHEN] ADDRESS/BITS...\n"
    "       quillmark [--report] [--json] [--color=WHEN] -\n"
    "       quillmark\n"
    "\n"
    "Shows, for each address, what the Quillmark window shows: the address, mask,\n"
    "network and broadcast addresses in binary and in decimal, the host and subnet\n"
    "portions with their numbers, the class, the usable range, and the counts of\n"
    "subnets, hosts and usable addresses. Without arguments Quillmark opens its\n"
    "window.\n"
    "\n"
    "ADDRESS/BITS is four decimal octets and a mask length from 8 to 31, such as\n"
    "192.168.1.77/26; the mask may also be given in dotted decimal, such as\n"
    "192.168.1.77/255.255.255.192. Octets and mask lengths are plain decimal\n"
    "without leading zeros (\"010\" is refused, not read as 10 or as octal 8).\n"
    "Blanks around an address are ignored. \"-\" reads addresses from standard\n"
    "input, one per line; blank lines and lines starting with \"#\" are skipped.\n"
    "\n"
    "Options:\n"
    "  --report        show the report (the default whenever arguments are given)\n"
    "  --json          one JSON object per address (JSON Lines): numbers, flags and\n"
    "                  the window's texts\n"
    "  --color=WHEN    colour the binary digits by portion: auto (the default: only\n"
    "                  on a terminal, and not when NO_COLOR is set), always or never\n"
    "  --              what follows is an address or \"-\", even if it starts with \"-\"\n"
    "  -h, --help      show this help and exit\n"
    "  -V, --version   show the version and exit\n"
    "\n"
    "Exit status: 0 when every address was reported; 2 when an address or the\n"
    "command line was wrong (each bad address is named on standard error, and the\n"
    "others are still reported); 1 when the report could not be written or\n"
    "standard input could not be read; 141 when the reader of the output went away.\n";

// Longest input line read whole; a longer one is refused without keeping it.
constexpr size_t kMaxLine = 4096;
constexpr size_t kFlushAt = size_t(1) << 16;

enum class ColorWhen { Auto, Always, Never };

struct Options {
    bool json = false;
    bool help = false;
    bool version = false;
    ColorWhen color = ColorWhen::Auto;
    std::vector<std::string_view> inputs; // "-" stands for standard input
    std::string usageError;
};

Options parseOptions(const std::vector<std::string>& args)
{
    Options o;
    bool optionsEnded = false;
    for (const std::string& a : args) {
        const std::string_view arg = a;
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            o.inputs.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--json") {
            o.json = true;
        } else if (arg == "--report") {
        } else if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--version" || arg == "-V") {
            o.version = true;
        } else if (arg == "--color" || arg == "--color=always") {
            o.color = ColorWhen::Always;
        } else if (arg == "--color=never") {
            o.color = ColorWhen::Never;
        } else if (arg == "--color=auto") {
            o.color = ColorWhen::Auto;
        } else if (o.usageError.empty()) {
            o.usageError = arg.rfind("--color=", 0) == 0
                               ? "--color takes auto, always or never, not " + Shown(arg.substr(8))
                               : "unknown option " + Shown(arg);
        }
    }
    return o;
}

// Standard output and error, with every failure told apart from success.
class Output {
public:
    explicit Output(const ReportEnvironment& env) : env_(env) {}

    TextSink& buffer() { return buffer_; }
    bool failed() const { return failed_; }
    int failureStatus() const { return status_; }

    void flushIfFull()
    {
        if (buffer_.size() >= kFlushAt)
            flush();
    }
    void flush()
    {
        if (failed_ || buffer_.size() == 0) {
            buffer_.clear();
            return;
        }
        const int error = writeAll(env_.out, buffer_.view());
        buffer_.clear();
        if (error == 0)
            return;
        failed_ = true;
        if (error == EPIPE) {
            status_ = kExitBrokenPipe;
        } else {
            status_ = kExitFailure;
            problem(std::string("cannot write the report to standard output: ") + std::strerror(error));
        }
    }
    // One line on standard error; a failure to write it cannot be told anyone.
    void problem(const std::string& line) { writeAll(env_.err, "quillmark: " + line + '\n'); }

private:
    static int writeAll(int fd, std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::write(fd, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return n < 0 ? errno : EIO;
            bytes.remove_prefix(size_t(n));
        }
        return 0;
    }

    const ReportEnvironment& env_;
    TextSink buffer_;
    bool failed_ = false;
    int status_ = kExitOk;
};

class Reporter {
public:
    Reporter(Output& out, bool json, Colour colour, std::string decimalPoint)
        : out_(out), json_(json), colour_(colour), decimalPoint_(std::move(decimalPoint))
    {
    }

    // line is the input's line number on standard input, 0 for an argument.
    void report(std::string_view text, long line)
    {
        std::string problem;
        const auto input = ParseAddress(text, problem);
        if (!input) {
            refuse(line, Shown(Trimmed(text)) + ": " + problem);
            return;
        }
        const SubnetFacts facts = ComputeSubnetFacts(input->address, input->bits);
        FormTexts(facts, texts_, decimalPoint_);
        if (json_) {
            AppendJson(out_.buffer(), facts, texts_);
        } else {
            if (reported_ > 0)
                out_.buffer() << '\n';
            AppendText(out_.buffer(), facts, texts_, colour_);
        }
        ++reported_;
        out_.flushIfFull();
    }

    void refuse(long line, const std::string& problem)
    {
        badInput_ = true;
        // What was reported before the bad line reaches the reader first.
        out_.flush();
        out_.problem(line > 0 ? "standard input line " + std::to_string(line) + ": " + problem : problem);
    }

    bool badInput() const { return badInput_; }

private:
    Output& out_;
    bool json_;
    Colour colour_;
    std::string decimalPoint_;
    SubnetTexts texts_;
    long reported_ = 0;
    bool badInput_ = false;
};

// Reports every line of standard input; false when it could not be read.
bool reportLines(const ReportEnvironment& env, Reporter& reporter, Output& out)
{
    std::string line;
    bool tooLong = false;
    long number = 0;
    const auto endLine = [&] {
        ++number;
        if (tooLong) {
            reporter.refuse(number, "the line is longer than " + std::to_string(kMaxLine) + " bytes");
        } else {
            const std::string_view text = Trimmed(line);
            if (!text.empty() && text.front() != '#')
                reporter.report(text, number);
        }
        line.clear();
        tooLong = false;
    };
    char chunk[1 << 16];
    for (;;) {
        if (out.failed())
            return true;
        const ssize_t n = ::read(env.in, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.flush();
            out.problem(std::string("cannot read standard input: ") + std::strerror(errno));
            return false;
        }
        if (n == 0)
            break;
        std::string_view rest(chunk, size_t(n));
        for (size_t nl; (nl = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(nl + 1)) {
            if (!tooLong && line.size() + nl <= kMaxLine)
                line.append(rest.data(), nl);
            else
                tooLong = true;
            endLine();
        }
        if (!tooLong && line.size() + rest.size() <= kMaxLine)
            line.append(rest);
        else
            tooLong = true;
    }
    if (!line.empty() || tooLong)
        endLine();
    return true;
}

} // namespace

int RunReport(const std::vector<std::string>& args, const ReportEnvironment& env)
{
    const Options o = parseOptions(args);
    Output out(env);
    if (!o.usageError.empty() || (!o.help && !o.version && o.inputs.empty())) {
        out.problem((o.usageError.empty() ? std::string("no address given") : o.usageError) +
                    "; try \"quillmark --help\"");
        return kExitBadInput;
    }
    if (o.help || o.version) {
        if (o.help) {
            out.buffer() << kUsage;
        } else {
            const platform::AppInfo& a = platform::App();
            out.buffer() << a.title << ' ' << std::int64_t(a.major) << '.' << std::int64_t(a.minor) << '.'
                         << std::int64_t(a.revision) << '\n';
        }
        out.flush();
        return out.failed() ? out.failureStatus() : kExitOk;
    }

    const bool colour = !o.json && (o.color == ColorWhen::Always || (o.color == ColorWhen::Auto && env.outIsTerminal &&
                                                                     !env.noColor && !env.dumbTerminal));
    Reporter reporter(out, o.json, colour ? Colour::On : Colour::Off, env.decimalPoint);
    bool readFailed = false;
    for (std::string_view input : o.inputs) {
        if (out.failed() || readFailed)
            break;
        if (input == "-")
            readFailed = !reportLines(env, reporter, out);
        else
            reporter.report(input, 0);
    }
    out.flush();
    if (out.failed())
        return out.failureStatus();
    if (readFailed)
        return kExitFailure;
    return reporter.badInput() ? kExitBadInput : kExitOk;
}

int ReportMain(int argc, char** argv)
{
    ReportEnvironment env;
    const char* noColor = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
    env.outIsTerminal = isatty(STDOUT_FILENO) == 1;
    env.noColor = noColor && *noColor;
    env.dumbTerminal = term && std::strcmp(term, "dumb") == 0;
    // The share is written with the system's decimal separator, as the window
    // writes it; nothing else of the locale is used.
    if (std::setlocale(LC_NUMERIC, "")) {
        env.decimalPoint = std::localeconv()->decimal_point;
        std::setlocale(LC_NUMERIC, "C");
    }
    // A reader that goes away ends the program quietly, whatever the parent
    // left SIGPIPE set to: the write sees EPIPE and the status says so.
    std::signal(SIGPIPE, SIG_IGN);
    // The window's error handling: an unexpected error is written to
    // error.log; without windows its reason goes to standard error and the
    // run ends with status 1.
    clsErrHandler& eh = gErrHandlerRenew();
    eh.Destination(platform::AppPath() + platform::pathSeparator() + "error.log");
    eh.DisplayMsgOnError(false);
    eh.IncludeExpandedInfo(true);
    eh.MaxProcStackItems(50);
    return errors::Function<int>("ReportMain()", [&](int& status) {
        status = kExitFailure; // what the run ends with if an error cuts it short
        status = RunReport(std::vector<std::string>(argv + 1, argv + argc), env);
    });
}

} // namespace cli
