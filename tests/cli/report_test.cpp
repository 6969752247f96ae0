#include "cli/report.h"
#include "testsupport.h"

#include <QProcess>

#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kJson17216 =
    R"J({"ip_binary":"10101100.00010000.00000101.00001010","mask_binary":"11111111.11111111.11110000.00000000",)J"
    R"J("network_binary":"10101100.00010000.00000000.00000000","broadcast_binary":"10101100.00010000.00001111.11111111",)J"
    R"J("host_binary":"00000000.00000000.00000101.00001010","subnet_binary":"00000000.00000000.00000000.00000000",)J"
    R"J("ip":"172.16.5.10","mask":"255.255.240.0","network":"172.16.0.0 (network)",)J"
    R"J("broadcast":"172.16.15.255 (broadcast)","host":"Host: 1290","subnet":"Subnet: 0 (unusable - network)",)J"
    R"J("subnets":"16 total, 14 usable.","hosts_per_subnet":"4096 total, 4094 usable.","usable":"57316 (87.46%)",)J"
    R"J("class":"B (private)","network_bits":"16 bits.","subnet_bits":"4 bits.","host_bits":"12 bits.",)J"
    R"J("range":"This subnet uses address from 172.16.0.1 to 172.16.15.254","address":"172.16.5.10","mask_bits":20,)J"
    R"J("subnetted":true,"bars":{"network":[1800,1485],"subnet":[3330,360],"host":[3690,1145]}})J"
    "\n";

const std::string kText1921681 = "Address:           192.168.1.1 / 24                     Class: C (private)\n"
                                 "\n"
                                 "                   Binary:                              Value:\n"
                                 "IP Address:        11000000.10101000.00000001.00000001  192.168.1.1\n"
                                 "Subnet Address:    11111111.11111111.11111111.00000000  255.255.255.0\n"
                                 "\n"
                                 "Network Address:   11000000.10101000.00000001.00000000  192.168.1.0 (network)\n"
                                 "Broadcast Address: 11000000.10101000.00000001.11111111  192.168.1.255\n"
                                 "                                                        (broadcast)\n"
                                 "\n"
                                 "Host Portion:      00000000.00000000.00000000.00000001  Host: 1\n"
                                 "Subnet Portion:                                         Not subnetted\n"
                                 "Portions:          NNNNNNNN.NNNNNNNN.NNNNNNNN.HHHHHHHH  N net, S subnet, H host\n"
                                 "\n"
                                 "This subnet uses address from 192.168.1.1 to 192.168.1.254\n"
                                 "\n"
                                 "Number of subnets:        Not subnetted\n"
                                 "Num hosts per subnet:     256 total, 254 usable.\n"
                                 "Usable IPs (All Subnets): 254 (100.00%)\n"
                                 "Bits for Network:         24 bits.\n"
                                 "Bits for Subnet:          0 bits.\n"
                                 "Bits for Hosts:           8 bits.\n";

const std::string kTryHelp = "Try \"quillmark --help\" for more information.\n";

struct Outcome {
    std::string out, err;
    int status;
};

struct Terminal {
    bool isTerminal = false;
    bool noColor = false;
    bool dumb = false;
};

Outcome runReport(const QStringList& args, const std::string& input = std::string(), Terminal t = Terminal())
{
    std::istringstream in(input);
    std::ostringstream out, err;
    cli::ReportEnvironment env{in, out, err};
    env.outIsTerminal = t.isTerminal;
    env.noColor = t.noColor;
    env.dumbTerminal = t.dumb;
    const int status = cli::RunReport(args, env);
    return {out.str(), err.str(), status};
}

class ReportTest : public FrameworkTest {};

TEST_F(ReportTest, ExactOutputs)
{
    struct Row {
        QStringList args;
        std::string input, out, err;
        int status;
    };
    const Row rows[] = {
        {{"--report", "172.16.5.10/20", "--json"}, "", kJson17216, "", 0},
        {{"192.168.1.1/24"}, "", kText1921681, "", 0},
        {{"--report", "192.168.1.1/24", "192.168.1.1/24"}, "", kText1921681 + "\n" + kText1921681, "", 0},
        {{"--json", "-"}, "172.16.5.10/20\n\n# a comment\n  172.16.5.10/20\r\n", kJson17216 + kJson17216, "", 0},
        // A bad input is named; the others are still reported.
        {{"--json", "172.16.5.10/20", "300.1.2.3/24", "172.16.5.10/20"},
         "",
         kJson17216 + kJson17216,
         "quillmark: \"300.1.2.3/24\": octet 1 is 300, more than 255\n",
         2},
        {{"--json", "-"},
         "172.16.5.10/20\nbad\n",
         kJson17216,
         "quillmark: standard input line 2: \"bad\": not an address; write ADDRESS/BITS, such as 192.168.1.1/24\n",
         2},
        {{"--frob", "10.0.0.1/8"}, "", "", "quillmark: unknown option \"--frob\"\n" + kTryHelp, 2},
        {{"--json"}, "", "", "quillmark: no address given\n" + kTryHelp, 2},
        {{"--color=sometimes", "10.0.0.1/8"},
         "",
         "",
         "quillmark: --color takes auto, always or never, not \"sometimes\"\n" + kTryHelp,
         2},
        {{"--version"}, "", "Quillmark 1.0.5\n", "", 0},
    };
    for (const Row& r : rows) {
        const Outcome got = runReport(r.args, r.input);
        EXPECT_EQ(got.out, r.out) << r.args.join(' ').toStdString();
        EXPECT_EQ(got.err, r.err) << r.args.join(' ').toStdString();
        EXPECT_EQ(got.status, r.status) << r.args.join(' ').toStdString();
    }
}

