// CString: the framework's 8-bit text type, in the least form the dialog needs.
#pragma once

#include <string>
#include <string_view>

class CString {
public:
    // Empty text.
    CString() = default;
    // Copies a zero-terminated text; a null pointer gives the empty text.
    CString(const char* psz) { *this = psz; }
    // Copies bytes as they stand, zero bytes included (back ends use it for
    // what a control holds; read access then ends at the first zero byte).
    explicit CString(std::string_view bytes) : m_text(bytes) {}

    // Replaces the content with a zero-terminated text; null gives "".
    CString& operator=(const char* psz);

    // Replaces the whole content with `format` applied to `value`. Only the
    // conversions "%f" and "%%" are understood (nothing else is ever asked of
    // it); any other character, a '%' that starts neither included, is copied
    // as it stands. "%f" writes exactly what the C library's "%f" writes in the
    // C locale: fixed point, six decimals, round-half-even on the exact binary
    // value, '-' for every negative value including -0, "inf"/"nan" with their
    // sign. The process locale is never consulted.
    void Format(const char* format, double value);

    // Read access as a zero-terminated array; valid until the next change.
    operator const char*() const { return m_text.c_str(); }
    // All bytes held, zero bytes included.
    std::string_view Bytes() const { return m_text; }
    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }

private:
    std::string m_text;
};
