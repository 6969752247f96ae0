// The split and plan verbs row by row, and output that reaches a slow reader
// through a non-blocking pipe whole.
#include "clirun.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

namespace {

using clitest::run;

const std::string kHead = "Subnet  Network             First usable     Last usable      Broadcast        Hosts\n";

TEST(SplitTest, Rows)
{
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        // Without --mask: the subnets at /M of the address's class network ...
        {{"10.99.2.3/10"}, kHead + "0       10.0.0.0/10         10.0.0.1         10.63.255.254    10.63.255.255    4194302\n"
                                   "1       10.64.0.0/10        10.64.0.1        10.127.255.254   10.127.255.255   4194302\n"
                                   "2       10.128.0.0/10       10.128.0.1       10.191.255.254   10.191.255.255   4194302\n"
                                   "3       10.192.0.0/10       10.192.0.1       10.255.255.254   10.255.255.255   4194302\n"},
        {{"192.168.1.77/25"}, kHead + "0       192.168.1.0/25      192.168.1.1      192.168.1.126    192.168.1.127    126\n"
                                      "1       192.168.1.128/25    192.168.1.129    192.168.1.254    192.168.1.255    126\n"},
        // ... and for a supernet the class networks it joins.
        {{"192.168.5.9/23"}, kHead + "0       192.168.4.0/24      192.168.4.1      192.168.4.254    192.168.4.255    254\n"
                                     "1       192.168.5.0/24      192.168.5.1      192.168.5.254    192.168.5.255    254\n"},
        // /31 and /32: no hosts, unless RFC 3021 is followed.
        {{"10.0.0.0/30", "--mask", "31", "--rfc3021"},
         kHead + "0       10.0.0.0/31         10.0.0.0         10.0.0.1         10.0.0.1         2\n"
                 "1       10.0.0.2/31         10.0.0.2         10.0.0.3         10.0.0.3         2\n"},
        // --limit caps the rows; the host bits of the operand are not the split's.
        {{"10.1.2.3/8", "--mask", "30", "--limit", "2"},
         kHead + "0       10.0.0.0/30         10.0.0.1         10.0.0.2         10.0.0.3         2\n"
                 "1       10.0.0.4/30         10.0.0.5         10.0.0.6         10.0.0.7         2\n"},
        {{"10.0.0.0/8", "--mask", "30", "--limit=0"}, kHead},
        {{"0.0.0.0/0", "--mask", "1"}, kHead + "0       0.0.0.0/1           0.0.0.1          127.255.255.254  127.255.255.255  2147483646\n"
                                               "1       128.0.0.0/1         128.0.0.1        255.255.255.254  255.255.255.255  2147483646\n"},
        // JSON Lines: numbers as numbers, no host as null.
        {{"10.0.0.0/30", "--mask", "31", "--json", "--limit", "1"},
         R"({"network":"10.0.0.0","mask_bits":31,"first_usable":null,"last_usable":null,"broadcast":"10.0.0.1","hosts":0,"subnet_number":0})"
         "\n"},
        {{"255.255.255.0/24", "--mask", "30", "--json", "--limit", "1"},
         R"({"network":"255.255.255.0","mask_bits":30,"first_usable":"255.255.255.1","last_usable":"255.255.255.2","broadcast":"255.255.255.3","hosts":2,"subnet_number":0})"
         "\n"},
        // IPv6: columns as wide as the split's widest texts.
        {{"2001:db8::/62", "--mask", "64"}, "Subnet  Network            Last address\n"
                                            "0       2001:db8::/64      2001:db8::ffff:ffff:ffff:ffff\n"
                                            "1       2001:db8:0:1::/64  2001:db8:0:1:ffff:ffff:ffff:ffff\n"
                                            "2       2001:db8:0:2::/64  2001:db8:0:2:ffff:ffff:ffff:ffff\n"
                                            "3       2001:db8:0:3::/64  2001:db8:0:3:ffff:ffff:ffff:ffff\n"},
        // The operand's host bits are not the split's; --limit caps the rows.
        {{"2001:db8::1/44", "--mask=64", "--limit", "1"}, "Subnet  Network               Last address\n"
                                                          "0       2001:db8::/64         2001:db8::ffff:ffff:ffff:ffff\n"},
        {{"::/0", "--mask", "1"}, "Subnet  Network   Last address\n"
                                  "0       ::/1      7fff:ffff:ffff:ffff:ffff:ffff:ffff:ffff\n"
                                  "1       8000::/1  ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff\n"},
        {{"::1", "--mask", "128"}, "Subnet  Network  Last address\n0       ::1/128  ::1\n"},
        // JSON Lines: the subnet number is a decimal string, since it can pass 2^53.
        {{"2001:db8::/44", "--mask", "64", "--json", "--limit", "2"},
         R"({"network":"2001:db8::","mask_bits":64,"last_address":"2001:db8::ffff:ffff:ffff:ffff","subnet_number":"0"})"
         "\n"
         R"({"network":"2001:db8:0:1::","mask_bits":64,"last_address":"2001:db8:0:1:ffff:ffff:ffff:ffff","subnet_number":"1"})"
         "\n"},
    };
    for (const auto& [args, out] : rows) {
        const clitest::Outcome got = run("--subnets", args);
        EXPECT_EQ(got.status, 0) << args[0];
        EXPECT_EQ(got.err, "") << args[0];
        EXPECT_EQ(got.out, out) << args[0];
    }
}

