#include "cli/report.h"

#include "cli/addressinput.h"
#include "cli/reportwriter.h"
#include "errors/clserrhandler.h"
#include "model/clsipaddy.h"
#include "model/mainformview.h"
#include "platform/appinfo.h"
#include "platform/qtstrings.h"
#include "util/modutils.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace cli {

namespace {

const char* const kProgram = "quillmark";

const char* const kUsage = "Usage: quillmark [--report] [--json] [--color=WHEN] ADDRESS/BITS...\n"
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
                           "192.168.1.77/255.255.255.192. \"-\" reads addresses from standard input, one\n"
                           "per line; blank lines and lines starting with \"#\" are skipped.\n"
                           "\n"
                           "Options:\n"
                           "  --report        show the report (implied when an address comes first)\n"
                           "  --json          one JSON object per address (JSON Lines): the window's texts\n"
                           "  --color=WHEN    colour the binary digits by portion: auto (the default: only\n"
                           "                  on a terminal, and not when NO_COLOR is set), always or never\n"
                           "  -h, --help      show this help and exit\n"
                           "  -V, --version   show the version and exit\n"
                           "\n"
                           "Exit status: 0 when every address was reported; 2 when an address or the\n"
                           "command line was wrong (each bad address is named on standard error, and the\n"
                           "others are still reported); 1 when the report could not be written or after\n"
                           "an internal error.\n";

enum class ColorWhen { Auto, Always, Never };

struct Options {
    bool json = false;
    bool help = false;
    bool version = false;
    ColorWhen color = ColorWhen::Auto;
    std::vector<std::string> inputs; // "-" stands for standard input
    std::string usageError;
};

bool isReportOption(const QString& a)
{
    static const char* const names[] = {"--report", "--json", "--help", "-h", "--version", "-V", "--color", "-"};
    for (const char* n : names) {
        if (a == QLatin1String(n))
            return true;
    }
    return a.startsWith(QLatin1String("--color="));
}

Options parseOptions(const QStringList& args)
{
    Options o;
    bool optionsEnded = false;
    for (const QString& a : args) {
        if (!optionsEnded && a.startsWith(QLatin1Char('-')) && a != QLatin1String("-")) {
            if (a == QLatin1String("--")) {
                optionsEnded = true;
            } else if (a == QLatin1String("--report")) {
            } else if (a == QLatin1String("--json")) {
                o.json = true;
            } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
                o.help = true;
            } else if (a == QLatin1String("--version") || a == QLatin1String("-V")) {
                o.version = true;
            } else if (a == QLatin1String("--color") || a == QLatin1String("--color=always")) {
                o.color = ColorWhen::Always;
            } else if (a == QLatin1String("--color=never")) {
                o.color = ColorWhen::Never;
            } else if (a == QLatin1String("--color=auto")) {
                o.color = ColorWhen::Auto;
            } else if (a.startsWith(QLatin1String("--color="))) {
                if (o.usageError.empty())
                    o.usageError = "--color takes auto, always or never, not \"" + a.mid(8).toStdString() + '"';
            } else if (o.usageError.empty()) {
                o.usageError = "unknown option \"" + a.toStdString() + '"';
            }
            continue;
        }
        o.inputs.push_back(a.toStdString());
    }
    return o;
}

// An input as it appears in a message: control characters hidden, long texts cut.
std::string shown(std::string_view text)
{
    std::string s;
    for (char ch : text.substr(0, 60))
        s += static_cast<unsigned char>(ch) < 0x20 ? '?' : ch;
    if (text.size() > 60)
        s += "...";
    return '"' + s + '"';
}

std::string_view trimmed(std::string_view s)
{
    const char* blanks = " \t\r\n\f\v";
    const size_t from = s.find_first_not_of(blanks);
    if (from == std::string_view::npos)
        return {};
    return s.substr(from, s.find_last_not_of(blanks) - from + 1);
}

// Works out one address after another on the one model, collecting the output.
class Reporter {
public:
    Reporter(ReportEnvironment& env, bool json, Colour colour) : env_(env), json_(json), colour_(colour)
    {
        out_.reserve(kFlushAt + 4096);
    }

