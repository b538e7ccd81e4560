#pragma once

#include <QString>

#include <vector>

namespace ryv {

// A file-name mask matched against a whole text: "*" any run of characters
// (also none), "?" exactly one character, "[...]" one character of a set with
// "a-z" ranges and a leading "!" to negate it; every other character stands
// for itself. Both mask and text are compared in lower case (the user's
// locale), so the match ignores case for every letter.
//
// A mask is parsed once, so a report can test thousands of titles against
// it cheaply.
class TFileMask final {
public:
    explicit TFileMask(const QString& mask);

    // False when the mask has a "[" that is never closed.
    bool IsValid() const { return FErrorPos == 0; }
    // "'<mask>' is an invalid mask at (<position>)"; empty while valid.
    QString ErrorText() const;
    bool Matches(const QString& text) const;

private:
    enum class TKind { Char, AnyChar, AnyRun, Set };
    struct TToken {
        TKind kind = TKind::Char;
        char32_t ch = 0;
        bool negated = false;
        std::vector<std::pair<char32_t, char32_t>> ranges; // inclusive
    };

    static bool TokenMatches(const TToken& token, char32_t c);

    QString FMask;
    std::vector<TToken> FTokens;
    int FErrorPos = 0; // 1-based position of the unclosed "[", 0 when valid
};

} // namespace ryv