// Runs the program into a pipe whose reader, in a thread, takes each chunk.
clitest::Outcome throughPipe(const std::vector<std::string>& args, bool nonBlocking,
                             const std::function<void(const char*, ssize_t)>& take)
{
    int p[2];
    EXPECT_EQ(::pipe(p), 0);
    if (nonBlocking)
        ::fcntl(p[1], F_SETFL, ::fcntl(p[1], F_GETFL) | O_NONBLOCK);
    std::thread reader([&] {
        char chunk[1 << 16];
        for (ssize_t n; (n = ::read(p[0], chunk, sizeof chunk)) > 0;)
            take(chunk, n);
    });
    const clitest::Outcome got = run(args, "", -1, p[1]);
    ::close(p[1]);
    reader.join();
    ::close(p[0]);
    return got;
}

// Read through a pipe, keeping only the first and last rows and the count.
TEST(SplitTest, MillionsOfRowsStreamToTheLast)
{
    std::string first, last;
    long lines = 0;
    const auto take = [&](const char* chunk, ssize_t n) {
        lines += std::count(chunk, chunk + n, '\n');
        if (first.size() < 200)
            first.append(chunk, size_t(n));
        last = (last + std::string(chunk, size_t(n))).substr(std::max<ssize_t>(0, ssize_t(last.size()) + n - 200));
    };
    const clitest::Outcome got = throughPipe({"--subnets", "10.0.0.0/8", "--mask", "30"}, false, take);
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(lines, 4194305);
    EXPECT_EQ(last.substr(last.rfind('\n', last.size() - 2) + 1),
              "4194303  10.255.255.252/30   10.255.255.253   10.255.255.254   10.255.255.255   2\n");
    EXPECT_EQ(first.substr(0, first.find('\n') + 1),
              "Subnet   Network             First usable     Last usable      Broadcast        Hosts\n");
}

// The rows of a split into 2^20 /64s, to the last; a split of 2^128 rows
// starts at once. 
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

TEST(PlanTest, Tables)
{
    const std::string head = "Name  Asked  Network       First usable  Last usable  Broadcast  Usable  Spare\n";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        // 14 hosts take a /28 with 14 usable, 50 a /26; the largest is placed first.
        {{"10.0.0.0/24", "a=14", "b=50"},
         head + "a     14     10.0.0.64/28  10.0.0.65     10.0.0.78    10.0.0.79  14      0\n"
                "b     50     10.0.0.0/26   10.0.0.1      10.0.0.62    10.0.0.63  62      12\n"
                "\n"
                "Unused         Addresses\n"
                "10.0.0.80/28   16\n"
                "10.0.0.96/27   32\n"
                "10.0.0.128/25  128\n"},
        // An exact fit; ties keep the order given; no name is "-".
        {{"10.0.0.0/26", "x=14", "14", "z=14", "14"},
         "Name  Asked  Network       First usable  Last usable  Broadcast  Usable  Spare\n"
         "x     14     10.0.0.0/28   10.0.0.1      10.0.0.14    10.0.0.15  14      0\n"
         "-     14     10.0.0.16/28  10.0.0.17     10.0.0.30    10.0.0.31  14      0\n"
         "z     14     10.0.0.32/28  10.0.0.33     10.0.0.46    10.0.0.47  14      0\n"
         "-     14     10.0.0.48/28  10.0.0.49     10.0.0.62    10.0.0.63  14      0\n"
         "\n"
         "Unused: none\n"},
        // RFC 3021: 2 hosts take a /31, 1 host a /32.
        {{"10.0.0.0/29", "p=2", "q=1", "r=2", "--rfc3021"},
         "Name  Asked  Network      First usable  Last usable  Broadcast  Usable  Spare\n"
         "p     2      10.0.0.0/31  10.0.0.0      10.0.0.1     10.0.0.1   2       0\n"
         "q     1      10.0.0.4/32  10.0.0.4      10.0.0.4     10.0.0.4   1       0\n"
         "r     2      10.0.0.2/31  10.0.0.2      10.0.0.3     10.0.0.3   2       0\n"
         "\n"
         "Unused       Addresses\n"
         "10.0.0.5/32  1\n"
         "10.0.0.6/31  2\n"},
        {{"10.0.0.0/29", "1", "--json"},
         R"({"kind":"allocation","name":null,"hosts_requested":1,"network":"10.0.0.0","mask_bits":30,)"
         R"("first_usable":"10.0.0.1","last_usable":"10.0.0.2","broadcast":"10.0.0.3","hosts_usable":2,"hosts_spare":1})"
         "\n"
         R"({"kind":"unused","network":"10.0.0.4","mask_bits":30,"addresses":4})"
         "\n"},
    };
    for (const auto& [args, out] : rows) {
        const clitest::Outcome got = run("--plan", args);
        EXPECT_EQ(got.status, 0) << args[1];
        EXPECT_EQ(got.err, "") << args[1];
        EXPECT_EQ(got.out, out) << args[1];
    }
}

