// The terminal report of both families as a script sees it: exact text and
// JSON, one line naming each bad input, and an exit status that tells every
// failure from success.
#include "clirun.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <algorithm>
#include <map>
#include <sstream>

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

const std::string k2001db8 = "Address:         2001:db8::1/64\n"
                             "Expanded:        2001:0db8:0000:0000:0000:0000:0000:0001\n"
                             "Portions:        NNNN:NNNN:NNNN:NNNN:HHHH:HHHH:HHHH:HHHH  N=net S=subnet H=host\n"
                             "\n"
                             "Network:         2001:db8::/64\n"
                             "Last Address:    2001:db8::ffff:ffff:ffff:ffff\n"
                             "Addresses:       18446744073709551616\n"
                             "/64 Subnets:     1\n"
                             "Interface ID:    0000:0000:0000:0001\n"
                             "Type:            Documentation (RFC 3849), not globally reachable\n"
                             "Reverse Zone(s): 0.0.0.0.0.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa\n";

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
        // IPv6.
        {{"2001:db8::1/64"}, "", k2001db8, "", 0},
        {{"-"}, "2001:db8::1/64\n:::1\n", k2001db8,
         "quillmark: standard input line 2: \":::1\": \":::\" has a colon too many\n", 2},
        {{"--report", " 2001:DB8:0:0::0001/64\t"}, "", k2001db8, "", 0},
        // --site: the routing prefix and the subnet ID; boundaries inside a
        // hextet show it in binary, a hex digit they cut marked "*".
        {{"--site=46", "2001:db8:7:2a::/62"}, "",
         "Address:         2001:db8:7:2a::/62\n"
         "Expanded:        2001:0db8:0007:002a:0000:0000:0000:0000\n"
         "Portions:        NNNN:NNNN:NNN*:SSS*:HHHH:HHHH:HHHH:HHHH  N=net S=subnet H=host\n"
         "Hextet 3:        0000 0000 0000 0111  NNNN NNNN NNNN NNSS\n"
         "Hextet 4:        0000 0000 0010 1010  SSSS SSSS SSSS SSHH\n"
         "\n"
         "Routing Prefix:  2001:db8:4::/46\n"
         "Subnet ID:       49162 of 65536 (16 bits)\n"
         "Network:         2001:db8:7:28::/62\n"
         "Last Address:    2001:db8:7:2b:ffff:ffff:ffff:ffff\n"
         "Addresses:       73786976294838206464\n"
         "/64 Subnets:     4\n"
         "Type:            Documentation (RFC 3849), not globally reachable\n"
         "Reverse Zone(s): 8.2.0.0.7.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa\n"
         "                 9.2.0.0.7.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa\n"
         "                 a.2.0.0.7.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa\n"
         "                 b.2.0.0.7.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa\n",
         "", 0},
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

TEST(IPv6ReportTest, EuiAndMappedAddressLines)
{
    // EUI-64: the MAC with the universal/local bit flipped back; the zone kept.
    // A bare address is /128 (no count of /64s); a zone name too long for its
    // column goes below.
    const std::pair<const char*, const char*> parts[] = {
        {"fe80::211:22ff:fe33:4455%eth0/64",
         "Address:         fe80::211:22ff:fe33:4455%eth0/64\n"},
        {"fe80::211:22ff:fe33:4455%eth0/64",
         "Interface ID:    0211:22ff:fe33:4455\n"
         "MAC (EUI-64):    00:11:22:33:44:55\n"
         "Type:            Link-Local Unicast (RFC 4291), not globally reachable\n"},
        {"::ffff:192.0.2.1",
         "Addresses:       1\n"
         "Interface ID:    0000:ffff:c000:0201\n"
         "Embedded IPv4:   192.0.2.1 (IPv4-mapped)\n"
         "Type:            IPv4-mapped Address (RFC 4291), not globally reachable\n"
         "Reverse Zone(s):\n"
         "  1.0.2.0.0.0.0.c.f.f.f.f.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.0.ip6.arpa\n"},
    };
    for (const auto& [operand, part] : parts)
        EXPECT_NE(run({operand}).out.find(part), std::string::npos) << operand << "\n" << run({operand}).out;
}

