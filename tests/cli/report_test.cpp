// The terminal report as a script sees it: exact output, one line naming each
// bad input, and an exit status that tells every failure from success.
#include "clirun.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <algorithm>

namespace {

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
                                 "Bits for Hosts:           8 bits.\n"
                                 "Wildcard Mask:            0.0.0.255\n"
                                 "CIDR Notation:            192.168.1.0/24\n"
                                 "Type:                     Private-Use (RFC 1918), not globally reachable\n"
                                 "Reverse Zone(s):          1.168.192.in-addr.arpa\n";

const std::string kJson1921687726 =
    R"J({"address":"192.168.1.77","mask_bits":26,"mask":"255.255.255.192","wildcard":"0.0.0.63","network":"192.168.1.64",)J"
    R"J("cidr":"192.168.1.64/26",)J"
    R"J("broadcast":"192.168.1.127","class":"C","class_bits":24,"private":true,"loopback":false,)J"
    R"J("subnetted":true,"supernet":false,"network_bits":24,"subnet_bits":2,"host_bits":6,"host_number":13,)J"
    R"J("host_note":null,"subnet_number":1,"subnet_note":null,"subnets_total":4,"subnets_usable":2,)J"
    R"J("hosts_total":64,"hosts_usable":62,"usable_addresses":124,"usable_share":0.4881889763779528,)J"
    R"J("joined_networks":1,"first_usable":"192.168.1.65","last_usable":"192.168.1.126","version":4,)J"
    R"J("type":"Private-Use","type_rfc":"RFC 1918","globally_reachable":false,)J"
    R"J("reverse_zones":["1.168.192.in-addr.arpa"],"reverse_rfc2317":"64/26.1.168.192.in-addr.arpa","text":{)J"
    R"J("ip_binary":"11000000.10101000.00000001.01001101","mask_binary":"11111111.11111111.11111111.11000000",)J"
    R"J("network_binary":"11000000.10101000.00000001.01000000","broadcast_binary":"11000000.10101000.00000001.01111111",)J"
    R"J("host_binary":"00000000.00000000.00000000.00001101","subnet_binary":"00000000.00000000.00000000.01000000",)J"
    R"J("ip":"192.168.1.77","mask":"255.255.255.192","network":"192.168.1.64 (network)",)J"
    R"J("broadcast":"192.168.1.127 (broadcast)","host":"Host: 13","subnet":"Subnet: 1","subnets":"4 total, 2 usable.",)J"
    R"J("hosts_per_subnet":"64 total, 62 usable.","usable":"124 (48.82%)","class":"C (private)",)J"
    R"J("network_bits":"24 bits.","subnet_bits":"2 bits.","host_bits":"6 bits.",)J"
    R"J("range":"This subnet uses address from 192.168.1.65 to 192.168.1.126"}})J"
    "\n";

using clitest::Outcome;
using clitest::run;

Outcome run(const std::vector<std::string>& args, const std::string& input, const cli::Environment& env)
{
    return run(args, input, -1, -1, env);
}

TEST(ReportTest, ExactOutputs)
{
    const std::string bad = "quillmark: \"300.1.2.3/24\": octet 1 \"300\" is more than 255\n";
    struct Row {
        std::vector<std::string> args;
        std::string input, out, err;
        int status;
    };
    const Row rows[] = {
        {{"192.168.1.1/24"}, "", kText1921681, "", 0},
        {{"--report", " 192.168.1.1/255.255.255.0\t", "192.168.1.1/24"}, "", kText1921681 + "\n" + kText1921681, "", 0},
        {{"--json", "192.168.1.77/26"}, "", kJson1921687726, "", 0},
        {{"--json", "-"}, "192.168.1.77/26\n\n# a comment\n  192.168.1.77/26\r\n", kJson1921687726 + kJson1921687726, "", 0},
        // Each bad input is named; the others are still reported.
        {{"--json", "192.168.1.77/26", "300.1.2.3/24", "192.168.1.77/26"}, "", kJson1921687726 + kJson1921687726, bad, 2},
        {{"--json", "-", "--", "-x"}, "bad\n", "",
         "quillmark: standard input line 1: \"bad\": not an address; write ADDRESS/BITS, such as 192.168.1.1/24\n"
         "quillmark: \"-x\": not an address; write ADDRESS/BITS, such as 192.168.1.1/24\n",
         2},
        {{"--version"}, "", "Quillmark 1.0.5\n", "", 0},
    };
    for (const Row& r : rows) {
        const Outcome got = run(r.args, r.input);
        EXPECT_EQ(got.out, r.out) << r.args[0] << " " << r.args.back();
        EXPECT_EQ(got.err, r.err) << r.args[0] << " " << r.args.back();
        EXPECT_EQ(got.status, r.status) << r.args[0] << " " << r.args.back();
    }
}

TEST(ReportTest, EveryBadInputGetsOneLineThatNamesItSafely)
{
    const std::string long70(70, '7');
    const std::pair<std::string, std::string> rows[] = {
        {"", "\"\": empty address; write ADDRESS/BITS, such as 192.168.1.1/24"},
        {"/32", "\"/32\": not an address; write ADDRESS/BITS, such as 192.168.1.1/24"},
        {"10.0.0.1", "\"10.0.0.1\": no mask; add /BITS (8 to 31) or /MASK, such as /24 or /255.255.255.0"},
        {"010.0.0.1/8", "\"010.0.0.1/8\": octet 1 \"010\" has a leading zero"},
        {"10.0.0.1/08", "\"10.0.0.1/08\": mask length \"08\" has a leading zero"},
        {"10.0.0.1/", "\"10.0.0.1/\": the mask length after \"/\" is empty"},
        {"10.0.0.1/7", "\"10.0.0.1/7\": mask length \"7\" is outside 8 to 31"},
        {"10.0.0.1/32", "\"10.0.0.1/32\": mask length \"32\" is outside 8 to 31"},
        {"10.0.0.1/255.0.255.0", "\"10.0.0.1/255.0.255.0\": the mask is not contiguous: its one bits must all come first"},
        {"10.0.0.1/255.255.255.255", "\"10.0.0.1/255.255.255.255\": the mask has 32 bits, outside 8 to 31"},
        {"10.0.0.1/255.255.256.0", "\"10.0.0.1/255.255.256.0\": mask octet 3 \"256\" is more than 255"},
        {"2001:db8::g/64", "\"2001:db8::g/64\": hextet \"g\" is not hexadecimal"},
        {"2001:db8::1/", "\"2001:db8::1/\": the prefix length after \"/\" is empty"},
        {"2001:db8::1/129", "\"2001:db8::1/129\": prefix length \"129\" is outside 0 to 128"},
        {"2001:db8::1/064", "\"2001:db8::1/064\": prefix length \"064\" has a leading zero"},
        {"1.2.3.4/24\x1b[2J", "\"1.2.3.4/24\\x1b[2J\": mask length \"24\\x1b[2J\" is not a decimal number"},
        {"1.2.3.4\t/24", "\"1.2.3.4\\t/24\": octet 4 \"4\\t\" is not a decimal number"},
        {"1.2.3.\xc3\xa9/24", "\"1.2.3.\\xc3\\xa9/24\": octet 4 \"\\xc3\\xa9\" is not a decimal number"},
        {long70 + ".1.1.1/8", "\"" + long70.substr(0, 64) + "\"\xE2\x80\xA6: octet 1 \"" + long70.substr(0, 64) +
                                  "\"\xE2\x80\xA6 is more than 255"},
    };
    for (const auto& [input, message] : rows) {
        const Outcome got = run({input});
        EXPECT_EQ(got.err, "quillmark: " + message + "\n") << input;
        EXPECT_EQ(got.status, 2) << input;
        EXPECT_EQ(got.out, "") << input;
    }
    // Options: one line naming the option, nothing reported.
    const std::pair<std::vector<std::string>, std::string> usage[] = {
        {{"-x\x07"}, "unknown option \"-x\\x07\""},
        {{"--color=sometimes", "10.0.0.1/8"}, "--color takes auto, always or never, not \"sometimes\""},
        {{"--json"}, "no address given"},
        {{"--"}, "no address given"},
    };
    for (const auto& [args, message] : usage) {
        const Outcome got = run(args);
        EXPECT_EQ(got.err, "quillmark: " + message + "; try \"quillmark --help\"\n") << args[0];
        EXPECT_EQ(got.status, 2);
        EXPECT_EQ(got.out, "");
    }
}

TEST(ReportTest, ColourAndTheDecimalSeparatorFollowTheEnvironment)
{
    const char* green = "\x1b[38;2;0;192;0m";
    const std::tuple<std::vector<std::string>, bool, bool, bool> rows[] = {
        {{"10.1.2.3/20"}, false, false, false},
        {{"10.1.2.3/20"}, true, false, true},
        {{"10.1.2.3/20"}, true, true, false},
        {{"--color=never", "10.1.2.3/20"}, true, false, false},
        {{"--color=always", "10.1.2.3/20"}, false, true, true},
        {{"--color", "--json", "10.1.2.3/20"}, true, false, false},
    };
    for (const auto& [args, terminal, noColor, coloured] : rows) {
        cli::Environment env;
        env.outIsTerminal = terminal;
        env.noColor = noColor;
        EXPECT_EQ(run(args, "", env).out.find(green) != std::string::npos, coloured) << args[0] << terminal << noColor;
    }
    // Coloured digits read the same once the colours are taken out.
    std::string coloured = run({"--color=always", "10.1.2.3/20"}).out;
    for (size_t at; (at = coloured.find("\x1b[")) != std::string::npos;)
        coloured.erase(at, coloured.find('m', at) - at + 1);
    EXPECT_EQ(coloured, run({"10.1.2.3/20"}).out);
    cli::Environment comma;
    comma.decimalPoint = ",";
    EXPECT_NE(run({"172.16.5.10/20"}, "", comma).out.find("57316 (87,46%)"), std::string::npos);
}

TEST(ReportTest, ThousandsOfLinesAndOneTooLong)
{
    std::string input;
    for (int i = 0; i < 5000; ++i)
        input += "10." + std::to_string(i % 256) + "." + std::to_string(i / 256) + "." + std::to_string(i % 7) + "/" +
                 std::to_string(8 + i % 24) + "\n";
    input += std::string(5000, 'x') + "\n10.0.0.1/8";
    const Outcome got = run({"--json", "-"}, input);
    EXPECT_EQ(std::count(got.out.begin(), got.out.end(), '\n'), 5001);
    EXPECT_EQ(got.err, "quillmark: standard input line 5001: the line is longer than 4096 bytes\n");
    EXPECT_EQ(got.status, 2);
}

// The real program under a shell, as a script sees its exit status and
// errors. Without a display: a test that opened a window fails.
TEST(ReportTest, TheProgramsStatusTellsEveryFailureFromSuccess)
{
    const std::string q =
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u NO_COLOR LC_ALL=C '" QM_TEST_BINARY_DIR "/quillmark'";
    const std::string full = "cannot write to standard output: No space left on device";
    const std::tuple<std::string, int, std::string> rows[] = {
        {q + " 10.0.0.1/8 >/dev/full", 1, full},
        {q + " --version >/dev/full", 1, full},
        {q + " - </", 1, "cannot read standard input: Is a directory"},
        {q + " ' '", 2, "\"\": empty address; write ADDRESS/BITS, such as 192.168.1.1/24"},
        {q + " -platform offscreen", 2, "unknown option \"-platform\"; try \"quillmark --help\""},
        // head takes one line and leaves: the report meets a closed pipe and ends quietly.
        {"yes 10.0.0.1/8 | head -n 100000 | " + q + " - | head -n 1 >/dev/null; exit ${PIPESTATUS[2]}", 141, ""},
    };
    for (const auto& [script, status, err] : rows) {
        QProcess p;
        p.start(QStringLiteral("/bin/bash"), {QStringLiteral("-c"), QString::fromStdString(script)});
        ASSERT_TRUE(p.waitForFinished(60000)) << script;
        EXPECT_EQ(p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, status) << script;
        EXPECT_EQ(p.readAllStandardError().toStdString(), err.empty() ? err : "quillmark: " + err + "\n") << script;
    }
}

} // namespace