// Every bad request is named, and a bad one leaves no plan at all.
TEST(PlanTest, BadRequestsLeaveNoResult)
{
    const std::string more = "asks for more hosts than an IPv4 network holds (4294967294)";
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"10.0.0.0/26", "a=30", "b=30", "c=10"},
         "request \"c=10\" does not fit: the requests need 80 addresses and 10.0.0.0/26 has 64, 16 missing"},
        {{"10.0.0.0/24", "a=14", "x=0"}, "request \"x=0\": asks for 0 hosts; a subnet is for at least 1"},
        {{"10.0.0.0/24", "ab"}, "request \"ab\": host count \"ab\" is not a decimal number"},
        {{"10.0.0.0/24", "a=014"}, "request \"a=014\": host count \"014\" has a leading zero"},
        {{"10.0.0.0/24", "=5"}, "request \"=5\": the name before \"=\" is empty"},
        {{"10.0.0.0/24", "a="}, "request \"a=\": the host count is empty"},
        {{"10.0.0.0/24", "l\xc3\xa4n=5"},
         "request \"l\\xc3\\xa4n=5\": name \"l\\xc3\\xa4n\" is not 1 to 32 letters, digits, \".\", \"-\" or \"_\""},
        {{"10.0.0.0/24", "a=5", "a=6"}, "request \"a=6\": name \"a\" is given twice"},
        {{"10.0.0.0/24", "4294967295"}, "request \"4294967295\": " + more},
        {{"10.0.0.0/24", "99999999999999999999999"}, "request \"99999999999999999999999\": " + more},
    };
    for (const auto& [args, err] : rows) {
        const clitest::Outcome got = run("--plan", args);
        EXPECT_EQ(got.status, 2) << args.back();
        EXPECT_EQ(got.err, "quillmark: " + err + "\n") << args.back();
        EXPECT_EQ(got.out, "") << args.back();
    }
    const clitest::Outcome got = run({"--plan", "10.0.0.0/24", "-"}, "a=5 b=x\n# c=0\n\n c=0\t d=1\n" + std::string(5000, '1'));
    EXPECT_EQ(got.err, "quillmark: standard input line 1: request \"b=x\": host count \"x\" is not a decimal number\n"
                       "quillmark: standard input line 4: request \"c=0\": asks for 0 hosts; a subnet is for at least 1\n"
                       "quillmark: standard input line 5: the line is longer than 4096 bytes\n");
    EXPECT_EQ(got.status, 2);
    EXPECT_EQ(got.out, "");
    EXPECT_EQ(run({"--plan", "10.0.0.0/24", "-"}, "# none\n").err,
              "quillmark: no host counts given; --plan needs at least one, such as 10.0.0.0/24 50 14\n");
}

// A non-blocking pipe that a slow reader keeps full: the writer waits for it
// and every byte arrives. Standard input read that way is read whole too.
TEST(OutputTest, ASlowReaderOfANonBlockingPipeGetsEverything)
{
    std::string received;
    const auto slowly = [&](const char* chunk, ssize_t n) {
        received.append(chunk, size_t(n));
        std::this_thread::sleep_for(std::chrono::microseconds(300));
    };
    const clitest::Outcome got = throughPipe({"--subnets", "10.0.0.0/18", "--mask", "32"}, true, slowly);
    EXPECT_EQ(got.status, 0);
    EXPECT_EQ(got.err, "");
    EXPECT_EQ(std::count(received.begin(), received.end(), '\n'), 16385);
    EXPECT_EQ(received.substr(received.size() - 20), " 10.0.63.255      0\n");

    int q[2];
    ASSERT_EQ(::pipe(q), 0);
    ::fcntl(q[0], F_SETFL, ::fcntl(q[0], F_GETFL) | O_NONBLOCK);
    std::thread writer([&] {
        for (const char* part : {"a=14 ", "b=50\n", "c=2"}) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ASSERT_GT(::write(q[1], part, std::strlen(part)), 0);
        }
        ::close(q[1]);
    });
    const clitest::Outcome plan = run({"--plan", "10.0.0.0/24", "--json", "-"}, "", q[0]);
    writer.join();
    ::close(q[0]);
    EXPECT_EQ(plan.status, 0);
    EXPECT_EQ(std::count(plan.out.begin(), plan.out.end(), '\n'), 7);
}

} // namespace
