#pragma once
// A growing buffer of text written through a cursor into room made ahead:
// the report writers put a few hundred small pieces per address, and each
// append of std::string's own is a call that costs more than the copy.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class TextSink {
public:
    size_t size() const { return used_; }
    std::string_view view() const { return std::string_view(out_.data(), used_); }
    void clear() { used_ = 0; }
    TextSink& operator<<(std::string_view s)
    {
        // An empty view may have no data at all, which memcpy must not see.
        if (s.empty())
            return *this;
        std::memcpy(room(s.size()), s.data(), s.size());
        used_ += s.size();
        return *this;
    }
    TextSink& operator<<(char ch)
    {
        *room(1) = ch;
        ++used_;
        return *this;
    }
    TextSink& operator<<(std::int64_t n)
    {
        char* at = room(24);
        used_ = size_t(std::to_chars(at, at + 24, n).ptr - out_.data());
        return *this;
    }
    TextSink& operator<<(double n)
    {
        char* at = room(32);
        used_ = size_t(std::to_chars(at, at + 32, n).ptr - out_.data());
        return *this;
    }
    // Room for `count` bytes written in place; commit(end) keeps those up to
    // `end`. For rows written at fixed offsets without a call per piece.
    char* reserve(size_t count) { return room(count); }
    void commit(const char* end) { used_ = size_t(end - out_.data()); }
    TextSink& spaces(size_t count)
    {
        std::memset(room(count), ' ', count);
        used_ += count;
        return *this;
    }

private:
    char* room(size_t count)
    {
        if (used_ + count > out_.size())
            out_.resize(std::max(out_.size() * 2, used_ + count + 4096));
        return out_.data() + used_;
    }
    std::string out_;
    size_t used_ = 0;
};