TEST(IPv6ReportTest, ExactJsonAndMixedInput)
{
    const std::string v6 =
        R"({"version":6,"address":"2002:c000:204::1","expanded":"2002:c000:0204:0000:0000:0000:0000:0001","zone":null,)"
        R"("mask_bits":48,"site_bits":null,"routing_prefix":null,"subnet_id":null,"network":"2002:c000:204::",)"
        R"("cidr":"2002:c000:204::/48","last_address":"2002:c000:204:ffff:ffff:ffff:ffff:ffff",)"
        R"("addresses":"1208925819614629174706176","subnets_64":"65536","interface_id":null,"eui64":false,"mac":null,)"
        R"("embedded_ipv4":"192.0.2.4","embedded_ipv4_kind":"6to4","teredo_client":null,"teredo_port":null,)"
        R"("type":"6to4","type_rfc":"RFC 3056","globally_reachable":null,)"
        R"("reverse_zones":["4.0.2.0.0.0.0.c.2.0.0.2.ip6.arpa"]})"
        "\n";
    const std::string teredo = R"("embedded_ipv4":"65.54.227.120","embedded_ipv4_kind":"teredo",)"
                               R"("teredo_client":"192.0.2.45","teredo_port":40000,)";
    const std::string site = R"("mask_bits":64,"site_bits":48,"routing_prefix":"2001:db8:1::/48","subnet_id":"2",)";
    const std::string eui = R"("interface_id":"0211:22ff:fe33:4455","eui64":true,"mac":"00:11:22:33:44:55",)";
    const std::string shared = R"("version":4,"type":"Shared Address Space","type_rfc":"RFC 6598",)"
                               R"("globally_reachable":false,"reverse_zones":["64.100.in-addr.arpa",)";
    const std::string rfc2317 = R"("reverse_zones":["1.168.192.in-addr.arpa"],)"
                                R"("reverse_rfc2317":"64/26.1.168.192.in-addr.arpa","text":{)";

    clitest::Outcome got = run({"--json", "-"}, "2002:c000:204::1/48\n# IPv4 and IPv6 mix\n100.64.0.1/10\n");
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.out.substr(0, got.out.find('\n') + 1), v6);
    EXPECT_NE(got.out.find(shared), std::string::npos);
    EXPECT_NE(got.out.find(R"("127.100.in-addr.arpa"],"reverse_rfc2317":null,"text":{)"), std::string::npos);
    EXPECT_NE(run({"--json", "192.168.1.77/26"}).out.find(rfc2317), std::string::npos);
    EXPECT_NE(run({"--json", "2001:0:4136:e378:8000:63bf:3fff:fdd2"}).out.find(teredo), std::string::npos);
    EXPECT_NE(run({"--json", "--site", "48", "2001:db8:1:2::/64"}).out.find(site), std::string::npos);
    EXPECT_NE(run({"--json", "fe80::211:22ff:fe33:4455%eth0/64"}).out.find(eui), std::string::npos);
    EXPECT_NE(run({"100.64.0.1/10"}).out.find("CIDR Notation:            100.64.0.0/10\n"
                                              "Type:                     Shared Address Space (RFC 6598),\n"
                                              "                          not globally reachable\n"
                                              "Reverse Zone(s):          64.100.in-addr.arpa to 127.100.in-addr.arpa "
                                              "(64 zones)\n"),
              std::string::npos);
}

