// What only the Windows build does, run under wine: the program's folder,
// the error report's folder and file replacement, the bytes written to pipes
// and files, and the program itself as a user starts it.
#ifdef _WIN32
#include "clirun.h"
#include "errors/procedure.h"
#include "platform/appinfo.h"
#include "platform/privatefile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;
using platform::FileStatus;

namespace {

std::string readFile(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A fresh folder whose name is not in the ANSI code page, as %LOCALAPPDATA%.
struct LocalAppData {
    fs::path folder = fs::temp_directory_path() / fs::u8path(u8"quillmark-zo\u00eb-\u65e5");
    LocalAppData()
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
        _wputenv_s(L"LOCALAPPDATA", folder.c_str());
    }
    ~LocalAppData() { fs::remove_all(folder); }
};

fs::path testFolder()
{
    wchar_t path[MAX_PATH];
    return fs::path(std::wstring(path, GetModuleFileNameW(nullptr, path, MAX_PATH))).parent_path();
}

TEST(WindowsTest, ProgramAndStateFolders)
{
    const std::string folder = platform::ProgramFolder();
    EXPECT_EQ(folder, testFolder().u8string());
    EXPECT_EQ(folder.substr(1, 2), ":\\") << folder;
    EXPECT_EQ(platform::AppPath(), folder);
    EXPECT_EQ(platform::pathSeparator(), '\\');

    const LocalAppData local;
    EXPECT_EQ(platform::userStateFolder(false), "") << "not created when not asked to";
    const std::string state = platform::userStateFolder();
    EXPECT_EQ(state, (local.folder / "Quillmark").u8string());
    EXPECT_TRUE(fs::is_directory(fs::u8path(state)));
    _wputenv_s(L"LOCALAPPDATA", L"");
    EXPECT_EQ(platform::userStateFolder(), "");
}

TEST(WindowsTest, ReplaceFileTakesTheOldOnesPlaceWhole)
{
    const LocalAppData local;
    const std::string file = (local.folder / fs::u8path(u8"r\u00e9sum\u00e9.log")).u8string();
    const struct {
        std::string path, bytes;
        FileStatus status;
    } rows[] = {
        {file, "first\r\n", FileStatus::Ok},
        {file, "second, longer\n", FileStatus::Ok}, // over an existing file
        {local.folder.u8string(), "x", FileStatus::Refused},
        {(local.folder / "missing" / "a.log").u8string(), "x", FileStatus::PathNotFound},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(platform::replaceFile(row.path, row.bytes), row.status) << row.path;
        if (row.status == FileStatus::Ok) {
            EXPECT_EQ(readFile(fs::u8path(row.path)), row.bytes);
        }
    }
    // Nothing of the replacement is left beside the file.
    EXPECT_EQ(std::distance(fs::directory_iterator(local.folder), fs::directory_iterator()), 1);
    EXPECT_EQ(platform::removeOwnFile(file), FileStatus::Ok);
    EXPECT_FALSE(fs::exists(fs::u8path(file)));
}

TEST(WindowsTest, ErrorReportMovesToLocalAppData)
{
    const LocalAppData local;
    clsErrHandler& eh = gErrHandlerRenew();
    eh.Destination((local.folder / "no such folder" / "error.log").u8string());
    eh.DisplayMsgOnError(false);
    eh.ReportErrors(false);
    errors::Procedure("Probe()", [] { throw std::runtime_error("probe failed"); });
    const fs::path report = local.folder / "Quillmark" / "error.log";
    EXPECT_EQ(eh.ReportPath(), report.u8string());
    EXPECT_TRUE(eh.ReportDisplaced());
    EXPECT_NE(readFile(report).find("probe failed"), std::string::npos);
    eh.ClearLog();
    EXPECT_FALSE(fs::exists(report));
    gErrHandlerRenew();
}

// Pipes and files get the bytes as on Linux: UTF-8, LF, CRLF input read.
TEST(WindowsTest, BytesInAndOut)
{
    const clitest::Outcome lf = clitest::run({"-"}, "10.0.0.1/8\n192.168.1.77/26\n");
    const clitest::Outcome crlf = clitest::run({"-"}, "10.0.0.1/8\r\n192.168.1.77/26\r\n\x1a");
    EXPECT_EQ(lf.status, 0);
    EXPECT_EQ(crlf.out, lf.out) << "a ^Z in a file is not the end; the line is refused";
    EXPECT_EQ(lf.out.find('\r'), std::string::npos);

    const std::string bad(70, '\xe9');
    const clitest::Outcome cut = clitest::run({bad});
    EXPECT_EQ(cut.status, 2);
    EXPECT_NE(cut.err.find(u8"\\xe9\\xe9\"\u2026:"), std::string::npos) << cut.err;
}

// The program as built, started the way a user starts it.
TEST(WindowsTest, TheProgram)
{
    const fs::path exe = testFolder() / "quillmark.exe";
    const struct {
        std::wstring args;
        int status;
        std::string err; // the start of standard error
    } rows[] = {
        {L"", 2, "quillmark: the windows are not part of this build;"},
        {L"--version", 0, ""},
        {L"10.0.0.1/8", 0, ""},
        // Typed in UTF-16, reported in UTF-8.
        {L"10.0.0.\u00e9/8", 2, "quillmark: \"10.0.0.\\xc3\\xa9/8\""},
    };
    for (const auto& row : rows) {
        const fs::path err = fs::temp_directory_path() / "quillmark-err.txt";
        const std::wstring line = L"\"" + exe.wstring() + L"\" " + row.args + L" >NUL 2>\"" + err.wstring() + L"\"";
        // cmd.exe /c strips the outer quotes of its line.
        const int status = _wsystem((L"\"" + line + L"\"").c_str());
        EXPECT_EQ(status, row.status) << fs::path(row.args).u8string();
        EXPECT_EQ(readFile(err).substr(0, row.err.size()), row.err) << fs::path(row.args).u8string();
        fs::remove(err);
    }
}

} // namespace
#endif
