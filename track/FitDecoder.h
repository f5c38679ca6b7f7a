#pragma once

#include <cstdint>
#include <optional>

#include "track/ByteSource.h"

/// The values of one `record` message that Pelorin reads, each missing when the message lacks
/// the field, holds its invalid value, or holds it in a form that cannot be read.
struct FitRecord {
    std::optional<int32_t> latitude;    // semicircles
    std::optional<int32_t> longitude;   // semicircles
    std::optional<uint32_t> altitude;   // 5 per metre from -500 m: enhanced_altitude, else altitude
    std::optional<uint32_t> time;       // seconds since 1989-12-31T00:00:00Z
    std::optional<uint8_t> heartRate;   // beats per minute
    std::optional<uint8_t> cadence;     // revolutions per minute
    std::optional<uint16_t> power;      // watts
    std::optional<int8_t> temperature;  // degrees Celsius
};

/// Receives the messages of a FIT file as they are decoded.
class FitHandler {
public:
    virtual ~FitHandler() = default;
    /// A FIT file begins: the first one, or one chained after the checksum of the one before.
    virtual void OnFile() = 0;
    virtual void OnRecord(const FitRecord& record) = 0;
    /// A `lap` message with a valid start_time, in seconds since 1989-12-31T00:00:00Z.
    virtual void OnLap(uint32_t startTime) = 0;
};

/// What went wrong while decoding, each told once however often it happened. Damage stops the
/// decoding, so it always comes after any checksum mismatch.
struct FitOutcome {
    bool checksumMismatch = false;  // of some file's header or data
    /// Offset of the first byte that could not be decoded: the header byte of a message that
    /// is cut short, crosses the end of its file's data or has a local type never defined,
    /// or the start of a file header or checksum that is cut short or not one.
    std::optional<uint64_t> damagedAt;
    bool readFailed = false;  // the source failed; decoding stopped there
};

/// Decodes the FIT files chained in the source, a block at a time, and stops at the first
/// damage. Memory stays bounded whatever the bytes say.
FitOutcome DecodeFit(ByteSource& source, FitHandler& handler);
