#include "reports/filemask.h"

#include "core/apptexts.h"

#include "core/regional.h"

namespace ryv {

namespace {

std::u32string LowerUcs4(const QString& text)
{
    return Regional().Locale().toLower(text).toStdU32String();
}

} // namespace

TFileMask::TFileMask(const QString& mask)
    : FMask(mask)
{
    const std::u32string m = LowerUcs4(mask);
    size_t i = 0;
    while (i < m.size()) {
        TToken token;
        const char32_t c = m[i];
        if (c == U'*') {
            token.kind = TKind::AnyRun;
            ++i;
        } else if (c == U'?') {
            token.kind = TKind::AnyChar;
            ++i;
        } else if (c == U'[') {
            const size_t open = i;
            token.kind = TKind::Set;
            ++i;
            if (i < m.size() && m[i] == U'!') {
                token.negated = true;
                ++i;
            }
            // A "-" that cannot end a range (at the start of the set or
            // before the closing "]") stands for itself.
            while (i < m.size() && m[i] != U']') {
                const char32_t from = m[i];
                if (i + 2 < m.size() && m[i + 1] == U'-' && m[i + 2] != U']') {
                    token.ranges.emplace_back(from, m[i + 2]);
                    i += 3;
                } else {
                    token.ranges.emplace_back(from, from);
                    ++i;
                }
            }
            if (i >= m.size()) {
                FErrorPos = static_cast<int>(open) + 1;
                FTokens.clear();
                return;
            }
            ++i; // the closing "]"
        } else {
            token.ch = c;
            ++i;
        }
        if (token.kind == TKind::AnyRun && !FTokens.empty() && FTokens.back().kind == TKind::AnyRun)
            continue; // "**" is "*"
        FTokens.push_back(std::move(token));
    }
}

QString TFileMask::ErrorText() const
{
    if (IsValid())
        return {};
    return AppTexts().str_invalidmask.arg(FMask).arg(FErrorPos);
}

bool TFileMask::TokenMatches(const TToken& token, char32_t c)
{
    switch (token.kind) {
    case TKind::Char:
        return token.ch == c;
    case TKind::AnyChar:
        return true;
    case TKind::AnyRun:
        return false;
    case TKind::Set:
        break;
    }
    bool inSet = false;
    for (const auto& [from, to] : token.ranges) {
        if (c >= from && c <= to) {
            inSet = true;
            break;
        }
    }
    return inSet != token.negated;
}

bool TFileMask::Matches(const QString& text) const
{
    if (!IsValid())
        return false;
    const std::u32string s = LowerUcs4(text);
    // Greedy matching with one back-track point: the last "*" seen. On a
    // mismatch the "*" takes one more character and the rest is tried again,
    // which is linear per "*" and never exponential.
    size_t t = 0;
    size_t k = 0;
    size_t starToken = SIZE_MAX;
    size_t starText = 0;
    while (t < s.size()) {
        if (k < FTokens.size() && FTokens[k].kind == TKind::AnyRun) {
            starToken = k++;
            starText = t;
        } else if (k < FTokens.size() && TokenMatches(FTokens[k], s[t])) {
            ++k;
            ++t;
        } else if (starToken != SIZE_MAX) {
            k = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (k < FTokens.size() && FTokens[k].kind == TKind::AnyRun)
        ++k;
    return k == FTokens.size();
}

} // namespace ryv
