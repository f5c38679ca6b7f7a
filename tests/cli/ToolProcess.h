#pragma once

// Runs the built pelorin-cli (PELORIN_CLI) as a process of its own, on every platform.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <sys/wait.h>
#endif

#include "support/TestFiles.h"
#include "track/FilePaths.h"
#include "track/MemorySource.h"

#ifdef _WIN32
/// One argument as CommandLineToArgvW splits it again.
inline std::wstring Quote(const std::string& arg) {
    const std::wstring wide = WideFromUtf8(arg);
    if (!wide.empty() && wide.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return wide;
    }
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : wide) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        quoted += c;
        backslashes = 0;
    }
    return quoted.append(2 * backslashes, L'\\') + L'"';
}

inline HANDLE InheritedFile(const std::string& path, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(PathFromUtf8(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &inherit, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
}

/// Runs the tool with stdin empty and stdout and stderr into files; returns its exit status.
inline int RunToolInto(const std::vector<std::string>& args, const std::string& out,
                       const std::string& err) {
    std::wstring command = Quote(PELORIN_CLI);
    for (const std::string& arg : args) {
        command += L" " + Quote(arg);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = InheritedFile("NUL", GENERIC_READ, OPEN_EXISTING);
    startup.hStdOutput = InheritedFile(out, GENERIC_WRITE, CREATE_ALWAYS);
    startup.hStdError = InheritedFile(err, GENERIC_WRITE, CREATE_ALWAYS);
    PROCESS_INFORMATION process{};
    // Wine now and then fails to start a process on a loaded machine; a failure to start is
    // not the tool's answer, so it gets two more tries.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                 nullptr, &startup, &process);
    }
    for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
        CloseHandle(handle);
    }
    if (!started) {
        return -1;
    }
    DWORD status = 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(status);
}
#else
inline std::string Quote(const std::string& arg) {
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

inline int RunToolInto(const std::vector<std::string>& args, const std::string& out,
                       const std::string& err) {
    std::string command = Quote(PELORIN_CLI);
    for (const std::string& arg : args) {
        command += " " + Quote(arg);
    }
    command += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}
#endif

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// Runs the tool and returns its status with what it wrote.
inline ToolRun RunTool(const std::vector<std::string>& args) {
    const TempFile outFile("", "out.txt");
    const std::string errPath = outFile.Dir() + "/err.txt";
    ToolRun run;
    run.status = RunToolInto(args, outFile.Path(), errPath);
    run.out = ReadAll(outFile.Path());
    run.err = ReadAll(errPath);
    return run;
}
