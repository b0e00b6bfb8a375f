#pragma once
// Two kinds of text travel through the program, and the compiler keeps them apart: neither
// converts into the other except through the converter of text/Cp1252.h, and bytes become one
// of them only by a named step (DeBytes) where they enter in that encoding.
#include <compare>
#include <concepts>
#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

namespace pasaplan {

enum class Codificacion { Cp1252, Utf8 };

template <Codificacion C>
class Cadena;

// Windows-1252 bytes, one character per byte: every data text of the core (values of the
// exchange document, table fields, codes). Widths and positions count these bytes. It reads as
// a std::string_view, which is how the core's text functions take it.
using Texto = Cadena<Codificacion::Cp1252>;

// UTF-8: messages for the person in front of the tool, file paths, what crosses to Qt, the
// terminal and libxml2. Its bytes leave only through Bytes().
using Utf8 = Cadena<Codificacion::Utf8>;

template <Codificacion C>
class Cadena {
  public:
    static constexpr size_t npos = std::string::npos;
    using value_type = char;
    using size_type = size_t;
    using iterator = std::string::iterator;
    using const_iterator = std::string::const_iterator;

    Cadena() = default;
    // A string literal, its bytes as written. Both encodings agree on ASCII, which is what the
    // code's literals hold; a Texto literal beyond ASCII is written in Windows-1252 escapes
    // ("\xD1"), and a text in UTF-8 goes through Utf8ACp1252.
    template <size_t N>
    Cadena(const char (&literal)[N])  // NOLINT: implicit
        : s_(literal, std::char_traits<char>::length(literal)) {}
    // Bytes already in this encoding, where they enter the program (a file's field, libxml2's
    // output, the system's message).
    static Cadena DeBytes(std::string bytes) { return Cadena(std::move(bytes), 0); }
    static Cadena DeBytes(std::string_view bytes) { return Cadena(std::string(bytes), 0); }
    static Cadena DeBytes(const char* bytes) { return Cadena(std::string(bytes), 0); }
    static Cadena DeBytes(const char* bytes, size_t n) { return Cadena(std::string(bytes, n), 0); }
    static Cadena DeBytes(size_t n, char c) { return Cadena(std::string(n, c), 0); }
    // A whole number in decimal digits, which read the same in both encodings.
    template <std::integral T>
    static Cadena Numero(T n) {
        return Cadena(std::to_string(n), 0);
    }

    const std::string& Bytes() const& { return s_; }
    std::string Bytes() && { return std::move(s_); }
    const char* c_str() const { return s_.c_str(); }
    const char* data() const { return s_.data(); }

    // Only a Texto reads as a plain view: the core's text functions take Windows-1252.
    operator std::string_view() const noexcept  // NOLINT: implicit
        requires(C == Codificacion::Cp1252) {
        return s_;
    }

    size_t size() const { return s_.size(); }
    size_t length() const { return s_.size(); }
    bool empty() const { return s_.empty(); }
    char& operator[](size_t i) { return s_[i]; }
    char operator[](size_t i) const { return s_[i]; }
    char front() const { return s_.front(); }
    char back() const { return s_.back(); }
    iterator begin() { return s_.begin(); }
    iterator end() { return s_.end(); }
    const_iterator begin() const { return s_.begin(); }
    const_iterator end() const { return s_.end(); }

    void clear() { s_.clear(); }
    void reserve(size_t n) { s_.reserve(n); }
    void resize(size_t n, char c = '\0') { s_.resize(n, c); }
    void push_back(char c) { s_.push_back(c); }
    void pop_back() { s_.pop_back(); }
    Cadena& erase(size_t pos = 0, size_t n = npos) {
        s_.erase(pos, n);
        return *this;
    }
    Cadena& insert(size_t pos, const Cadena& otra) {
        s_.insert(pos, otra.s_);
        return *this;
    }
    Cadena& insert(size_t pos, size_t n, char c) {
        s_.insert(pos, n, c);
        return *this;
    }
    Cadena& append(const Cadena& otra) {
        s_ += otra.s_;
        return *this;
    }
    Cadena& append(size_t n, char c) {
        s_.append(n, c);
        return *this;
    }
    // A reused Texto buffer takes the core's Windows-1252 views as they are.
    Cadena& assign(std::string_view bytes) requires(C == Codificacion::Cp1252) {
        s_.assign(bytes);
        return *this;
    }
    Cadena& append(std::string_view bytes) requires(C == Codificacion::Cp1252) {
        s_.append(bytes);
        return *this;
    }