// Each member of every object has one JSON type whatever its value: counts
// are decimal strings at every length, ::/0's 2^128 included.
TEST(IPv6ReportTest, JsonMembersKeepOneType)
{
    std::string input;
    for (int length = 0; length <= 128; ++length)
        input += "::/" + std::to_string(length) + "\nfe80::211:22ff:fe33:4455%eth0/" + std::to_string(length) + "\n";
    input += "2001:0:4136:e378:8000:63bf:3fff:fdd2\n::ffff:10.0.0.1/96\n64:ff9b::192.0.2.1\n10.1.2.3/8\n"
             "192.168.1.77/26\n100.64.0.1/31\n";
    clitest::Outcome got = run({"--json", "-"}, input);
    ASSERT_EQ(got.status, 0) << got.err;
    const clitest::Outcome site = run({"--json", "--site", "0", "-"}, input);
    got.out += site.out;
    std::map<std::string, char> typeOf;
    std::istringstream lines(got.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        // The top-level members: "key":value, the value's type by its first character.
        int depth = 0;
        for (size_t at = 0; at < line.size(); ++at) {
            const char ch = line[at];
            if (ch == '"' && depth == 1 && (line[at - 1] == '{' || line[at - 1] == ',')) {
                const size_t end = line.find('"', at + 1);
                const std::string key = line.substr(at + 1, end - at - 1);
                char type = line[end + 2];
                type = type == '"' ? 's' : type == '[' || type == '{' || type == 'n' ? type : type == 't' || type == 'f' ? 'b' : '0';
                if (type != 'n') {
                    const auto [it, fresh] = typeOf.emplace(key, type);
                    EXPECT_EQ(it->second, type) << key << " in " << line;
                }
                at = end;
            } else if (ch == '"') {
                at = line.find('"', at + 1); // no member value here holds an escaped quote
            } else if (ch == '{' || ch == '[') {
                ++depth;
            } else if (ch == '}' || ch == ']') {
                --depth;
            }
        }
    }
    EXPECT_EQ(count, 2 * (2 * 129 + 6));
    for (const char* key : {"addresses", "subnets_64", "subnet_id", "address", "network", "last_address", "zone"})
        EXPECT_EQ(typeOf[key], 's') << key;
    for (const char* key : {"mask_bits", "version", "teredo_port"})
        EXPECT_EQ(typeOf[key], '0') << key;
    EXPECT_EQ(typeOf["eui64"], 'b');
    EXPECT_EQ(typeOf["reverse_zones"], '[');
    EXPECT_NE(got.out.find(R"("addresses":"340282366920938463463374607431768211456","subnets_64":"18446744073709551616")"),
              std::string::npos);
    EXPECT_NE(got.out.find(R"("cidr":"::/64","last_address":"::ffff:ffff:ffff:ffff","addresses":"18446744073709551616","subnets_64":"1")"),
              std::string::npos);
    EXPECT_NE(got.out.find(R"("cidr":"::/65","last_address":"::7fff:ffff:ffff:ffff","addresses":"9223372036854775808","subnets_64":null)"),
              std::string::npos);
}

TEST(IPv6ReportTest, HexDigitsColouredByPortion)
{
    const char* green = "\x1b[38;2;0;192;0m";
    const char* pink = "\x1b[38;2;255;128;128m";
    const char* blue = "\x1b[38;2;128;128;255m";
    std::string coloured = run({"--color=always", "--site", "46", "2001:db8:7:2a::/62"}).out;
    EXPECT_NE(coloured.find(std::string("Expanded:        ") + green + "2001\x1b[0m:"), std::string::npos);
    EXPECT_NE(coloured.find(std::string("Hextet 4:        ") + pink + "0000\x1b[0m " + pink + "0000\x1b[0m " + pink +
                            "0010\x1b[0m " + pink + "10\x1b[0m" + blue + "10\x1b[0m  SSSS"),
              std::string::npos)
        << coloured;
    for (size_t at; (at = coloured.find("\x1b[")) != std::string::npos;)
        coloured.erase(at, coloured.find('m', at) - at + 1);
    EXPECT_EQ(coloured, run({"--site", "46", "2001:db8:7:2a::/62"}).out);
    EXPECT_EQ(run({"2001:db8::1/64"}).out.find('\x1b'), std::string::npos);
}

} // namespace
