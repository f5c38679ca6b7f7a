#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "track/ByteSource.h"
#include "track/TrackSectionList.h"

class SectionWriter;

/// Receives the elements of an XML document as they stream past. Names are local names: a
/// namespace prefix is dropped, so documents of every version of a format read alike.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    /// An element opens; attributes are pairs of name and value, ending with a null. Returns
    /// true to receive the element's text when it closes.
    virtual bool StartElement(std::string_view name, const char* const* attributes) = 0;
    /// An element closes; text is its character data when it was asked for, else empty.
    virtual void EndElement(std::string_view name, std::string_view text) = 0;
};

/// The value of the attribute with the given local name, or null.
const char* FindAttribute(const char* const* attributes, std::string_view name);

/// Streams the document from source through the handler, a block at a time, never holding it
/// whole. External entities are never loaded. A document that is not well-formed stops the
/// reading with BadContent and error set to "<path>: <what> at line N."; an error of the
/// source gives ReadFailed.
ReadStatus ParseXml(ByteSource& source, XmlHandler& handler, const std::string& path,
                    std::string& error);

/// Reads a track document: the handler turns its elements into sections through the writer.
/// The writer's warnings come first, then the error that stopped the document, if any.
ReadStatus ReadXmlTrack(ByteSource& source, XmlHandler& handler, SectionWriter& writer,
                        const std::string& path, std::vector<std::string>& messages);
