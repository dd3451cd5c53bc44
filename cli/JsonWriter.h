#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Builds JSON text with two-space indentation. Objects and arrays of objects
// break over lines; arrays of plain values stay on one line.
//
// Without a sink the text collects in text(). With one, the text is handed to
// the sink in pieces of about 64 KB as it grows, so that a document larger
// than memory can still be written; flush() hands over the rest.
class JsonWriter
{
public:
    // Takes the next piece of the text; returns false when it could not be written.
    using Sink = std::function<bool(std::string_view piece)>;

    JsonWriter() = default;
    explicit JsonWriter(Sink sink) : m_sink(std::move(sink)) {}

    // Writes each document on one line, without blanks between its items.
    void setCompact(bool compact) { m_compact = compact; }

    // An object or array in line stays on one line.
    void beginObject(std::string_view key = {}, bool inLine = false);
    void endObject();
    void beginArray(std::string_view key = {}, bool inLine = false);
    void endArray();

    void value(std::string_view key, std::string_view utf8Text);
    void value(std::string_view key, std::int64_t number);
    void value(std::string_view key, bool flag);
    void null(std::string_view key);
    // An element of an array.
    void element(std::string_view utf8Text);

    // The text so far; with a sink, only the part not yet handed over.
    const std::string& text() const { return m_text; }
    // Hands the text not yet handed over to the sink. False when the sink
    // failed, now or with an earlier piece; after a failure nothing more is
    // handed over.
    bool flush();
    // True once the sink failed to take a piece.
    bool failed() const { return m_sinkFailed; }

private:
    void open(std::string_view key, char bracket, bool inLine);
    void close(char bracket);
    void startItem(std::string_view key);
    void appendString(std::string_view utf8Text);
    // Hands the text over once it has grown to a full piece.
    void spill();

    std::string m_text;
    Sink m_sink;
    bool m_sinkFailed = false;
    int m_depth = 0;
    bool m_first = true;
    bool m_inLine = false;
    int m_inLineDepth = 0; // the depth of the outermost container in line
    bool m_compact = false;
};