    // line is the input's line number on standard input, 0 for an argument.
    void report(std::string_view text, long line)
    {
        std::string problem;
        const auto input = ParseAddress(text, problem);
        if (!input) {
            badInput_ = true;
            flush();
            env_.err << kProgram << ": ";
            if (line > 0)
                env_.err << "standard input line " << line << ": ";
            env_.err << shown(text) << ": " << problem << '\n';
            return;
        }
        for (int k = 0; k < 4; ++k)
            ip_.IPAddress(k + 1, input->octets[size_t(k)]);
        ip_.SubnetBits(input->bits);
        ComputeUpdateForm(ip_, view_);
        if (json_) {
            AppendJson(out_, *input, view_);
        } else {
            if (reported_ > 0)
                out_ += '\n';
            AppendText(out_, *input, view_, colour_);
        }
        ++reported_;
        if (out_.size() >= kFlushAt)
            flush();
    }

    void flush()
    {
        if (!out_.empty()) {
            env_.out.write(out_.data(), std::streamsize(out_.size()));
            out_.clear();
        }
        writeFailed_ = writeFailed_ || env_.out.fail();
    }

    bool badInput() const { return badInput_; }
    // Standard output refused the report (closed, or a full disk).
    bool writeFailed() const { return writeFailed_; }

private:
    static constexpr size_t kFlushAt = 1 << 16;
    ReportEnvironment& env_;
    bool json_;
    Colour colour_;
    clsIPAddy ip_;
    MainFormView view_ = MainFormView::design();
    std::string out_;
    long reported_ = 0;
    bool badInput_ = false;
    bool writeFailed_ = false;
};

void usageError(std::ostream& err, const std::string& what)
{
    err << kProgram << ": " << what << '\n' << "Try \"" << kProgram << " --help\" for more information.\n";
}

} // namespace

bool IsReportCommandLine(const QStringList& args)
{
    if (args.isEmpty())
        return false;
    const QString& first = args.first();
    return isReportOption(first) || (!first.isEmpty() && first.at(0).isDigit());
}

bool IsReportCommandLine(int argc, char** argv)
{
    return argc > 1 && IsReportCommandLine(QStringList{QString::fromLocal8Bit(argv[1])});
}

int RunReport(const QStringList& args, ReportEnvironment& env)
{
    const Options o = parseOptions(args);
    if (o.help) {
        env.out << kUsage << std::flush;
        return kExitOk;
    }
    if (o.version) {
        const platform::AppInfo& a = platform::App();
        env.out << a.title << ' ' << a.major << '.' << a.minor << '.' << a.revision << '\n' << std::flush;
        return kExitOk;
    }
    if (!o.usageError.empty()) {
        usageError(env.err, o.usageError);
        return kExitBadInput;
    }
    if (o.inputs.empty()) {
        usageError(env.err, "no address given");
        return kExitBadInput;
    }

    const bool colour = !o.json && (o.color == ColorWhen::Always || (o.color == ColorWhen::Auto && env.outIsTerminal &&
                                                                     !env.noColor && !env.dumbTerminal));
    clsErrHandler& handler = gErrHandler();
    handler.Clear();
    Reporter reporter(env, o.json, colour ? Colour::On : Colour::Off);
    for (const std::string& input : o.inputs) {
        if (reporter.writeFailed())
            break;
        if (input != "-") {
            reporter.report(input, 0);
            continue;
        }
        std::string line;
        long number = 0;
        while (!reporter.writeFailed() && std::getline(env.in, line)) {
            ++number;
            const std::string_view text = trimmed(line);
            if (text.empty() || text.front() == '#')
                continue;
            reporter.report(text, number);
        }
    }
    reporter.flush();
    env.out.flush();
    if (reporter.writeFailed() || env.out.fail()) {
        env.err << kProgram << ": the report could not be written to standard output\n";
        return kExitInternal;
    }
    if (reporter.badInput())
        return kExitBadInput;
    return handler.IsError() ? kExitInternal : kExitOk;
}

int ReportMain(int argc, char** argv)
{
    std::ios_base::sync_with_stdio(false);
    // The same error handling as the window: a report in error.log and a
    // message, which here becomes a line on standard error.
    clsErrHandler& eh = gErrHandlerRenew();
    eh.Destination(
        platform::stdstr(utPathBackslashAdd(platform::qstr(platform::AppPath())) + QStringLiteral("error.log")));
    eh.DisplayMsgOnError(false);
    eh.IncludeExpandedInfo(true);
    eh.MaxProcStackItems(50);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const char* noColor = std::getenv("NO_COLOR");
    const char* term = std::getenv("TERM");
    ReportEnvironment env{std::cin, std::cout, std::cerr};
    env.outIsTerminal = isatty(STDOUT_FILENO) == 1;
    env.noColor = noColor && *noColor;
    env.dumbTerminal = term && std::strcmp(term, "dumb") == 0;
    return RunReport(args, env);
}

} // namespace cli
