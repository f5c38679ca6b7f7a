#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

/// File names are UTF-8 throughout the program; these convert at the system's interface,
/// which takes UTF-16 on Windows. Invalid UTF-8 gives an empty path, which opens nothing.
std::filesystem::path PathFromUtf8(std::string_view name);
std::string Utf8FromPath(const std::filesystem::path& path);

/// Opens a file for writing in binary mode ("wb"); null when it cannot be opened.
std::FILE* OpenFileForWriting(const std::string& path);

/// Where the bytes of a track come from: a file, or memory in tests and fuzzing.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    /// Reads up to size bytes; returns the count, 0 at the end, or -1 after an error.
    virtual std::ptrdiff_t Read(char* buffer, std::size_t size) = 0;
};

/// A file opened read-only. On Windows the open is exclusive: it fails while another program
/// has the file open, and nobody else can open it meanwhile. POSIX systems have no such open,
/// and advisory locks would not stop other programs anyway.
class FileSource : public ByteSource {
public:
    /// Null when the path cannot be opened or is not a regular file.
    static std::unique_ptr<FileSource> Open(const std::string& path);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    std::ptrdiff_t Read(char* buffer, std::size_t size) override;

private:
#ifdef _WIN32
    explicit FileSource(void* handle) : m_handle(handle) {}
    void* m_handle;  // HANDLE
#else
    explicit FileSource(int fd) : m_fd(fd) {}
    int m_fd;
#endif
};

/// Bytes held in memory; optionally fails after a given number of bytes.
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes, std::size_t failAfter = std::string_view::npos)
        : m_bytes(bytes), m_failAfter(failAfter) {}
    std::ptrdiff_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view m_bytes;
    std::size_t m_failAfter;
    std::size_t m_offset = 0;
};

/// Splits bytes into lines as a text-mode read does: a line ends at LF, a CR directly before
/// the LF belongs to the line end, and Ctrl-Z (code 26) ends the text. Lines may be of any
/// length; a last line without LF is still a line.
class LineReader {
public:
    enum class Result { Line, End, Error };

    explicit LineReader(ByteSource& source, std::size_t bufferSize = 256 << 10);

    /// The next line; the view stays valid until the next call.
    Result ReadLine(std::string_view& line);

private:
    bool Fill();  // false at the end or after an error

    ByteSource& m_source;
    std::unique_ptr<char[]> m_buffer;  // filled before it is read
    std::size_t m_bufferSize;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    std::string m_long;  // a line that spans buffer refills
    bool m_ended = false;
    bool m_failed = false;
};
