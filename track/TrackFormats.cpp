// Chooses the reader of a file from its content: a FIT file header, the root element of an
// XML document, or the name for formats without a mark of their own. Everything else goes to
// the .plt reader, which accepts any file.

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <utility>

#include "track/FilePaths.h"
#include "track/FileSource.h"
#include "track/PltReader.h"
#include "track/SectionWriter.h"
#include "track/TrackReader.h"

namespace {

// The formats with readers of their own; the next one is one more line here.
const TrackFormat* const kFormats[] = {&kFitFormat, &kGpxFormat, &kTcxFormat, &kIgcFormat};

// Enough for any prologue a track file has in practice; a longer one reads as .plt.
constexpr std::size_t kSniffLimit = 64 << 10;
constexpr std::size_t kSniffStep = 4 << 10;
constexpr std::size_t kFitHeaderSize = 12;  // what tells a FIT file

/// Gives the bytes taken to look at the file, then the rest of the source, and fails where
/// the source failed.
class ReplaySource : public ByteSource {
public:
    ReplaySource(std::string prefix, bool failed, ByteSource& rest)
        : m_prefix(std::move(prefix)), m_failed(failed), m_rest(rest) {}

    std::ptrdiff_t Read(char* buffer, std::size_t size) override {
        if (m_offset < m_prefix.size()) {
            const std::size_t count = std::min(size, m_prefix.size() - m_offset);
            std::memcpy(buffer, m_prefix.data() + m_offset, count);
            m_offset += count;
            return static_cast<std::ptrdiff_t>(count);
        }
        return m_failed ? -1 : m_rest.Read(buffer, size);
    }

    /// The bytes looked at.
    std::string_view Prefix() const { return m_prefix; }

private:
    std::string m_prefix;
    std::size_t m_offset = 0;
    bool m_failed;
    ByteSource& m_rest;
};

constexpr bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

/// Where the markup declaration at the start of text ends (just past its '>'), skipping
/// quoted strings and an internal subset in brackets; npos when it does not end in text.
std::size_t DeclarationEnd(std::string_view text) {
    int brackets = 0;
    char quote = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
        const char c = text[i];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++brackets;
        } else if (c == ']') {
            --brackets;
        } else if (c == '>' && brackets <= 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

/// Length of the prologue item at the start of text (declaration, processing instruction,
/// comment, document type); 0 when text starts with something else, npos when it is cut.
std::size_t PrologueItem(std::string_view text) {
    if (text.starts_with("<?")) {
        const std::size_t end = text.find("?>", 2);
        return end == std::string_view::npos ? end : end + 2;
    }
    if (text.starts_with("<!--")) {
        const std::size_t end = text.find("-->", 4);
        return end == std::string_view::npos ? end : end + 3;
    }
    if (text.starts_with("<!")) {
        return DeclarationEnd(text);
    }
    return 0;
}

bool HasPoints(const TrackSectionList& list, std::size_t from) {
    for (std::size_t i = from; i < list.GetSize(); ++i) {
        if (!list[i].points.IsEmpty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::string_view XmlRootName(std::string_view bytes, bool complete, bool& needMore) {
    needMore = false;
    std::string_view text = bytes;
    if (text.starts_with("\xEF\xBB\xBF")) {
        text.remove_prefix(3);
    }
    for (;;) {
        while (!text.empty() && IsXmlSpace(text.front())) {
            text.remove_prefix(1);
        }
        // Too little to tell "<!--" from "<!DOCTYPE" or a name: wait for more.
        if (text.size() < 4 && !complete) {
            needMore = true;
            return {};
        }
        if (text.empty() || text.front() != '<') {
            return {};
        }
        const std::size_t item = PrologueItem(text);
        if (item == std::string_view::npos) {
            needMore = !complete;
            return {};
        }
        if (item == 0) {
            break;
        }
        text.remove_prefix(item);
    }
    const std::size_t nameEnd = text.find_first_of(" \t\r\n/>", 1);
    if (nameEnd == std::string_view::npos) {
        needMore = !complete;
        return {};
    }
    std::string_view name = text.substr(1, nameEnd - 1);
    const std::size_t colon = name.rfind(':');
    if (colon != std::string_view::npos) {
        name.remove_prefix(colon + 1);
    }
    return name;
}

ReadStatus ReadTrackSource(TrackSectionList& list, ByteSource& source, const ReadContext& context,
                           Messages& messages) {
    // The source cannot seek: the bytes looked at are given again in front of the rest.
    std::string prefix;
    bool ended = false;
    bool failed = false;
    std::string_view root;
    for (;;) {
        bool needMore = false;
        root = XmlRootName(prefix, ended || failed, needMore);
        const bool fitUnsure = prefix.size() < kFitHeaderSize && !ended && !failed;
        if ((!needMore && !fitUnsure) || prefix.size() >= kSniffLimit) {
            break;
        }
        const std::size_t had = prefix.size();
        prefix.resize(had + kSniffStep);
        const std::ptrdiff_t count = source.Read(prefix.data() + had, kSniffStep);
        prefix.resize(had + static_cast<std::size_t>(std::max<std::ptrdiff_t>(count, 0)));
        ended = count == 0;
        failed = count < 0;
    }
    const std::string rootName(root);
    ReplaySource replay(std::move(prefix), failed, source);
    const std::size_t before = list.GetSize();
    const TrackFormat* reader = nullptr;
    for (const TrackFormat* format : kFormats) {
        if (format->claims(replay.Prefix(), rootName, context.path)) {
            reader = format;
            break;
        }
    }
    const ReadStatus status = reader != nullptr ? reader->read(list, replay, context, messages)
                                                : ReadTrackText(list, replay);
    // A file that is no track at all reads without an error of its own: it adds nothing, and
    // the user learns why. A reader that stopped with an error has said why already, and an
    // OziExplorer track whose logger wrote no point is an empty recording.
    if (status != ReadStatus::Ok || HasPoints(list, before)
        || (reader == nullptr && HasPltBanner(replay.Prefix()))) {
        return status;
    }
    list.SetSize(before);
    messages.push_back(context.path + ": no track points could be read.");
    return ReadStatus::BadContent;
}

ReadResult TrackSectionList::LoadTrackFile(const std::string& path) {
    RemoveAll();
    return ReadTrackFile(path);
}

ReadResult TrackSectionList::ReadTrackFile(const std::string& path) {
    ReadResult result;
    const std::unique_ptr<FileSource> file = FileSource::Open(path);
    if (!file) {
        result.status = ReadStatus::OpenFailed;
        result.messages.push_back("Error opening file: " + path);
        return result;
    }
    try {
        result.status =
            ReadTrackSource(*this, *file, ReadContext{path, FileTitle(path)}, result.messages);
    } catch (const std::bad_alloc&) {
        // A file too large for memory fails like any read error: what was read stays.
        result.status = ReadStatus::ReadFailed;
    }
    if (result.status == ReadStatus::ReadFailed) {
        const std::filesystem::path name = PathFromUtf8(path);
        std::error_code error;
        const std::filesystem::path full = std::filesystem::absolute(name, error);
        result.messages.push_back(
            "An unknown error occurred while accessing "
            + (error || name.empty() ? path : Utf8FromPath(full.lexically_normal())) + ".");
    }
    return result;
}