TEST_F(ReportTest, BadInputIsNamedWithWhatIsWrong)
{
    const std::pair<const char*, const char*> rows[] = {
        {"10.0.0/8", "the address has 3 octets; it needs 4"},
        {"10.0.0.1", "no mask; add /BITS (8 to 31) or /MASK, such as /24 or /255.255.255.0"},
        {"1000.0.0.1/8", "octet 1 is 1000, more than 255"},
        {"10.0.0.256/8", "octet 4 is 256, more than 255"},
        {"010.0.0.1/8", "octet 1 \"010\" has a leading zero"},
        {"10.0.x.1/8", "octet 3 \"x\" is not a decimal number"},
        {"10.0.-1.1/8", "octet 3 \"-1\" is not a decimal number"},
        {"10..0.1/8", "octet 2 is empty"},
        {"10.0.0.1/7", "mask length 7 is outside 8 to 31"},
        {"10.0.0.1/32", "mask length 32 is outside 8 to 31"},
        {"10.0.0.1/08", "mask length \"08\" has a leading zero"},
        {"10.0.0.1/", "the mask length after \"/\" is empty"},
        {"10.0.0.1/24/3", "mask length \"24/3\" is not a decimal number"},
        {"10.0.0.1/255.0.255.0", "mask 255.0.255.0 is not contiguous: its one bits must all come first"},
        {"10.0.0.1/255.255.255.255", "mask 255.255.255.255 gives 32 mask bits; the report takes 8 to 31"},
        {"10.0.0.1/254.0.0.0", "mask 254.0.0.0 gives 7 mask bits; the report takes 8 to 31"},
        {"10.0.0.1/255.255.256.0", "mask octet 3 is 256, more than 255"},
        {"10.0.0.1/255.255.0", "the mask has 3 octets; it needs 4"},
        {"hello", "not an address; write ADDRESS/BITS, such as 192.168.1.1/24"},
        {" 10.0.0.1/8", "octet 1 \" 10\" is not a decimal number"},
        {"", "empty input; write ADDRESS/BITS, such as 192.168.1.1/24"},
    };
    for (const auto& [input, problem] : rows) {
        const Outcome got = runReport({QString::fromUtf8(input), QStringLiteral("10.0.0.1/8")});
        EXPECT_EQ(got.err, "quillmark: \"" + std::string(input) + "\": " + problem + "\n") << input;
        EXPECT_EQ(got.status, 2) << input;
        // The good address after it is reported all the same.
        EXPECT_NE(got.out.find("10.0.0.0 (network)"), std::string::npos) << input;
    }
}

TEST_F(ReportTest, MasksOfEveryAcceptedFormAndLength)
{
    for (int bits = 8; bits <= 31; ++bits) {
        const quint32 mask = quint32(0xFFFFFFFFull << (32 - bits));
        const QString dotted = QStringLiteral("%1.%2.%3.%4")
                                   .arg(mask >> 24)
                                   .arg((mask >> 16) & 255)
                                   .arg((mask >> 8) & 255)
                                   .arg(mask & 255);
        const Outcome byLength = runReport({QStringLiteral("--json"), QStringLiteral("200.1.2.3/%1").arg(bits)});
        const Outcome byMask = runReport({QStringLiteral("--json"), QStringLiteral("200.1.2.3/") + dotted});
        EXPECT_EQ(byLength.status, 0) << bits;
        EXPECT_EQ(byLength.out, byMask.out) << bits;
        EXPECT_NE(byLength.out.find("\"mask\":\"" + dotted.toStdString() + "\""), std::string::npos) << bits;
        EXPECT_EQ(byLength.out.find("supernet") != std::string::npos, bits < 24) << bits;
    }
}

