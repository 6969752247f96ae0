#pragma once
// Runs the terminal program in the test's process over descriptors of the
// test's own: input from memory, output and errors read back.
#include "cli/command.h"

#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace clitest {

struct Outcome {
    std::string out, err;
    int status;
};

inline int memoryFile(const std::string& content = std::string())
{
    const int fd = ::memfd_create("quillmark-test", 0);
    if (!content.empty() && ::write(fd, content.data(), content.size()) != ssize_t(content.size()))
        return -1;
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

inline std::string readAll(int fd)
{
    std::string text;
    char chunk[1 << 16];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, chunk, sizeof chunk)) > 0;)
        text.append(chunk, size_t(n));
    return text;
}

// `in` and `out` replace the memory files when given (and stay open).
inline Outcome run(const std::vector<std::string>& args, const std::string& input = std::string(), int in = -1,
                   int out = -1, cli::Environment env = {})
{
    env.in = in >= 0 ? in : memoryFile(input);
    env.out = out >= 0 ? out : memoryFile();
    env.err = memoryFile();
    Outcome o;
    o.status = cli::Run(args, env);
    o.out = out >= 0 ? std::string() : readAll(env.out);
    o.err = readAll(env.err);
    if (in < 0)
        ::close(env.in);
    if (out < 0)
        ::close(env.out);
    ::close(env.err);
    return o;
}

// The verb, then the row's arguments.
inline Outcome run(const char* verb, std::vector<std::string> args)
{
    args.insert(args.begin(), verb);
    return run(args);
}

} // namespace clitest
