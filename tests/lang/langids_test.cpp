#include "lang/langids.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(LangIds, LanguageCodeFromLangId)
{
    struct Case {
        quint16 id;
        const char* code;
    };
    const Case cases[] = {
        { 0x0407, "de" },
        { 0x0807, "de" },
        { 0x0409, "en" },
        { 0x4809, "en" },
        { 0x0401, "ar" },
        { 0x4001, "ar" },
        { 0x0404, "zh" },
        { 0x1404, "zh" },
        { 0x0C0A, "es" },
        { 0x500A, "es" },
        { 0x040A, "" }, // traditional Spanish has no code
        { 0x0414, "no" },
        { 0x0814, "no" },
        { 0x0453, "kh" },
        { 0x042E, "wen" },
        { 0x082E, "dsb" },
        { 0x041A, "hr" },
        { 0x101A, "hr" },
        { 0x081A, "sr" },
        { 0x7C1A, "sr" },
        { 0x141A, "bs" },
        { 0x781A, "bs" },
        { 0x043B, "se" },
        { 0x243B, "se" },
        { 0x045D, "iu" },
        { 0x0457, "kok" },
        { 0x046B, "quz" },
        { 0x0C6B, "quz" },
        { 0x046C, "ns" },
        { 0x0486, "qut" },
        { 0x048C, "gbz" },
        { 0x085F, "tmz" },
        { 0x083C, "ga" },
        { 0x0000, "" },
        { 0x0455, "" },
        { 0x0489, "" },
        { 0xFFFF, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(LanguageCodeFromLangId(c.id), QString::fromLatin1(c.code));
    }
}

TEST(LangIds, InterfaceLanguageMapsThroughTheWindowsIdentifier)
{
    struct Case {
        const char* locale;
        quint16 id;
        const char* code;
    };
    const Case cases[] = {
        { "de-DE", 0x0407, "de" },
        { "de-AT", 0x0C07, "de" },
        { "de", 0x0407, "de" },
        { "de_CH.UTF-8", 0x0807, "de" },
        { "de_DE@euro", 0x0407, "de" },
        { "en-GB", 0x0809, "en" },
        { "en-US", 0x0409, "en" },
        { "nb-NO", 0x0414, "no" },
        { "nn", 0x0814, "no" },
        { "no", 0x0414, "no" },
        { "km-KH", 0x0453, "kh" },
        { "dsb-DE", 0x082E, "dsb" },
        { "hsb", 0x042E, "wen" },
        { "es-ES", 0x0C0A, "es" },
        { "es-MX", 0x080A, "es" },
        { "pt-BR", 0x0416, "pt" },
        { "pt-PT", 0x0816, "pt" },
        { "sr-Latn-RS", 0x081A, "sr" },
        { "sr-Cyrl-RS", 0x0C1A, "sr" },
        { "zh-Hant-TW", 0x0404, "zh" },
        { "zh-Hans-CN", 0x0804, "zh" },
        { "zh-HK", 0x0C04, "zh" },
        { "HE-il", 0x040D, "he" },
        { "tzm", 0x085F, "tmz" },
        { "C", 0, "" },
        { "", 0, "" },
        { "xx-YY", 0, "" },
        { "-", 0, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(LangIdFromLocaleName(QString::fromLatin1(c.locale)), c.id);
        EXPECT_EQ(LanguageCodeFromLangId(LangIdFromLocaleName(QString::fromLatin1(c.locale))),
            QString::fromLatin1(c.code));
    }
}

} // namespace
} // namespace ryv
