#pragma once
// The JSON that every --json prints: members separated by ", ", arrays of objects at the top
// level one item to a line, texts as the bytes held (each byte one code point from 0 to 255).
#include <cstdint>
#include <string>
#include <vector>

namespace vornix::cli {

class Json {
  public:
    Json& object();
    // linePerItem: each item on a line of its own, indented by two spaces.
    Json& array(bool linePerItem = false);
    // Closes the innermost object or array.
    Json& end();
    Json& key(const char* name);
    Json& text(const std::string& bytes);
    Json& number(long long value);
    Json& number(unsigned long long value);
    Json& number(int value) { return number(static_cast<long long>(value)); }
    Json& number(long value) { return number(static_cast<long long>(value)); }
    Json& number(unsigned value) { return number(static_cast<unsigned long long>(value)); }
    Json& number(unsigned long value) { return number(static_cast<unsigned long long>(value)); }
    // A fixed-point number with the given decimals.
    Json& fixed(double value, int decimals);
    Json& boolean(bool value);
    // The text written so far, with a line end once everything is closed.
    std::string finish();

    void reserve(std::size_t bytes) { out_.reserve(bytes); }

  private:
    struct Level {
        bool array;
        bool linePerItem;
        std::size_t items;
    };
    void beforeValue();
    std::string out_;
    std::vector<Level> open_;
};

// Code points 0-255, one per byte, as JSON text.
std::string jsonText(const std::string& bytes);
// The same, appended to out.
void appendJsonText(std::string& out, const std::string& bytes);

} // namespace vornix::cli
