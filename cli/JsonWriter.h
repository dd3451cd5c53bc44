#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Builds JSON text with two-space indentation. Objects and arrays of objects
// break over lines; arrays of plain values stay on one line.
class JsonWriter
{
public:
    void beginObject(std::string_view key = {});
    void endObject();
    void beginArray(std::string_view key = {}, bool inLine = false);
    void endArray();

    void value(std::string_view key, std::string_view utf8Text);
    void value(std::string_view key, std::int64_t number);
    void value(std::string_view key, bool flag);
    void null(std::string_view key);
    // An element of an array.
    void element(std::string_view utf8Text);

    const std::string& text() const { return m_text; }

private:
    void open(std::string_view key, char bracket, bool inLine);
    void close(char bracket);
    void startItem(std::string_view key);
    void appendString(std::string_view utf8Text);

    std::string m_text;
    int m_depth = 0;
    bool m_first = true;
    bool m_inLine = false;
};
