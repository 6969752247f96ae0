// IPv6 in the terminal program: the report's text and JSON, the JSON's
// types at every prefix length, and the IPv6 split.
#include "clirun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace {

using clitest::run;

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

TEST(IPv6ReportTest, ExactText)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"2001:db8::1/64"}, k2001db8},
        {{"--report", " 2001:DB8:0:0::0001/64\t"}, k2001db8},
        // --site: the routing prefix and the subnet ID; boundaries inside a
        // hextet show it in binary, a hex digit they cut marked "*".
        {{"--site=46", "2001:db8:7:2a::/62"},
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
         "                 b.2.0.0.7.0.0.0.8.b.d.0.1.0.0.2.ip6.arpa\n"},
    };
    for (const auto& [args, out] : rows) {
        const clitest::Outcome got = run(args);
        EXPECT_EQ(got.out, out) << args.back();
        EXPECT_EQ(got.err, "") << args.back();
        EXPECT_EQ(got.status, 0) << args.back();
    }
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

// A bad line among good ones: named by its line, the others reported. The
// reasons of bad operands are with the IPv4 ones (report_test).
TEST(IPv6ReportTest, ABadLineIsNamedByItsLine)
{
    const clitest::Outcome got = run({"-"}, "2001:db8::1/64\n:::1\n");
    EXPECT_EQ(got.out, k2001db8);
    EXPECT_EQ(got.err, "quillmark: standard input line 2: \":::1\": \":::\" has a colon too many\n");
    EXPECT_EQ(got.status, 2);
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

// The rows of a split into 2^20 /64s, to the last; a split of 2^128 rows
// starts at once. The table of IPv6 rows is with the IPv4 ones (verbs_test).
TEST(IPv6SplitTest, EveryRowAndTheWholeSpace)
{
    const clitest::Outcome all = run({"--subnets", "2001:db8::/44", "--mask", "64"});
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 1048577);
    EXPECT_EQ(all.out.substr(all.out.rfind('\n', all.out.size() - 2) + 1),
              "1048575  2001:db8:f:ffff::/64  2001:db8:f:ffff:ffff:ffff:ffff:ffff\n");
    // A split of 2^128 rows starts at once.
    EXPECT_EQ(run({"--subnets", "::/0", "--mask", "128", "--json", "--limit", "1"}).out,
              R"({"network":"::","mask_bits":128,"last_address":"::","subnet_number":"0"})"
              "\n");
}

} // namespace
