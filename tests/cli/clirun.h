#pragma once
// Runs the terminal program in the test's process over descriptors of the
// test's own: input from memory, output and errors read back.
#include "cli/command.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

#include <string>
#include <vector>

namespace clitest {

struct Outcome {
    std::string out, err;
    int status;
};

inline int memoryFile(const std::string& content = std::string())
{
#ifdef _WIN32
    // A temporary file the system removes when it is closed.
    wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"qmt", 0, name))
        return -1;
    const HANDLE h = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    const int fd = h == INVALID_HANDLE_VALUE ? -1 : _open_osfhandle(intptr_t(h), _O_RDWR | _O_BINARY);
#else
    const int fd = ::memfd_create("quillmark-test", 0);
#endif
    if (!content.empty() && long(::write(fd, content.data(), unsigned(content.size()))) != long(content.size()))
        return -1;
    ::lseek(fd, 0, SEEK_SET);
    return fd;
}

inline std::string readAll(int fd)
{
    std::string text;
    char chunk[1 << 16];
    ::lseek(fd, 0, SEEK_SET);
    for (long n; (n = long(::read(fd, chunk, sizeof chunk))) > 0;)
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
