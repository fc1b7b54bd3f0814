// A word reader over blocks of the file feeds a small recursive-descent parser of the STL grammar.
#include "import/StlAsciiReader.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>
#include <vector>

#include "import/MeshArrays.h"

namespace {

constexpr size_t kMaxWordLength = 4096;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Whitespace-separated words of the source, read block by block.
class WordReader {
public:
    // Room for one block (no more than the text) behind the longest word carried over.
    explicit WordReader(ByteSource& source)
        : source_(source),
          buffer_(static_cast<size_t>(std::min<uint64_t>(source.Size(), kReadBlockBytes)) + kMaxWordLength +
                  1) {}

    // The next word, or an empty view at the end of the text or when the text cannot be read or a
    // word is too long (then Problem() says so). The view is valid until the next call.
    std::string_view Next() {
        for (;;) {
            while (pos_ < end_ && IsSpace(buffer_[pos_]))
                ++pos_;
            if (pos_ < end_) break;
            if (!Refill(pos_)) return {};
        }
        size_t start = pos_;
        for (;;) {
            while (pos_ < end_ && !IsSpace(buffer_[pos_]))
                ++pos_;
            if (pos_ - start > kMaxWordLength) {
                problem_ = "word longer than 4096 characters";
                return {};
            }
            if (pos_ < end_) break;
            const bool more = Refill(start);  // the word so far moves to the front
            start = 0;
            if (!more) break;
        }
        return std::string_view(buffer_.data() + start, pos_ - start);
    }

    // Skips the rest of the current line (a section name).
    void SkipLine() {
        for (;;) {
            while (pos_ < end_ && buffer_[pos_] != '\n')
                ++pos_;
            if (pos_ < end_) return;
            if (!Refill(pos_)) return;
        }
    }

    // Null, or why the words ended early.
    const char* Problem() const { return problem_; }

private:
    // Drops the bytes before `keep` (the rest moves to the front) and appends the next block; false at
    // the end of the text or on a read error (which also sets Problem()).
    bool Refill(size_t keep) {
        std::memmove(buffer_.data(), buffer_.data() + keep, end_ - keep);
        end_ -= keep;
        pos_ -= keep;
        const uint64_t left = source_.Size() - next_;
        if (left == 0) return false;
        const size_t length = static_cast<size_t>(std::min<uint64_t>(left, buffer_.size() - end_));
        if (!source_.CopyTo(next_, length, buffer_.data() + end_)) {
            problem_ = "file could not be read";
            return false;
        }
        next_ += length;
        end_ += length;
        return true;
    }

    ByteSource& source_;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    uint64_t next_ = 0;
    const char* problem_ = nullptr;
};

bool IsKeyword(std::string_view word, std::string_view keyword) {
    if (word.size() != keyword.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != keyword[i]) return false;
    }
    return true;
}

class AsciiStlParser {
public:
    explicit AsciiStlParser(ByteSource& source) : words_(source) {
        vertices_.reserve(
            static_cast<size_t>(std::min<uint64_t>(source.Size() / 256 * 9, uint64_t{1} << 26)));
    }

    // Parses the whole text; null on success, else the problem.
    const char* Parse() {
        if (!IsKeyword(words_.Next(), "solid")) return "text does not begin with \"solid\"";
        for (;;) {
            words_.SkipLine();
            if (const char* problem = ParseFacets()) return problem;
            words_.SkipLine();
            std::string_view word = words_.Next();
            if (words_.Problem() != nullptr) return words_.Problem();
            if (word.empty()) return nullptr;
            if (!IsKeyword(word, "solid")) return "text after \"endsolid\"";
        }
    }

    std::vector<float>& Vertices() { return vertices_; }

private:
    // Facets up to and including the "endsolid" keyword.
    const char* ParseFacets() {
        for (;;) {
            std::string_view word = words_.Next();
            if (IsKeyword(word, "endsolid")) return nullptr;
            if (!IsKeyword(word, "facet"))
                return words_.Problem() != nullptr ? words_.Problem() : "expected \"facet\" or \"endsolid\"";
            float ignored[3];
            if (!Expect("normal") || !Numbers(ignored) || !Expect("outer") || !Expect("loop"))
                return "malformed facet header";
            for (int corner = 0; corner < 3; ++corner) {
                float vertex[3];
                if (!Expect("vertex") || !Numbers(vertex)) return "malformed vertex";
                vertices_.insert(vertices_.end(), vertex, vertex + 3);
            }
            if (!Expect("endloop") || !Expect("endfacet")) return "facet without three vertices";
        }
    }

    bool Expect(std::string_view keyword) { return IsKeyword(words_.Next(), keyword); }

    bool Numbers(float (&values)[3]) {
        for (float& value : values) {
            std::string_view word = words_.Next();
            if (word.size() > 1 && word[0] == '+') word.remove_prefix(1);
            const char* end = word.data() + word.size();
            auto [stop, error] = std::from_chars(word.data(), end, value);
            if (word.empty() || error != std::errc() || stop != end) return false;
        }
        return true;
    }

    WordReader words_;
    std::vector<float> vertices_;
};

}  // namespace

ParseOutcome ParseAsciiStl(ByteSource& source, ParsedModel& model) {
    model = ParsedModel();
    std::vector<float> vertices;
    try {
        AsciiStlParser parser(source);
        if (const char* problem = parser.Parse()) return ParseOutcome::Refused(problem);
        vertices.swap(parser.Vertices());
    } catch (const std::bad_alloc&) {
        return ParseOutcome::Refused("not enough memory for the mesh");
    }
    const uint64_t n = vertices.size() / 9;
    Poly3gon& mesh = model.mesh;
    if (!AllocateMeshArrays(mesh, n * 3, n)) return ParseOutcome::Refused("not enough memory for the mesh");
    if (n > 0) std::memcpy(mesh.vertices, vertices.data(), n * 9 * sizeof(float));
    NumberSoupFacets(mesh, 0, n);
    return ParseOutcome::Parsed();
}
