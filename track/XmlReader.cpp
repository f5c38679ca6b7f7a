#include "track/XmlReader.h"

#include <algorithm>
#include <expat.h>
#include <memory>
#include <new>

#include "track/SectionWriter.h"

const char* FindAttribute(const char* const* attributes, std::string_view name) {
    for (; attributes[0] != nullptr; attributes += 2) {
        std::string_view key(attributes[0]);
        const std::size_t colon = key.rfind(':');
        if (colon != std::string_view::npos) {
            key.remove_prefix(colon + 1);
        }
        if (key == name) {
            return attributes[1];
        }
    }
    return nullptr;
}

namespace {

constexpr std::size_t kBlockSize = 256 << 10;
// expat scans a token again from its start whenever more bytes come: while one token (a huge
// attribute, say) gives no callback, each block is twice the last, so that the scans stay
// linear in the token's length.
constexpr std::size_t kLargestBlock = 256 << 20;
// The longest text kept of one element: names and numbers are short, and a huge text
// (perhaps swollen by entities) must not take memory.
constexpr std::size_t kTextLimit = 64 << 10;

std::string_view LocalName(const XML_Char* name) {
    const XML_Char* local = name;
    const XML_Char* p = name;
    for (; *p != '\0'; ++p) {
        if (*p == ':') {
            local = p + 1;
        }
    }
    return std::string_view(local, static_cast<std::size_t>(p - local));
}

struct ParseState {
    XML_Parser parser;
    XmlHandler& handler;
    std::string text;
    bool collecting = false;
    bool outOfMemory = false;
    std::size_t callbacks = 0;
};

// An exception must not unwind through the C library: it stops the parser and is thrown
// again once the parser has returned.
template <typename Action>
void Guarded(void* data, Action action) {
    auto& state = *static_cast<ParseState*>(data);
    ++state.callbacks;
    try {
        action(state);
    } catch (const std::bad_alloc&) {
        state.outOfMemory = true;
        XML_StopParser(state.parser, XML_FALSE);
    }
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](ParseState& state) {
        if (state.text.size() < kTextLimit) {
            const std::size_t room = kTextLimit - state.text.size();
            state.text.append(text, std::min(static_cast<std::size_t>(length), room));
        }
    });
}

// Text is received only while an element that asked for it is open: expat then skips the
// calls for the blanks between elements.
void Collect(ParseState& state, bool collect) {
    state.collecting = collect;
    state.text.clear();
    XML_SetCharacterDataHandler(state.parser, collect ? OnText : nullptr);
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](ParseState& state) {
        Collect(state, state.handler.StartElement(LocalName(name), attributes));
    });
}

void XMLCALL OnEnd(void* data, const XML_Char* name) {
    Guarded(data, [&](ParseState& state) {
        const std::string_view text = state.collecting ? state.text : std::string_view();
        state.handler.EndElement(LocalName(name), text);
        Collect(state, false);
    });
}

}  // namespace

ReadStatus ParseXml(ByteSource& source, XmlHandler& handler, const std::string& path,
                    std::string& error) {
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(
        XML_ParserCreate(nullptr), XML_ParserFree);
    if (!parser) {
        throw std::bad_alloc();
    }
    ParseState state{parser.get(), handler, {}, false, false, 0};
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    // No parameter entities, so no external DTD subset; and with no external entity handler
    // no external entity is ever loaded. The limit on entity amplification stays as it is.
    XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
    std::size_t block = kBlockSize;
    for (;;) {
        void* const buffer = XML_GetBuffer(parser.get(), static_cast<int>(block));
        if (buffer == nullptr) {
            throw std::bad_alloc();
        }
        const std::size_t callbacks = state.callbacks;
        const std::ptrdiff_t count = source.Read(static_cast<char*>(buffer), block);
        if (count < 0) {
            return ReadStatus::ReadFailed;
        }
        const bool last = count == 0;
        if (XML_ParseBuffer(parser.get(), static_cast<int>(count), last) != XML_STATUS_OK) {
            if (state.outOfMemory || XML_GetErrorCode(parser.get()) == XML_ERROR_NO_MEMORY) {
                throw std::bad_alloc();
            }
            error = path + ": " + XML_ErrorString(XML_GetErrorCode(parser.get())) + " at line "
                    + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ".";
            return ReadStatus::BadContent;
        }
        if (last) {
            return ReadStatus::Ok;
        }
        block = state.callbacks != callbacks ? kBlockSize : std::min(block * 2, kLargestBlock);
    }
}

ReadStatus ReadXmlTrack(ByteSource& source, XmlHandler& handler, SectionWriter& writer,
                        const std::string& path, std::vector<std::string>& messages) {
    std::string error;
    const ReadStatus status = ParseXml(source, handler, path, error);
    writer.Finish(path, messages);
    if (!error.empty()) {
        messages.push_back(error);
    }
    return status;
}