    // What a search takes: a Texto any Windows-1252 view, a Utf8 another Utf8.
    using Buscado = std::conditional_t<C == Codificacion::Cp1252, std::string_view, const Cadena&>;

    Cadena substr(size_t pos = 0, size_t n = npos) const { return Cadena(s_.substr(pos, n), 0); }
    size_t find(char c, size_t pos = 0) const { return s_.find(c, pos); }
    size_t find(Buscado otra, size_t pos = 0) const { return s_.find(Vista(otra), pos); }
    size_t rfind(char c, size_t pos = npos) const { return s_.rfind(c, pos); }
    size_t rfind(Buscado otra, size_t pos = npos) const { return s_.rfind(Vista(otra), pos); }
    size_t find_first_of(Buscado otra, size_t pos = 0) const {
        return s_.find_first_of(Vista(otra), pos);
    }
    size_t find_first_not_of(char c, size_t pos = 0) const { return s_.find_first_not_of(c, pos); }
    size_t find_last_not_of(char c, size_t pos = npos) const { return s_.find_last_not_of(c, pos); }
    bool starts_with(char c) const { return s_.starts_with(c); }
    bool starts_with(Buscado otra) const { return s_.starts_with(Vista(otra)); }
    bool ends_with(char c) const { return s_.ends_with(c); }
    bool ends_with(Buscado otra) const { return s_.ends_with(Vista(otra)); }

    Cadena& operator+=(const Cadena& otra) {
        s_ += otra.s_;
        return *this;
    }
    Cadena& operator+=(char c) {
        s_ += c;
        return *this;
    }
    friend Cadena operator+(Cadena a, const Cadena& b) {
        a.s_ += b.s_;
        return a;
    }
    friend Cadena operator+(Cadena a, char c) {
        a.s_ += c;
        return a;
    }
    friend Cadena operator+(char c, const Cadena& b) { return Cadena(c + b.s_, 0); }

    friend bool operator==(const Cadena& a, const Cadena& b) { return a.s_ == b.s_; }
    friend std::strong_ordering operator<=>(const Cadena& a, const Cadena& b) {
        return a.s_.compare(b.s_) <=> 0;
    }
    // A Texto against any Windows-1252 view of the core.
    friend bool operator==(const Cadena& a,
                           std::string_view b) requires(C == Codificacion::Cp1252) {
        return std::string_view(a.s_) == b;
    }
    // Against a literal, without building a text first.
    template <size_t N>
    friend bool operator==(const Cadena& a, const char (&literal)[N]) {
        return std::string_view(a.s_) == std::string_view(literal);
    }

    // A stream takes UTF-8 only: the terminal and the files the tool writes as text.
    friend std::ostream& operator<<(std::ostream& os,
                                    const Cadena& c) requires(C == Codificacion::Utf8) {
        return os.write(c.s_.data(), static_cast<std::streamsize>(c.s_.size()));
    }

  private:
    static std::string_view Vista(std::string_view v) { return v; }
    static std::string_view Vista(const Cadena& c) { return c.s_; }
    Cadena(std::string bytes, int) : s_(std::move(bytes)) {}
    std::string s_;
};

}  // namespace pasaplan

template <pasaplan::Codificacion C>
struct std::hash<pasaplan::Cadena<C>> {
    size_t operator()(const pasaplan::Cadena<C>& c) const noexcept {
        return std::hash<std::string>()(c.Bytes());
    }
};