TEST_F(ReportTest, ColourOnlyWhereWantedAndPossible)
{
    const std::string green = "\x1b[38;2;0;192;0m";
    const std::string pink = "\x1b[38;2;255;128;128m";
    const std::string blue = "\x1b[38;2;128;128;255m";
    struct Row {
        QStringList args;
        Terminal terminal;
        bool coloured;
    };
    const Row rows[] = {
        {{"172.16.5.10/20"}, {false, false, false}, false},
        {{"172.16.5.10/20"}, {true, false, false}, true},
        {{"172.16.5.10/20"}, {true, true, false}, false},
        {{"172.16.5.10/20"}, {true, false, true}, false},
        {{"--color=never", "172.16.5.10/20"}, {true, false, false}, false},
        {{"--color=auto", "172.16.5.10/20"}, {true, false, false}, true},
        {{"--color=always", "172.16.5.10/20"}, {false, true, false}, true},
        {{"--color", "172.16.5.10/20"}, {false, false, false}, true},
        {{"--json", "--color=always", "172.16.5.10/20"}, {true, false, false}, false},
    };
    for (const Row& r : rows) {
        const Outcome got = runReport(r.args, std::string(), r.terminal);
        EXPECT_EQ(got.out.find('\x1b') != std::string::npos, r.coloured) << r.args.join(' ').toStdString();
        if (r.coloured) {
            // Network, then subnet, then host digits of the address row.
            const size_t row = got.out.find("IP Address:");
            const std::string expected = green + "10101100\x1b[0m." + green + "00010000\x1b[0m." + pink +
                                         "0000\x1b[0m" + blue + "0101\x1b[0m." + blue +
                                         "00001010\x1b[0m  172.16.5.10\n";
            EXPECT_EQ(got.out.substr(row + 19, expected.size()), expected);
        }
    }
}

TEST_F(ReportTest, HelpDescribesTheInputs)
{
    const Outcome got = runReport({QStringLiteral("--help")});
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.out.rfind("Usage: quillmark", 0), 0u);
    for (const char* words : {"--json", "--color=WHEN", "NO_COLOR", "8 to 31", "standard input", "Exit status"})
        EXPECT_NE(got.out.find(words), std::string::npos) << words;
    std::istringstream lines(got.out);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LT(line.size(), 80u) << line;
}

TEST(ReportCommandLine, WhichArgumentsMeanTheReport)
{
    const std::pair<QStringList, bool> rows[] = {{{}, false},
                                                 {{"--report", "10.0.0.1/8"}, true},
                                                 {{"10.0.0.1/8"}, true},
                                                 {{"-"}, true},
                                                 {{"--json", "-"}, true},
                                                 {{"--color=never"}, true},
                                                 {{"-h"}, true},
                                                 {{"-V"}, true},
                                                 {{"--help"}, true},
                                                 {{"--version"}, true},
                                                 {{"-platform", "offscreen"}, false},
                                                 {{"-style", "fusion"}, false},
                                                 {{"notes.txt"}, false}};
    for (const auto& [args, report] : rows)
        EXPECT_EQ(cli::IsReportCommandLine(args), report) << args.join(' ').toStdString();
}

// The real program, as a user runs it: no display, and no colour into a pipe.
class ReportProcess : public ::testing::Test {
protected:
    Outcome run(const QStringList& args, const QByteArray& input = QByteArray(), const char* locale = "C",
                const QString& outputFile = QString())
    {
        QProcess p;
        if (!outputFile.isEmpty())
            p.setStandardOutputFile(outputFile);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("NO_COLOR"));
        // A window would need this platform and fail without a display.
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(locale));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QM_TEST_BINARY_DIR "/quillmark"), args);
        EXPECT_TRUE(p.waitForStarted(10000));
        p.write(input);
        p.closeWriteChannel();
        EXPECT_TRUE(p.waitForFinished(30000));
        return {p.readAllStandardOutput().toStdString(), p.readAllStandardError().toStdString(),
                p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1};
    }
};

TEST_F(ReportProcess, PlainTextIntoAPipeAndTheSystemsDecimalSeparator)
{
    const Outcome plain = run({"192.168.1.1/24"});
    EXPECT_EQ(plain.out, kText1921681);
    EXPECT_EQ(plain.status, 0);
    const Outcome german = run({"--json", "172.16.5.10/20"}, QByteArray(), "de_DE.UTF-8");
    EXPECT_NE(german.out.find("\"usable\":\"57316 (87,46%)\""), std::string::npos) << german.out;
}

TEST_F(ReportProcess, ThousandsOfLinesFromStandardInput)
{
    QByteArray input;
    for (int i = 0; i < 5000; ++i)
        input += QStringLiteral("10.%1.%2.%3/%4\n").arg(i % 256).arg(i / 256).arg(i % 7).arg(8 + i % 24).toLatin1();
    input += "10.0.0.1/33\n";
    const Outcome got = run({"--json", "-"}, input);
    EXPECT_EQ(std::count(got.out.begin(), got.out.end(), '\n'), 5000);
    EXPECT_EQ(got.err, "quillmark: standard input line 5001: \"10.0.0.1/33\": mask length 33 is outside 8 to 31\n");
    EXPECT_EQ(got.status, 2);
}

// A full disk or a closed pipe is a failure, not a report.
TEST_F(ReportProcess, AFullDiskIsAFailure)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full here";
    const Outcome got = run({"--report", "10.0.0.1/8"}, QByteArray(), "C", QStringLiteral("/dev/full"));
    EXPECT_EQ(got.err, "quillmark: the report could not be written to standard output\n");
    EXPECT_EQ(got.status, 1);
}

} // namespace
